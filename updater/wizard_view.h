// What the updater's window shows, as plain data: the wizard's stages and the
// download progress write it, the window only copies it onto its controls.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace updater {

struct WizardView {
  std::string lblVersion;
  std::string lblDescription = "Freshline uses the internet to deliver Heliryx Kelvane software updates.";
  bool lblDescriptionVisible = true;
  bool lblNEXTVisible = true;
  std::string lblNextCaption = "Click           to check for available updates...";
  bool barMinorVisible = false;
  int barMinorValue = 0;
  std::string lblprogressinfo;
  bool lblprogressinfoVisible = true;
  std::string cmdCheckCaption = "Next >";
  bool cmdCheckEnabled = true;
  bool cmdCheckFocus = false;
  std::vector<std::string> lstMain, lstScg, lstGames, lstCrv, lstInfo, lstAvailable, lstExisting;
};

// The texts and controls of a wizard stage (10, 20, 30, 40, 90, 95, 99); other
// numbers change nothing but the button's state. Flags the stage sets are
// returned through the pointers.
struct StageFlags {
  bool UpdateCancelled = false;
  bool ShowProgress = false;
  bool CheckStarted = false;
  int UpdateCount = 0;
};
void ApplyStage(int stage, WizardView& view, StageFlags& flags);

// "Downloaded 1,234 bytes (12.5%)"; empty when nothing is to be shown.
std::string ProgressText(long long bytes, double percent);
// Whole thousands grouped with ",", and 0 as the empty text ("###,###,###").
std::string FormatByteCount(long long bytes);
// One decimal, halves away from zero ("0.0").
std::string FormatPercent(double percent);
// The bar's value for a percentage: rounded with halves to even; empty above 100.
std::optional<int> BarValue(double percent);

}  // namespace updater
