#include "platform/private_folder.h"

#include "testing/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using testing_support::TempFolder;
namespace fs = std::filesystem;

namespace {

// Sets (or, for an empty value, removes) an environment variable for one scope.
class Env {
 public:
  Env(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value.empty())
      ::unsetenv(name);
    else
      ::setenv(name, value.c_str(), 1);
  }
  ~Env() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

}  // namespace

TEST(PrivateFolderTest, TheFolderIsTheUsersAlone) {
  TempFolder runtime, temp;
  const std::string uid = std::to_string(::getuid());
  struct Case {
    std::string runtime, temp, expected;
  } cases[] = {
      {runtime.Path(), temp.Path(), runtime / "fetchling"},
      {"", temp.Path() + "/", temp / ("fetchling-" + uid)},  // a trailing separator is not doubled
  };
  for (const Case& c : cases) {
    Env r("XDG_RUNTIME_DIR", c.runtime), t("TEMP", c.temp);
    std::string whyNot;
    auto folder = platform::PrivateFolder("fetchling", whyNot);
    ASSERT_TRUE(folder) << whyNot;
    EXPECT_EQ(*folder, c.expected);
    EXPECT_EQ(fs::status(*folder).permissions() & fs::perms::all, fs::perms::owner_all);
  }

  // An existing folder open to others is closed; a link in its place is refused.
  Env r("XDG_RUNTIME_DIR", runtime.Path());
  fs::permissions(runtime / "fetchling", fs::perms(0777));
  std::string whyNot;
  ASSERT_TRUE(platform::PrivateFolder("fetchling", whyNot));
  EXPECT_EQ(fs::status(runtime / "fetchling").permissions() & fs::perms::all, fs::perms::owner_all);
  fs::create_directory_symlink(temp.Path(), runtime / "planted");
  EXPECT_FALSE(platform::PrivateFolder("planted", whyNot));
  EXPECT_NE(whyNot.find("not a folder"), std::string::npos) << whyNot;
}
