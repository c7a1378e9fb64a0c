// find_bench.cpp - finding a song on the largest sheet: building the index of
// folded titles, answering one keystroke (the whole list filtered again), and
// the same keystroke in the find dialog with its list of up to 200 rows.
#include "largest_masters.h"
#include "qt_benchmark_main.h"
#include "input/song_search.h"
#include "ui/find_song_dialog.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTreeWidget>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace nk {
namespace {

// Titles of 10 to 30 characters mixing kanji, hiragana, katakana (some of it
// half-width), Latin (some of it full-width), blanks and wave dashes.
std::string madeUpTitle(uint32_t seed, int k) {
  static const char* const pieces[] = {
      "夏祭り", "太鼓",    "花火",     "夜明けの", "星空",      "風の詩",   "海へ",  "桜吹雪", "月光",
      "雷神",   "ドンドン", "かっかっ", "リズム",   "ぱれーど",  "ﾄﾞﾝﾁｬﾝ",  "まつり", "ビート", "ヴァイオリン",
      "Festival", "ＤＲＵＭ", "Night",  "Beat",    "Ｓｔａｒ",  "Rush",     "Mix",   "〜",     "　",
  };
  constexpr size_t count = sizeof(pieces) / sizeof(pieces[0]);
  std::string title;
  size_t chars = 0;
  const size_t wanted = 10 + seed % 21;
  while (chars < wanted) {
    seed = seed * 1103515245u + 12345u;
    const std::string piece = pieces[(seed >> 16) % count];
    title += piece;
    for (unsigned char c : piece) chars += (c & 0xC0) != 0x80;
  }
  return title + " " + std::to_string(k);
}

// The most entries a version list can hold, on the most songs, shown in an
// order other than the entries'.
const ScoreSheetState& largestSheet() {
  static const ScoreSheetState sheet = [] {
    ScoreSheetState s;
    s.SongCount = static_cast<int16_t>(bench::MostSongs);
    for (int k = 0; k < bench::MostSongs; ++k) s.SongTitles.push_back(madeUpTitle(static_cast<uint32_t>(k) * 7919u, k));
    const int n = bench::MostEntriesAC13;
    s.EntryCount = static_cast<int16_t>(n);
    s.PageCount = static_cast<int16_t>((n - 1) / RowsPerPage + 1);
    s.CurrentPage = 1;
    for (int e = 0; e < n; ++e) {
      s.EntrySongNo.push_back(static_cast<int16_t>(e % bench::MostSongs + 1));
      s.EntryDifficulty.push_back(static_cast<int16_t>(e % 10 + 1));
      s.EntryDifficultyU.push_back(e % 3 ? LevelNoChart : LevelUnknown);
      s.EntryScore.push_back(900000 + e);
      s.EntryScoreU.push_back(0);
      s.DisplayOrder.push_back(static_cast<int16_t>((e * 37) % n));  // 37 and 8191 are coprime
    }
    return s;
  }();
  return sheet;
}

// Pairs of queries a player types one after the other: the keystroke turns
// the first into the second. Many matches, some, one, none.
const std::pair<const char*, const char*> Keystrokes[] = {
    {"", "ど"}, {"どん", "どんど"}, {"ﾄﾞﾝﾁｬﾝ 12", "ﾄﾞﾝﾁｬﾝ 123"}, {"zz", "zzq"},
};

void BM_BuildIndex(benchmark::State& state) {
  const ScoreSheetState& s = largestSheet();
  for (auto _ : state) {
    SongSearchIndex index(s);
    benchmark::DoNotOptimize(index);
  }
}
BENCHMARK(BM_BuildIndex)->Unit(benchmark::kMillisecond);

void BM_Keystroke(benchmark::State& state) {
  const SongSearchIndex index(largestSheet());
  const char* query = Keystrokes[state.range(0)].second;
  size_t listed = 0;
  for (auto _ : state) {
    const SongMatches m = index.find(query, FindSongDialog::ListLimit);
    listed = m.positions.size();
    benchmark::DoNotOptimize(m);
  }
  state.counters["listed"] = static_cast<double>(listed);
}
BENCHMARK(BM_Keystroke)->ArgName("query")->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// The keystroke in the dialog: the query box's change filters the whole list
// and rebuilds the rows (with their repaint when painted is 1).
void BM_KeystrokeInDialog(benchmark::State& state) {
  const ScoreSheetState& s = largestSheet();
  const SongSearchIndex index(s);
  FindSongDialog dialog(s, index, nullptr);
  dialog.show();
  const auto& [before, after] = Keystrokes[state.range(0)];
  const bool painted = state.range(1) != 0;
  for (auto _ : state) {
    state.PauseTiming();
    dialog.queryBox()->setText(QString::fromUtf8(before));
    state.ResumeTiming();
    dialog.queryBox()->setText(QString::fromUtf8(after));
    if (painted) dialog.repaint();
  }
  state.counters["rows"] = dialog.list()->topLevelItemCount();
}
BENCHMARK(BM_KeystrokeInDialog)
    ->ArgNames({"query", "painted"})
    ->ArgsProduct({{0, 1, 2, 3}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nk

int main(int argc, char** argv) {
  return nk::runQtBenchmarks(argc, argv, [] {
    std::fprintf(stderr, "aims: BM_BuildIndex <= 20 ms; each keystroke <= 5 ms with its list of up to 200 rows\n");
    benchmark::RunSpecifiedBenchmarks();
  });
}
