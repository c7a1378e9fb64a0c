// save_records.h - what a save of the score sheet adds beside the score file:
// to the history of totals (total_history.h) a record of the total's
// summary, which the history takes when it differs from its last record in
// anything but the time, and to the log of improvements (chart_changes.h)
// the charts whose scores changed.
//
// The history is the player's own addition beside the score file: nothing of
// the score file's save depends on it, and a history that cannot be written
// costs the player a warning, never the save.
#pragma once

#include "data/improvement_log.h"
#include "data/moment.h"
#include "data/total_history.h"
#include "data/score_state.h"
#include "data/sheet_catalogue.h"

#include <string>
#include <vector>

namespace nk {

inline constexpr const char* HistoryFailureTitle = "記録の保存失敗";

// The record of the sheet's current total at the moment now.
HistoryRecord historyRecordOf(const ScoreSheetState& s, const Moment& now);

struct HistorySaveResult {
  bool appended = false;
  // The warning's text when the history could not be read or written; empty otherwise.
  std::string failure;
};

// Run after the score file was saved: offers the record of now to the
// history of the sheet's version, which reads only its tail to compare.
HistorySaveResult recordSaveInHistory(const ScoreSheetState& s, const Moment& now);

// What a save adds beside the score file: the history's record (as
// recordSaveInHistory) and the log of improvements' records of the charts
// whose scores differ from before (the scores the file held until the save),
// all at the one moment now. One warning at most: the history's failure,
// else the log's (the player then knows that the records beside the score
// file were not written).
struct SaveRecords : HistorySaveResult {
  std::vector<Improvement> improvements;  // written to the log
};
SaveRecords recordSave(const ScoreSheetState& s, const SheetScores& before, const Moment& now);

}  // namespace nk
