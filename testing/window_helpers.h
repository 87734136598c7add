// What a test of any program's window uses to reach it: its controls, menus
// and timers by the names the window gives them (platform/control_names.h),
// never through members of the window, and a script that answers the message
// boxes and file dialogs it shows.
#pragma once

#include "platform/control_names.h"
#include "platform/dialogs.h"
#include "platform/file_dialog.h"

#include <QList>
#include <QObject>
#include <deque>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

namespace detail {

inline std::string Described(const std::string& name, int index) {
  return index == platform::kSingle ? name : name + "(" + std::to_string(index) + ")";
}

template <class T>
T* As(QObject* object, const std::string& what) {
  T* typed = qobject_cast<T*>(object);
  if (!typed) throw std::logic_error(what + " is not a " + T::staticMetaObject.className());
  return typed;
}

}  // namespace detail

// A control (or menu, menu entry, timer) of `window` by name and index, as the
// window numbers them: Ctl<QComboBox>(w, "cboAxis", 3), Ctl<QTimer>(w, "tmrEvent").
// Throws when there is none, more than one, or one of another kind.
template <class T>
T* Ctl(const QObject& window, const std::string& name, int index = platform::kSingle) {
  const QList<QObject*> found = window.findChildren<QObject*>(platform::ControlName(name, index));
  const std::string what = "control " + detail::Described(name, index);
  if (found.isEmpty()) throw std::logic_error("no " + what);
  if (found.size() > 1) throw std::logic_error("more than one " + what);
  return detail::As<T>(found.front(), what);
}

// A menu or menu entry by name: Menu<QAction>(w, "mSaveAs"), Menu<QMenu>(w, "mPopupSys").
template <class T>
T* Menu(const QObject& window, const std::string& name) {
  return Ctl<T>(window, name);
}

// A control array by name, its members by index: Arr<QLabel>(w, "imgMotion")(50).
template <class T>
platform::ControlArray<T> Arr(const QObject& window, const std::string& name) {
  const QString prefix = platform::ControlName(name) + QLatin1Char('_');
  std::map<int, T*> members;
  for (QObject* child : window.findChildren<QObject*>()) {
    const QString rest = child->objectName().startsWith(prefix) ? child->objectName().mid(prefix.size()) : QString();
    bool isIndex = false;
    const int index = rest.toInt(&isIndex);
    if (!isIndex || rest != QString::number(index)) continue;
    const std::string what = "control " + detail::Described(name, index);
    if (!members.emplace(index, detail::As<T>(child, what)).second) throw std::logic_error("more than one " + what);
  }
  if (members.empty()) throw std::logic_error("no control array " + name);
  return platform::ControlArray<T>(std::move(members));
}

// While it lives, every message box and file dialog is recorded; a box takes
// the next scripted reply, or its default answer; a file dialog the next
// scripted choice, or is cancelled.
class Answers {
 public:
  Answers() {
    platform::SetMsgBoxHandler([this](const platform::MsgBoxRequest& box) {
      boxes.push_back(box);
      if (replies.empty()) return platform::DefaultAnswer(box.buttons);
      auto reply = replies.front();
      replies.pop_front();
      return reply;
    });
    platform::SetFileDialogHandler([this](const platform::FileDialogRequest& request) {
      dialogs.push_back(request);
      if (files.empty()) return platform::FileDialogResult{};
      auto file = files.front();
      files.pop_front();
      return file;
    });
  }
  ~Answers() {
    platform::SetMsgBoxHandler({});
    platform::SetFileDialogHandler({});
  }
  Answers(const Answers&) = delete;
  Answers& operator=(const Answers&) = delete;

  // Each box as "title: text".
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes) texts.push_back(box.title + ": " + box.text);
    return texts;
  }

  std::vector<platform::MsgBoxRequest> boxes;
  std::deque<platform::MsgResult> replies;
  std::vector<platform::FileDialogRequest> dialogs;
  std::deque<platform::FileDialogResult> files;
};

}  // namespace testing_support
