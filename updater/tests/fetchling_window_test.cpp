// The wizard's window under the offscreen platform, driven by clicking cmdCheck.
#include "updater/main_window.h"
#include "updater/tests/updater_fixture.h"

#include "testing/window_helpers.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
class FetchlingWindowTest : public UpdaterRunTest {};
}  // namespace

TEST_F(FetchlingWindowTest, ClickingThroughTheWizardInstallsTheUpdate) {
  WriteFile(install / "scg/quake3.scg", "[VERSION]\r\nFILE_REVISION_NUMBER=3\r\n");
  RecordShipped({"scg/quake3.scg"});
  const std::string quake = "[VERSION]\r\nFILE_REVISION_NUMBER=4\r\n";
  site.Put("/fetchling/ryxupdate.nfo", "CONFIG, quake3.scg, 4, 36, Quake III Arena\r\n");
  site.Put("/fetchling/scg/quake3.scg", quake);
  WriteFile(Ini(), "[APPLICATION]\r\nMODE=ACTIVE\r\n");
  frmMain form(temp.Path(), 200);
  form.Form_Load();
  ASSERT_FALSE(form.Ended());
  EXPECT_EQ(Ctl<QLabel>(form, "lblVersion")->text(), QStringLiteral("v 5.1.0.0"));
  EXPECT_EQ(Ctl<QPushButton>(form, "cmdCheck")->text(), QStringLiteral("Next >"));

  QTest::mouseClick(Ctl<QPushButton>(form, "cmdCheck"), Qt::LeftButton);
  EXPECT_EQ(Ctl<QLabel>(form, "lblDescription")->text(),
            QStringLiteral("Heliryx Kelvane software updates are available."));
  EXPECT_EQ(Ctl<QLabel>(form, "lblNextCaption")->text(),
            QStringLiteral("Click           to begin download and installation..."));
  ASSERT_EQ(Ctl<QListWidget>(form, "lstInfo")->count(), 1);
  EXPECT_EQ(Ctl<QListWidget>(form, "lstInfo")->item(0)->text(), QStringLiteral("Quake III Arena"));

  QTest::mouseClick(Ctl<QPushButton>(form, "cmdCheck"), Qt::LeftButton);
  EXPECT_EQ(Ctl<QLabel>(form, "lblDescription")->text(),
            QStringLiteral("The Kelvane updates were successfully installed."));
  EXPECT_EQ(Ctl<QPushButton>(form, "cmdCheck")->text(), QStringLiteral("Finish"));
  EXPECT_FALSE(Ctl<QLabel>(form, "lblprogressinfo")->isVisibleTo(&form));
  EXPECT_EQ(ReadFile(install / "scg/quake3.scg"), quake);
  EXPECT_EQ(Mode(), "SUSPEND");  // only configurations: the monitor is not told to quit

  QTest::mouseClick(Ctl<QPushButton>(form, "cmdCheck"), Qt::LeftButton);
  EXPECT_TRUE(form.Ended());
  EXPECT_EQ(Mode(), "ACTIVE");
  EXPECT_TRUE(answers.Texts().empty()) << answers.Texts().front();
}

TEST_F(FetchlingWindowTest, CancellingTheListDownloadEndsCancelled) {
  site.PutSlow("/fetchling/ryxupdate.nfo", "CONFIG, quake3.scg, 4, 36, Quake III\r\n");
  frmMain form(temp.Path(), 200);
  form.Form_Load();
  QTimer cancel;
  QObject::connect(&cancel, &QTimer::timeout, [&] {
    if (site.SlowStarted() && Ctl<QPushButton>(form, "cmdCheck")->text() == QStringLiteral("Cancel"))
      QTest::mouseClick(Ctl<QPushButton>(form, "cmdCheck"), Qt::LeftButton);
  });
  cancel.start(5);
  QTest::mouseClick(Ctl<QPushButton>(form, "cmdCheck"), Qt::LeftButton);
  cancel.stop();
  site.Release();
  EXPECT_EQ(form.Core().CurrentStage(), 95);
  EXPECT_EQ(Ctl<QLabel>(form, "lblDescription")->text(), QStringLiteral("Update cancelled."));
  EXPECT_EQ(Ctl<QPushButton>(form, "cmdCheck")->text(), QStringLiteral("Finish"));
  EXPECT_TRUE(answers.Texts().empty()) << answers.Texts().front();
}

TEST_F(FetchlingWindowTest, CancelWhileALongListIsReadStopsTheReadingAtOnce) {
  const int lines = 200000;
  std::string list;
  for (int i = 0; i < lines; ++i) list += "MAIN, program" + std::to_string(i) + ".exe, 1.0.0.0, 100\r\n";
  site.Put("/fetchling/ryxupdate.nfo", list);
  frmMain form(temp.Path(), 200);
  form.Form_Load();
  // The reading has begun once something is queued; the click goes to the real button.
  int queuedAtCancel = -1;
  QTimer cancel;
  QObject::connect(&cancel, &QTimer::timeout, [&] {
    if (queuedAtCancel < 0 && form.Core().Queues().UpdateCount > 0 &&
        Ctl<QPushButton>(form, "cmdCheck")->text() == QStringLiteral("Cancel")) {
      queuedAtCancel = form.Core().Queues().UpdateCount;
      QTest::mouseClick(Ctl<QPushButton>(form, "cmdCheck"), Qt::LeftButton);
    }
  });
  cancel.start(1);
  QTest::mouseClick(Ctl<QPushButton>(form, "cmdCheck"), Qt::LeftButton);
  cancel.stop();
  ASSERT_GT(queuedAtCancel, 0) << "the window never ran while the list was read";
  EXPECT_LT(queuedAtCancel, lines);
  EXPECT_EQ(form.Core().Queues().UpdateCount, queuedAtCancel);  // not one line read after the click
  EXPECT_EQ(form.Core().CurrentStage(), 95);
  EXPECT_EQ(Ctl<QLabel>(form, "lblDescription")->text(), QStringLiteral("Update cancelled."));
  EXPECT_EQ(Ctl<QListWidget>(form, "lstInfo")->count(), 0);
  EXPECT_TRUE(answers.Texts().empty()) << answers.Texts().front();
}

TEST_F(FetchlingWindowTest, TheListsKeepTheirSelectionWhileTheViewChanges) {
  site.Put("/fetchling/ryxupdate.nfo",
           "CONFIG, a.scg, 1, 10, Alpha\r\nCONFIG, b.scg, 1, 10, Beta\r\nCONFIG, c.scg, 1, 10, Gamma\r\n");
  frmMain form(temp.Path(), 200);
  form.Form_Load();
  QTest::mouseClick(Ctl<QPushButton>(form, "cmdCheck"), Qt::LeftButton);
  ASSERT_EQ(Ctl<QListWidget>(form, "lstInfo")->count(), 3);
  Ctl<QListWidget>(form, "lstInfo")->setCurrentRow(1);
  // Every stage change and every piece of a download refreshes the window.
  form.Core().SetStage(30);
  form.Core().SetStage(30);
  EXPECT_EQ(Ctl<QListWidget>(form, "lstInfo")->currentRow(), 1);
  ASSERT_EQ(Ctl<QListWidget>(form, "lstInfo")->count(), 3);
  EXPECT_EQ(Ctl<QListWidget>(form, "lstInfo")->item(2)->text(), QStringLiteral("Gamma"));
}
