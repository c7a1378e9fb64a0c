// rival_steps.h - what the rivals' window calls: adding a rival from a
// friend's file in one step, and a kept rival's scores on the sheet as it
// stands. Each returns its outcome and the player's texts; nothing here shows
// anything.
#pragma once

#include "data/score_state.h"
#include "data/sheet_catalogue.h"
#include "rival/rival_match.h"
#include "rival/rival_store.h"

#include <optional>
#include <string>

namespace nk {

struct RivalAdded {
  bool ok = false;
  // Refused: why, and nothing was kept.
  std::string failure;
  MatchedRival matched;
  KeptRivalOutcome kept;
  // The box when done: what changed, then how the file was read, then what
  // could not be placed, a blank line between them.
  std::string text;
};
// Reads the friend's file at path for the sheet of here, matches it to the
// sheet's lists and keeps it as the rival name (replacing one of that name).
// A file of which no score finds a chart here is refused.
RivalAdded addRival(const std::string& path, const std::string& name, const ScoreSheetState& here);

struct RivalOnSheet {
  std::optional<SheetScores> scores;  // EntryCount of each kind
  MatchedRival placed;
  std::string failure;
};
// The kept rival's scores on the sheet of here.
RivalOnSheet rivalOnSheet(const std::string& name, const ScoreSheetState& here);

// The kept rivals that a day passed, in name order: their total on the sheet
// of here at or above the day's start total and below its end total (their
// scores as kept now). A rival whose file cannot be read is left out.
std::vector<std::string> rivalsPassed(const ScoreSheetState& here, int64_t startTotal, int64_t endTotal);

}  // namespace nk
