// chart_changes.cpp - the records of a save and the last change of each chart.
#include "data/chart_changes.h"

#include "data/display_text.h"
#include "data/sheet_catalogue.h"
#include "data/page_view.h"

#include <algorithm>

namespace nk {

std::vector<Improvement> improvementsOf(const ScoreSheetState& s, const SheetScores& before, const Moment& now) {
  std::vector<Improvement> records;
  const size_t entries = std::min({s.EntryScore.size(), s.EntryScoreU.size(), before.normal.size(), before.ura.size()});
  for (size_t e = 0; e < entries; ++e) {
    const auto entryNo = static_cast<int16_t>(e + 1);
    if (s.EntryScore[e] != before.normal[e]) records.push_back({now, entryNo, Chart::Normal, before.normal[e], s.EntryScore[e]});
    if (s.EntryScoreU[e] != before.ura[e]) records.push_back({now, entryNo, Chart::Ura, before.ura[e], s.EntryScoreU[e]});
  }
  return records;
}

Improvement* LastChanges::slotOf(const Improvement& record) {
  const auto e = static_cast<size_t>(record.entryNo - 1);
  if (record.entryNo < 1 || e >= normal_.size()) return nullptr;
  return &(record.chart == Chart::Ura ? ura_ : normal_)[e];
}

void LastChanges::take(const std::vector<Improvement>& records) {
  for (const Improvement& record : records)
    if (Improvement* slot = slotOf(record)) *slot = record;
}

bool LastChanges::takeOlder(const Improvement& record) {
  Improvement* slot = slotOf(record);
  if (!slot || slot->entryNo != 0) return false;
  *slot = record;
  return true;
}

const Improvement* LastChanges::of(size_t e, Chart chart) const {
  const std::vector<Improvement>& charts = chart == Chart::Ura ? ura_ : normal_;
  if (e >= charts.size() || charts[e].entryNo == 0) return nullptr;
  return &charts[e];
}

LastChanges lastChangesFor(const ScoreSheetState& s, uint64_t window) {
  LastChanges changes(s.EntryScore.size());
  size_t missing = changes.charts();
  if (missing == 0) return changes;
  std::string cause;
  const FileRead read = readNewestImprovements(logFileName(ImprovementFormat, s.VersionNumber), window,
                                               [&](const Improvement& record) {
                                                 if (changes.takeOlder(record)) --missing;
                                                 return missing > 0;
                                               },
                                               cause);
  return read == FileRead::Failed ? LastChanges(s.EntryScore.size()) : changes;
}

std::array<std::array<std::string, 2>, RowsPerPage> pageChangeTips(const ScoreSheetState& s,
                                                                    const LastChanges& changes) {
  std::array<std::array<std::string, 2>, RowsPerPage> tips;
  for (int r = 0; r < RowsPerPage; ++r) {
    const int16_t position = rowPosition(s, r);
    if (position < 0 || position >= s.EntryCount || static_cast<size_t>(position) >= s.DisplayOrder.size()) continue;
    const size_t e = entryAt(s, static_cast<size_t>(position));
    for (const Chart chart : {Chart::Normal, Chart::Ura})
      if (const Improvement* change = changes.of(e, chart))
        tips[static_cast<size_t>(r)][isUra(chart) ? 1 : 0] = changeTip(*change);
  }
  return tips;
}

std::string changeTip(const Improvement& change) {
  return dateText(change.time) + " 更新（" + signedGroupedDecimal(static_cast<int64_t>(change.after) - change.before) +
         "）";
}

}  // namespace nk
