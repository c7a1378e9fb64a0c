// wininet_failure_textTest.cpp - WinINet's failures a player meets, in words.
#include "net/wininet_failure_text.h"

#include <gtest/gtest.h>

namespace nk {
namespace {

TEST(WinInetFailureText, CertificateAndProxyFailuresHaveTheirWords) {
  EXPECT_EQ(wininetFailureCause(12057, false), "サーバーの証明書が失効していないか確かめられません");
  EXPECT_EQ(wininetFailureCause(12170, false), "サーバーの証明書は失効しています");
  EXPECT_EQ(wininetFailureCause(12165, false), "プロキシサーバーに接続できません");
  EXPECT_EQ(wininetFailureCause(12002, true), "応答がありません");
  EXPECT_EQ(httpStatusCause(407), "プロキシサーバーの認証が必要です（HTTP ステータス 407）");
}

}  // namespace
}  // namespace nk
