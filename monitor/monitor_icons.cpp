#include "monitor/monitor_icons.h"

#include <QPainter>
#include <QPixmap>

namespace monitor {

static QIcon DrawBall(const QColor& colour) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(colour);
  painter.setPen(QPen(Qt::black, 2));
  painter.drawEllipse(3, 3, 26, 26);
  painter.setBrush(Qt::white);
  painter.drawEllipse(10, 8, 8, 8);
  return QIcon(pixmap);
}

QIcon MonitorIcon() { return DrawBall(QColor(0x1e, 0x7a, 0xd6)); }
QIcon DisabledIcon() { return DrawBall(QColor(0x90, 0x90, 0x90)); }

}  // namespace monitor
