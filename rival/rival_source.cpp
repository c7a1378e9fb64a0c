// rival_source.cpp - a friend's zip or score file, read within bounds.
#include "rival/rival_source.h"

#include "archive/data_zip.h"
#include "data/delimited_text.h"
#include "domain/arcade_version.h"
#include "domain/master_files.h"
#include "domain/server_paths.h"
#include "load/kept_lists_state.h"
#include "load/kept_masters.h"
#include "platform/native_file.h"
#include "rival/rival_text.h"

#include <cstdlib>

namespace nk {
namespace {

bool scoreLine(std::string_view line, EntryScores& scores) {
  const size_t first = line.find(','), second = line.find(',', first == line.npos ? first : first + 1);
  if (first == line.npos || second == line.npos || line.find(',', second + 1) != line.npos) return false;
  int16_t entryNo = 0;
  int32_t normal = 0, ura = 0;
  if (!wholeNumber(line.substr(0, first), entryNo) || entryNo < 1) return false;
  if (!wholeNumber(line.substr(first + 1, second - first - 1), normal)) return false;
  if (!wholeNumber(line.substr(second + 1), ura)) return false;
  if (normal == 0 && ura == 0)
    scores.erase(entryNo);
  else
    scores[entryNo] = {normal, ura};
  return true;
}

// The version a score file's name gives ("ac12score.csv" and "taro-ac12score.csv" give
// 12); none when the name gives none.
std::optional<int16_t> versionOfName(std::string_view name) {
  const size_t at = name.rfind("score.csv");
  if (at == name.npos || at < 3) return std::nullopt;
  size_t digits = at;
  while (digits > 0 && name[digits - 1] >= '0' && name[digits - 1] <= '9') --digits;
  if (digits == at || digits < 2 || name.substr(digits - 2, 2) != "ac") return std::nullopt;
  int16_t version = 0;
  if (!wholeNumber(name.substr(digits, at - digits), version)) return std::nullopt;
  return version;
}

bool endsWith(std::string_view text, std::string_view end) {
  if (text.size() < end.size()) return false;
  for (size_t i = 0; i < end.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[text.size() - end.size() + i])) != end[i]) return false;
  return true;
}

ReadRivalSource failed(std::string why) { return {std::nullopt, std::move(why)}; }

ReadRivalSource fromZip(const std::string& path, const std::string& shown, int16_t versionNumber) {
  const ReadDataZip zip = readDataZipFile(path);
  if (!zip.data) return failed(zip.failure);
  const auto& files = zip.data->files;
  const auto scoreFile = files.find(scoreFileNameFor(versionNumber));
  if (scoreFile == files.end()) return failed(noVersionScoresText(shown, versionNumber));
  size_t badLine = 0;
  std::optional<EntryScores> scores = parseRivalScores(scoreFile->second, badLine);
  if (!scores) return failed(notScoreFileText(scoreFile->first, badLine));
  RivalSource source{versionNumber, std::move(*scores), std::nullopt};
  const std::string folder = keptMastersFolder(versionNumber) + "/";
  std::array<std::string, 4> lists;
  const auto stamp = files.find(folder + KeptStampName);
  bool complete = stamp != files.end();
  for (size_t i = 0; complete && i < MasterFiles.size(); ++i) {
    const auto file = files.find(folder + MasterFiles[i].testedName);
    complete = file != files.end();
    if (complete) lists[i] = file->second;
  }
  if (const auto kept = complete ? keptSetOf(stamp->second, lists) : std::nullopt)
    source.lists = keptListsState(*kept, versionCodeOf(versionNumber));
  return {std::move(source), {}};
}

ReadRivalSource fromScoreFile(const std::string& path, const std::string& shown, int16_t versionNumber) {
  if (const auto named = versionOfName(shown); named && *named != versionNumber)
    return failed(otherVersionText(shown, *named, versionNumber));
  InputFile file(path);
  if (file.outcome() == FileRead::Missing) return failed(missingRivalText(shown));
  if (file.outcome() != FileRead::Read) return failed(unreadableRivalText(shown, file.cause()));
  if (static_cast<uint64_t>(file.size()) > LargestRivalScoreFile)
    return failed(tooLargeRivalText(shown, LargestRivalScoreFile));
  std::string bytes;
  if (!file.readAt(0, static_cast<size_t>(file.size()), bytes)) return failed(unreadableRivalText(shown, file.cause()));
  size_t badLine = 0;
  std::optional<EntryScores> scores = parseRivalScores(bytes, badLine);
  if (!scores) return failed(notScoreFileText(shown, badLine));
  return {RivalSource{versionNumber, std::move(*scores), std::nullopt}, {}};
}

}  // namespace

std::string fileNameOf(std::string_view path) {
  const size_t slash = path.find_last_of("/\\");
  return std::string(slash == path.npos ? path : path.substr(slash + 1));
}

std::optional<EntryScores> parseRivalScores(std::string_view text, size_t& badLine) {
  EntryScores scores;
  size_t lineNo = 0;
  text = withoutBom(text);  // as a spreadsheet saving UTF-8 puts it
  while (!text.empty()) {
    ++lineNo;
    const size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    size_t next = end == text.npos ? text.size() : end + 1;
    if (end != text.npos && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++next;
    text.remove_prefix(next);
    if (!line.empty() && !scoreLine(line, scores)) {
      badLine = lineNo;
      return std::nullopt;
    }
  }
  return scores;
}

ReadRivalSource readRivalSource(const std::string& path, int16_t versionNumber) {
  const std::string shown = fileNameOf(path);
  if (endsWith(shown, ".zip")) return fromZip(path, shown, versionNumber);
  if (endsWith(shown, ".csv")) return fromScoreFile(path, shown, versionNumber);
  return failed(notRivalFileText(shown, versionNumber));
}

}  // namespace nk
