// data_zip_steps.h - the player's data carried to another PC, step by step
// as the sheet's tools run it: every version's files written into one zip,
// and such a zip read, compared with the files here and, once the player
// agreed to the changes shown, written into the working folder.
//
// Each step returns what happened and the boxes to show (notice.h); the
// window only asks (the file, the agreement) and shows. An import that
// cannot go ahead says why and that nothing was read, in one form whatever
// failed: the zip, the files here, or the comparison. An applied import
// returns its report and, after it, the warning of a score file's backup
// that could not be made; the sheet takes the new scores between applying
// and showing, so that the boxes come over an up-to-date sheet.
#pragma once

#include "archive/data_merge.h"
#include "data/moment.h"
#include "toolkit/notice.h"

#include <optional>
#include <string>
#include <vector>

namespace nk {

struct ExportOutcome {
  bool ok = false;
  Notice notice;  // how many files went where, or why none did
};
// Writes the player's data of every version into the zip at path.
ExportOutcome exportData(const std::string& path, const Moment& now);

// A zip read and compared with the files here, for the player to review.
struct ImportReview {
  std::optional<Notice> failure;  // set when there is nothing to review
  DataFiles imported;
  DataFiles here;  // the files the plan was made against, which the import rewrites
  ImportPlan plan;
};
ImportReview reviewImport(const std::string& path, const Moment& now);

struct ImportOutcome {
  bool ok = false;              // the files were written: the sheet takes its new scores
  std::vector<Notice> notices;  // in the order they are shown
};
// Writes what review planned (which must have no failure).
ImportOutcome applyImportReview(const ImportReview& review, const Moment& now);

}  // namespace nk
