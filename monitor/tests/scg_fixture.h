// A game configuration holding every key the monitor reads, each at a plain
// value unless the test says otherwise, for tests that activate it.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace monitor_test {

inline std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>> ScgDefaults() {
  std::vector<std::pair<std::string, std::string>> tuning = {
      {"MOTION_ALIAS_X", "-1"},           {"MOTION_ALIAS_Y", "-1"},       {"USE_BUTTONS", "TRUE"},
      {"USE_PRECISION_USER", "FALSE"},    {"PRECISION_SENS_USER", "7"},   {"PRECISION_GAIN_USER", "20"},
      {"PRECISION_MODE_USER", "LOGICAL"}, {"PRECISION_BUTTON_USER", "4"}, {"NULL_REGION_USER", "8"}};
  const char* events[6][2] = {{"VK_D", "VK_A"}, {"VK_S", "VK_W"}, {"VK_SPACE", "VK_C"}, {"VM_WHEELUP", "VM_WHEELDOWN"},
                              {"VK_E", "VK_Q"}, {"", ""}};
  for (int k = 0; k < 6; ++k) {
    std::string n = std::to_string(k);
    tuning.push_back(
        {"MOTION_ALIAS_" + n + "_POS_USER",
         events[k][0][0] ? "\"P" + n + "\", \"Pos " + n + "\", \"" + events[k][0] + "\"" : "\"\", \"\", \"\""});
    tuning.push_back(
        {"MOTION_ALIAS_" + n + "_NEG_USER",
         events[k][1][0] ? "\"N" + n + "\", \"Neg " + n + "\", \"" + events[k][1] + "\"" : "\"\", \"\", \"\""});
  }
  for (int b = 0; b < 16; ++b)
    tuning.push_back({"BUTTON_" + std::to_string(b) + "_USER", b < 3 ? "\"IN" + std::to_string(b) + "\", \"+cmd" +
                                                                           std::to_string(b) + "\", \"VK_F" +
                                                                           std::to_string(b + 1) + "\""
                                                                     : "\"\", \"\", \"\""});
  std::vector<std::pair<std::string, std::string>> heliryx = {
      {"AXIS_MAP_USER", " { 0/1/2/3/4/5 }"},
      {"POLARITY_USER", " { +/+/+/+/+/+ }"},
      {"GAIN_BEG_USER", " { 045, 045, 045, 045, 045, 045, 045 }"},
      {"GAIN_INT_USER", " { 055, 055, 055, 055, 055, 055, 055 }"},
      {"GAIN_EXP_USER", " { 065, 065, 065, 065, 065, 065, 065 }"},
      {"SENS_BEG_USER", " { 2/2/2/2/2/2/2 }"},
      {"SENS_INT_USER", " { 3/3/3/3/3/3/3 }"},
      {"SENS_EXP_USER", " { 4/4/4/4/4/4/4 }"}};
  for (int k = 0; k < 6; ++k) heliryx.push_back({"CURVE_" + std::to_string(k) + "_USER", "\"\""});
  std::vector<std::pair<std::string, std::string>> pointerly;
  for (int k = 0; k < 6; ++k)
    pointerly.push_back({"DEADZONE_" + std::to_string(k) + "_USER", std::to_string(1000 + k)});
  return {
      {"VERSION", {{"VERSION", "6.1"}, {"APPLICATION_NUMBER", "5.1"}, {"FILE_REVISION_NUMBER", "3"}}},
      {"IDENTIFICATION",
       {{"APPLICATION_NAME", "\"Test Game\""}, {"LEVEL", "INTERMEDIATE"}, {"ORIENTATION", "VERTICAL"}}},
      {"CONFIGURATION",
       {{"HIDE_FILE", "FALSE"},
        {"EXECUTABLE", "\"game.exe\""},
        {"COPY_FILES", "FALSE"},
        {"COMMAND_LINE", "\"\""},
        {"CUSTOM", "FALSE"},
        {"USE_MASTER_USER", "TRUE"},
        {"USE_CHORDING_USER", "FALSE"},
        {"USE_KEYS", "FALSE"}}},
      {"TUNING", tuning},
      {"HELIRYX", heliryx},
      {"POINTERLY", pointerly},
  };
}

// The configuration's text; `values` replace defaults by key, keys in `omit` are left out.
inline std::string ScgText(const std::map<std::string, std::string>& values = {},
                           const std::set<std::string>& omit = {}) {
  std::string text;
  for (const auto& [section, keys] : ScgDefaults()) {
    text += "[" + section + "]\r\n";
    for (const auto& [key, value] : keys) {
      if (omit.count(key)) continue;
      auto given = values.find(key);
      text += key + "=" + (given != values.end() ? given->second : value) + "\r\n";
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace monitor_test
