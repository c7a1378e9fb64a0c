// score_backup.cpp - the backups' names, the keeping rule and the folder.
#include "data/score_backup.h"

#include "data/numeric.h"
#include "platform/file_replace.h"
#include "platform/native_file.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace nk {
namespace {

using namespace std::chrono;

// Digits only, exactly count of them.
std::optional<int> digits(std::string_view text, size_t count) {
  if (text.size() != count) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::string prefixOf(int16_t versionNumber) { return "ac" + decimalText(versionNumber) + "score-"; }

}  // namespace

std::string backupFileName(int16_t versionNumber, local_seconds time, int sequence) {
  const local_days day = floor<days>(time);
  const year_month_day date{day};
  const hh_mm_ss clock{time - day};
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%04d%02u%02u-%02ld%02ld%02ld", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<long>(clock.hours().count()), static_cast<long>(clock.minutes().count()),
                static_cast<long>(clock.seconds().count()));
  return prefixOf(versionNumber) + stamp + (sequence > 1 ? "-" + decimalText(sequence) : "") + ".csv";
}

std::optional<BackupName> parseBackupName(std::string_view name, int16_t versionNumber) {
  const std::string prefix = prefixOf(versionNumber);
  if (!name.starts_with(prefix) || !name.ends_with(".csv")) return std::nullopt;
  const std::string_view stamp = name.substr(prefix.size(), name.size() - prefix.size() - 4);
  // "20261208-203015" and, for a later save in the same second, "-2" ….
  if (stamp.size() < 15 || stamp[8] != '-') return std::nullopt;
  const auto y = digits(stamp.substr(0, 4), 4), mo = digits(stamp.substr(4, 2), 2), d = digits(stamp.substr(6, 2), 2);
  const auto h = digits(stamp.substr(9, 2), 2), mi = digits(stamp.substr(11, 2), 2), s = digits(stamp.substr(13, 2), 2);
  if (!y || !mo || !d || !h || !mi || !s || *h > 23 || *mi > 59 || *s > 59) return std::nullopt;
  const year_month_day date{year{*y}, month{static_cast<unsigned>(*mo)}, day{static_cast<unsigned>(*d)}};
  if (!date.ok()) return std::nullopt;
  int sequence = 1;
  if (stamp.size() > 15) {
    const std::string_view more = stamp.substr(15);
    const auto n = more.size() >= 2 && more[0] == '-' && more[1] != '0' ? digits(more.substr(1), more.size() - 1)
                                                                        : std::nullopt;
    if (!n || *n < 2 || more.size() > 5) return std::nullopt;
    sequence = *n;
  }
  BackupName parsed{std::string(name), local_days{date} + hours{*h} + minutes{*mi} + seconds{*s}, sequence};
  // One name for one backup: "…-1.csv" or a padded sequence is not ours.
  if (backupFileName(versionNumber, parsed.time, sequence) != name) return std::nullopt;
  return parsed;
}

std::string backupPath(const std::string& name) { return std::string(BackupFolder) + "/" + name; }

std::vector<std::string> backupsToRemove(std::vector<BackupName> backups, local_days today) {
  std::sort(backups.begin(), backups.end(), [](const BackupName& a, const BackupName& b) { return a.newerThan(b); });
  std::set<local_days> daysKept;
  std::vector<std::string> removed;
  for (size_t i = 0; i < backups.size(); ++i) {
    const local_days day = floor<days>(backups[i].time);
    const bool recentDay = day > today - days{BackupDaysKept} && daysKept.insert(day).second;
    if (i < BackupsKept || recentDay) continue;
    removed.push_back(backups[i].name);
  }
  return removed;
}

std::vector<BackupName> listBackups(int16_t versionNumber, std::string& failure) {
  std::vector<BackupName> backups;
  std::vector<std::string> names;
  std::string cause;
  const FileRead listed = listFolderFiles(BackupFolder, names, cause);
  if (listed == FileRead::Missing) return backups;
  if (listed == FileRead::Failed) {
    failure = "フォルダー " + std::string(BackupFolder) + " を読めません（" + cause + "）。";
    return backups;
  }
  for (const std::string& name : names)
    if (auto parsed = parseBackupName(name, versionNumber)) backups.push_back(std::move(*parsed));
  std::sort(backups.begin(), backups.end(), [](const BackupName& a, const BackupName& b) { return a.newerThan(b); });
  return backups;
}

KeptBackup keepBackup(int16_t versionNumber, std::string_view bytes, const Moment& at) {
  KeptBackup kept;
  const auto failed = [&kept](const std::string& why) {
    kept.failure = "点数は保存しましたが、保存前の点数のバックアップを作れませんでした。" + why;
    return kept;
  };
  std::string cause;
  std::vector<std::string> names;
  kept.madeFolder = listFolderFiles(BackupFolder, names, cause) == FileRead::Missing;
  if (!makeFolder(BackupFolder, cause)) {
    kept.madeFolder = false;
    return failed("フォルダー " + std::string(BackupFolder) + " を作れません（" + cause + "）。");
  }
  std::string failure;
  std::vector<BackupName> backups = listBackups(versionNumber, failure);
  if (!failure.empty()) return failed(failure);
  const local_seconds time = at.local();
  int sequence = 1;
  for (const BackupName& b : backups)
    if (b.time == time) sequence = std::max(sequence, b.sequence + 1);
  BackupName made{backupFileName(versionNumber, time, sequence), time, sequence};
  const FileWriteResult written = replaceFileContents(backupPath(made.name), bytes);
  if (!written.ok) return failed(written.failure);
  kept.path = backupPath(made.name);
  backups.push_back(std::move(made));
  for (const std::string& name : backupsToRemove(std::move(backups), floor<days>(time)))
    [[maybe_unused]] const bool removed = removeFile(backupPath(name), cause);
  return kept;
}

void dropBackup(const KeptBackup& kept) {
  std::string cause;
  if (!kept.path.empty()) [[maybe_unused]] const bool removed = removeFile(kept.path, cause);
  if (kept.madeFolder) [[maybe_unused]] const bool removed = removeEmptyFolder(BackupFolder, cause);
}

}  // namespace nk
