// Byte-level file access shared by every program: whole-file reads, atomic
// replacement, and the case-insensitive name matching that Windows files expect.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

bool FileExists(const std::string& path);  // a regular file (or a link to one)
bool FolderExists(const std::string& path);
// A regular file (or a link to one) with an execute bit set.
bool IsExecutableFile(const std::string& path);
// The size of a regular file (or of the one a link leads to); nothing for
// anything else or when it cannot be read.
std::optional<std::uintmax_t> FileSize(const std::string& path);

// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path);
// The same for a caller that reports why: 0, else the errno value of the call
// that failed (EIO for a file that is not a regular one).
int TryReadFile(const std::string& path, std::string& bytes);

// The SHA-256 of the file's bytes as 64 lower-case hex digits (the form of
// sha256sum), read in pieces; nothing when it cannot be read.
std::optional<std::string> FileSha256(const std::string& path);

// Replaces (or creates) the file so that a crash leaves either the old or the new
// content: a uniquely named temporary file in the same folder, flushed, renamed
// over the target. The target's permissions are kept; a new file gets 0644.
// A symbolic link is written through: its target is replaced, the link kept.
// Stale temporaries of earlier writes to the same file (see
// RemoveStaleTemporaries) are removed first.
bool WriteFileAtomic(const std::string& path, const std::string& bytes);
// The same, 0 or the errno value of the call that failed.
int TryWriteFileAtomic(const std::string& path, const std::string& bytes);
// The same for a copy of the file `from`, streamed (never held in memory
// whole); the copy gets `mode` whatever the target's mode was.
bool CopyFileAtomic(const std::string& from, const std::string& to, unsigned mode);

// Removes the hidden temporaries that atomic replacements leave beside their
// targets when the writer dies half-way (a kill, a power cut): those whose
// writing process no longer runs, and only this user's own; a temporary of a
// running writer or of another user is kept, and so is one written to less
// than kTemporaryLifetimeSeconds ago, whatever its pid (the pid may be one of
// another pid namespace). With `WithSubFolders` the folders below are swept
// too (links are not followed).
inline constexpr long kTemporaryLifetimeSeconds = 5 * 60;
enum class Sweep { Folder, WithSubFolders };
void RemoveStaleTemporaries(const std::string& folder, Sweep sweep = Sweep::Folder);

// 0 when a new file can be made in `folder` now (tried with a hidden temporary
// that is removed at once), else the errno value that prevents it.
int FolderWriteError(const std::string& folder);
// 0 when the file at `path` could be replaced now: it may be replaced (see
// MayReplaceFile) and its folder takes a new file; else the errno value.
int ReplaceError(const std::string& path);
// The words every program uses for a file or folder it cannot write:
// "Cannot write <path>: <the system's reason>".
std::string CannotWriteText(const std::string& path, int error);

// Writes the bytes over the file in place and cuts it to their length, creating
// it when missing; nothing is flushed. For scratch files that may be torn.
bool OverwriteFile(const std::string& path, const std::string& bytes);

// Held across a read, change and atomic rewrite of one file, so that writers in
// other processes take turns instead of losing one another's changes. It locks
// the folder the file lies in (the file itself is replaced by each rewrite, and
// the folder gets no lock file); without a lockable folder it holds nothing.
// Never take a second one in the same thread while one is held.
class FileUpdateLock {
 public:
  explicit FileUpdateLock(const std::string& path);
  ~FileUpdateLock();
  FileUpdateLock(const FileUpdateLock&) = delete;
  FileUpdateLock& operator=(const FileUpdateLock&) = delete;

 private:
  int fd_ = -1;
};

// Appends bytes, creating the file when missing (for append-only logs).
bool AppendToFile(const std::string& path, const std::string& bytes);

// False for an existing file that must not be replaced: one without any write
// bit (read-only as on Windows, also for the super-user) or one this user may
// not write. True for a file that does not exist.
bool MayReplaceFile(const std::string& path);

bool RemoveFile(const std::string& path);
// Only a folder that is empty; false for anything else.
bool RemoveEmptyFolder(const std::string& path);
bool CreateFolder(const std::string& path);  // one level; true if it exists afterwards
int MakeFolder(const std::string& path);     // one level, mode 0755; 0 or the errno value
// Every missing level of the path, as MakeFolder makes them; true if the folder
// exists afterwards.
bool CreateFolderPath(const std::string& path);

// Without following a last link: whether the name exists at all (a dangling
// link does), and whether it is a link.
bool EntryExists(const std::string& path);
bool IsLink(const std::string& path);

// The target a symbolic link names, as it is written; empty when the path is
// no link or cannot be read.
std::string ReadLink(const std::string& path);

// The absolute path with every link, "." and ".." resolved; empty when a part
// does not exist.
std::string RealPath(const std::string& path);

// The player's home folder: HOME, else the account's own; empty when neither is known.
std::string HomeFolder();

// Names of the regular files in a folder, in the order the system lists them.
std::vector<std::string> ListFiles(const std::string& folder);
// Names of every entry of a folder ("." and ".." left out), in the same order.
std::vector<std::string> ListEntries(const std::string& folder);

// The name of an entry of `folder` equal to `name` without regard to ASCII case,
// preferring an exact match; empty when there is none.
std::string FindEntryNoCase(const std::string& folder, const std::string& name);

// Splits text into lines at CR LF or LF; a final line without a line end is kept,
// an empty trailing piece after the last line end is not.
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace platform
