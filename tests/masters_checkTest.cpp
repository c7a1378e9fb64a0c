// masters_checkTest.cpp - check on damaged copies of the demo folder: each
// problem named with its file and record, warnings, the refusals against the
// folder served before, the exit statuses; and diff.
#include "masters/master_check.h"
#include "masters_fixture.h"

namespace nk {
namespace {

namespace fs = std::filesystem;

// A copy of the demo folder at "served", one file's text (UTF-8) changed.
void damagedCopy(const std::string& file, const std::function<void(std::string&)>& damage) {
  fs::copy(test::DemoServed, "served", fs::copy_options::recursive);
  if (!damage) return;
  std::string text = test::fromCp932(test::readBytes("served/" + file));
  damage(text);
  test::writeBytes("served/" + file, test::toCp932(text));
}

std::function<void(std::string&)> replacing(std::string from, std::string to) {
  return [from, to](std::string& text) {
    ASSERT_NE(text.find(from), std::string::npos) << from;
    text.replace(text.find(from), from.size(), to);
  };
}
std::function<void(std::string&)> appending(std::string more) { return [more](std::string& t) { t += more; }; }

std::string manyEntries(int count) {
  std::string text;
  for (int k = 1; k <= count; ++k) text += std::to_string(k) + "<>1<>鬼☆×5裏☆×5<><>\r\n";
  return text;
}

TEST(MastersCheck, NamesEachProblemWithItsFileAndRecord) {
  const struct Case {
    const char* file;
    std::function<void(std::string&)> damage;
    std::vector<std::string> lines;  // the report's lines before its count
  } cases[] = {
      {"common/songlist.dat", replacing("70<>和太鼓エクスプレス<><>ナムコオリジナル<><>\r\n", ""),
       {"common/ac14list.dat の 12 件目: 曲番号 70 は曲リストの 69 曲の範囲外です。"}},
      {"sr/12/srlist.dat", appending("39<>99<>0<>\r\n"),
       {"sr/12/srlist.dat の 39 件目: 曲番号 99 はバージョン曲リストの 40 曲の範囲外です。"}},
      {"sr/12/srlist.dat", appending("39<>1<>1<>\r\n40<>2<>1.0<>\r\n"),
       {"sr/12/srlist.dat の 39 件目: エントリ 1 に裏の譜面はありません（難易度が「-」です）。",
        "sr/12/srlist.dat の 40 件目: エントリ 2 に裏の譜面はありません（難易度が「-」です）。"}},
      {"common/ac13list.dat", replacing("2<>2<>鬼☆×4裏", "2<>2<>鬼☆×x裏"),
       {"common/ac13list.dat の 2 件目: 難易度「鬼☆×x裏☆×-」の 4 文字目（表）「x」は 1～9、T、?、- のどれでもありません（☆0 として読まれます）。"}},
      {"common/ac13list.dat", replacing("2<>2<>鬼☆×4裏", "2<>2<>鬼☆×0裏"),
       {"common/ac13list.dat の 2 件目: 難易度「鬼☆×0裏☆×-」の 4 文字目（表）「0」は 1～9、T、?、- のどれでもありません（☆0 として読まれます）。"}},
      {"common/ac13list.dat", replacing("3<>3<>鬼☆×9裏☆×T", "3<>3<>鬼☆×9裏"),
       {"common/ac13list.dat の 3 件目: 難易度「鬼☆×9裏」の 8 文字目（裏）がありません（☆0 として読まれます）。"}},
      {"common/ac12list.dat", [](std::string& text) { text = manyEntries(8192); },
       {"common/ac12list.dat は項目が多すぎて読み込めません（8192 件目で項目の番号が 32767 を超えました）。"}},
      {"common/ac14list.dat", [](std::string& text) { text.resize(text.size() - 10); },
       {"common/ac14list.dat の 57 件目: レコードが途中で切れています（7 項目のうち 4 項目しかありません）。"}},
      {"common/songlist.dat", [](std::string& text) { text.resize(text.size() - 32); },
       {"common/songlist.dat の 70 件目: 曲名「和太鼓エクスプレス」の後にジャンルの項目がありません。",
        "common/ac14list.dat の 12 件目: 曲番号 70 は曲リストの 69 曲の範囲外です。"}},
      {"common/nkclient.dat", [](std::string& text) { text.clear(); },
       {"common/nkclient.dat が空です。要求バージョンを確認できません。"}},
      {"sr/13/srlist.dat", [](std::string& text) { text = "no separator"; },
       {"sr/13/srlist.dat に対象曲が 1 件もありません（区切り「<>」で区切られた項目が足りません）。"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines.front());
    test::TempWorkDir dir;
    damagedCopy(c.file, c.damage);
    const test::Run run = test::nkMasters({"check", "served"});
    EXPECT_EQ(run.status, ExitFailed);
    std::string expected;
    for (const std::string& line : c.lines) expected += line + "\n";
    EXPECT_EQ(run.out, expected + "問題 " + std::to_string(c.lines.size()) + " 件、警告 0 件\n");
  }

  test::TempWorkDir dir;
  damagedCopy("", nullptr);
  fs::remove("served/sr/13/srlist.dat");
  const test::Run run = test::nkMasters({"check", "served"});
  EXPECT_EQ(run.status, ExitFailed);
  EXPECT_TRUE(run.out.starts_with("sr/13/srlist.dat: ファイルを読めません（")) << run.out;
}

TEST(MastersCheck, AGenreThatIsARankedOneWrittenOtherwiseIsAWarning) {
  const struct {
    const char* label;
    const char* ranked;  // nullptr: none
  } labels[] = {{"J-POP ", "J-POP"}, {"ｊ－ｐｏｐ", "J-POP"}, {"Ｊ－ＰＯＰ", "J-POP"}, {"ｱﾆﾒ", "アニメ"},
                {"ﾊﾞﾗｴﾃｨ", "バラエティ"}, {"ｹﾞｰﾑﾐｭｰｼﾞｯｸ", "ゲームミュージック"}, {"童謡　・民謡", "童謡・民謡"},
                {"J-POP", nullptr}, {"JPOP", nullptr}, {"アニソン", nullptr}, {"", nullptr}};
  for (const auto& l : labels)
    EXPECT_EQ(nearRankedGenre(l.label).value_or("none"), l.ranked ? l.ranked : "none") << l.label;
  test::TempWorkDir dir;
  damagedCopy("common/songlist.dat", replacing("<>J-POP<>", "<>ｊ－ｐｏｐ<>"));
  const test::Run run = test::nkMasters({"check", "served"});
  EXPECT_EQ(run.status, ExitDone);
  EXPECT_EQ(run.out,
            "common/songlist.dat の 1 件目: 警告: ジャンル「ｊ－ｐｏｐ」は「J-POP」と同じ扱いにはならず、ほかのジャンルの後に並びます。\n"
            "問題 0 件、警告 1 件\n");
}

TEST(MastersCheck, ARequiredVersionThatThisProgramCannotOpenIsAWarning) {
  test::TempWorkDir dir;
  damagedCopy("common/nkclient.dat", replacing("1.54", "9.99"));
  const test::Run run = test::nkMasters({"check", "served"});
  EXPECT_EQ(run.status, ExitDone);
  EXPECT_EQ(run.out, "common/nkclient.dat: 警告: 要求バージョン 9.99 はこのプログラムのバージョン 1.54 より新しく、"
                     "1.54 ではこのデータを開けません。\n問題 0 件、警告 1 件\n");
}

TEST(MastersCheck, RefusesChangesSinceThePreviousFolderThatMoveScores) {
  const struct Case {
    const char* file;
    std::function<void(std::string&)> change;
    int status;
    std::string lines;
  } cases[] = {
      {"common/ac12list.dat", appending("41<>70<>鬼☆×5裏☆×-<><>\r\n"), ExitDone, ""},
      {"common/songlist.dat", appending("71<>新しい曲<><>J-POP<><>\r\n"), ExitDone, ""},
      {"common/ac12list.dat", replacing("40<>40<>鬼☆×3裏☆×-<><>\r\n", ""), ExitFailed,
       "common/ac12list.dat の 40 件目: 前のフォルダーにあったエントリ（「ひみつのパン屋さん」）がありません。"
       "この位置に保存された点数が失われます。\n"},
      {"common/ac12list.dat", replacing("2<>2<>", "2<>8<>"), ExitFailed,
       "common/ac12list.dat の 2 件目: 曲が「進め！おにぎり戦隊」（曲番号 2）から「坂道ハミングバード」（曲番号 8）に変わりました。"
       "この位置に保存された点数が「坂道ハミングバード」のものになります。\n"},
      {"common/songlist.dat", replacing("進め！おにぎり戦隊", "進め！おにぎり戦隊２"), ExitDone,
       "common/songlist.dat の 2 件目: 警告: 曲名が「進め！おにぎり戦隊」から「進め！おにぎり戦隊２」に変わりました"
       "（同じ曲の直しでなければ、この曲の点数が別の曲のものになります）。\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines);
    test::TempWorkDir dir;
    damagedCopy(c.file, c.change);
    const test::Run run = test::nkMasters({"check", "served", test::DemoServed.string()});
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out.substr(0, run.out.rfind("問題 ")), c.lines);
  }
  test::TempWorkDir dir;
  damagedCopy("", nullptr);
  const test::Run run = test::nkMasters({"check", "served", "nowhere"});
  EXPECT_EQ(run.status, ExitFailed);
  EXPECT_TRUE(run.out.starts_with("前のフォルダー nowhere を読めません: common/songlist.dat: ファイルを読めません")) << run.out;
}

TEST(MastersCommand, ExitStatusesAndTheUsage) {
  test::TempWorkDir dir;
  damagedCopy("", nullptr);
  const std::vector<std::pair<std::vector<std::string>, int>> cases = {
      {{}, ExitUsage}, {{"check"}, ExitUsage}, {{"build", "served"}, ExitUsage}, {{"check", "a", "b", "c"}, ExitUsage},
      {{"serve", "a", "b"}, ExitUsage}, {{"check", "served"}, ExitDone}, {{"check", "served", "served"}, ExitDone},
      {{"import", "nowhere", "src"}, ExitFailed}, {{"build", "nowhere", "out"}, ExitFailed},
      {{"diff", "served", "nowhere"}, ExitFailed}, {{"--help"}, ExitDone}};
  for (const auto& [args, status] : cases) {
    const test::Run run = test::nkMasters(args);
    EXPECT_EQ(run.status, status) << args.size();
    EXPECT_EQ(run.err.find("使い方:\n  nk-masters import SERVER_DIR SOURCE_DIR") != std::string::npos, status == ExitUsage);
  }
  EXPECT_FALSE(fs::exists("src") || fs::exists("out"));
}

TEST(MastersCommand, DiffTellsTheChangesAsThePlayerIsToldThem) {
  test::TempWorkDir dir;
  damagedCopy("common/ac13list.dat", replacing("1<>1<>鬼☆×5", "1<>1<>鬼☆×6"));
  std::string text = test::fromCp932(test::readBytes("served/common/nkclient.dat"));
  test::writeBytes("served/common/nkclient.dat", test::toCp932("1.5\r\n" + text.substr(text.find('\n') + 1)));
  const test::Run run = test::nkMasters({"diff", test::DemoServed.string(), "served"});
  EXPECT_EQ(run.status, ExitDone);
  EXPECT_EQ(run.out,
            "AC12: 変更なし\n"
            "AC13:\n前回受信したマスターデータから、次のものが変わりました。\n\n"
            "難易度の変更: 「夕焼けサイダー大作戦」（表） ☆5 → ☆6\n"
            "AC14: 変更なし\n"
            "要求バージョン: 1.54「最新版はデモサーバーの管理者から入手してください。」 → 1.5「最新版はデモサーバーの管理者から入手してください。」\n");
}

}  // namespace
}  // namespace nk
