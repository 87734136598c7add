#include "updater/wizard_view.h"
#include "updater/updater.h"

#include <gtest/gtest.h>

using namespace updater;

TEST(WizardViewTest, ProgressTextsAndBar) {
  struct Case {
    long long bytes;
    double percent;
    std::string text;
    std::optional<int> bar;
  } cases[] = {
      {0, 0, "Downloaded  bytes (0.0%)", 0},  // "###,###,###" shows 0 as nothing
      {512, 12.25, "Downloaded 512 bytes (12.3%)", 12},
      {1234567, 99.95, "Downloaded 1,234,567 bytes (100.0%)", 100},
      {1000, 2.5, "Downloaded 1,000 bytes (2.5%)", 2},  // the bar rounds halves to even
      {1000, 3.5, "Downloaded 1,000 bytes (3.5%)", 4},
      {2000000, 180, "Downloaded 2,000,000 bytes (180.0%)", std::nullopt},  // more than announced
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProgressText(c.bytes, c.percent), c.text);
    EXPECT_EQ(BarValue(c.percent), c.bar) << c.percent;
  }
}

TEST(WizardViewTest, EachStageShowsItsTexts) {
  struct Case {
    int stage;
    std::string description;
    bool descriptionVisible;
    std::string nextCaption;
    bool nextVisible;
    std::string button;
    bool cancelled;
  } cases[] = {
      {10, "Freshline uses the internet to deliver Heliryx Kelvane software updates.", true,
       "Click           to check for available updates...", true, "Next >", false},
      {20, "Freshline uses the internet to deliver Heliryx Kelvane software updates.", false,
       "Click           to check for available updates...", true, "Cancel", false},
      {30, "Heliryx Kelvane software updates are available.", true,
       "Click           to begin download and installation...", true, "Next >", false},
      {40, "Downloading updades...", true, "Click           to check for available updates...", true, "Cancel", false},
      {90, "No updates available.", true, "Click Finsh to exit the Freshline utility.", false, "Finish", false},
      {95, "Update cancelled.", true, "Click Finsh to exit the Freshline utility.", false, "Finish", true},
      {99, "The Kelvane updates were successfully installed.", true, "Click Finsh to exit the Freshline utility.",
       false, "Finish", false},
  };
  for (const Case& c : cases) {
    WizardView view;
    view.lstInfo = {"a.scg"};
    StageFlags flags;
    flags.UpdateCancelled = true;
    ApplyStage(10, view, flags);
    ApplyStage(c.stage, view, flags);
    EXPECT_EQ(view.lblDescription, c.description) << c.stage;
    EXPECT_EQ(view.lblDescriptionVisible, c.descriptionVisible) << c.stage;
    EXPECT_EQ(view.lblNextCaption, c.nextCaption) << c.stage;
    EXPECT_EQ(view.lblNEXTVisible, c.nextVisible) << c.stage;
    EXPECT_EQ(view.cmdCheckCaption, c.button) << c.stage;
    EXPECT_EQ(flags.UpdateCancelled, c.cancelled) << c.stage;
    EXPECT_EQ(view.lstInfo.empty(), c.stage >= 90) << c.stage;
    EXPECT_EQ(view.cmdCheckFocus, c.stage != 10) << c.stage;
  }
}

TEST(WizardViewTest, TheTestReportGoesToTheServersHostOverHttpOnPort8080) {
  struct Case {
    std::string server, address;
  } cases[] = {
      {"https://heliryx360.example.org",
       "http://heliryx360.example.org:8080/test.asp?report=12%2F10%2F2026%201%3A43%3A04%20PM"},
      {"http://127.0.0.1:5000", "http://127.0.0.1:8080/test.asp?report=12%2F10%2F2026%201%3A43%3A04%20PM"},
  };
  for (const Case& c : cases) EXPECT_EQ(TestReportAddress(c.server, "12/10/2026 1:43:04 PM"), c.address);
}
