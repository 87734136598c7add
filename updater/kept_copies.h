// What an update does with a configuration, game file or curve the player
// changed: the file is replaced by the new version all the same, but only once
// the player's version is kept beside it, under a name no program reads as
// one of its files, and the player is told where.
#pragma once

#include <string>
#include <vector>

namespace updater {

// A file of the installation whose changed version was kept.
struct KeptCopy {
  std::string file;  // relative to the installation folder ("scg/quake3.scg")
  std::string copy;  // the kept copy's full path
};

struct KeepResult {
  bool ok = true;    // false: no copy could be made, so the file must not be replaced
  std::string copy;  // the kept copy's full path; empty when nothing needed keeping
};

// Before the file at `target` is replaced by bytes whose SHA-256 is
// `incomingSum`: when its own sum is neither `recordedSum` (what the folder's
// record says we left there) nor `incomingSum`, the player changed it, and it
// is copied to "<target>.yours", or "<target>.yours-2" and on when that name is
// taken. An earlier kept copy is never written over: one that holds the same
// bytes already is the copy. A missing target needs nothing.
KeepResult KeepChangedFile(const std::string& target, const std::string& recordedSum, const std::string& incomingSum);

// The one message at the end of an installation that kept copies; empty when none was kept.
std::string KeptCopiesText(const std::vector<KeptCopy>& kept);

}  // namespace updater
