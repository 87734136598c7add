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
