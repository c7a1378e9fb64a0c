// data_zip.cpp - the zip of the player's data and its manifest, through Qt's
// own zip reader and writer.
#include "archive/data_zip.h"

#include "data/check_sum.h"
#include "platform/native_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QtGui/private/qzipreader_p.h>
#include <QtGui/private/qzipwriter_p.h>

#include <set>

namespace nk {
namespace {

constexpr std::string_view Written = "written,";

QByteArray bytesOf(std::string_view text) { return QByteArray(text.data(), static_cast<qsizetype>(text.size())); }

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

}  // namespace

std::string dataZipBytes(const DataFiles& data) {
  QByteArray zipped;
  {
    QBuffer buffer(&zipped);
    buffer.open(QIODevice::WriteOnly);
    QZipWriter writer(&buffer);
    writer.setCompressionPolicy(QZipWriter::AutoCompress);
    writer.addFile(QString::fromLatin1(ManifestName), bytesOf(manifestText(data)));
    for (const auto& [path, bytes] : data.files) writer.addFile(QString::fromStdString(path), bytesOf(bytes));
    writer.close();
  }
  return zipped.toStdString();
}

ReadDataZip readDataZip(std::string_view zipBytes) {
  QByteArray bytes = bytesOf(zipBytes);
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QZipReader reader(&buffer);
  const QList<QZipReader::FileInfo> entries = reader.fileInfoList();
  if (reader.status() != QZipReader::NoError || entries.isEmpty())
    return refused("zip ファイルではないか、壊れています。");
  std::set<std::string> names;
  for (const QZipReader::FileInfo& entry : entries) {
    if (!names.insert(entry.filePath.toStdString()).second)
      return refused("同じ名前のファイル " + entry.filePath.toStdString() + " が二つあります。");
    if (entry.size < 0 || static_cast<uint64_t>(entry.size) > LargestZippedFile)
      return refused("ファイル " + entry.filePath.toStdString() + " が大きすぎます。");
  }
  if (!names.contains(ManifestName))
    return refused("このプログラムが書き出したデータではありません（" + std::string(ManifestName) + " がありません）。");
  const QByteArray manifestBytes = reader.fileData(QString::fromLatin1(ManifestName));
  const auto manifest = parseManifest(std::string_view(manifestBytes.constData(), size_t(manifestBytes.size())));
  if (!manifest) return refused("このプログラムが書き出したデータではありません（" + std::string(ManifestName) + " が読めません）。");
  DataFiles data{manifest->first, {}};
  for (const ManifestLine& line : manifest->second) {
    if (!names.erase(line.path)) return refused("ファイル " + line.path + " がありません。zip が壊れています。");
    const QByteArray file = reader.fileData(QString::fromStdString(line.path));
    std::string content = file.toStdString();
    if (std::to_string(content.size()) != line.size || checkSumText(content) != line.sum)
      return refused("ファイル " + line.path + " が書き出したときと違います。zip が壊れています。");
    if (!data.files.emplace(line.path, std::move(content)).second)
      return refused("同じ名前のファイル " + line.path + " が二つあります。");
  }
  names.erase(ManifestName);
  if (!names.empty()) return refused("目録にないファイル " + *names.begin() + " があります。");
  return {std::move(data), {}};
}

ReadDataZip readDataZipFile(const std::string& path) {
  std::string bytes, cause;
  if (!readWholeFile(path, bytes, cause)) return refused("ファイル " + path + " を読めません（" + cause + "）。");
  return readDataZip(bytes);
}

}  // namespace nk
