// data_merge.h - what an import of the player's data does to what this PC
// holds, worked out before anything changes.
//
// Nothing is replaced silently. Per version:
// - scores, chart by chart: where the two differ, the later change wins when
//   both logs of improvements say when (a log says when when its newest
//   record of the chart ends at the score its file holds), otherwise the
//   higher score; this PC's score stays on a tie;
// - the logs of improvements and the histories of totals are joined: every
//   record of either, in time order, each once;
// - the target total: this PC's stays; the zip's is taken where there is none;
// - the kept master lists: the set received later, whole.
// A file of the zip or of this PC that cannot be read refuses the import.
#pragma once

#include "archive/data_zip.h"
#include "data/score_state.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace nk {

enum class ChangeReason { LaterChange, HigherScore };

// A chart whose score the import changes.
struct ChartChange {
  int16_t versionNumber = 0;
  int16_t entryNo = 0;  // 1-based, as in the score file
  Chart chart = Chart::Normal;
  std::string title;    // the song's, when the version's master lists are at hand
  int32_t here = 0;     // on this PC now
  int32_t imported = 0; // after the import
  ChangeReason reason = ChangeReason::HigherScore;
  bool operator==(const ChartChange&) const = default;
};

struct ImportPlan {
  std::vector<ChartChange> changes;
  // Charts whose score differs in the zip, but this PC's stays.
  size_t chartsKept = 0;
  // The files to write, path and new bytes, in the order to write them.
  std::vector<std::pair<std::string, std::string>> writes;
  // One line per version and kind of file that changes, for the player.
  std::vector<std::string> notes;
  // Why the import cannot be done; empty when it can.
  std::string failure;
};

ImportPlan planImport(const DataFiles& imported, const DataFiles& here);

// "後の変更" or "高い点数".
const char* reasonText(ChangeReason reason);

// The list of changes the player sees before the import: its columns and a
// change's cells (a title not at hand is "曲番号 17").
enum ImportColumn { ImportColVersion, ImportColTitle, ImportColChart, ImportColHere, ImportColImported, ImportColReason,
                    ImportColumns };
const char* importColumnName(int column);
std::vector<std::string> changeCells(const ChartChange& change);

// What the import does, above the list: the zip's moment, the notes, and
// how many charts keep this PC's score.
std::string importSummary(const ImportPlan& plan, const DataFiles& imported);
// The box after it was done.
std::string importDoneText(const ImportPlan& plan);

}  // namespace nk
