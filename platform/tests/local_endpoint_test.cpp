#include "platform/local_endpoint.h"

#include "testing/test_support.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

using namespace platform;

TEST(LocalEndpoint, OnlyOneListenerPerNameAndTheNameIsFreedOnClose) {
  SingleInstance first("endpoint-test");
  SingleInstance second("endpoint-test");
  ASSERT_TRUE(first.Claim());
  EXPECT_FALSE(second.Claim());
  first.Endpoint().Close();
  EXPECT_TRUE(second.Claim());
}

TEST(WindowMessages, ClosePostedToAWindowOfAnotherProcess) {
  EXPECT_FALSE(PostCloseToWindow("No Such Window"));
  // The peer lives in this test's own folder, so its endpoint names match ours.
  testing_support::ChildProcess peer(WINDOW_PEER, {"Peer Window"});
  ASSERT_TRUE(testing_support::WaitUntil([&] { return WindowExists("Peer Window"); }));
  EXPECT_TRUE(PostCloseToWindow("Peer Window"));
  EXPECT_EQ(peer.Wait(), 0);
  EXPECT_EQ(peer.Stdout(), "listening\nclosed\n");
  EXPECT_FALSE(WindowExists("Peer Window"));
}

TEST(PendingActivation, ReachesAProgramThatClaimsItsNameLaterWithoutBlockingTheCaller) {
  testing_support::TempFolder install;
  const std::string folder = install.Path();
  PendingActivation activation;
  int delivered = 0;
  QObject::connect(&activation, &PendingActivation::delivered, [&] { ++delivered; });
  activation.Start("activation-test", folder);  // nothing listens yet: it returns at once

  // The program comes up a while later.
  SingleInstance started("activation-test", folder);
  std::vector<std::string> received;
  QObject::connect(&started.Endpoint(), &LocalEndpoint::message, [&](const std::string& m) { received.push_back(m); });
  bool claimed = false;
  QTimer::singleShot(3 * PendingActivation::kRetryMs, [&] { claimed = started.Claim(); });
  ASSERT_TRUE(testing_support::SpinUntil([&] { return delivered == 1; }));
  EXPECT_TRUE(claimed);
  EXPECT_EQ(received, std::vector<std::string>{"ACTIVATE"});
}
