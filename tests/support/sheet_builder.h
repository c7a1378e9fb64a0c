// sheet_builder.h - a score sheet's state built in a few lines, for the tests
// of what the sheet works out of it (pages, search, totals, paste, plans).
//
// Every entry has a song of its own, numbered in the order the entries are
// added, so entry e's title is the e-th title given. The counts and the
// targets' TargetScore follow the lists. Nothing is shown until an order is
// chosen: a sheet of targets alone has an empty DisplayOrder and no pages;
// with an order, the pages cover the entries and page 1 is the current one.
#pragma once

#include "data/genre_order.h"
#include "data/score_state.h"
#include "diag/debug_log.h"

#include <cstdint>
#include <string>
#include <vector>

namespace nk::test {

struct SheetEntry {
  std::string title;
  int16_t level = 0;  // of the normal chart
  int32_t score = 0;
  int16_t levelU = LevelNoChart;
  int32_t scoreU = 0;
  std::string genre = "J-POP";
};

class SheetBuilder {
public:
  SheetBuilder& version(int16_t versionNumber) {
    s_.VersionNumber = versionNumber;
    return *this;
  }

  SheetBuilder& entry(const SheetEntry& e) {
    s_.SongTitles.push_back(e.title);
    s_.SongGenres.push_back(e.genre);
    s_.EntrySongNo.push_back(static_cast<int16_t>(s_.SongTitles.size()));
    s_.EntryGenre.push_back(e.genre);
    s_.EntryDifficulty.push_back(e.level);
    s_.EntryDifficultyU.push_back(e.levelU);
    s_.EntryScore.push_back(e.score);
    s_.EntryScoreU.push_back(e.scoreU);
    return *this;
  }

  // A ranking target on the chart of entry number entryNo (1-based, as the
  // target list gives it), at the star level given.
  SheetBuilder& target(int16_t entryNo, Chart chart, int16_t level) {
    s_.TargetEntryNo.push_back(entryNo);
    s_.TargetIsUra.push_back(chart == Chart::Ura);
    s_.TargetDifficulty.push_back(level);
    return *this;
  }

  SheetBuilder& shownInEntryOrder() { return shown(Order::Entries); }
  // Display order opposite to the entries', so that the two cannot be mistaken for each other.
  SheetBuilder& shownInReverse() { return shown(Order::Reverse); }
  SheetBuilder& shownByGenre() { return shown(Order::Genre); }

  ScoreSheetState build() const {
    ScoreSheetState s = s_;
    const auto n = static_cast<int16_t>(s.EntrySongNo.size());
    s.SongCount = s.EntryCount = n;
    s.TargetCount = static_cast<int16_t>(s.TargetEntryNo.size());
    s.TargetScore.assign(s.TargetEntryNo.size(), 0);
    if (order_ == Order::None) return s;
    if (order_ == Order::Genre) SortByGenre(DebugLog{}, s);
    for (int16_t p = 0; order_ != Order::Genre && p < n; ++p)
      s.DisplayOrder.push_back(order_ == Order::Reverse ? static_cast<int16_t>(n - 1 - p) : p);
    s.PageCount = static_cast<int16_t>(n > 0 ? (n - 1) / RowsPerPage + 1 : 0);
    s.CurrentPage = 1;
    return s;
  }

private:
  enum class Order { None, Entries, Reverse, Genre };
  SheetBuilder& shown(Order order) {
    order_ = order;
    return *this;
  }

  ScoreSheetState s_;
  Order order_ = Order::None;
};

}  // namespace nk::test
