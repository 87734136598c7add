#include "monitor/game_exit/custom_file_actions.h"

#include "monitor/game_exit/game_text_file.h"
#include "platform/file_system.h"
#include "platform/text.h"

#include <functional>
#include <optional>

namespace game_exit {
namespace {

bool SkippedAsConfigured(const std::string& alwaysField, const CustomContext& context) {
  return context.AlreadyConfigured && !platform::EqualsNoCase(alwaysField, "ALWAYS");
}

// The row's file in Windows form, or "ERROR" (logged: the row names no file the
// game's writes may reach).
std::string WindowsTarget(const std::string& field, const CustomContext& context) {
  std::string target = context.game.Resolve(field);
  if (target != "ERROR" && !context.game.Reaches(context.game.LinuxPath(target))) target = "ERROR";
  if (target == "ERROR") context.AddLog("Error with custom path " + field);
  return target;
}

bool Fail(const CustomContext& context, int number, const std::string& words, const std::string& item) {
  context.AddLog("Error " + std::to_string(number) + words + item);
  return false;
}

// Rewrites an existing target line by line: `judge` returns the line to write,
// or nothing to drop it; `finish` may add lines at the end. A missing target is
// left alone. 0 on success, else an errno value.
using Judge = std::function<std::optional<std::string>(const std::string& line)>;
using Finish = std::function<void(std::vector<std::string>& lines)>;

int Rewrite(const std::string& windowsTarget, const CustomContext& context, const Judge& judge,
            const Finish& finish = {}) {
  if (windowsTarget == "ERROR") return 0;
  std::string target = context.game.LinuxPath(windowsTarget);
  if (target.empty() || !platform::FileExists(target)) return 0;
  std::string bytes;
  if (int error = ReadGameFile(target, bytes)) return error;
  GameText text = SplitGameText(bytes);
  bytes.clear();
  std::vector<std::string> out;
  out.reserve(text.lines.size() + 1);
  for (const std::string& line : text.lines)
    if (auto kept = judge(line)) out.push_back(std::move(*kept));
  if (finish) finish(out);
  return ReplaceGameFile(target, JoinGameText(out, text.lineEnd));
}

bool DeleteDrops(const std::string& line, const std::string& text, const std::string& mode) {
  if (mode == "0") return platform::StartsWithNoCase(line, text);
  if (mode == "1") return platform::EqualsNoCase(platform::Trim(line), text);
  // An empty text occurs in every line but an empty one.
  if (mode == "2") return !line.empty() && platform::FindNoCase(line, text) != std::string::npos;
  return false;
}

std::string ReplaceAllNoCase(const std::string& line, const std::string& find, const std::string& by) {
  if (find.empty()) return line;
  std::string out;
  size_t from = 0;
  for (;;) {
    size_t at = platform::FindNoCase(std::string_view(line).substr(from), find);
    if (at == std::string::npos) break;
    out.append(line, from, at);
    out += by;
    from += at + find.size();
  }
  out.append(line, from, std::string::npos);
  return out;
}

}  // namespace

bool ExecDelete(const ActionArgs& DeleteArgs, const CustomContext& context) {
  if (SkippedAsConfigured(DeleteArgs.Field(5), context)) return true;
  const std::string& text = DeleteArgs.Field(3);
  const std::string& mode = DeleteArgs.Field(4);
  int error = Rewrite(WindowsTarget(DeleteArgs.Field(1), context), context,
                      [&](const std::string& line) -> std::optional<std::string> {
                        if (DeleteDrops(line, text, mode)) return std::nullopt;
                        return line;
                      });
  return error == 0 || Fail(context, error, " deleting ", text);
}

bool ExecModify(const ActionArgs& ModifyArgs, const CustomContext& context) {
  if (SkippedAsConfigured(ModifyArgs.Field(5), context)) return true;
  const std::string& pattern = ModifyArgs.Field(3);
  const std::string& newLine = ModifyArgs.Field(4);
  size_t percent = pattern.find('%');
  std::string prefix = pattern.substr(0, percent);
  std::optional<std::string> suffix;
  if (percent != std::string::npos) suffix = pattern.substr(percent + 1);
  bool testLines = !pattern.empty() && !newLine.empty();
  bool found = false;
  int error = Rewrite(
      WindowsTarget(ModifyArgs.Field(1), context), context,
      [&](const std::string& line) -> std::optional<std::string> {
        if (testLines && platform::StartsWithNoCase(line, prefix) &&
            (!suffix || platform::EndsWithNoCase(line, *suffix))) {
          found = true;
          return newLine;
        }
        return line;
      },
      [&](std::vector<std::string>& lines) {
        if (!found) lines.push_back(newLine);
      });
  return error == 0 || Fail(context, error, " modifying ", pattern);
}

bool ExecAppend(const ActionArgs& AppendArgs, const CustomContext& context) {
  if (SkippedAsConfigured(AppendArgs.Field(4), context)) return true;
  const std::string& line = AppendArgs.Field(3);
  const std::string words = " appending ";
  std::string windowsTarget = WindowsTarget(AppendArgs.Field(1), context);
  if (windowsTarget == "ERROR") return Fail(context, kRefusedPathError, words, line);
  std::string target = context.game.LinuxPath(windowsTarget);
  std::string bytes;
  if (!platform::FileExists(target)) {
    if (int error = BuildFolders(context.game, GetPathOnly(windowsTarget), context.log))
      return Fail(context, error, words, line);
    target = context.game.LinuxPath(windowsTarget);
  } else {
    if (int error = ReadGameFile(target, bytes)) return Fail(context, error, words, line);
    for (const std::string& present : platform::SplitLines(bytes))
      if (platform::EqualsNoCase(platform::Trim(present), line)) return true;
  }
  // A last line without a line end gets one first, so the new line stays a line.
  std::string lineEnd = LineEndOf(bytes);
  if (!bytes.empty() && bytes.back() != '\n') bytes += lineEnd;
  bytes += line + lineEnd;
  int error = ReplaceGameFile(target, bytes);
  return error == 0 || Fail(context, error, words, line);
}

bool ExecReplace(const ActionArgs& ReplaceArgs, const CustomContext& context) {
  if (SkippedAsConfigured(ReplaceArgs.Field(5), context)) return true;
  const std::string& find = ReplaceArgs.Field(3);
  const std::string& by = ReplaceArgs.Field(4);
  int error =
      Rewrite(WindowsTarget(ReplaceArgs.Field(1), context), context,
              [&](const std::string& line) -> std::optional<std::string> { return ReplaceAllNoCase(line, find, by); });
  return error == 0 || Fail(context, error, " replacing ", find);
}

}  // namespace game_exit
