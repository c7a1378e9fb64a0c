// rival_store.cpp - the rivals kept per version in "rivals/ac<N>/".
#include "rival/rival_store.h"

#include "data/delimited_text.h"
#include "data/display_text.h"
#include "domain/arcade_version.h"
#include "platform/file_replace.h"
#include "platform/native_file.h"
#include "rival/rival_source.h"
#include "rival/rival_text.h"

#include <algorithm>
#include <array>

namespace nk {
namespace {

std::string escaped(std::string_view cell) {
  std::string out;
  for (const char c : cell) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      default: out += c;
    }
  }
  return out;
}

std::optional<std::string> unescaped(std::string_view cell) {
  std::string out;
  for (size_t i = 0; i < cell.size(); ++i) {
    if (cell[i] != '\\') {
      out += cell[i];
      continue;
    }
    if (++i == cell.size()) return std::nullopt;
    const char c = cell[i] == '\\' ? '\\' : cell[i] == 't' ? '\t' : cell[i] == 'r' ? '\r' : cell[i] == 'n' ? '\n' : 0;
    if (c == 0) return std::nullopt;
    out += c;
  }
  return out;
}

std::optional<RivalChart> chartLine(std::string_view line) {
  std::array<std::string_view, 5> cells;
  for (size_t i = 0; i < cells.size(); ++i) {
    const size_t tab = line.find('\t');
    if ((tab == line.npos) != (i + 1 == cells.size())) return std::nullopt;
    cells[i] = line.substr(0, tab);
    line.remove_prefix(tab == line.npos ? line.size() : tab + 1);
  }
  RivalChart chart;
  if (!wholeNumber(cells[0], chart.entryNo) || chart.entryNo < 1 || !wholeNumber(cells[2], chart.score))
    return std::nullopt;
  if (cells[1] != NormalChartMark && cells[1] != UraChartMark) return std::nullopt;
  chart.chart = chartOf(cells[1] == UraChartMark);
  auto title = unescaped(cells[3]), genre = unescaped(cells[4]);
  if (!title || !genre) return std::nullopt;
  chart.title = std::move(*title);
  chart.genre = std::move(*genre);
  return chart;
}

}  // namespace

std::string rivalsFolder(int16_t versionNumber) {
  return std::string(RivalsFolder) + "/ac" + std::to_string(versionNumber);
}

std::string rivalFilePath(int16_t versionNumber, const std::string& name) {
  return rivalsFolder(versionNumber) + "/" + name + RivalFileEnding;
}

std::string rivalFileText(const KeptRival& rival) {
  std::string text =
      std::string(RivalFileHeader) + "\r\nlists," + (rival.onThisPcLists ? "this-pc" : "friend") + "\r\n";
  for (const RivalChart& c : rival.charts)
    text += std::to_string(c.entryNo) + "\t" + chartMark(c.chart) + "\t" + std::to_string(c.score) + "\t" +
            escaped(c.title) + "\t" + escaped(c.genre) + "\r\n";
  return text;
}

std::optional<KeptRival> parseRivalFile(std::string_view text, const std::string& name) {
  if (!text.ends_with('\n')) return std::nullopt;  // cut short: the writer ends every line
  const std::vector<std::string_view> lines = completeLines(text);
  if (lines.size() < 2 || lines[0] != RivalFileHeader) return std::nullopt;
  if (lines[1] != "lists,this-pc" && lines[1] != "lists,friend") return std::nullopt;
  KeptRival rival{name, lines[1] == "lists,this-pc", {}};
  for (size_t i = 2; i < lines.size(); ++i) {
    std::optional<RivalChart> chart = chartLine(lines[i]);
    if (!chart) return std::nullopt;
    rival.charts.push_back(std::move(*chart));
  }
  return rival;
}

LoadedRival loadRival(int16_t versionNumber, const std::string& name) {
  if (std::string why = rivalNameFailure(name); !why.empty()) return {std::nullopt, why};
  InputFile file(rivalFilePath(versionNumber, name));
  if (file.outcome() == FileRead::Missing) return {std::nullopt, noSuchRivalText(name)};
  std::string bytes;
  if (file.outcome() != FileRead::Read || (static_cast<uint64_t>(file.size()) <= LargestRivalFile &&
                                           !file.readAt(0, static_cast<size_t>(file.size()), bytes)))
    return {std::nullopt, unreadableRivalFileText(name, file.cause())};
  if (static_cast<uint64_t>(file.size()) > LargestRivalFile) return {std::nullopt, damagedRivalText(name)};
  std::optional<KeptRival> rival = parseRivalFile(bytes, name);
  if (!rival) return {std::nullopt, damagedRivalText(name)};
  return {std::move(rival), {}};
}

RivalNames rivalNames(int16_t versionNumber) {
  RivalNames listed;
  std::vector<std::string> files;
  std::string cause;
  const FileRead read = listFolderFiles(rivalsFolder(versionNumber), files, cause);
  if (read == FileRead::Failed) listed.failure = unreadableRivalsText(cause);
  const std::string_view ending = RivalFileEnding;
  for (const std::string& file : files) {
    if (file.size() <= ending.size() || file.compare(file.size() - ending.size(), ending.size(), ending) != 0) continue;
    std::string name = file.substr(0, file.size() - ending.size());
    if (rivalNameFailure(name).empty()) listed.names.push_back(std::move(name));
  }
  std::sort(listed.names.begin(), listed.names.end());
  return listed;
}

KeptRivalOutcome keepRival(int16_t versionNumber, const KeptRival& given, const ScoreSheetState& here) {
  KeptRivalOutcome outcome;
  if (std::string why = rivalNameFailure(given.name); !why.empty()) return outcome.failure = why, outcome;
  KeptRival rival = given;
  for (const std::string& name : rivalNames(versionNumber).names)
    if (sameRivalName(name, rival.name)) rival.name = name;
  std::string cause;
  if (!makeFolder(RivalsFolder, cause) || !makeFolder(rivalsFolder(versionNumber), cause))
    return outcome.failure = rivalNotKeptText(rival.name, cause), outcome;
  const LoadedRival old = loadRival(versionNumber, rival.name);
  outcome.replaced = old.rival.has_value() || old.failure != noSuchRivalText(rival.name);
  const SheetScores before =
      rivalScores(old.rival ? placeRivalCharts(old.rival->charts, here).charts : std::vector<RivalChart>{}, here);
  const SheetScores after = rivalScores(rival.charts, here);
  for (size_t e = 0; e < after.normal.size() && e < after.ura.size(); ++e)
    for (const Chart chart : {Chart::Normal, Chart::Ura}) {
      const int32_t was = before.of(chart)[e], now = after.of(chart)[e];
      if (now > was)
        outcome.improved.push_back({static_cast<int16_t>(e + 1), entryTitle(here, e), chart, was, now});
      else if (now < was)
        ++outcome.lowered;
    }
  FileWriteResult written = replaceFileContents(rivalFilePath(versionNumber, rival.name), rivalFileText(rival));
  if (!written.ok) {
    addNotSavedNote(written, rivalScoresWhat(rival.name), rivalOldFileWhat(rival.name));
    return KeptRivalOutcome{false, written.failure, {}, false, {}, 0};
  }
  outcome.ok = true;
  outcome.name = rival.name;
  return outcome;
}

std::string removeRival(int16_t versionNumber, const std::string& name) {
  if (std::string why = rivalNameFailure(name); !why.empty()) return why;
  std::string cause;
  if (!removeFile(rivalFilePath(versionNumber, name), cause)) return rivalNotRemovedText(name, cause);
  return {};
}

}  // namespace nk
