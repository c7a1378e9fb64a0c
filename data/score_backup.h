// score_backup.h - the score file as it was before each save, kept in a
// folder of its own beside it ("scorebackup/"), one file per save, named
// with the version and the save's time on its clock:
// "ac13score-20261208-203015.csv" ("-2", "-3" … after it for saves within the
// same second). The bytes are the file's own, so a backup reads back as the
// score file does.
//
// Kept: the newest BackupsKept backups, and the newest backup of each of the
// last BackupDaysKept days (today included); the save that makes a backup
// removes the others, only names of the version's own pattern, only in that
// folder. A backup is written crash-safe and durable (file_replace.h) before
// the save replaces the score file.
#pragma once

#include "data/moment.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nk {

inline constexpr const char* BackupFolder = "scorebackup";
inline constexpr size_t BackupsKept = 20;
inline constexpr int BackupDaysKept = 60;

struct BackupName {
  std::string name;                  // "ac13score-20261208-203015-2.csv"
  std::chrono::local_seconds time{};  // of the save, on its clock
  int sequence = 1;                  // 2 for "-2"

  // Newer: a later time, or a later save in the same second.
  bool newerThan(const BackupName& other) const {
    return time != other.time ? time > other.time : sequence > other.sequence;
  }
};

// The file name of the version's backup at that time (and sequence).
std::string backupFileName(int16_t versionNumber, std::chrono::local_seconds time, int sequence = 1);
// The backup that the name is of the version's; nothing for any other name.
std::optional<BackupName> parseBackupName(std::string_view name, int16_t versionNumber);
// The path of a backup: "scorebackup/<name>".
std::string backupPath(const std::string& name);

// Of the version's backups, those that the keeping rule removes once today
// is the local day given.
std::vector<std::string> backupsToRemove(std::vector<BackupName> backups, std::chrono::local_days today);

// The version's backups, newest first; an empty list with failure set when
// the folder cannot be read (none at all when it is missing).
std::vector<BackupName> listBackups(int16_t versionNumber, std::string& failure);

// Keeps bytes (the score file before a save at the moment given) as a new
// backup and removes what the keeping rule says. A backup that cannot be
// removed stays.
struct KeptBackup {
  std::string failure;  // empty on success; else why not, ready for the player
  std::string path;     // of the backup made
  bool madeFolder = false;
};
KeptBackup keepBackup(int16_t versionNumber, std::string_view bytes, const Moment& at);
// A save that failed after keepBackup leaves nothing behind: its backup
// goes, and the folder when it made it (and it is empty). The older backups
// it removed stay removed: the keeping rule would remove them next time.
void dropBackup(const KeptBackup& kept);

// The title of the warning after "保存完了" when keepBackup failed.
inline constexpr const char* BackupFailureTitle = "バックアップ失敗";

}  // namespace nk
