// sheet_lock.h - one version's sheet open in two windows at once.
//
// A lock file beside the score file ("ac13score.csv.lock") marks the sheet
// of that version as open. A second window (of this program or another copy
// of it) that finds the lock held asks the player whether to go on; saves
// then merge what the other window wrote (sheet/score_merge.h). A lock left
// by a copy that crashed, or by a machine since restarted, is taken over
// without a question. The lock is advice only: nothing stops a save.
#pragma once

#include "domain/arcade_version.h"
#include "toolkit/toolkit.h"

#include <memory>
#include <string>

class QLockFile;

namespace nk {

class SheetLock {
public:
  SheetLock();
  ~SheetLock();
  SheetLock(const SheetLock&) = delete;
  SheetLock& operator=(const SheetLock&) = delete;

  // Takes the lock of version's sheet in the working folder. False only when
  // a living window holds it; a folder that takes no lock file counts as
  // free, since then no other window could have marked it either.
  bool acquire(ArcadeVersion version);
  // Gives the lock up, if held; the next window opens without a question.
  void release();
  bool held() const;

private:
  std::unique_ptr<QLockFile> lock_;
};

// The lock file's name for version: the score file's name and ".lock".
std::string sheetLockFileName(ArcadeVersion version);

// The question of a window that finds the lock held.
enum SharedSheetAnswer : std::size_t { GoOn, StayAway };
Question sharedSheetQuestion(ArcadeVersion version);

}  // namespace nk
