// The About dialog all four programs share; the copies differ in the product name.
#pragma once

#include "platform/registry.h"
#include "platform/version_stamp.h"

#include <QDialog>
#include <string>

class QLabel;
class QPushButton;
class QFrame;

namespace common_ui {

enum class AboutProduct { Customizer, Monitor, Freshline, MouseEmulator };

inline const std::string kMakerWebAddress = "https://heliryx360.example.org/";
inline const std::string kSupportMailAddress = "support@heliryx360.example.org";

std::string VersionLinePrefix(AboutProduct product);
std::string MailSubjectPrefix(AboutProduct product);
// "Heliryx 360 Monitor v5.1.0.0"
std::string VersionLine(AboutProduct product, const platform::FileVersionInfo& v);
// "mailto:...&Subject=Heliryx 360 Monitor v5.10"
std::string MailLink(AboutProduct product, const platform::FileVersionInfo& v);

// Reads one registry value as text (a REG_DWORD as its decimal number); false
// and an empty text when the key or the value is missing.
bool GetKeyValue(platform::RegistryRoot keyRoot, const std::string& keyName, const std::string& subKeyRef,
                 std::string& keyVal);
// Starts the System Information tool found through the registry, or says it is unavailable.
void StartSysInfo();

class frmAbout : public QDialog {
  Q_OBJECT
 public:
  frmAbout(AboutProduct product, const std::string& programTitle, QWidget* parent = nullptr);

  QLabel* lblVersion;
  QLabel* lblAbountInfo[2];
  QLabel* lblWebLink;
  QLabel* lblMailLink;
  QLabel* imgVantrelLogo;
  QFrame* Line1;
  QPushButton* cmdSysInfo;
  QPushButton* cmdOk;

  void cmdOk_Click();
  void cmdSysInfo_Click();
  void lblWebLink_Click();
  void lblMailLink_Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Form_Load(const std::string& programTitle);
  AboutProduct product_;
};

// Shows the dialog modally.
void ShowAbout(AboutProduct product, const std::string& programTitle, QWidget* parent = nullptr);

}  // namespace common_ui
