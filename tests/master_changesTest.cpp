// master_changesTest.cpp - the changes between two sets of master lists: the
// entry whose song changed first, at most 20 named, the rest counted.
#include "data/master_changes.h"
#include "diag/runtime_error.h"
#include "platform/cp932.h"

#include <gtest/gtest.h>

namespace nk {
namespace {

TEST(MasterChanges, NamesTwentyAndCountsTheRest) {
  std::string songs, before, after;
  for (int k = 1; k <= 25; ++k) {
    songs += std::to_string(k) + "<>曲" + std::to_string(k) + "<><>J-POP<><>\r\n";
    before += std::to_string(k) + "<>" + std::to_string(k) + "<>鬼☆×5裏☆×-<><>\r\n";
    after += std::to_string(k) + "<>" + std::to_string(k == 25 ? 1 : k) + "<>鬼☆×6裏☆×-<><>\r\n";
  }
  const auto state = [&](const std::string& entries, const char* targets) {
    return masterListsState({utf8ToCp932(songs), targets, utf8ToCp932(entries), ""}, 113);
  };
  const std::string text = masterChangesText(state(before, "1<>1<>0<>"), state(after, "1<>2<>1<>"));
  // 1 song moved, 24 levels, 1 target added, 1 removed: 27, of which 20 named.
  EXPECT_TRUE(text.starts_with("前回受信したマスターデータから、次のものが変わりました。\r\n\r\n曲番号 25 の曲が「曲25」から"
                               "「曲1」に変わりました（保存した点数は「曲1」のものになります）\r\n難易度の変更: 「曲1」（表） ☆5 → ☆6\r\n"))
      << text;
  EXPECT_TRUE(text.ends_with("\r\n難易度の変更: 「曲19」（表） ☆5 → ☆6\r\nほか 7 件")) << text;
  EXPECT_EQ(masterChangesText(state(before, "1<>1<>0<>"), state(before, "1<>1<>0<>")), "");
  EXPECT_THROW(state("1<>26<>x<><>", ""), RuntimeError);
}

}  // namespace
}  // namespace nk
