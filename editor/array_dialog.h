// "View Array Info": a window of twelve empty lists, reachable only in debug mode.
#pragma once

#include <QDialog>

class QListWidget;

namespace editor {

class frmArray : public QDialog {
  Q_OBJECT
 public:
  explicit frmArray(QWidget* parent = nullptr);
  QListWidget *lstaCurves, *lstaCustom, *lstaCopy, *lstaAxisTrack, *lstaPolarity, *lstaSensitivity, *lstaGain, *lstaSCG,
      *lstaMotion, *lstaButtonMap, *lstaAxisMap, *lstaButtonList;
};

}  // namespace editor
