// The two versions of a configuration that the save crash test writes over
// one file, built the same way by the test and by its helper program.
#pragma once

#include "config_store/scg_reader.h"
#include "config_store/scg_writer.h"

#include <optional>
#include <string>
#include <utility>

namespace store_test {

inline config_store::SaveContext SaveCrashContext(const std::string& programFolder) {
  config_store::SaveContext context;
  context.ProgramFolder = programFolder;
  context.Time = "12:00:00";
  context.Date = "2026-12-10";
  context.TakeSnapshot = false;
  return context;
}

// The loaded configuration, and the same with a long instructions text.
inline std::optional<std::pair<config_store::ConfigSession, config_store::ConfigSession>> SaveCrashVersions(
    const std::string& programFolder, const std::string& scg) {
  config_store::ConfigSession a;
  a.ProgramFolder = programFolder;
  if (!config_store::ReadSCG(scg, false, a).Loaded()) return std::nullopt;
  config_store::ConfigSession b = a;
  b.Instructions.clear();
  for (int i = 0; i < 2000; ++i)
    b.Instructions += "A longer line of instructions, number " + std::to_string(i) + "\r\n";
  return std::make_pair(a, b);
}

}  // namespace store_test
