// rival_match.h - a friend's scores put on this PC's charts.
//
// Entry numbers name songs only within one set of master lists. A song is
// known across lists by its title and genre in the song master; where no song
// of this PC has both, by its title alone when exactly one song here has it.
// A song that two entries here share (or two of the friend's lists) names no
// one chart and is left out, as is a chart this PC's version does not have:
// a score is never put on another song. Where the friend's lists are this
// PC's, song for song, entry numbers are taken as they are.
#pragma once

#include "data/score_state.h"
#include "data/sheet_catalogue.h"
#include "rival/rival_source.h"

#include <cstdint>
#include <string>
#include <vector>

namespace nk {

// One of a rival's scores, on a chart named by its song: the entry number on
// the lists it was read on, and the song's title and genre there.
struct RivalChart {
  int16_t entryNo = 0;
  std::string title;
  std::string genre;
  Chart chart = Chart::Normal;
  int32_t score = 0;
  bool operator==(const RivalChart&) const = default;
};

enum class Unmatched {
  NoSuchSong,       // no song of that title here
  SharedSong,       // more than one entry could be that song
  NoSuchChart,      // the song is here, without that chart
  NoSuchEntry,      // an entry number past the friend's lists
  NoSuchEntryHere,  // an entry number past this PC's (a file without lists)
};

struct UnmatchedChart {
  RivalChart chart;
  Unmatched why = Unmatched::NoSuchSong;
};

// A rival's charts on this PC's lists: entryNo, title and genre are this
// PC's; what could not be placed is listed, in the friend's entry order.
struct MatchedRival {
  std::vector<RivalChart> charts;
  std::vector<UnmatchedChart> unmatched;
  // Entry numbers were taken on this PC's lists, without lists of the
  // friend's to check them by (a bare score file, or a zip without a
  // complete kept set of the version).
  bool onThisPcLists = false;
};

// The friend's scores of the source matched to the lists of here.
MatchedRival matchRival(const RivalSource& source, const ScoreSheetState& here);

// Charts named by song placed again on the lists of here (which may have
// changed since they were matched): an entry that still has the song at its
// number keeps it, any other is found by its song.
MatchedRival placeRivalCharts(const std::vector<RivalChart>& charts, const ScoreSheetState& here);

// The charts as scores of the sheet of here, EntryCount of each kind.
SheetScores rivalScores(const std::vector<RivalChart>& charts, const ScoreSheetState& here);

}  // namespace nk
