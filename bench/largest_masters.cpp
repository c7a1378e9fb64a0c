// largest_masters.cpp - the largest master files, made up for the benchmarks.
#include "largest_masters.h"

#include "data/version_song_list.h"
#include "platform/cp932.h"

namespace nk::bench {
namespace {

const char* const Genres[] = {"J-POP", "アニメ", "童謡・民謡", "バラエティ", "クラシック",
                              "ゲームミュージック", "ナムコオリジナル", "その他"};
const char* const LevelTexts[] = {"★★★9☆☆☆T", "abc?efg-", "★★★T☆☆☆8", "abc7efg6"};

}  // namespace

MasterBytes largestMasters(int16_t versionCode, int divisor) {
  const int songs = MostSongs / divisor;
  const int entries = (versionCode == 114 ? MostEntriesAC14 : MostEntriesAC13) / divisor;
  const int targets = MostTargets / divisor;
  const int width = versionRecordWidth(versionCode);
  MasterBytes bytes;

  std::string text;
  for (int k = 0; k < songs; ++k) {
    // A line break inside a record, as the server's files have now and then.
    text += std::to_string(k + 1) + "<>夏祭りの太鼓 第" + std::to_string(k) + "番<>ﾅﾂﾏﾂﾘ\r\n<>" + Genres[k % 8] +
            "<>2009/07/01<>";
  }
  bytes.songMaster = utf8ToCp932(text);

  text.clear();
  for (int k = 0; k < entries; ++k) {
    text += "<>" + std::to_string(k % songs + 1) + "<>" + LevelTexts[k % 4];
    for (int extra = 3; extra < width; ++extra) text += "<>0";
    text += "<>";
    if (k % 16 == 15) text += "\r\n";
  }
  bytes.versionList = utf8ToCp932(text);

  text.clear();
  for (int k = 0; k < targets; ++k)
    text += "<>" + std::to_string(k % entries + 1) + "<>" + (k % 3 ? "0" : "1") + "<>sr";
  bytes.srList = utf8ToCp932(text);

  text.clear();
  for (int k = 0; k < entries; ++k)
    text += std::to_string(k + 1) + "," + std::to_string(900000 + k) + "," + std::to_string(k % 7 ? 0 : 1000000) +
            "\r\n";
  bytes.scoreFile = utf8ToCp932(text + "\r\n");
  bytes.scoreFileName = "ac" + std::to_string(versionCode - 100) + "score.csv";

  bytes.requiredVersion = utf8ToCp932("1.54\r\nhttp://127.0.0.1/nk/\r\n");
  return bytes;
}

const ScoreSheetState& largestSheetState() {
  static const ScoreSheetState sheet = [] {
    ScoreSheetState s;
    const int entries = MostEntriesAC13;
    s.SongCount = static_cast<int16_t>(MostSongs);
    for (int k = 0; k < MostSongs; ++k) s.SongTitles.push_back("曲名" + std::to_string(k) + "のタイトル");
    s.EntryCount = static_cast<int16_t>(entries);
    for (int e = 0; e < entries; ++e) {
      s.EntrySongNo.push_back(static_cast<int16_t>(e % MostSongs + 1));
      s.EntryDifficulty.push_back(static_cast<int16_t>(7 + e % 4));
      s.EntryDifficultyU.push_back(static_cast<int16_t>(7 + (e + 1) % 4));
      s.EntryScore.push_back(e % 5 ? 900000 + (e * 7919) % 100000 / 10 * 10 : 0);
      s.EntryScoreU.push_back(e % 3 ? 800000 + (e * 104729) % 200000 / 10 * 10 : 0);
      s.DisplayOrder.push_back(static_cast<int16_t>((e * 37) % entries));
      s.EntryGenre.push_back("ジャンル" + std::to_string(e % 8 + 1));
    }
    for (int t = 0; t < MostTargets; ++t) {
      const int e = t % entries;
      const bool ura = t >= entries;
      s.TargetEntryNo.push_back(static_cast<int16_t>(e + 1));
      s.TargetIsUra.push_back(ura);
      s.TargetDifficulty.push_back(t % 97 == 0 ? int16_t{5} : (ura ? s.EntryDifficultyU : s.EntryDifficulty)[e]);
    }
    s.TargetCount = static_cast<int16_t>(MostTargets);
    s.TargetScore.assign(static_cast<size_t>(MostTargets), 0);
    return s;
  }();
  return sheet;
}

}  // namespace nk::bench
