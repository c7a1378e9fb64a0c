// wininet_failure_textTest.cpp - WinINet's failures a player meets, in words.
#include "net/wininet_failure_text.h"

#include <gtest/gtest.h>

namespace nk {
namespace {

TEST(WinInetFailureText, CertificateAndProxyFailuresHaveTheirWords) {
  const std::pair<unsigned long, const char*> cases[] = {
      {12057, "サーバーの証明書が失効していないか確かめられません"}, {12169, "サーバーの証明書が正しくありません"},
      {12170, "サーバーの証明書は失効しています"},                   {12165, "プロキシサーバーに接続できません"},
      {12099, "通信エラー 12099"},
  };
  for (const auto& [code, cause] : cases) EXPECT_EQ(wininetFailureCause(code, false), cause) << code;
  EXPECT_EQ(wininetFailureCause(12002, true), "応答がありません");
  EXPECT_EQ(httpStatusCause(407), "プロキシサーバーの認証が必要です（HTTP ステータス 407）");
}

}  // namespace
}  // namespace nk
