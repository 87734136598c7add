#include "platform/wine/wine_registry.h"

#include "platform/file_system.h"
#include "platform/process/child_process.h"
#include "platform/process/process_table.h"
#include "platform/text.h"

#include <QByteArray>
#include <chrono>
#include <cstdlib>
#include <initializer_list>
#include <sys/stat.h>
#include <unistd.h>

extern char** environ;

namespace platform::wine {
namespace {

// A first run in a prefix starts its wineserver; well within this.
constexpr auto kRunLimit = std::chrono::seconds(60);

bool Executable(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

bool Named(const std::string& entry, const char* name) { return entry.rfind(std::string(name) + "=", 0) == 0; }

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

// Ours, with the game's Wine variables in place of our own, the prefix, a
// character type that reads the arguments as the UTF-8 they are (under another
// one Wine garbles every character beyond ASCII), and Wine's diagnostics off.
std::vector<std::string> WineEnvironment(const GameWine& game) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    std::string entry = *e;
    bool replaced =
        Named(entry, "WINEPREFIX") || Named(entry, "WINEDEBUG") || Named(entry, "LC_ALL") || Named(entry, "LC_CTYPE");
    if (!game.environment.empty())
      for (const char* name : kWineEnvironment) replaced = replaced || Named(entry, name);
    if (!replaced) env.push_back(entry);
  }
  for (const std::string& entry : game.environment)
    if (!Named(entry, "WINEPREFIX")) env.push_back(entry);
  env.push_back("WINEPREFIX=" + game.prefix);
  env.push_back("LC_CTYPE=C.UTF-8");
  env.push_back("WINEDEBUG=-all");
  return env;
}

// Why a run of wine did not succeed; empty when it did.
std::string RunFailure(const ChildOutcome& run) {
  switch (run.end) {
    case ChildEnd::Exited:
      return run.exitCode == 0 ? std::string() : "exit code " + std::to_string(run.exitCode);
    case ChildEnd::NotStarted:
      return "could not be started";
    case ChildEnd::TimedOut:
      return "no end within " + std::to_string(kRunLimit.count()) + " s";
    case ChildEnd::Abandoned:
      return "not awaited, the monitor is ending";
  }
  return "unknown";
}

PrefixWrite Write(const GameWine& game, RegistryRoot root, const std::string& subkey, const std::string& name,
                  const std::string& type, const std::string& data) {
  const std::string& prefix = game.prefix;
  std::string key = KeyText(root, subkey);
  std::string what = "registry value " + key + "\\" + name;
  PrefixWrite result;
  if (prefix.empty() || !FileExists(prefix + "/user.reg")) {
    result.problem = "No Wine prefix at " + prefix + ": " + what + " not written";
    return result;
  }
  for (const std::string* part : std::initializer_list<const std::string*>{&key, &name, &data}) {
    if (part->find('\0') != std::string::npos) {
      result.problem = "A NUL byte in " + what + ": not written to the prefix " + prefix;
      return result;
    }
  }
  std::string wine = Executable(game.loader) ? game.loader : FindWineProgram();
  if (wine.empty()) {
    std::string gone = game.loader.empty() ? std::string() : game.loader + " is gone, ";
    result.problem =
        "No Wine loader for the game's prefix " + prefix + " (" + gone + "none on PATH): " + what + " not written";
    return result;
  }

  std::vector<std::string> value = {Utf8(key)};
  if (name.empty()) {
    value.push_back("/ve");
  } else {
    value.push_back("/v");
    value.push_back(Utf8(name));
  }
  std::vector<std::string> add = {wine, "reg", "add"};
  add.insert(add.end(), value.begin(), value.end());
  add.insert(add.end(), {"/t", type, "/d", Utf8(data), "/f"});
  std::vector<std::string> env = WineEnvironment(game);
  std::string failure = RunFailure(RunChild(add, env, kRunLimit));
  if (!failure.empty()) {
    result.problem = "wine reg failed (" + failure + "): " + what + " not written to the prefix " + prefix;
    return result;
  }
  // Read back through the same server: only a value it holds reaches the prefix's files.
  std::vector<std::string> query = {wine, "reg", "query"};
  query.insert(query.end(), value.begin(), value.end());
  failure = RunFailure(RunChild(query, env, kRunLimit));
  if (!failure.empty()) {
    result.problem =
        "wine reg query failed (" + failure + "): " + what + " not found in the prefix " + prefix + " after writing it";
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

PrefixWrite SetPrefixString(const GameWine& game, RegistryRoot root, const std::string& subkey, const std::string& name,
                            const std::string& data) {
  return Write(game, root, subkey, name, "REG_SZ", data);
}

PrefixWrite SetPrefixDword(const GameWine& game, RegistryRoot root, const std::string& subkey, const std::string& name,
                           uint32_t data) {
  return Write(game, root, subkey, name, "REG_DWORD", std::to_string(data));
}

}  // namespace platform::wine
