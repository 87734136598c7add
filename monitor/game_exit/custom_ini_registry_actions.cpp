#include "monitor/game_exit/custom_ini_registry_actions.h"

#include "monitor/game_exit/game_text_file.h"
#include "platform/file_system.h"
#include "platform/profile.h"
#include "platform/text.h"
#include "platform/wine/wine_registry.h"

#include <cerrno>
#include <climits>

namespace game_exit {
namespace {

bool SkippedAsConfigured(const std::string& alwaysField, const CustomContext& context) {
  return context.AlreadyConfigured && !platform::EqualsNoCase(alwaysField, "ALWAYS");
}

bool Fail(const CustomContext& context, int number, const std::string& words, const std::string& item) {
  context.AddLog("Error " + std::to_string(number) + words + item);
  return false;
}

// The profile engine writes CR LF; a file that used only LF stays that way.
std::string KeepLineEnds(const std::string& before, std::string after) {
  if (before.find('\n') == std::string::npos || before.find("\r\n") != std::string::npos) return after;
  std::string out;
  out.reserve(after.size());
  for (size_t i = 0; i < after.size(); ++i)
    if (!(after[i] == '\r' && i + 1 < after.size() && after[i + 1] == '\n')) out += after[i];
  return out;
}

int WriteRegistryValue(const CustomContext& context, platform::RegistryRoot root, const std::string& subkey,
                       const std::string& name, const platform::RegistryValue& value) {
  const std::string& prefix = context.game.WinePrefix();
  if (prefix.empty()) {
    bool written = value.type == platform::RegistryValue::Type::String
                       ? platform::Registry::SetString(root, subkey, name, value.text)
                       : SaveRegLong(root, subkey, name, static_cast<int32_t>(value.number));
    return written ? 0 : EIO;
  }
  platform::wine::GameWine wine{prefix, context.WineLoader, context.WineEnvironment};
  platform::wine::PrefixWrite write = value.type == platform::RegistryValue::Type::String
                                          ? platform::wine::SetPrefixString(wine, root, subkey, name, value.text)
                                          : platform::wine::SetPrefixDword(wine, root, subkey, name, value.number);
  if (write.ok) return 0;
  context.AddLog(write.problem);
  return EIO;
}

}  // namespace

bool SaveRegLong(platform::RegistryRoot root, const std::string& subkey, const std::string& name, int32_t data) {
  return platform::Registry::SetDword(root, subkey, name, static_cast<uint32_t>(data));
}

bool ExecIni(const ActionArgs& IniArgs, const CustomContext& context) {
  if (SkippedAsConfigured(IniArgs.Field(6), context)) return true;
  const std::string words = " changing INI ";
  std::string windowsTarget = context.game.Resolve(IniArgs.Field(1));
  if (windowsTarget != "ERROR" && !context.game.Reaches(context.game.LinuxPath(windowsTarget))) windowsTarget = "ERROR";
  if (windowsTarget == "ERROR") {
    context.AddLog("Error with custom path " + IniArgs.Field(1));
    return Fail(context, kRefusedPathError, words, IniArgs.Field(1));
  }
  const std::string& section = IniArgs.Field(3);
  const std::string& key = IniArgs.Field(4);
  const std::string& value = IniArgs.Field(5);
  std::string target = context.game.LinuxPath(windowsTarget);
  // Refused before anything is created: the file could not hold it.
  if (!platform::ProfileEntryWritable(section, key, value)) return Fail(context, EINVAL, words, target);
  std::string before;
  if (!platform::FileExists(target)) {
    if (int error = BuildFolders(context.game, GetPathOnly(windowsTarget), context.log))
      return Fail(context, error, words, target);
    target = context.game.LinuxPath(windowsTarget);
  } else if (int error = ReadGameFile(target, before)) {
    return Fail(context, error, words, target);
  }
  std::string after = KeepLineEnds(before, platform::SetProfileValue(before, section, key, value));
  int error = ReplaceGameFile(target, after);
  return error == 0 || Fail(context, error, words, target);
}

bool ExecRegistry(const ActionArgs& RegistryArgs, const CustomContext& context) {
  if (SkippedAsConfigured(RegistryArgs.Field(6), context)) return true;
  const std::string words = " changing registry ";
  const std::string& type = RegistryArgs.Field(1);
  const std::string& keyPath = RegistryArgs.Field(3);
  bool isString = platform::EqualsNoCase(type, "STRING");
  if (!isString && !platform::EqualsNoCase(type, "DWORD")) return false;
  std::string rootName = keyPath.substr(0, 4);
  platform::RegistryRoot root;
  if (platform::EqualsNoCase(rootName, "HKLM"))
    root = platform::RegistryRoot::LocalMachine;
  else if (platform::EqualsNoCase(rootName, "HKCU"))
    root = platform::RegistryRoot::CurrentUser;
  else
    return false;
  std::string subkey = keyPath.size() > 5 ? keyPath.substr(5) : std::string();

  platform::RegistryValue value;
  if (isString) {
    value.type = platform::RegistryValue::Type::String;
    value.text = RegistryArgs.Field(5);
  } else {
    auto number = platform::ParseWholeNumber(RegistryArgs.Field(5));
    if (!number) return Fail(context, EINVAL, words, "");
    if (*number < INT32_MIN || *number > INT32_MAX) return Fail(context, ERANGE, words, "");
    value.type = platform::RegistryValue::Type::Dword;
    value.number = static_cast<uint32_t>(static_cast<int32_t>(*number));
  }
  int error = WriteRegistryValue(context, root, subkey, RegistryArgs.Field(4), value);
  return error == 0 || Fail(context, error, words, "");
}

}  // namespace game_exit
