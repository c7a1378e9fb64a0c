// chart_changes.h - what a save adds to the log of improvements
// (improvement_log.h), and what the sheet shows of it: when each chart's score
// last changed and from what.
//
// Like the history, the log is the player's own addition beside the score
// file: a log that cannot be written costs a warning, never the save.
#pragma once

#include "data/improvement_log.h"
#include "data/score_state.h"

#include <array>
#include <cstddef>
#include <ctime>
#include <string>
#include <vector>

namespace nk {

// The records of a save at the moment now: one per chart whose score differs
// between before (the scores the file held until the save) and the sheet's
// scores, in entry order, 表 before 裏.
std::vector<Improvement> improvementsOf(const ScoreSheetState& s, const std::vector<int32_t>& beforeNormal,
                                        const std::vector<int32_t>& beforeUra, std::time_t now);

// The last record of every chart of a sheet of `entries` entries.
class LastChanges {
public:
  LastChanges() = default;
  explicit LastChanges(size_t entries) : normal_(entries), ura_(entries) {}

  // Takes records in file order: a later one replaces an earlier one of its
  // chart. Records of entries the sheet does not have are passed over.
  void take(const std::vector<Improvement>& records);
  // The last change of entry e's chart (an index, not the entry number);
  // nothing when it never changed since the log began.
  const Improvement* of(size_t e, bool ura) const;

private:
  // entryNo 0: no change.
  std::vector<Improvement> normal_;
  std::vector<Improvement> ura_;
};

// The last changes of the sheet's charts, from its version's log; none when
// the log is missing or cannot be read (the history window says why).
LastChanges lastChangesFor(const ScoreSheetState& s);

// The tooltips of the current page's score boxes, [row][0] 表 and [row][1]
// 裏: changeTip of the chart's last change, empty for a chart never changed.
std::array<std::array<std::string, 2>, RowsPerPage> pageChangeTips(const ScoreSheetState& s,
                                                                    const LastChanges& changes);

// "2026-11-02": the date of the change on the clock of its save.
std::string changeDate(const Improvement& change);
// "2026-11-02 更新（+12,345）": when the chart's score was set, and by how much it moved.
std::string changeTip(const Improvement& change);

}  // namespace nk
