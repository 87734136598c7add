#include "updater/wizard_view.h"

#include <cmath>
#include <cstdio>

namespace updater {

namespace {
const char* const kFinishHint = "Click Finsh to exit the Freshline utility.";
}  // namespace

void ApplyStage(int stage, WizardView& view, StageFlags& flags) {
  view.cmdCheckEnabled = false;
  flags.UpdateCancelled = false;
  view.cmdCheckEnabled = true;
  switch (stage) {
    // The hints leave eleven blanks after "Click", where lblNEXT shows the button's name.
    case 10:
      view.lblDescription = "Freshline uses the internet to deliver Heliryx Kelvane software updates.";
      view.lblNEXTVisible = true;
      view.lblNextCaption = "Click           to check for available updates...";
      flags.UpdateCount = 0;
      break;
    case 20:
      view.lblDescriptionVisible = false;
      view.cmdCheckCaption = "Cancel";
      break;
    case 30:
      view.lblDescription = "Heliryx Kelvane software updates are available.";
      view.lblDescriptionVisible = true;
      view.lblNEXTVisible = true;
      view.lblNextCaption = "Click           to begin download and installation...";
      view.barMinorVisible = false;
      view.lblprogressinfo.clear();
      view.cmdCheckCaption = "Next >";
      flags.ShowProgress = true;
      flags.CheckStarted = false;
      break;
    case 40:
      view.lblDescription = "Downloading updades...";
      view.lblDescriptionVisible = true;
      view.lblNEXTVisible = true;
      view.barMinorVisible = true;
      view.lblprogressinfo.clear();
      view.cmdCheckCaption = "Cancel";
      flags.ShowProgress = true;
      flags.CheckStarted = false;
      break;
    case 90:
    case 95:
    case 99:
      view.lblDescription = stage == 90   ? "No updates available."
                            : stage == 95 ? "Update cancelled."
                                          : "The Kelvane updates were successfully installed.";
      if (stage != 99) view.lblDescriptionVisible = true;
      view.lblNEXTVisible = false;
      view.lblNextCaption = kFinishHint;
      view.barMinorVisible = false;
      if (stage == 99)
        view.lblprogressinfoVisible = false;
      else
        view.lblprogressinfo.clear();
      view.cmdCheckCaption = "Finish";
      if (stage == 95) flags.UpdateCancelled = true;
      view.lstInfo.clear();
      break;
    default:
      break;
  }
  if (stage != 10) view.cmdCheckFocus = true;
}

std::string FormatByteCount(long long bytes) {
  if (bytes == 0) return "";
  std::string digits = std::to_string(bytes < 0 ? -bytes : bytes);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return bytes < 0 ? "-" + out : out;
}

std::string FormatPercent(double percent) {
  double rounded = std::round(percent * 10.0) / 10.0;  // std::round: halves away from zero
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.1f", rounded);
  return buffer;
}

std::optional<int> BarValue(double percent) {
  double rounded = std::nearbyint(percent);  // the default rounding mode: halves to even
  if (rounded > 100) return std::nullopt;
  return static_cast<int>(rounded);
}

std::string ProgressText(long long bytes, double percent) {
  return "Downloaded " + FormatByteCount(bytes) + " bytes (" + FormatPercent(percent) + "%)";
}

}  // namespace updater
