#include "platform/wine/wine_registry.h"

#include "platform/file_system.h"
#include "platform/text.h"

#include <QByteArray>
#include <chrono>
#include <initializer_list>
#include <cstdlib>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace platform::wine {
namespace {

// A first run in a prefix starts its wineserver; well within this.
constexpr auto kRunLimit = std::chrono::seconds(60);

bool Executable(const std::string& path) { return FileExists(path) && ::access(path.c_str(), X_OK) == 0; }

std::string Utf8(const std::string& ansi) {
  QByteArray bytes = FromAnsi(ansi).toUtf8();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

std::string KeyText(RegistryRoot root, const std::string& subkey) {
  std::string key = subkey;
  while (!key.empty() && key.front() == '\\') key.erase(0, 1);
  while (!key.empty() && key.back() == '\\') key.pop_back();
  std::string rootName = root == RegistryRoot::LocalMachine ? "HKLM" : "HKCU";
  return key.empty() ? rootName : rootName + "\\" + key;
}

// Runs wine with `args` in the prefix, output discarded; the exit code, or -1
// when it could not run or was stopped at the time limit.
int RunWine(const std::string& wine, const std::string& prefix, const std::vector<std::string>& args) {
  std::vector<std::string> argvStore{wine};
  argvStore.insert(argvStore.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argvStore) argv.push_back(a.data());
  argv.push_back(nullptr);

  std::vector<std::string> envStore;
  for (char** e = environ; *e; ++e) {
    std::string entry = *e;
    if (entry.rfind("WINEPREFIX=", 0) == 0 || entry.rfind("WINEDEBUG=", 0) == 0) continue;
    envStore.push_back(entry);
  }
  envStore.push_back("WINEPREFIX=" + prefix);
  envStore.push_back("WINEDEBUG=-all");
  std::vector<char*> envp;
  for (std::string& e : envStore) envp.push_back(e.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  int rc = ::posix_spawn(&pid, wine.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return -1;

  auto deadline = std::chrono::steady_clock::now() + kRunLimit;
  int status = 0;
  for (;;) {
    pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (done < 0) return -1;
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

PrefixWrite Write(const std::string& prefix, RegistryRoot root, const std::string& subkey,
                  const std::string& name, const std::string& type, const std::string& data) {
  std::string key = KeyText(root, subkey);
  std::string what = "registry value " + key + "\\" + name;
  PrefixWrite result;
  if (prefix.empty() || !FileExists(prefix + "/user.reg")) {
    result.problem = "No Wine prefix at " + prefix + ": " + what + " not written";
    return result;
  }
  std::string wine = FindWineProgram();
  if (wine.empty()) {
    result.problem = "Wine is not installed: " + what + " not written to the prefix " + prefix;
    return result;
  }
  for (const std::string* part : std::initializer_list<const std::string*>{&key, &name, &data}) {
    if (part->find('\0') != std::string::npos) {
      result.problem = "A NUL byte in " + what + ": not written to the prefix " + prefix;
      return result;
    }
  }
  std::vector<std::string> args{"reg", "add", Utf8(key)};
  if (name.empty()) {
    args.push_back("/ve");
  } else {
    args.push_back("/v");
    args.push_back(Utf8(name));
  }
  args.insert(args.end(), {"/t", type, "/d", Utf8(data), "/f"});
  int code = RunWine(wine, prefix, args);
  if (code != 0) {
    result.problem = "wine reg failed (exit code " + std::to_string(code) + "): " + what +
                     " not written to the prefix " + prefix;
    return result;
  }
  result.ok = true;
  return result;
}

}  // namespace

std::string FindWineProgram() {
  const char* path = std::getenv("PATH");
  if (!path) return {};
  for (const char* program : {"wine", "wine64"}) {
    for (const std::string& folder : SplitOn(path, ':')) {
      if (folder.empty()) continue;
      std::string candidate = folder + "/" + program;
      if (Executable(candidate)) return candidate;
    }
  }
  return {};
}

PrefixWrite SetPrefixString(const std::string& prefix, RegistryRoot root, const std::string& subkey,
                            const std::string& name, const std::string& data) {
  return Write(prefix, root, subkey, name, "REG_SZ", data);
}

PrefixWrite SetPrefixDword(const std::string& prefix, RegistryRoot root, const std::string& subkey,
                           const std::string& name, uint32_t data) {
  return Write(prefix, root, subkey, name, "REG_DWORD", std::to_string(data));
}

}  // namespace platform::wine
