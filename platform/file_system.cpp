#include "platform/file_system.h"

#include "platform/text.h"

#include <QCryptographicHash>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <pwd.h>
#include <signal.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

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

std::optional<std::string> FileSha256(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  QCryptographicHash sum(QCryptographicHash::Sha256);
  char buffer[65536];
  while (ok) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    sum.addData(QByteArrayView(buffer, n));
  }
  ::close(fd);
  if (!ok) return std::nullopt;
  return sum.result().toHex().toStdString();
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

// Every replacement writes a hidden temporary beside its target first:
// `.<target>.heliryx-<pid>-<n>`, a name no game gives its own files.
static constexpr std::string_view kTemporaryMark = ".heliryx-";

static std::string TemporaryPath(const std::string& folder, const std::string& name) {
  static std::atomic<unsigned> counter{0};
  return folder + "/." + name + std::string(kTemporaryMark) + std::to_string(::getpid()) + "-" +
         std::to_string(counter++);
}

// The writer's pid in a temporary's name, or 0 when the name is none of ours
// (or one for another target than `target`, when that is given).
static long TemporaryWriter(std::string_view entry, std::string_view target) {
  size_t mark = entry.rfind(kTemporaryMark);
  if (entry.empty() || entry[0] != '.' || mark == std::string_view::npos || mark < 2) return 0;
  if (!target.empty() && entry.substr(1, mark - 1) != target) return 0;
  std::string_view rest = entry.substr(mark + kTemporaryMark.size());
  size_t dash = rest.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash > 9 || dash + 1 == rest.size()) return 0;
  if (rest.find_first_not_of("0123456789-") != std::string_view::npos ||
      rest.find('-', dash + 1) != std::string_view::npos)
    return 0;
  return std::strtol(std::string(rest.substr(0, dash)).c_str(), nullptr, 10);
}

// A temporary whose writer was killed would stay for good. Only this user's
// own are taken: another user's writer may run where we cannot see it, and a
// super-user must not remove what an ordinary user is writing. A pid names a
// process only in the writer's own pid namespace (a sandboxed or containerised
// copy sharing the folder has others), so a temporary written to in the last
// few minutes is kept whatever its pid says.
static bool IsStaleTemporary(int folderFd, const char* entry, std::string_view target) {
  long pid = TemporaryWriter(entry, target);
  if (pid <= 0 || pid == ::getpid()) return false;
  struct stat st {};
  if (::fstatat(folderFd, entry, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
    return false;
  if (std::time(nullptr) - st.st_mtime < kTemporaryLifetimeSeconds) return false;
  return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// Sweeps the open folder `folderFd` (and takes it over): the temporaries of
// `target`, or of any target when that is empty.
static void SweepFolder(int folderFd, std::string_view target, bool subFolders) {
  DIR* dir = ::fdopendir(folderFd);
  if (!dir) {
    ::close(folderFd);
    return;
  }
  std::vector<std::string> below;
  while (dirent* entry = ::readdir(dir)) {
    std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (IsStaleTemporary(::dirfd(dir), entry->d_name, target))
      ::unlinkat(::dirfd(dir), entry->d_name, 0);
    else if (subFolders && (entry->d_type == DT_DIR || entry->d_type == DT_UNKNOWN))
      below.emplace_back(name);
  }
  for (const std::string& name : below) {
    int fd = ::openat(::dirfd(dir), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0) SweepFolder(fd, target, true);
  }
  ::closedir(dir);
}

void RemoveStaleTemporaries(const std::string& folder, Sweep sweep) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) SweepFolder(fd, {}, sweep == Sweep::WithSubFolders);
}

// The folder and the name of a path ("." for a bare name).
static std::pair<std::string, std::string> SplitPath(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {".", path};
  return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// Makes and removes one temporary named after `name` in `folder`.
static int ProbeFolder(const std::string& folder, const std::string& name) {
  std::string temp = TemporaryPath(folder, name);
  errno = 0;
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return LastError();
  ::close(fd);
  ::unlink(temp.c_str());
  return 0;
}

int FolderWriteError(const std::string& folder) { return ProbeFolder(folder, "write-test"); }

int ReplaceError(const std::string& path) {
  const std::string target = WriteTarget(path);
  struct stat st {};
  errno = 0;
  if (::stat(target.c_str(), &st) == 0) {
    if ((st.st_mode & 0222) == 0) return EACCES;  // read-only, also for the super-user
    if (::access(target.c_str(), W_OK) != 0) return LastError();
  } else if (errno != ENOENT) {
    return LastError();
  }
  auto [folder, name] = SplitPath(target);
  return ProbeFolder(folder, name);
}

std::string CannotWriteText(const std::string& path, int error) {
  return "Cannot write " + path + ": " + std::strerror(error);
}

// Replaces the file at `linkOrPath` with what `fill` writes into a temporary
// file beside it; the new file gets `mode`, or the old file's mode (0644 for a
// new file) when `mode` is negative. 0, or the errno value of the step that failed.
static int ReplaceAtomic(const std::string& linkOrPath, const std::function<bool(int fd)>& fill, int mode) {
  const std::string path = WriteTarget(linkOrPath);
  auto [folder, name] = SplitPath(path);
  if (int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); fd >= 0) SweepFolder(fd, name, false);
  std::string temp = TemporaryPath(folder, name);
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
  return ReplaceAtomic(
      linkOrPath, [&bytes](int fd) { return WriteAll(fd, bytes); }, -1);
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

bool RemoveEmptyFolder(const std::string& path) { return ::rmdir(path.c_str()) == 0; }

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
