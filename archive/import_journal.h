// import_journal.h - applying an import whole or not at all.
//
// Before the first file changes, a journal "norukaku-import.zip" beside the
// score files holds every file's new bytes, the old bytes of those that
// exist, and the order to write them; it is written crash-safe and durable.
// Then each file is replaced crash-safe, and last the journal is removed. A
// failure on the way puts the old files back. A crash (or an undo that
// failed) leaves the journal, and the next start of the program writes its
// new files again and removes it: a half-applied import is never what the
// player finds.
#pragma once

#include "archive/data_merge.h"
#include "archive/data_zip.h"
#include "data/moment.h"

#include <string>

namespace nk {

inline constexpr const char* ImportJournalName = "norukaku-import.zip";
// The journal holds, for each file an import writes, its new bytes and its
// old ones. A file joined from this PC's and the zip's is at most twice the
// largest a data zip holds, and all of them together at most this PC's data
// twice and the zip's once. An import whose journal would be larger is
// refused before anything is written, so a larger journal is none of ours.
inline constexpr ZipBounds JournalBounds{2 * MostZippedFiles + 2, 2 * LargestZippedFile, 4 * LargestZippedTotal};
inline constexpr uint64_t LargestJournalFile = JournalBounds.largestTotal + (uint64_t{1} << 20);

struct AppliedImport {
  bool ok = false;
  std::string failure;  // why not, for the player, when not ok
  std::string warning;  // when ok: a score file's backup that could not be made
};

// Writes the plan's files. here is what the plan was worked out from: when a
// file of it has changed since (another window saved), nothing is written.
// A score file that the import replaces is kept as a backup first, as a save
// keeps it (data/score_backup.h), so that "直前の保存を取り消す" undoes the
// import of the open sheet's version too.
AppliedImport applyImport(const ImportPlan& plan, const DataFiles& here, const Moment& now);

// At the program's start, before any sheet opens: finishes an import that a
// crash left half applied. Empty when there was none; else a sentence for
// the player.
std::string finishPendingImport();

}  // namespace nk
