// data_zip.cpp - the zip of the player's data and its manifest.
#include "archive/data_zip.h"

#include "archive/zip_writer.h"
#include "data/check_sum.h"
#include "platform/native_file.h"
#include "platform/utf8.h"

#include <set>

namespace nk {
namespace {

constexpr std::string_view Written = "written,";

std::string manifestText(const DataFiles& data) {
  std::string text = std::string(ManifestHeader) + "\r\n" + std::string(Written) + isoText(data.written) + "\r\n";
  for (const auto& [path, bytes] : data.files)
    text += path + "," + std::to_string(bytes.size()) + "," + checkSumText(bytes) + "\r\n";
  return text;
}

struct ManifestLine {
  std::string path;
  std::string size;
  std::string sum;
};

// The manifest's moment and lines; nothing when it is not one of ours.
std::optional<std::pair<Moment, std::vector<ManifestLine>>> parseManifest(std::string_view text) {
  std::vector<std::string_view> lines;
  for (size_t start = 0; start < text.size();) {
    const size_t end = text.find("\r\n", start);
    if (end == std::string_view::npos) return std::nullopt;  // every line ends in CR LF
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  if (lines.size() < 2 || lines[0] != ManifestHeader || !lines[1].starts_with(Written)) return std::nullopt;
  const std::optional<Moment> written = parseIsoMoment(lines[1].substr(Written.size()));
  if (!written) return std::nullopt;
  std::vector<ManifestLine> files;
  for (size_t i = 2; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const size_t second = line.rfind(',');
    const size_t first = second == std::string_view::npos || second == 0 ? std::string_view::npos
                                                                           : line.rfind(',', second - 1);
    if (first == std::string_view::npos || first == 0) return std::nullopt;
    files.push_back({std::string(line.substr(0, first)), std::string(line.substr(first + 1, second - first - 1)),
                     std::string(line.substr(second + 1))});
  }
  return std::make_pair(*written, std::move(files));
}

ReadDataZip refused(const std::string& why) { return {std::nullopt, why}; }

std::string mebibytes(uint64_t bytes) { return std::to_string((bytes + (1u << 20) - 1) >> 20) + " MB"; }

// The player's words for what the zip reader refused.
std::string zipFaultText(const ZipContents& zip, const ZipBounds& bounds) {
  const std::string file = "zip の中のファイル " + shownZipName(zip.faultyName);
  switch (zip.fault) {
    case ZipFault::None:
    case ZipFault::NoZip: break;
    case ZipFault::TooManyFiles:
      return "zip の中のファイルが多すぎます（" + std::to_string(zip.entryCount) + " 個、このプログラムが書き出すのは " +
             std::to_string(bounds.mostEntries) + " 個まで）。";
    case ZipFault::FileTooLarge:
      return file + " が大きすぎます（このプログラムが書き出すのは " + mebibytes(bounds.largestFile) + " まで）。";
    case ZipFault::TotalTooLarge:
      return "zip の中のファイルが合わせて大きすぎます（このプログラムが書き出すのは " + mebibytes(bounds.largestTotal) +
             " まで）。";
    case ZipFault::Zip64:
      return zip.faultyName.empty() ? "このプログラムが書き出さない形式（zip64）の zip です。"
                                    : file + " は、このプログラムが書き出さない形式（zip64）です。";
    case ZipFault::Unreadable: return file + " は暗号化されているか、このプログラムが読めない圧縮方式です。";
    case ZipFault::Damaged: return "ファイル " + shownZipName(zip.faultyName) + " が書き出したときと違います。zip が壊れています。";
  }
  return "zip ファイルではないか、壊れています。";
}

}  // namespace

std::string shownZipName(std::string_view name) {
  constexpr size_t Longest = 80;
  std::string shown;
  size_t characters = 0;
  for (size_t at = 0; at < name.size(); ++characters) {
    if (characters == Longest) return shown + "…";
    const auto lead = static_cast<unsigned char>(name[at]);
    const size_t length = lead >= 0x80 && lead < 0xC2 ? 1 : utf8Length(lead);
    bool whole = at + length <= name.size() && lead < 0xF5;
    for (size_t k = 1; whole && k < length; ++k) whole = isUtf8Continuation(name[at + k]);
    if (!whole || (length == 1 && (lead < 0x20 || lead >= 0x7F))) {
      shown += '?';
      ++at;
      continue;
    }
    shown += name.substr(at, length);
    at += length;
  }
  return shown;
}

std::string dataZipBytes(const DataFiles& data) {
  ZipFiles files{{ManifestName, manifestText(data)}};
  for (const auto& [path, bytes] : data.files) files.emplace_back(path, bytes);
  return zipBytes(files, data.written);
}

std::string zipBoundsFailure(const DataFiles& data, const ZipBounds& bounds) {
  if (data.files.size() + 1 > bounds.mostEntries)
    return "ファイルが多すぎます（" + std::to_string(data.files.size()) + " 個）。";
  uint64_t total = manifestText(data).size();
  for (const auto& [path, bytes] : data.files) {
    if (bytes.size() > bounds.largestFile)
      return "ファイル " + path + " が大きすぎます（" + mebibytes(bytes.size()) + "、zip に入れられるのは " +
             mebibytes(bounds.largestFile) + " まで）。";
    total += bytes.size();
  }
  if (total > bounds.largestTotal)
    return "ファイルが合わせて大きすぎます（" + mebibytes(total) + "、zip に入れられるのは " + mebibytes(bounds.largestTotal) +
           " まで）。";
  return {};
}

ReadDataZip readDataZip(std::string_view zipBytes, const ZipBounds& bounds) {
  ZipContents zip = readZip(zipBytes, bounds);
  if (zip.fault != ZipFault::None) return refused(zipFaultText(zip, bounds));
  std::map<std::string, std::string> named;
  for (ZipEntry& entry : zip.entries)
    if (!named.emplace(entry.name, std::move(entry.bytes)).second)
      return refused("同じ名前のファイル " + shownZipName(entry.name) + " が二つあります。");
  const auto manifestFile = named.find(ManifestName);
  if (manifestFile == named.end())
    return refused("このプログラムが書き出したデータではありません（" + std::string(ManifestName) + " がありません）。");
  const auto manifest = parseManifest(manifestFile->second);
  if (!manifest) return refused("このプログラムが書き出したデータではありません（" + std::string(ManifestName) + " が読めません）。");
  named.erase(manifestFile);
  DataFiles data{manifest->first, {}};
  for (const ManifestLine& line : manifest->second) {
    const auto file = named.find(line.path);
    if (file == named.end()) {
      if (data.files.contains(line.path)) return refused("同じ名前のファイル " + shownZipName(line.path) + " が二つあります。");
      return refused("ファイル " + shownZipName(line.path) + " がありません。zip が壊れています。");
    }
    if (std::to_string(file->second.size()) != line.size || checkSumText(file->second) != line.sum)
      return refused("ファイル " + shownZipName(line.path) + " が書き出したときと違います。zip が壊れています。");
    data.files.emplace(line.path, std::move(file->second));
    named.erase(file);
  }
  if (!named.empty()) return refused("目録にないファイル " + shownZipName(named.begin()->first) + " があります。");
  return {std::move(data), {}};
}

ReadDataZip readDataZipFile(const std::string& path, const ZipBounds& bounds, uint64_t largestFile) {
  InputFile file(path);
  if (file.outcome() == FileRead::Missing) return refused("ファイル " + path + " がありません。");
  if (file.outcome() != FileRead::Read) return refused("ファイル " + path + " を読めません（" + file.cause() + "）。");
  if (static_cast<uint64_t>(file.size()) > largestFile)
    return refused("ファイル " + path + " は大きすぎます（" + mebibytes(static_cast<uint64_t>(file.size())) +
                   "）。このプログラムが書き出した zip ではありません。");
  std::string bytes;
  if (!file.readAt(0, static_cast<size_t>(file.size()), bytes))
    return refused("ファイル " + path + " を読めません（" + file.cause() + "）。");
  return readDataZip(bytes, bounds);
}

}  // namespace nk
