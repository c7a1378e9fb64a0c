// chart_changes.cpp - the records of a save and the last change of each chart.
#include "sheet/chart_changes.h"

#include "sheet/history_view.h"
#include "sheet/page_view.h"

#include <algorithm>

namespace nk {

std::vector<Improvement> improvementsOf(const ScoreSheetState& s, const std::vector<int32_t>& beforeNormal,
                                        const std::vector<int32_t>& beforeUra, std::time_t now) {
  const IsoMoment moment = parseIsoMoment(isoLocalTime(now)).value_or(IsoMoment{static_cast<int64_t>(now), 0});
  std::vector<Improvement> records;
  const size_t entries = std::min({s.EntryScore.size(), s.EntryScoreU.size(), beforeNormal.size(), beforeUra.size()});
  for (size_t e = 0; e < entries; ++e) {
    const auto entryNo = static_cast<int16_t>(e + 1);
    if (s.EntryScore[e] != beforeNormal[e])
      records.push_back({moment.epochSeconds, moment.offsetSeconds, entryNo, false, beforeNormal[e], s.EntryScore[e]});
    if (s.EntryScoreU[e] != beforeUra[e])
      records.push_back({moment.epochSeconds, moment.offsetSeconds, entryNo, true, beforeUra[e], s.EntryScoreU[e]});
  }
  return records;
}

void LastChanges::take(const std::vector<Improvement>& records) {
  for (const Improvement& record : records) {
    const auto e = static_cast<size_t>(record.entryNo - 1);
    if (record.entryNo < 1 || e >= normal_.size()) continue;
    (record.ura ? ura_ : normal_)[e] = record;
  }
}

const Improvement* LastChanges::of(size_t e, bool ura) const {
  const std::vector<Improvement>& charts = ura ? ura_ : normal_;
  if (e >= charts.size() || charts[e].entryNo == 0) return nullptr;
  return &charts[e];
}

LastChanges lastChangesFor(const ScoreSheetState& s) {
  LastChanges changes(s.EntryScore.size());
  changes.take(readImprovements(improvementFileNameFor(s.VersionNumber)).improvements);
  return changes;
}

std::array<std::array<std::string, 2>, RowsPerPage> pageChangeTips(const ScoreSheetState& s,
                                                                    const LastChanges& changes) {
  std::array<std::array<std::string, 2>, RowsPerPage> tips;
  for (int r = 0; r < RowsPerPage; ++r) {
    const int16_t position = rowPosition(s, r);
    if (position < 0 || position >= s.EntryCount || static_cast<size_t>(position) >= s.DisplayOrder.size()) continue;
    const auto e = static_cast<size_t>(s.DisplayOrder[static_cast<size_t>(position)]);
    for (bool ura : {false, true})
      if (const Improvement* change = changes.of(e, ura)) tips[static_cast<size_t>(r)][ura ? 1 : 0] = changeTip(*change);
  }
  return tips;
}

std::string changeDate(const Improvement& change) {
  HistoryEntry moment;
  moment.epochSeconds = change.epochSeconds;
  moment.offsetSeconds = change.offsetSeconds;
  return historyListTime(moment).substr(0, 10);
}

std::string changeTip(const Improvement& change) {
  return changeDate(change) + " 更新（" +
         signedGroupedDecimal(static_cast<int64_t>(change.after) - change.before) + "）";
}

}  // namespace nk
