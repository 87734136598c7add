// A folder only this account may use, for files another account must not be
// able to swap (the updater's running copy and its downloads).
#pragma once

#include <optional>
#include <string>

namespace platform {

// The folder `name` under $XDG_RUNTIME_DIR, else under the temporary folder
// ($TEMP, else $TMPDIR, else /tmp) as `name`-<uid>; created with mode 0700 when
// missing. Empty, with the reason in `whyNot`, when it is not a real folder of
// this account (a link, another owner) or cannot be made private.
std::optional<std::string> PrivateFolder(const std::string& name, std::string& whyNot);

}  // namespace platform
