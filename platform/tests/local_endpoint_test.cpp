#include "platform/local_endpoint.h"

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
