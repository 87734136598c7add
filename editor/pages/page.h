// What every page of the tuning tab strip (tabSensitivity) is, and the rule
// each keeps:
//  - a page shows the record being edited and stores the player's edits only
//    into it, then tells the window that something changed (`changed`; the
//    window runs the change check);
//  - it never reads or writes a file itself, nor touches another page's
//    controls: what it needs of another page the window hands it, read-only,
//    and what another page must do the page asks the window for by a signal.
// The window keeps the game list, saving, the lock and the hover lights; it
// speaks to every page through the protocol below, in tab order, and names a
// page only for what that page alone does.
#pragma once

#include "config_store/game_config.h"

#include <QObject>
#include <string>

class QComboBox;

namespace editor {

class Page : public QObject {
  Q_OBJECT
 public:
  explicit Page(config_store::ConfigSession& session, QObject* parent = nullptr);

  // The error lock (a configuration that was not read to its end): the page
  // turns off the controls that must not be used until a good one is read, and
  // on again. A page with nothing to lock keeps the default.
  virtual void Lock() {}
  virtual void Unlock() {}
  // Empties the page's lists before another configuration is shown.
  virtual void Clear() {}

 signals:
  // The page stored into the record; `whereFrom` is a trace label only.
  void changed(const std::string& whereFrom);

 protected:
  // The change check is the window's: a page asks for it under the name its handlers have always used.
  void AnyChanges(const std::string& strWhereFrom) { emit changed(strWhereFrom); }

  config_store::ConfigSession& Session;
  config_store::TGameConfig& GameConfig;
  config_store::ConfigLists& Lists;
  config_store::EditorFlags& Flags;
};

// The reset question; false when the player keeps the edits.
bool ConfirmReset(const config_store::EditorFlags& flags);

// A number stored as text, as a slider takes it; `fallback` when it is none.
int ToInt(const std::string& text, int fallback = 0);

// Selects item `index` when the list has it; a missing item leaves the list as it is.
void SelectIfPresent(QComboBox* box, int index);

}  // namespace editor
