// The dead zones of the key page. Each handler stores the control's value into
// the record's USER half and runs the change check; while a configuration is
// being shown they store nothing.
#include "editor/main_window.h"

#include "editor/selection.h"

#include <QAction>
#include <QPushButton>
#include <QSlider>
#include <type_traits>

namespace editor {

void frmMain::ConnectTuningHandlers() {
  // Each member of an array runs the handler with its own index.
  auto each = [](auto& array, auto handler) {
    for (auto& [index, control] : array.Members()) {
      const int i = index;
      if constexpr (std::is_same_v<std::decay_t<decltype(*control)>, QSlider>)
        OnChange(control, [handler, i] { handler(i); });
      else
        OnClick(control, [handler, i] { handler(i); });
    }
  };
  each(sldDeadzone, [this](int i) { sldDeadzone_Change(i); });
  OnClick(cmdPointerlyReset, [this] { cmdPointerlyReset_Click(); });
  OnClick(cmdApplySettings, [this] { cmdApplySettings_Click(); });
  connect(mExport, &QAction::triggered, this, [this] { mExport_Click(); });
}

void frmMain::sldDeadzone_Change(int Index) {
  if (Flags.LoadingControls) return;
  GameConfig.DeadzoneValues(Index).USER = std::to_string(sldDeadzone(Index)->value());
  AnyChanges("sldDeadzone_Change");
}

}  // namespace editor
