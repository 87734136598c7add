// Shared by the configuration store's tests: the full-layout configuration
// fixture, a program folder to load it in, and small text edits of it.
#pragma once

#include "config_store/game_config.h"
#include "config_store/scg_writer.h"
#include "testing/test_support.h"

#include <string>

namespace store_test {

// A configuration in the full layout with a value in every key, CR LF ended,
// as the editor writes it at 12:00:00 on 2026-12-10.
inline std::string FullLayoutText() {
  return testing_support::ReadFile(std::string(HELIRYX_SOURCE_DIR) + "/config_store/tests/data/full_layout.scg");
}

// `text` with the value of the first line of `key` replaced (the line "KEY=...").
inline std::string WithValue(std::string text, const std::string& key, const std::string& value) {
  std::size_t at = text.find("\r\n" + key + "=");
  if (at == std::string::npos) return text;
  at += 2;
  std::size_t end = text.find("\r\n", at);
  return text.replace(at, end - at, key + "=" + value);
}

// `text` without the line of `key`.
inline std::string WithoutKey(std::string text, const std::string& key) {
  std::size_t at = text.find("\r\n" + key + "=");
  if (at == std::string::npos) return text;
  std::size_t end = text.find("\r\n", at + 2);
  return text.erase(at, end - at);
}

// A program folder with scg/ and the curve file the fixture names.
struct ProgramFolder {
  testing_support::TempFolder folder;
  ProgramFolder() {
    testing_support::MakeFolders(folder / "scg");
    testing_support::MakeFolders(folder / "crv");
    testing_support::WriteFile(folder / "crv/fast.crv", "curve");
  }
  std::string Path() const { return folder.Path(); }
  std::string Scg(const std::string& name, const std::string& text) const {
    std::string path = folder / ("scg/" + name);
    testing_support::WriteFile(path, text);
    return path;
  }
  config_store::ConfigSession Session() const {
    config_store::ConfigSession s;
    s.ProgramFolder = folder.Path();
    return s;
  }
  // A save's context with a fixed time and date, so two saves give the same bytes.
  config_store::SaveContext FixedContext() const {
    config_store::SaveContext context;
    context.ProgramFolder = folder.Path();
    context.Time = "12:00:00";
    context.Date = "2026-12-10";
    return context;
  }
};

}  // namespace store_test
