// Message boxes. Every box of every program goes through MsgBox, so that tests
// can answer it from a script. Without a display (Qt's offscreen platform) the
// box is written to standard error and takes its default answer.
#pragma once

#include <functional>
#include <string>

namespace platform {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgResult { Ok, Cancel, Yes, No, Retry };

struct MsgBoxRequest {
  std::string text;  // Windows-1252 bytes, lines joined by CR LF
  std::string title;
  MsgButtons buttons = MsgButtons::Ok;
  MsgIcon icon = MsgIcon::None;
  bool foreground = false;
};

// The answer a box takes when nobody can answer it: its first button.
MsgResult DefaultAnswer(MsgButtons buttons);

MsgResult MsgBox(const std::string& text, MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None,
                 const std::string& title = "", bool foreground = false);

// Tests install a handler that sees every box and answers it; an empty function
// restores the normal behaviour.
using MsgBoxHandler = std::function<MsgResult(const MsgBoxRequest&)>;
void SetMsgBoxHandler(MsgBoxHandler handler);

// True when the programs run without a display (offscreen platform).
bool Headless();

}  // namespace platform
