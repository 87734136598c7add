#include "config_store/record_fields.h"

namespace config_store {

void ForEachRecordText(const TGameConfig& c, const std::function<void(const std::string&)>& visit) {
  auto pair = [&](const TSettingPair& p) {
    visit(p.DFLT);
    visit(p.USER);
  };
  auto slot = [&](const auto& s) {
    pair(s.GameInput);
    pair(s.GameCommand);
    pair(s.SendEvent);
  };
  for (const std::string* s : {&c.VERSION, &c.APPLICATION_NUMBER, &c.FILE_REVISION_NUMBER, &c.APPLICATION_NAME,
                               &c.OWNER, &c.PLATFORM, &c.LEVEL, &c.ORIENTATION, &c.DRIVER_TYPE, &c.HIDE_FILE,
                               &c.EXECUTABLE, &c.COPY_FILES, &c.COMMAND_LINE, &c.CUSTOM, &c.SHOW_INSTRUCTIONS})
    visit(*s);
  pair(c.USE_MASTER);
  pair(c.USE_CHORDING);
  visit(c.USE_KEYS);
  for (const TMotionLabel& l : c.MotionLabel) {
    visit(l.POS);
    visit(l.NEG);
  }
  for (const TMotionSlot& s : c.MotionAlias.MotionPos) slot(s);
  for (const TMotionSlot& s : c.MotionAlias.MotionNeg) slot(s);
  visit(c.MotionAlias.X);
  visit(c.MotionAlias.Y);
  for (const std::string& k : c.MotionAlias.UseKeys) visit(k);
  visit(c.USE_BUTTONS);
  visit(c.CUSTOM_ALIAS);
  for (const TButtonSlot& b : c.ButtonSlot) {
    visit(b.ALIAS.GameInput);
    visit(b.ALIAS.ListName);
    visit(b.ALIAS.SendEvent);
    slot(b);
  }
  pair(c.USE_PRECISION);
  pair(c.PRECISION.MODE);
  pair(c.PRECISION.GAIN);
  pair(c.PRECISION.SENS);
  pair(c.PRECISION.BUTTON);
  pair(c.NULL_REGION);
  for (const TSettingPair& p : c.AxisMap) pair(p);
  for (const TSettingPair& p : c.Polarity) pair(p);
  for (const TSettingPair& p : c.GainTable) pair(p);
  for (const TSettingPair& p : c.SensitivityTable) pair(p);
  for (const TSettingPair& p : c.Curve) pair(p);
  for (const TSettingPair& p : c.DeadzoneValues) pair(p);
}

}  // namespace config_store
