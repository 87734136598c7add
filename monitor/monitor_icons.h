// The monitor's two notification-area icons, drawn rather than shipped as files.
#pragma once

#include <QIcon>

namespace monitor {

QIcon MonitorIcon();   // frmMain's icon: monitoring
QIcon DisabledIcon();  // frmDisabled's icon: suspended

}  // namespace monitor
