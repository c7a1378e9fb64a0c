// rival_steps.cpp - adding a rival, and a kept rival on the sheet.
#include "rival/rival_steps.h"

#include "rival/rival_source.h"
#include "rival/rival_text.h"
#include "total/total_breakdown.h"

namespace nk {

RivalAdded addRival(const std::string& path, const std::string& name, const ScoreSheetState& here) {
  RivalAdded added;
  if (added.failure = rivalNameFailure(name); !added.failure.empty()) return added;
  const ReadRivalSource read = readRivalSource(path, here.VersionNumber);
  if (!read.source) return added.failure = read.failure, added;
  added.matched = matchRival(*read.source, here);
  const std::string unmatched = unmatchedText(added.matched.unmatched);
  if (added.matched.charts.empty()) {
    added.failure = noRivalScoresText(fileNameOf(path), here.VersionNumber);
    if (!unmatched.empty()) added.failure += "\r\n\r\n" + unmatched;
    return added;
  }
  added.kept = keepRival(here.VersionNumber, {name, added.matched.onThisPcLists, added.matched.charts}, here);
  if (!added.kept.ok) return added.failure = added.kept.failure, added;
  added.ok = true;
  added.text = rivalChangesText(added.kept.name, added.kept);
  if (added.matched.onThisPcLists) added.text += "\r\n\r\n" + onThisPcListsText();
  if (!unmatched.empty()) added.text += "\r\n\r\n" + unmatched;
  return added;
}

RivalOnSheet rivalOnSheet(const std::string& name, const ScoreSheetState& here) {
  RivalOnSheet on;
  const LoadedRival loaded = loadRival(here.VersionNumber, name);
  if (!loaded.rival) return on.failure = loaded.failure, on;
  on.placed = placeRivalCharts(loaded.rival->charts, here);
  on.placed.onThisPcLists = loaded.rival->onThisPcLists;
  on.scores = rivalScores(on.placed.charts, here);
  return on;
}

std::vector<std::string> rivalsPassed(const ScoreSheetState& here, int64_t startTotal, int64_t endTotal) {
  std::vector<std::string> passed;
  if (endTotal <= startTotal) return passed;
  for (const std::string& name : rivalNames(here.VersionNumber).names) {
    const RivalOnSheet on = rivalOnSheet(name, here);
    if (!on.scores) continue;
    const int64_t theirs = computeTotalBreakdown(here, *on.scores).total;
    if (startTotal <= theirs && theirs < endTotal) passed.push_back(name);
  }
  return passed;
}

}  // namespace nk
