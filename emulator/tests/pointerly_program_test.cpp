// The real pointerly program in a temporary installation folder. No joystick
// can be given to another process here, so what it shows is its refusal.
#include "testing/test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(PointerlyProgram, WithoutAControllerItSaysSoAndEnds) {
  testing_support::TempInstall install({"pointerly"});
  testing_support::RunResult run = testing_support::RunProgram(install / "pointerly", {}, install.Environment());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("[message box] Joystick Input Error: The Heliryx Mouse utility failed to start since your "
                         "joystick input data is out of range...\nX=0\nY=0\nZ=0\nR=0\nU=0\nV=0\n"),
            std::string::npos)
      << run.err;
}

}  // namespace
