// kept_masters.cpp - keeping the last good master lists, and reading them back.
#include "load/kept_masters.h"

#include "data/check_sum.h"
#include "data/display_text.h"
#include "data/numeric.h"
#include "data/text_file.h"
#include "diag/runtime_error.h"
#include "domain/master_files.h"
#include "net/fetch_limits.h"
#include "platform/file_name.h"
#include "platform/file_replace.h"
#include "platform/native_file.h"

#include <string_view>

namespace nk {
namespace {

// The stamp's line of one file: "songlist.dat,1234,<check sum>".
std::string stampLine(const MasterFile& file, std::string_view bytes) {
  return std::string(file.testedName) + "," + std::to_string(bytes.size()) + "," + checkSumText(bytes) + "\r\n";
}

// The moment of a stamp's first line, "received,<ISO 8601>" and CR LF.
std::optional<Moment> receivedMoment(std::string_view stamp) {
  constexpr std::string_view Received = "received,";
  const size_t end = stamp.find("\r\n");
  if (end == std::string_view::npos || !stamp.starts_with(Received)) return std::nullopt;
  return parseIsoMoment(stamp.substr(Received.size(), end - Received.size()));
}

// Every byte of a file of the set, when it is there and within most bytes.
bool readSetFile(const std::string& path, int64_t most, std::string& bytes) {
  std::string cause;
  int64_t size = 0;
  return readFileWithin(path, most, bytes, size, cause) == BoundedRead::Read;
}

bool readMasterFile(const std::string& path, std::string& bytes) {
  return readSetFile(path, static_cast<int64_t>(MasterFileSizeLimit), bytes);
}

std::string keptPath(int16_t versionNumber, const char* name) {
  return keptMastersFolder(versionNumber) + "/" + name;
}

}  // namespace

std::string keptMastersFolder(int16_t versionNumber) { return "masters/ac" + decimalText(versionNumber); }

std::optional<std::string> keepMasterFiles(int16_t versionNumber, const Moment& received) {
  const auto failed = [](const std::string& why) {
    return std::optional<std::string>(why + "受信したマスターデータは保存していません。");
  };
  std::string cause;
  const std::string folder = keptMastersFolder(versionNumber);
  if (!makeFolder("masters", cause) || !makeFolder(folder, cause))
    return failed("フォルダー " + folder + " を作れません（" + cause + "）。");
  std::string stamp = "received," + isoText(received) + "\r\n";
  for (const MasterFile& file : MasterFiles) {
    std::string bytes;
    if (!readWholeFile(file.localPath, bytes, cause))
      return failed("ファイル " + displayFileName(file.localPath) + " を読めません（" + cause + "）。");
    const FileWriteResult written = replaceFileContents(keptPath(versionNumber, file.testedName), bytes);
    if (!written.ok) return failed(written.failure);
    stamp += stampLine(file, bytes);
  }
  const FileWriteResult written = replaceFileContents(keptPath(versionNumber, KeptStampName), stamp);
  if (!written.ok) return failed(written.failure);
  return std::nullopt;
}

std::optional<KeptMasters> readKeptMasters(int16_t versionNumber) {
  std::string stamp;
  if (!readSetFile(keptPath(versionNumber, KeptStampName), MostStampBytes, stamp)) return std::nullopt;
  std::array<std::string, 4> files;
  for (size_t i = 0; i < MasterFiles.size(); ++i)
    if (!readMasterFile(keptPath(versionNumber, MasterFiles[i].testedName), files[i])) return std::nullopt;
  return keptSetOf(stamp, files);
}

std::optional<KeptMasters> keptSetOf(std::string_view stamp, const std::array<std::string, 4>& files) {
  const std::optional<Moment> moment = receivedMoment(stamp);
  if (!moment) return std::nullopt;
  std::string expected(stamp.substr(0, stamp.find("\r\n") + 2));
  for (size_t i = 0; i < MasterFiles.size(); ++i) expected += stampLine(MasterFiles[i], files[i]);
  if (expected != stamp) return std::nullopt;
  return KeptMasters{*moment, files};
}

std::optional<KeptMasters> readBundledMasters(const std::string& folder, int16_t versionNumber) {
  if (folder.empty()) return std::nullopt;
  std::string stamp;
  if (!readSetFile(folder + "/" + KeptStampName, MostStampBytes, stamp)) return std::nullopt;
  const std::optional<Moment> moment = receivedMoment(stamp);
  if (!moment) return std::nullopt;
  // The package was made elsewhere: its moment is told in this PC's time.
  KeptMasters bundled{localMoment(moment->utc), {}};
  for (size_t i = 0; i < MasterFiles.size(); ++i)
    if (!readMasterFile(folder + "/" + MasterFiles[i].serverPath(versionNumber), bundled.files[i]))
      return std::nullopt;
  return bundled;
}

void restoreKeptMasters(const KeptMasters& kept) {
  for (size_t i = 0; i < MasterFiles.size(); ++i) {
    const FileWriteResult written = replaceFileContents(MasterFiles[i].localPath, kept.files[i]);
    if (!written.ok) throw RuntimeError(written.failure);
  }
}

Question keptMastersQuestion(const KeptMasters& kept) {
  return {"前回受信したマスターデータ（" + minuteText(kept.received) + " 受信）で開きますか？",
          "マスターデータ",
          MsgIcon::None,
          {"はい", "いいえ"},
          OpenKept,
          EndWithoutKept};
}

std::string keptMastersStatus(const KeptMasters& kept) {
  return "前回受信したデータ（" + minuteText(kept.received) + "）を表示中";
}

}  // namespace nk
