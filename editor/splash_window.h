// The splash window shown while the editor starts: the logo, the product name
// and the status line in which a configuration upgrade reports its progress.
#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace editor {

class frmSplash : public QWidget {
  Q_OBJECT
 public:
  explicit frmSplash(QWidget* parent = nullptr);
  QLabel* imgLogo;
  QLabel* imgTitle;
  QPlainTextEdit* txtStatus;
};

}  // namespace editor
