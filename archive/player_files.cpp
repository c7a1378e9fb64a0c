// player_files.cpp - the files the player keeps, gathered and exported.
#include "archive/player_files.h"

#include "data/appended_log.h"
#include "data/improvement_log.h"
#include "data/total_history.h"
#include "data/target_total.h"
#include "domain/master_files.h"
#include "domain/server_paths.h"
#include "load/kept_masters.h"
#include "platform/file_name.h"
#include "platform/file_presence.h"
#include "platform/file_replace.h"
#include "platform/native_file.h"

#include <chrono>
#include <map>
#include <cstdio>

namespace nk {

const std::vector<PlayerFile>& playerFiles() {
  static const std::vector<PlayerFile> files = [] {
    std::vector<PlayerFile> all;
    for (const int16_t v : DataVersions) {
      all.push_back({scoreFileNameFor(v), PlayerFileKind::Scores, v});
      all.push_back({logFileName(HistoryFormat, v), PlayerFileKind::History, v});
      all.push_back({logFileName(ImprovementFormat, v), PlayerFileKind::Improvements, v});
      all.push_back({targetTotalFileName(v), PlayerFileKind::Target, v});
      for (const MasterFile& file : MasterFiles)
        all.push_back({keptMastersFolder(v) + "/" + file.testedName, PlayerFileKind::KeptMaster, v});
      all.push_back({keptMastersFolder(v) + "/" + KeptStampName, PlayerFileKind::KeptStamp, v});
    }
    return all;
  }();
  return files;
}

const PlayerFile* playerFileAt(const std::string& path) {
  for (const PlayerFile& file : playerFiles())
    if (file.path == path) return &file;
  return nullptr;
}

GatheredData gatherPlayerData(const Moment& now) {
  GatheredData gathered{{now, {}}, {}};
  std::map<int16_t, bool> completeSet;
  for (const PlayerFile& file : playerFiles()) {
    const bool kept = file.kind == PlayerFileKind::KeptMaster || file.kind == PlayerFileKind::KeptStamp;
    if (kept && !completeSet.contains(file.versionNumber))
      completeSet[file.versionNumber] = readKeptMasters(file.versionNumber).has_value();
    if (kept && !completeSet[file.versionNumber]) continue;  // no complete set to carry
    std::string bytes, cause;
    if (!isNormalFile(file.path)) continue;
    if (!readWholeFile(file.path, bytes, cause)) {
      gathered.failure = "ファイル " + displayFileName(file.path) + " を読めません（" + cause + "）。";
      return gathered;
    }
    gathered.data.files.emplace(file.path, std::move(bytes));
  }
  return gathered;
}

std::string exportPlayerData(const std::string& path, const Moment& now, size_t& files) {
  files = 0;
  const GatheredData gathered = gatherPlayerData(now);
  if (!gathered.failure.empty()) return gathered.failure + "書き出していません。";
  if (gathered.data.files.empty()) return "書き出すデータがありません。";
  if (const std::string tooLarge = zipBoundsFailure(gathered.data, DataZipBounds); !tooLarge.empty())
    return tooLarge + "書き出していません。";
  const FileWriteResult written = replaceFileContents(path, dataZipBytes(gathered.data));
  if (!written.ok) return written.failure;
  files = gathered.data.files.size();
  return {};
}

std::string exportFileName(const Moment& now) {
  const std::chrono::year_month_day day{std::chrono::floor<std::chrono::days>(now.local())};
  char name[40];
  std::snprintf(name, sizeof name, "norukaku-data-%04d%02u%02u.zip", static_cast<int>(day.year()),
                static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
  return name;
}

}  // namespace nk
