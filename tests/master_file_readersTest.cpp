// master_file_readersTest.cpp - every reader of the load on a file that fails:
// the exact description, the log lines written before it, the status line.
//
// The load's failure exit shows the description as it stands and the log is
// what a player sends in, so each reader is held to both.
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

struct Reader {
  std::function<void(const DebugLog&)> read;
  const char* file;
  const char* startLog;
  const char* status;
};

const Reader songMaster{[](const DebugLog& log) { ScoreSheetState s; ReadSongMaster(log, s); }, "songlist.dat",
                        "曲リスト展開開始", "曲リストを展開中です"};
const Reader versionSongList{[](const DebugLog& log) { ScoreSheetState s; ReadVersionSongList(log, s, 113); },
                             "versionlist.dat", "バージョンマスタ展開開始", "バージョンマスタを展開中です"};
const Reader srList{[](const DebugLog& log) { ScoreSheetState s; ReadSRList(log, s); }, "srlist.dat",
                    "スコアランキング対象曲リスト展開開始", "スコアランキング対象曲リストを展開中です"};
const Reader requiredVersion{[](const DebugLog& log) { CheckRequiredVersion(log); }, "version.dat",
                             "要求バージョン確認開始", "ノルカクライアント要求ファイルを処理中です"};
const Reader scoreFile{[](const DebugLog& log) {
                         ScoreSheetState s;
                         s.ScoreFileName = "ac13score.csv";
                         s.EntryCount = 40;
                         s.EntryScore = s.EntryScoreU = std::vector<int32_t>(40, 0);
                         ReadScoreFile(log, s);
                       },
                       "ac13score.csv", "CSVファイル展開開始", "CSVファイルを読み取り中です"};

struct ReaderFailure {
  const char* name;  // the test's own name: letters, digits and '_'
  Reader reader;
  std::optional<std::string> bytes;  // nullopt: no such file
  std::string description;
  Strings laterLog = {};  // after the start line
};

void PrintTo(const ReaderFailure& c, std::ostream* os) { *os << c.name; }

const std::string NoSuchFile = " を読み込めません（ファイルまたはフォルダーがありません）。";
const std::string NoRecord = "1 件もありません（区切り「<>」で区切られた項目が足りません）。";

const ReaderFailure readerFailures[] = {
    {"SongMasterMissing", songMaster, std::nullopt, "ファイル songlist.dat" + NoSuchFile},
    {"SongMasterEmpty", songMaster, "", "songlist.dat に曲が " + NoRecord},
    {"VersionSongListMissing", versionSongList, std::nullopt, "ファイル versionlist.dat" + NoSuchFile},
    {"VersionSongListEmpty", versionSongList, "", "versionlist.dat に曲が " + NoRecord},
    {"SRListMissing", srList, std::nullopt, "ファイル srlist.dat" + NoSuchFile},
    {"SRListEmpty", srList, "", "srlist.dat に対象曲が " + NoRecord},
    {"RequiredVersionMissing", requiredVersion, std::nullopt, "ファイル version.dat" + NoSuchFile},
    {"RequiredVersionEmpty", requiredVersion, "", "version.dat が空です。要求バージョンを確認できません。",
     {"本体バージョン:1.54"}},
    // The score file's line of progress stands before the failure, its end line not.
    {"ScoreFileBrokenAtLineSeven", scoreFile, "1,5,0\r\n2,6,0\r\n3,7,0\r\n4,8,0\r\n5,9,0\r\n6,1,0\r\n42,1,1\r\n",
     "ac13score.csv の 7 行目: 曲番号 42 はバージョン曲リストの 40 曲の範囲外です。", {"CSVファイル読み込み中"}},
};

class ReaderFailures : public test::LoggedWorkDirTest, public ::testing::WithParamInterface<ReaderFailure> {};

TEST_P(ReaderFailures, DescribeTheFileAfterTheStartLine) {
  const ReaderFailure& c = GetParam();
  if (c.bytes) test::writeBytes(c.reader.file, *c.bytes);
  EXPECT_EQ(test::failureOf([&] { c.reader.read(debugLog); }), c.description);
  Strings expectedLog{c.reader.startLog};
  expectedLog.insert(expectedLog.end(), c.laterLog.begin(), c.laterLog.end());
  EXPECT_EQ(log(), expectedLog);
  EXPECT_EQ(tk.statusTexts, Strings{c.reader.status});
  EXPECT_TRUE(tk.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Readers, ReaderFailures, ::testing::ValuesIn(readerFailures),
                         [](const ::testing::TestParamInfo<ReaderFailure>& info) { return info.param.name; });

}  // namespace
}  // namespace nk
