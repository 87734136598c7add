#include "editor/array_dialog.h"

#include <QGridLayout>
#include <QListWidget>

namespace editor {

frmArray::frmArray(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Array Information"));
  auto* grid = new QGridLayout(this);
  QListWidget** lists[] = {&lstaCurves, &lstaCustom, &lstaCopy,   &lstaAxisTrack, &lstaPolarity, &lstaSensitivity,
                           &lstaGain,   &lstaSCG,    &lstaMotion, &lstaButtonMap, &lstaAxisMap,  &lstaButtonList};
  int n = 0;
  for (QListWidget** list : lists) {
    *list = new QListWidget(this);
    grid->addWidget(*list, n / 4, n % 4);
    ++n;
  }
  resize(640, 420);
}

}  // namespace editor
