// The splash window shown while the editor starts: the product banner, the
// maker's logo and the status line in which a configuration upgrade reports
// its progress.
#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace editor {

class frmSplash : public QWidget {
  Q_OBJECT
 public:
  explicit frmSplash(QWidget* parent = nullptr);
  QLabel* imgTitle;  // the product banner
  QLabel* imgLogo;   // the maker's logo
  QPlainTextEdit* txtStatus;
};

}  // namespace editor
