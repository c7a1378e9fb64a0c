// master_file_readersTest.cpp - every reader of the load on a file that fails:
// the exact description, the log lines written before it, the status line.
//
// The load's failure exit shows the description as it stands, and the log is
// what a player sends in, so each reader is held to both on a missing file, an
// empty one and one that breaks in the middle.
#include "data/required_version.h"
#include "data/score_file.h"
#include "data/song_master.h"
#include "data/sr_list.h"
#include "data/version_song_list.h"
#include "failure_of.h"
#include "log_fixture.h"

#include <functional>
#include <optional>

namespace nk {
namespace {

using Strings = std::vector<std::string>;

// One song "S1" in the version list, as entry 1 with both charts.
ScoreSheetState oneEntry() {
  ScoreSheetState s;
  s.SongTitles = {"S1"};
  s.SongGenres = {"G1"};
  s.SongCount = 1;
  s.EntrySongNo = {1};
  s.EntryDifficulty = {5};
  s.EntryDifficultyU = {9};
  s.EntryCount = 1;
  return s;
}

struct ReaderFailure {
  const char* name;  // the test's own name: letters, digits and '_'
  std::function<void(const DebugLog&)> read;
  const char* file;
  std::optional<std::string> bytes;  // nullopt: no such file
  std::string description;
  Strings log;
  std::string status;
};

void PrintTo(const ReaderFailure& c, std::ostream* os) { *os << c.name; }

const auto songMaster = [](const DebugLog& log) {
  ScoreSheetState s;
  ReadSongMaster(log, s);
};
const auto versionSongList = [](const DebugLog& log) {
  ScoreSheetState s = oneEntry();
  ReadVersionSongList(log, s, 113);
};
const auto srList = [](const DebugLog& log) {
  ScoreSheetState s = oneEntry();
  ReadSRList(log, s);
};
const auto requiredVersion = [](const DebugLog& log) { CheckRequiredVersion(log); };
const auto scoreFile = [](const DebugLog& log) {
  ScoreSheetState s;
  s.ScoreFileName = "ac13score.csv";
  s.EntryCount = 40;
  s.EntryScore = s.EntryScoreU = std::vector<int32_t>(40, 0);
  ReadScoreFile(log, s);
};

const std::string NoSuchFile = "を読み込めません（ファイルまたはフォルダーがありません）。";
const std::string NoRecord = "1 件もありません（区切り「<>」で区切られた項目が足りません）。";

const ReaderFailure readerFailures[] = {
    {"SongMasterMissing", songMaster, "songlist.dat", std::nullopt, "ファイル songlist.dat " + NoSuchFile,
     {"曲リスト展開開始"}, "曲リストを展開中です"},
    {"SongMasterEmpty", songMaster, "songlist.dat", "", "songlist.dat に曲が " + NoRecord, {"曲リスト展開開始"},
     "曲リストを展開中です"},
    {"VersionSongListMissing", versionSongList, "versionlist.dat", std::nullopt,
     "ファイル versionlist.dat " + NoSuchFile, {"バージョンマスタ展開開始"}, "バージョンマスタを展開中です"},
    {"VersionSongListEmpty", versionSongList, "versionlist.dat", "", "versionlist.dat に曲が " + NoRecord,
     {"バージョンマスタ展開開始"}, "バージョンマスタを展開中です"},
    {"SRListMissing", srList, "srlist.dat", std::nullopt, "ファイル srlist.dat " + NoSuchFile,
     {"スコアランキング対象曲リスト展開開始"}, "スコアランキング対象曲リストを展開中です"},
    {"SRListEmpty", srList, "srlist.dat", "", "srlist.dat に対象曲が " + NoRecord,
     {"スコアランキング対象曲リスト展開開始"}, "スコアランキング対象曲リストを展開中です"},
    {"RequiredVersionMissing", requiredVersion, "version.dat", std::nullopt, "ファイル version.dat " + NoSuchFile,
     {"要求バージョン確認開始"}, "ノルカクライアント要求ファイルを処理中です"},
    {"RequiredVersionEmpty", requiredVersion, "version.dat", "", "version.dat が空です。要求バージョンを確認できません。",
     {"要求バージョン確認開始", "本体バージョン:1.54"}, "ノルカクライアント要求ファイルを処理中です"},
    // The score file's line of progress stands before the failure, its end line not.
    {"ScoreFileBrokenAtLineSeven", scoreFile, "ac13score.csv",
     "1,5,0\r\n2,6,0\r\n3,7,0\r\n4,8,0\r\n5,9,0\r\n6,1,0\r\n42,1,1\r\n",
     "ac13score.csv の 7 行目: 曲番号 42 はバージョン曲リストの 40 曲の範囲外です。",
     {"CSVファイル展開開始", "CSVファイル読み込み中"}, "CSVファイルを読み取り中です"},
};

class ReaderFailures : public test::LoggedWorkDirTest, public ::testing::WithParamInterface<ReaderFailure> {};

TEST_P(ReaderFailures, DescribeTheFileAfterTheStartLine) {
  const ReaderFailure& c = GetParam();
  if (c.bytes) test::writeBytes(c.file, *c.bytes);
  EXPECT_EQ(test::failureOf([&] { c.read(debugLog); }), c.description);
  EXPECT_EQ(log(), c.log);
  EXPECT_EQ(tk.statusTexts, Strings{c.status});
  EXPECT_TRUE(tk.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Readers, ReaderFailures, ::testing::ValuesIn(readerFailures),
                         [](const ::testing::TestParamInfo<ReaderFailure>& info) { return info.param.name; });

}  // namespace
}  // namespace nk
