#include "platform/file_system.h"

#include "platform/text.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <pwd.h>
#include <signal.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool FileExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsExecutableFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 0111) != 0;
}

std::optional<std::uintmax_t> FileSize(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return static_cast<std::uintmax_t>(st.st_size);
}

// errno after a failed call; EIO where the call set none (a short write).
static int LastError() { return errno != 0 ? errno : EIO; }

int TryReadFile(const std::string& path, std::string& bytes) {
  // Non-blocking, so that a named pipe in a file's place is refused, not waited on.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return LastError();
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    int error = st.st_mode == 0 ? LastError() : EIO;
    ::close(fd);
    return error;
  }
  std::string read;
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      int error = LastError();
      ::close(fd);
      return error;
    }
    if (n == 0) break;
    read.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  bytes = std::move(read);
  return 0;
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
  std::string bytes;
  if (TryReadFile(path, bytes) != 0) return std::nullopt;
  return bytes;
}

static bool WriteAll(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// The file a write to `path` replaces: a symbolic link is written through, so
// the link stays and its target gets the new content.
static std::string WriteTarget(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  std::string target = RealPath(path);
  return target.empty() ? path : target;  // a dangling link has no content to keep
}

// Temporaries that earlier writes to the same target left behind when their
// writer was killed would stay for good: remove those whose writer is gone. A
// writer we may not signal (another user's) counts as running.
static void RemoveStaleTemporaries(const std::string& folder, const std::string& name) {
  const std::string prefix = "." + name + ".heliryx-";
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (dirent* entry = ::readdir(dir)) {
    std::string_view entryName = entry->d_name;
    if (entryName.substr(0, prefix.size()) != prefix) continue;
    std::string_view rest = entryName.substr(prefix.size());
    size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash + 1 == rest.size()) continue;
    if (rest.find_first_not_of("0123456789-") != std::string_view::npos || rest.find('-', dash + 1) != std::string_view::npos)
      continue;
    long pid = std::strtol(std::string(rest.substr(0, dash)).c_str(), nullptr, 10);
    if (pid <= 0 || pid == ::getpid()) continue;
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

// Replaces the file at `linkOrPath` with what `fill` writes into a temporary
// file beside it; the new file gets `mode`, or the old file's mode (0644 for a
// new file) when `mode` is negative. 0, or the errno value of the step that failed.
static int ReplaceAtomic(const std::string& linkOrPath, const std::function<bool(int fd)>& fill, int mode) {
  static std::atomic<unsigned> counter{0};
  const std::string path = WriteTarget(linkOrPath);
  std::string folder = ".";
  std::string name = path;
  if (auto slash = path.rfind('/'); slash != std::string::npos) {
    folder = slash == 0 ? "/" : path.substr(0, slash);
    name = path.substr(slash + 1);
  }
  RemoveStaleTemporaries(folder, name);
  // A dot-prefixed name with our pid and a counter cannot be a game's own file.
  std::string temp = folder + "/." + name + ".heliryx-" + std::to_string(::getpid()) + "-" +
                     std::to_string(counter++);
  if (mode < 0) {
    mode = 0644;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) mode = static_cast<int>(st.st_mode & 07777);
  }
  errno = 0;
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return LastError();
  bool ok = fill(fd) && ::fchmod(fd, static_cast<mode_t>(mode)) == 0 && ::fsync(fd) == 0;
  int error = ok ? 0 : LastError();
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = LastError();
  }
  if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
    ok = false;
    error = LastError();
  }
  if (!ok) ::unlink(temp.c_str());
  return ok ? 0 : error;
}

int TryWriteFileAtomic(const std::string& linkOrPath, const std::string& bytes) {
  return ReplaceAtomic(linkOrPath, [&bytes](int fd) { return WriteAll(fd, bytes); }, -1);
}

bool WriteFileAtomic(const std::string& linkOrPath, const std::string& bytes) {
  return TryWriteFileAtomic(linkOrPath, bytes) == 0;
}

bool CopyFileAtomic(const std::string& from, const std::string& to, unsigned mode) {
  int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (in < 0) return false;
  struct stat st {};
  bool regular = ::fstat(in, &st) == 0 && S_ISREG(st.st_mode);
  bool ok = regular && 0 == ReplaceAtomic(
                           to,
                           [in](int out) {
                             char buffer[65536];
                             for (;;) {
                               ssize_t n = ::read(in, buffer, sizeof buffer);
                               if (n < 0 && errno == EINTR) continue;
                               if (n < 0) return false;
                               if (n == 0) return true;
                               if (!WriteAll(out, std::string_view(buffer, static_cast<size_t>(n)))) return false;
                             }
                           },
                           static_cast<int>(mode & 07777));
  ::close(in);
  return ok;
}

bool OverwriteFile(const std::string& path, const std::string& bytes) {
  // Not truncated to zero first: some file systems flush a file emptied that way when it is closed.
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0;
  return (::close(fd) == 0) && ok;
}

FileUpdateLock::FileUpdateLock(const std::string& path) {
  // The folder the rewrite renames in: a link is written through to its target.
  std::string target = WriteTarget(path);
  size_t slash = target.rfind('/');
  std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
  fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) return;
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    ::close(fd_);  // a file system without locks: write as before
    fd_ = -1;
    return;
  }
}

FileUpdateLock::~FileUpdateLock() {
  if (fd_ >= 0) ::close(fd_);
}

bool AppendToFile(const std::string& path, const std::string& bytes) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes);
  return (::close(fd) == 0) && ok;
}

bool MayReplaceFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return errno == ENOENT;
  return (st.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool CreateFolder(const std::string& path) {
  int error = MakeFolder(path);
  return error == 0 || (error == EEXIST && FolderExists(path));
}

int MakeFolder(const std::string& path) { return ::mkdir(path.c_str(), 0755) == 0 ? 0 : LastError(); }

bool CreateFolderPath(const std::string& path) {
  for (size_t at = 1; at < path.size(); ++at)
    if (path[at] == '/' && path[at - 1] != '/') MakeFolder(path.substr(0, at));
  MakeFolder(path);
  return FolderExists(path);
}

bool EntryExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::lstat(path.c_str(), &st) == 0;
}

bool IsLink(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

std::string ReadLink(const std::string& path) {
  char buffer[PATH_MAX];
  ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer - 1);
  if (n <= 0) return {};
  return std::string(buffer, static_cast<size_t>(n));
}

std::string RealPath(const std::string& path) {
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real) return {};
  std::string out = real;
  std::free(real);
  return out;
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  const passwd* account = ::getpwuid(::getuid());
  return account && account->pw_dir ? account->pw_dir : "";
}

std::vector<std::string> ListFiles(const std::string& folder) {
  std::vector<std::string> names;
  for (std::string& name : ListEntries(folder))
    if (FileExists(folder + "/" + name)) names.push_back(std::move(name));
  return names;
}

std::vector<std::string> ListEntries(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return names;
  while (dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  return names;
}

std::string FindEntryNoCase(const std::string& folder, const std::string& name) {
  struct stat st {};
  if (!name.empty() && ::lstat((folder + "/" + name).c_str(), &st) == 0) return name;
  std::string found;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return found;
  while (dirent* entry = ::readdir(dir)) {
    if (EqualsNoCase(entry->d_name, name)) {
      found = entry->d_name;
      break;
    }
  }
  ::closedir(dir);
  return found;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    size_t stop = (end > start && text[end - 1] == '\r') ? end - 1 : end;
    lines.push_back(text.substr(start, stop - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace platform
