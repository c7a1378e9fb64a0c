// faultsTest.cpp - the whole load when the servers or the master files they
// send are at fault: it falls back, or it ends with a box that says what
// went wrong; it never crashes and never touches the player's score file.
#include "faults_fixture.h"

#include <algorithm>
#include <functional>
#include <random>
#include <stdexcept>

namespace nk {
namespace {

namespace fs = std::filesystem;
using test::Strings;

class Faults : public test::FaultsFixture {};

bool contains(const Strings& log, const std::string& line) {
  return std::find(log.begin(), log.end(), line) != log.end();
}

TEST_F(Faults, ThePrimaryDownForAnyStepFallsBackToTheSecondary) {
  serveSecondary();
  enum class Down { Status503, CutShort, Everything };
  struct Case {
    int step;  // index into downloadSteps(); -1 for every step
    Down how;
  };
  std::vector<Case> cases;
  for (int step = 0; step < 4; ++step) {
    cases.push_back({step, Down::Status503});
    cases.push_back({step, Down::CutShort});
  }
  cases.push_back({-1, Down::Everything});

  for (const Case& c : cases) {
    SCOPED_TRACE("step " + std::to_string(c.step) + " way " + std::to_string(static_cast<int>(c.how)));
    serveMasters(113, demoSongs, demoEntries, demoTargets);
    request.servers = {primary.url("/nk/"), secondary.url("/nk/")};
    if (c.how == Down::Everything) request.servers = {closedBase, secondary.url("/nk/")};
    const std::string failing = c.step >= 0 ? test::downloadSteps()[static_cast<size_t>(c.step)].path : "";
    if (c.how == Down::Status503) primary.fail("/nk/" + failing, 503);
    if (c.how == Down::CutShort) {
      test::LoopbackServer::Route cut;
      cut.body = std::string(400, 'x');
      cut.cutAfter = 100;
      primary.route("/nk/" + failing, cut);
    }
    std::vector<int> before;
    for (const auto& step : test::downloadSteps()) before.push_back(secondary.requestCount("/nk/" + step.path));

    ASSERT_FALSE(load());
    expectLoaded();
    const Strings log = test::logMessages();
    for (size_t s = 0; s < 4; ++s) {
      const test::StepTexts& step = test::downloadSteps()[s];
      const bool fellBack = c.how == Down::Everything || static_cast<int>(s) == c.step;
      EXPECT_EQ(secondary.requestCount("/nk/" + step.path) - before[s], fellBack ? 1 : 0) << step.name;
      EXPECT_TRUE(contains(log, step.successLog)) << step.name;
      EXPECT_FALSE(contains(log, step.failureLog)) << step.name;
      EXPECT_TRUE(contains(log, "関数 " + step.name + " 正常終了")) << step.name;
    }
    EXPECT_EQ(tk.statusTexts.back(), "");
    expectScoreFileUnchanged();
  }
}

TEST_F(Faults, BothServersDownForAStepEndTheProgramInThatStep) {
  struct Case {
    int step;
    bool secondaryListens;  // and answers 404; otherwise nothing listens there
  };
  std::vector<Case> cases;
  for (int step = 0; step < 4; ++step) cases.push_back({step, step % 2 == 0});

  for (const Case& c : cases) {
    const test::StepTexts& step = test::downloadSteps()[static_cast<size_t>(c.step)];
    SCOPED_TRACE(step.name);
    for (const char* name : {"songlist.dat", "srlist.dat", "versionlist.dat", "version.dat"}) fs::remove(name);
    serveMasters(113, demoSongs, demoEntries, demoTargets);
    primary.fail("/nk/" + step.path, 503);
    // Both causes, the primary's first.
    std::string bothFailures = primary.url("/nk/" + step.path) + " の受信に失敗しました（HTTP ステータス 503）／";
    if (c.secondaryListens) {
      request.servers = {primary.url("/nk/"), secondary.url("/nk/")};
      bothFailures += secondary.url("/nk/" + step.path) + " の受信に失敗しました（HTTP ステータス 404）";
    } else {
      request.servers = {primary.url("/nk/"), closedBase};
      bothFailures += closedBase + step.path + " の受信に失敗しました（接続できません）";
    }

    ASSERT_TRUE(load());
    ASSERT_EQ(tk.boxes.size(), 1u);
    EXPECT_EQ(tk.boxes[0].title, "異常終了");
    EXPECT_EQ(tk.boxes[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(tk.boxes[0].text, step.name + "で異常が発生しました。\r\n" + bothFailures);
    EXPECT_EQ(tk.calls.back(), "end");
    EXPECT_EQ(tk.statusTexts.back(), step.failureStatus);
    const Strings log = test::logMessages();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(Strings(log.end() - 3, log.end()),
              (Strings{step.startLog, step.failureLog, "関数 " + step.name + " 異常終了:" + bothFailures}));
    EXPECT_FALSE(contains(log, "要求バージョン確認開始")) << "nothing after the step runs";
    EXPECT_EQ(pagesShown, 0);
    // The files of the earlier steps stay until the next opening clears them.
    for (int s = 0; s < c.step; ++s)
      EXPECT_TRUE(fs::exists(test::downloadSteps()[static_cast<size_t>(s)].localName));
    expectScoreFileUnchanged();
  }

  // The next opening starts clean and succeeds.
  serveMasters(113, demoSongs, demoEntries, demoTargets);
  ASSERT_FALSE(load());
  expectLoaded();
}

TEST_F(Faults, AnErrorPageServedAsAMasterFileEndsTheLoadNamingTheFile) {
  const std::string page = "<html><body>Service Unavailable</body></html>";
  const std::string noItems = "（区切り「<>」で区切られた項目が足りません）。";
  const std::pair<std::string, std::string> cases[] = {
      {"common/songlist.dat", "songlist.dat に曲が 1 件もありません" + noItems},
      {"common/ac13list.dat", "versionlist.dat に曲が 1 件もありません" + noItems},
      {"sr/13/srlist.dat", "srlist.dat に対象曲が 1 件もありません" + noItems},
  };
  for (const auto& [path, description] : cases) {
    SCOPED_TRACE(path);
    serveMasters(113, demoSongs, demoEntries, demoTargets);
    primary.serve("/nk/" + path, page);
    ASSERT_TRUE(load());
    ASSERT_EQ(tk.boxes.size(), 1u);
    expectFailureExit(description);
    expectScoreFileUnchanged();
  }
}

TEST_F(Faults, AnErrorPageServedAsTheRequiredVersionReadsAsVersionZero) {
  // A first line without a number is version 0, which every program meets.
  serveMasters(113, demoSongs, demoEntries, demoTargets);
  primary.serve("/nk/common/nkclient.dat", "<html><body>Service Unavailable</body></html>");
  ASSERT_FALSE(load());
  expectLoaded();
  const auto log = test::logMessages();
  EXPECT_NE(std::find(log.begin(), log.end(), "要求バージョン:0"), log.end());
  expectScoreFileUnchanged();
}

// The demo files of a smaller sheet, cut after a marker (UTF-8) plus extra
// bytes of what follows it in CP932.
struct SmallMasters {
  std::vector<test::Song> songs{{"春の曲", "アニメ"}, {"夏の曲", "J-POP"}, {"秋の曲", "クラシック"}};
  std::vector<test::Entry> entries{{1, "abc5efg9"}, {2, "abcTefg-"}, {3, "abc7efg8"}};
  std::vector<test::Target> targets{{1, "0"}, {3, "1"}};
};

std::string cutAfter(const std::string& cp932, const std::string& markerUtf8, size_t extraBytes) {
  const std::string marker = test::toCp932(markerUtf8);
  const size_t at = cp932.find(marker);
  if (at == std::string::npos) throw std::runtime_error("no marker " + markerUtf8);
  return cp932.substr(0, at + marker.size() + extraBytes);
}

TEST_F(Faults, ATruncatedMasterFileKeepsWhatWasWholeOrEndsTheLoad) {
  const SmallMasters m;
  const std::string songs = test::songMasterBytes(m.songs);
  const std::string entries = test::versionListBytes(m.entries, 4);
  const std::string targets = test::srListBytes(m.targets);
  const std::string version = test::toCp932("1.50\r\n最新版はサイトから");
  const std::string replacement = "\xEF\xBF\xBD";  // U+FFFD, where a cut split a character

  struct Case {
    const char* name;
    std::string path;
    std::string bytes;
    std::string description;  // empty: the load succeeds
    std::function<void(const ScoreSheetState&)> check;
  } cases[] = {
      {"songs: after the last title", "common/songlist.dat", cutAfter(songs, "3<>秋の曲", 0),
       "versionlist.dat の 3 件目: 曲番号 3 は曲リストの 2 曲の範囲外です。", {}},
      {"songs: inside the last title's last character", "common/songlist.dat", cutAfter(songs, "3<>秋の", 1),
       "versionlist.dat の 3 件目: 曲番号 3 は曲リストの 2 曲の範囲外です。", {}},
      {"songs: between title and genre", "common/songlist.dat", cutAfter(songs, "3<>秋の曲<>", 0),
       "songlist.dat の 3 件目: 曲名「秋の曲」の後にジャンルの項目がありません。", {}},
      {"songs: inside the genre's first character", "common/songlist.dat", cutAfter(songs, "3<>秋の曲<>x<>", 1), "",
       [&](const ScoreSheetState& s) {
         EXPECT_EQ(s.SongTitles, (Strings{"春の曲", "夏の曲", "秋の曲"}));
         EXPECT_EQ(s.SongGenres[2], replacement);
         EXPECT_EQ(s.DisplayOrder, (std::vector<int16_t>{1, 0, 2}));  // an unknown genre goes last
       }},
      {"songs: inside the genre's last character", "common/songlist.dat", cutAfter(songs, "3<>秋の曲<>x<>クラシッ", 1),
       "",
       [&](const ScoreSheetState& s) { EXPECT_EQ(s.SongGenres[2], "クラシッ" + replacement); }},
      {"entries: inside the level text", "common/ac13list.dat", cutAfter(entries, "id3<>3<>abc7e", 0), "",
       [](const ScoreSheetState& s) {
         EXPECT_EQ(s.EntryDifficulty, (std::vector<int16_t>{5, 10, 7}));
         EXPECT_EQ(s.EntryDifficultyU, (std::vector<int16_t>{9, LevelNoChart, 0}));
       }},
      {"entries: after the last song number", "common/ac13list.dat", cutAfter(entries, "id3<>3", 0),
       "srlist.dat の 2 件目: 曲番号 3 はバージョン曲リストの 2 曲の範囲外です。", {}},
      {"targets: after the last entry number", "sr/13/srlist.dat", cutAfter(targets, "t1<>3", 0), "",
       [](const ScoreSheetState& s) { EXPECT_EQ(s.TargetEntryNo, (std::vector<int16_t>{1})); }},
      {"targets: before the last chart flag", "sr/13/srlist.dat", cutAfter(targets, "t1<>3<>", 0), "",
       [](const ScoreSheetState& s) {
         // An empty flag is the normal chart: the cut is not visible here.
         EXPECT_EQ(s.TargetIsUra, (std::vector<bool>{false, false}));
         EXPECT_EQ(s.TargetDifficulty, (std::vector<int16_t>{5, 7}));
       }},
      {"version: inside the hint's last character", "common/nkclient.dat",
       cutAfter(version, "1.50\r\n最新版はサイトか", 1), "", {}},
      {"version: inside the number", "common/nkclient.dat", cutAfter(version, "1.", 0), "", {}},
      {"version: nothing", "common/nkclient.dat", "", "version.dat が空です。要求バージョンを確認できません。", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    serveMasters(113, m.songs, m.entries, m.targets);
    primary.serve("/nk/" + c.path, c.bytes);
    const bool ended = load();
    if (c.description.empty()) {
      ASSERT_FALSE(ended);
      EXPECT_TRUE(tk.boxes.empty());
      EXPECT_EQ(pagesShown, 1);
      EXPECT_EQ(state.EntryScore[0], 500);
      if (state.EntryCount >= 3) {
        EXPECT_EQ(state.EntryScoreU[2], 900);
      }
      if (c.check) c.check(state);
    } else {
      ASSERT_TRUE(ended);
      expectFailureExit(c.description);
    }
    expectScoreFileUnchanged();
  }
}

// Pieces that look like the files' own: separators, numbers, level texts,
// line ends, CP932 pairs and broken halves of them.
const std::vector<std::string>& filePieces() {
  static const std::vector<std::string> pieces = {
      "<>", "<>", "<>", "1", "2", "3", "23", "24", "0", "-1", "32768", "1e9", "&H7FFF", "abc5efg9", "abcTefg-",
      "abc?", "1.5", ",", "\r\n", "\r", "\n", " ", "\x82\xa0", "\x83\x5c", "\x81", "<", ">", "J-POP"};
  return pieces;
}

enum class Garble { Bytes, Pieces, Mutations };

// Random content for a file: raw bytes, a run of pieces, or the good file
// with a few bytes replaced, dropped or inserted.
std::string garbled(std::mt19937& rng, Garble how, std::string good) {
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<size_t> pick(0, filePieces().size() - 1);
  std::string bytes;
  switch (how) {
    case Garble::Bytes:
      for (int i = 0; i < 3000; ++i) bytes += static_cast<char>(byte(rng));
      return bytes;
    case Garble::Pieces:
      for (int i = 0; i < 400; ++i)
        bytes += i % 7 == 6 ? std::string(1, static_cast<char>(byte(rng))) : filePieces()[pick(rng)];
      return bytes;
    case Garble::Mutations:
      for (int i = 0; i < 3; ++i) {
        const size_t at = std::uniform_int_distribution<size_t>(0, good.size() - 1)(rng);
        switch (byte(rng) % 3) {
          case 0: good[at] = static_cast<char>(byte(rng)); break;
          case 1: good.erase(at, 1); break;
          default: good.insert(at, filePieces()[pick(rng)]); break;
        }
      }
      return good;
  }
  return good;
}

TEST_F(Faults, RandomContentInAnyFileEndsCleanly) {
  const std::vector<std::string> files = {"common/songlist.dat", "common/ac13list.dat", "sr/13/srlist.dat",
                                          "common/nkclient.dat", "ac13score.csv"};
  const std::vector<std::string> named = {"songlist.dat", "versionlist.dat", "srlist.dat", "version.dat",
                                          "ac13score.csv"};
  const std::vector<std::string> goodFiles = {test::songMasterBytes(demoSongs), test::versionListBytes(demoEntries, 4),
                                              test::srListBytes(demoTargets), test::toCp932("1.50\r\nhint"),
                                              ScoreBytes};
  int loaded = 0, failed = 0, refused = 0;
  for (size_t f = 0; f < files.size(); ++f) {
    const std::string& file = files[f];
    for (unsigned seed = 1; seed <= 6; ++seed) {
      for (Garble how : {Garble::Bytes, Garble::Pieces, Garble::Mutations}) {
        SCOPED_TRACE(file + " seed " + std::to_string(seed) + " way " + std::to_string(static_cast<int>(how)));
        std::mt19937 rng(seed);
        const std::string content = garbled(rng, how, goodFiles[f]);
        serveMasters(113, demoSongs, demoEntries, demoTargets);
        std::string scoreBytes = ScoreBytes;
        if (file == "ac13score.csv") scoreBytes = content;
        else primary.serve("/nk/" + file, content);
        test::writeBytes(ScoreFile, scoreBytes);

        if (!load()) {
          ++loaded;
          EXPECT_TRUE(tk.boxes.empty());
          EXPECT_EQ(pagesShown, 1);
          EXPECT_EQ(state.EntryScore.size(), static_cast<size_t>(state.EntryCount));
          EXPECT_EQ(state.EntryScoreU.size(), static_cast<size_t>(state.EntryCount));
          std::vector<int16_t> order = state.DisplayOrder;
          std::sort(order.begin(), order.end());
          for (size_t e = 0; e < order.size(); ++e) EXPECT_EQ(order[e], static_cast<int16_t>(e));
          EXPECT_EQ(order.size(), static_cast<size_t>(state.EntryCount));
          for (int16_t no : state.TargetEntryNo) EXPECT_TRUE(no >= 1 && no <= state.EntryCount) << no;
          EXPECT_FALSE(test::anyMasterFileLeft());
        } else if (tk.boxes.size() == 2) {
          ++refused;
          EXPECT_EQ(tk.boxes[0].title, "バージョン要求以下");
          expectFailureExit("");
        } else {
          ++failed;
          ASSERT_EQ(tk.boxes.size(), 1u);
          const std::string text = tk.boxes[0].text;
          EXPECT_TRUE(std::any_of(named.begin(), named.end(),
                                  [&](const std::string& name) { return text.find(name) != std::string::npos; }))
              << text;
          expectFailureExit(text);
        }
        EXPECT_EQ(test::readBytes(ScoreFile), scoreBytes);
      }
    }
  }
  // The inputs reach every outcome, so the checks above all had work to do.
  EXPECT_GT(loaded, 0);
  EXPECT_GT(failed, 0);
  RecordProperty("loaded", loaded);
  RecordProperty("failed", failed);
  RecordProperty("refused", refused);
}

}  // namespace
}  // namespace nk
