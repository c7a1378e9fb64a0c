// sheet_lock.cpp - the lock file of an open sheet, on QLockFile.
#include "sheet/sheet_lock.h"

#include "domain/server_paths.h"

#include <QLockFile>
#include <QString>

namespace nk {

SheetLock::SheetLock() = default;
SheetLock::~SheetLock() = default;

std::string sheetLockFileName(ArcadeVersion version) {
  return scoreFileNameFor(static_cast<int16_t>(version.VersionCode - 100)) + ".lock";
}

bool SheetLock::acquire(ArcadeVersion version) {
  release();
  lock_ = std::make_unique<QLockFile>(QString::fromStdString(sheetLockFileName(version)));
  // A sheet stays open for hours: only a dead holder makes the lock stale,
  // never its age.
  lock_->setStaleLockTime(0);
  if (lock_->tryLock(0)) return true;
  const bool heldByOther = lock_->error() == QLockFile::LockFailedError;
  lock_.reset();
  return !heldByOther;
}

void SheetLock::release() {
  if (lock_) lock_->unlock();
  lock_.reset();
}

bool SheetLock::held() const { return lock_ && lock_->isLocked(); }

Question sharedSheetQuestion(ArcadeVersion version) {
  return Question{versionLabel(version) +
                      " の自己ベストスコアは、別のウィンドウでも開かれています。"
                      "続けると、保存のときに別のウィンドウが保存した点数と合わせて保存します。",
                  "同時に開いています",
                  MsgIcon::Exclamation,
                  {"続ける", "やめる"},
                  GoOn,
                  StayAway};
}

}  // namespace nk
