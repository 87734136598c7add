// The one rule for selections made by code: filling runs no handler, a code
// selection runs it exactly once, a fill scope runs none.
#include "editor/selection.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

using namespace editor;

TEST(Selection, ListsRunTheirHandlerOncePerSelectionAndNeverWhileFilled) {
  QComboBox box;
  std::vector<int> seen;
  OnClick(&box, [&] { seen.push_back(box.currentIndex()); });
  AddItem(&box, "first");  // Qt alone would select item 0 here
  AddItem(&box, "second");
  EXPECT_EQ(box.currentIndex(), -1);
  Select(&box, 1);
  Select(&box, 1);  // the same item again still runs it, as a player's choice does
  SetText(&box, "first");
  Clear(&box);
  EXPECT_EQ(seen, (std::vector<int>{1, 1, 0}));
  {
    FillScope filling;
    AddItem(&box, "again");
    Select(&box, 0);
  }
  EXPECT_EQ(box.currentIndex(), 0);
  EXPECT_EQ(seen.size(), 3u);
}

TEST(Selection, ThePlayersChoiceRunsTheHandler) {
  QComboBox box;
  int runs = 0;
  OnClick(&box, [&] { ++runs; });
  AddItem(&box, "one");
  AddItem(&box, "two");
  box.show();
  box.setFocus();
  QTest::keyClick(&box, Qt::Key_Down);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(box.currentIndex(), 0);
}

TEST(Selection, OptionsBoxesAndSlidersRunTheirHandlerOnlyOnARealChange) {
  QWidget parent;
  auto* first = new QRadioButton(&parent);
  auto* second = new QRadioButton(&parent);
  QCheckBox check;
  QSlider slider;
  slider.setRange(0, 100);
  std::vector<std::string> seen;
  OnClick(first, [&] { seen.push_back("first"); });
  OnClick(second, [&] { seen.push_back("second"); });
  OnClick(&check, [&] { seen.push_back(check.isChecked() ? "checked" : "cleared"); });
  OnChange(&slider, [&] { seen.push_back("slider " + std::to_string(slider.value())); });
  SetOption(first);
  SetOption(first);
  SetOption(second);
  SetChecked(&check, true);
  SetChecked(&check, true);
  SetValue(&slider, 45);
  SetValue(&slider, 45);
  SetValue(&slider, 150);  // beyond the range: the slider's own limit
  slider.setValue(10);     // a player's move arrives through the change signal
  EXPECT_EQ(seen, (std::vector<std::string>{"first", "second", "checked", "slider 45", "slider 100", "slider 10"}));
  EXPECT_FALSE(first->isChecked());
}
