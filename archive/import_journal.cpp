// import_journal.cpp - the journal of an import: written first, replayed at
// the next start when a crash came between.
#include "archive/import_journal.h"

#include "archive/player_files.h"
#include "data/score_backup.h"
#include "platform/file_presence.h"
#include "platform/file_replace.h"
#include "platform/native_file.h"

namespace nk {
namespace {

constexpr const char* OrderName = "order.txt";
const std::string NewPrefix = "new/";
const std::string OldPrefix = "old/";

// The folders a path lies in, made when missing.
bool makeFoldersOf(const std::string& path, std::string& cause) {
  for (size_t slash = path.find('/'); slash != std::string::npos; slash = path.find('/', slash + 1))
    if (!makeFolder(path.substr(0, slash), cause)) return false;
  return true;
}

bool writeFile(const std::string& path, const std::string& bytes, std::string& failure) {
  std::string cause;
  if (!makeFoldersOf(path, cause)) {
    failure = "フォルダー " + path.substr(0, path.rfind('/')) + " を作れません（" + cause + "）。";
    return false;
  }
  const FileWriteResult written = replaceFileContents(path, bytes);
  failure = written.failure;
  return written.ok;
}

// The journal is done with: removed, or where it cannot be, emptied, which
// the next start passes over as no journal.
void dropJournal() {
  std::string cause;
  if (!removeFile(ImportJournalName, cause)) replaceFileContents(ImportJournalName, "");
}

// Puts back what the first `written` writes changed; false when a file could
// not be put back.
bool undoWrites(const ImportPlan& plan, size_t written, const DataFiles& old) {
  bool undone = true;
  for (size_t i = 0; i < written; ++i) {
    const std::string& path = plan.writes[i].first;
    const auto before = old.files.find(OldPrefix + path);
    std::string cause;
    if (before != old.files.end()) {
      undone = replaceFileContents(path, before->second).ok && undone;
    } else if (isNormalFile(path) && !removeFile(path, cause)) {
      undone = false;
    }
  }
  return undone;
}

}  // namespace

AppliedImport applyImport(const ImportPlan& plan, const DataFiles& here, const Moment& now) {
  if (!plan.failure.empty()) return {false, plan.failure, {}};
  const GatheredData current = gatherPlayerData(now);
  if (!current.failure.empty()) return {false, current.failure + "何も変えていません。", {}};
  if (current.data.files != here.files)
    return {false, "読み込みの準備のあとで、ほかのウィンドウがデータを変えました。何も変えていません。もう一度読み込んでください。", {}};
  if (plan.writes.empty()) return {true, {}, {}};

  DataFiles journal{now, {}};
  std::string order;
  for (const auto& [path, bytes] : plan.writes) {
    journal.files[NewPrefix + path] = bytes;
    if (const auto old = here.files.find(path); old != here.files.end()) journal.files[OldPrefix + path] = old->second;
    order += path + "\r\n";
  }
  journal.files[OrderName] = order;
  if (const std::string tooLarge = zipBoundsFailure(journal, JournalBounds); !tooLarge.empty())
    return {false, "読み込んだあとのファイルが大きすぎて、" + std::string(ImportJournalName) + " に入りません（" + tooLarge +
                       "）。何も変えていません。", {}};
  const FileWriteResult kept = replaceFileContents(ImportJournalName, dataZipBytes(journal));
  if (!kept.ok) return {false, kept.failure + "何も変えていません。", {}};

  std::vector<KeptBackup> backups;
  std::string warning;
  for (const auto& [path, bytes] : plan.writes) {
    const PlayerFile* file = playerFileAt(path);
    const auto old = here.files.find(path);
    if (!file || file->kind != PlayerFileKind::Scores || old == here.files.end()) continue;
    backups.push_back(keepBackup(file->versionNumber, old->second, now));
    if (!backups.back().failure.empty() && warning.empty()) warning = backups.back().failure;
  }
  for (size_t i = 0; i < plan.writes.size(); ++i) {
    std::string failure;
    if (writeFile(plan.writes[i].first, plan.writes[i].second, failure)) continue;
    if (!undoWrites(plan, i + 1, journal))
      return {false, failure + "元に戻せなかったファイルがあります。次にプログラムを起動したとき、読み込みを終えます。", {}};
    for (auto backup = backups.rbegin(); backup != backups.rend(); ++backup) dropBackup(*backup);
    dropJournal();
    return {false, failure + "何も変えていません。", {}};
  }
  dropJournal();
  return {true, {}, warning};
}

namespace {

// The journal's bytes; false when it is no file, cannot be read now, or is
// larger than any journal this program writes (too large is dropped).
bool readJournal(std::string& bytes) {
  if (!isNormalFile(ImportJournalName)) return false;
  bool tooLarge = false;
  {
    InputFile file(ImportJournalName);
    if (file.outcome() != FileRead::Read) return false;
    tooLarge = static_cast<uint64_t>(file.size()) > LargestJournalFile;
    if (!tooLarge && !file.readAt(0, static_cast<size_t>(file.size()), bytes)) return false;
  }
  if (tooLarge) dropJournal();
  return !tooLarge;
}

}  // namespace

std::string finishPendingImport() {
  std::string bytes;
  if (!readJournal(bytes)) return {};
  // Empty: an import that finished. Not whole: one that never began to
  // change a file, since the journal is complete before the first write.
  const ReadDataZip journal = readDataZip(bytes, JournalBounds);
  if (!journal.data || !journal.data->files.contains(OrderName)) {
    dropJournal();
    return {};
  }
  const std::map<std::string, std::string>& files = journal.data->files;
  const std::string& order = files.at(OrderName);
  std::vector<std::string> paths;
  for (size_t start = 0, end; (end = order.find("\r\n", start)) != std::string::npos; start = end + 2)
    paths.push_back(order.substr(start, end - start));
  for (const std::string& path : paths)
    if (!playerFileAt(path) || !files.contains(NewPrefix + path)) {
      dropJournal();  // not one this program wrote: nothing of it is written
      return {};
    }
  for (const std::string& path : paths) {
    std::string failure;
    if (!writeFile(path, files.at(NewPrefix + path), failure))
      return "前回中断したデータの読み込みを終えられません。" + failure;
  }
  dropJournal();
  return "前回中断したデータの読み込みを終えました。";
}

}  // namespace nk
