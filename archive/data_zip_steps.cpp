// data_zip_steps.cpp - export and import as steps with their boxes.
#include "archive/data_zip_steps.h"

#include "archive/import_journal.h"
#include "archive/player_files.h"
#include "data/score_backup.h"

namespace nk {
namespace {

// Every import that stops before writing says so after its cause.
Notice notImported(const std::string& cause) {
  return {ImportTitle, cause + "\n読み込んでいません。", MsgIcon::Exclamation};
}

}  // namespace

ExportOutcome exportData(const std::string& path, const Moment& now) {
  size_t files = 0;
  const std::string failure = exportPlayerData(path, now, files);
  if (!failure.empty()) return {false, {ExportTitle, failure, MsgIcon::Exclamation}};
  return {true, {ExportTitle, "データを書き出しました（ファイル " + std::to_string(files) + " 個）。\n" + path, MsgIcon::None}};
}

ImportReview reviewImport(const std::string& path, const Moment& now) {
  ImportReview review;
  ReadDataZip zip = readDataZipFile(path);
  if (!zip.data) {
    review.failure = notImported(zip.failure);
    return review;
  }
  GatheredData here = gatherPlayerData(now);
  if (!here.failure.empty()) {
    review.failure = notImported(here.failure);
    return review;
  }
  review.plan = planImport(*zip.data, here.data);
  if (!review.plan.failure.empty()) {
    review.failure = notImported(review.plan.failure);
    return review;
  }
  review.imported = std::move(*zip.data);
  review.here = std::move(here.data);
  return review;
}

ImportOutcome applyImportReview(const ImportReview& review, const Moment& now) {
  const AppliedImport applied = applyImport(review.plan, review.here, now);
  if (!applied.ok) return {false, {{ImportTitle, applied.failure, MsgIcon::Exclamation}}};
  ImportOutcome outcome{true, {{ImportTitle, importDoneText(review.plan), MsgIcon::None}}};
  if (!applied.warning.empty()) outcome.notices.push_back({BackupFailureTitle, applied.warning, MsgIcon::Exclamation});
  return outcome;
}

}  // namespace nk
