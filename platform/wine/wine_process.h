// What a process shows of running under Wine: its executable is Wine's
// loader, and the Windows program it runs (the game) is the ".exe" among the
// files it has mapped that is not Wine's own, or, before that is mapped, the
// program its command line names. Plain functions over what the process table
// reads from /proc.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// True for Wine's loader ("wine", "wine64", "wine64-preloader", ...), named by its path.
bool IsWineLoader(std::string_view exePath);

// The loader a Wine process runs under: the preloader's sibling loader
// ("wine64-preloader" -> "wine64"), else the executable itself.
std::string WineLoaderOf(std::string_view exePath);

// The prefix a Wine process uses, from its WINEPREFIX and HOME variables
// (empty when unset): WINEPREFIX, else HOME's ".wine", else that of `ownHome`;
// without a trailing "/".
std::string WinePrefixOf(const std::string& winePrefixVariable, const std::string& home, const std::string& ownHome);

// Wine's own programs: its PE folders ("wine/x86_64-windows", "wine/i386-windows",
// older "wine/fakedlls") and the prefix's Windows folder, named as given or
// (as the kernel shows mapped files) by its real path.
class WineOwnFiles {
 public:
  WineOwnFiles(const std::string& prefix, const std::string& realPrefix);
  bool Contains(std::string_view path) const;

 private:
  std::string windows_, realWindows_;
};

// The executable of a Wine process from a line of the files it has mapped:
// the path, when it is an ".exe" that is not Wine's own; empty otherwise.
std::string_view WineExeOfMapsLine(std::string_view line, const WineOwnFiles& own);

// True when a loader's first argument is a bare name, which names a program
// in the folder the loader was started in.
bool NamesRelativeToStart(const std::string& argument);

// The program a loader was started with, from its first argument: a Windows
// path through the prefix's drives, a Unix path as it is, a bare name inside
// `startFolder` (the folder it was started in; asked for only when
// NamesRelativeToStart). Empty when that is no ".exe" or one of Wine's own
// (the loader started with no program, or one of Wine's helpers).
std::string WineGameOfArgument(const std::string& prefix, const std::string& argument, const std::string& startFolder,
                               const WineOwnFiles& own);

}  // namespace platform
