// improvement_log.cpp - the log of improvements: its lines, reading them back
// and appending a save's records.
#include "data/improvement_log.h"

#include <limits>

namespace nk {
namespace {

constexpr size_t ImprovementFields = 5;

std::optional<int32_t> scoreField(std::string_view field) {
  const auto value = integerField(field);
  if (!value || *value < std::numeric_limits<int32_t>::min() || *value > std::numeric_limits<int32_t>::max())
    return std::nullopt;
  return static_cast<int32_t>(*value);
}

}  // namespace

std::string improvementFileNameFor(int16_t versionNumber) {
  return "ac" + std::to_string(versionNumber) + "improvements.csv";
}

std::string improvementLine(std::string_view time, const Improvement& improvement) {
  std::string line(time);
  line += ',';
  line += std::to_string(improvement.entryNo);
  line += ',';
  line += improvement.ura ? UraChartMark : NormalChartMark;
  line += ',';
  line += std::to_string(improvement.before);
  line += ',';
  line += std::to_string(improvement.after);
  return line + "\r\n";
}

std::optional<Improvement> parseImprovementLine(std::string_view line) {
  std::string_view fields[ImprovementFields];
  if (!splitFields(line, fields)) return std::nullopt;
  const auto moment = parseIsoMoment(fields[0]);
  const auto entryNo = integerField(fields[1]);
  const auto before = scoreField(fields[3]);
  const auto after = scoreField(fields[4]);
  const bool ura = fields[2] == UraChartMark;
  if (!moment || !entryNo || *entryNo < 1 || *entryNo > std::numeric_limits<int16_t>::max() ||
      (!ura && fields[2] != NormalChartMark) || !before || !after)
    return std::nullopt;
  return Improvement{moment->epochSeconds, moment->offsetSeconds, static_cast<int16_t>(*entryNo), ura, *before,
                     *after};
}

ImprovementReadResult readImprovements(const std::string& path, size_t most) {
  ImprovementReadResult result;
  if (most == 0) most = 1;
  std::vector<Improvement>& kept = result.improvements;
  // Older records are dropped in batches, so that memory stays under twice
  // `most` records and each record is moved once at most on average.
  auto keep = [&](std::string_view line) {
    const auto improvement = parseImprovementLine(line);
    if (!improvement) return;
    kept.push_back(*improvement);
    if (kept.size() < 2 * most) return;
    kept.erase(kept.begin(), kept.begin() + static_cast<std::ptrdiff_t>(most));
    result.leftOut += most;
  };
  std::string cause;
  switch (readCompleteLines(path, keep, cause)) {
    case FileRead::Missing: return {};
    case FileRead::Failed: return {{}, 0, false, cause};
    case FileRead::Read: break;
  }
  if (kept.size() > most) {
    const size_t over = kept.size() - most;
    kept.erase(kept.begin(), kept.begin() + static_cast<std::ptrdiff_t>(over));
    result.leftOut += over;
  }
  return result;
}

HistoryAppendResult appendImprovements(const std::string& path, std::string_view time,
                                       const std::vector<Improvement>& improvements) {
  if (improvements.empty()) return {};
  std::string records;
  for (const Improvement& improvement : improvements) records += improvementLine(time, improvement);
  AppendFile file(path);
  if (!file.isOpen() || !appendRecordLines(file, ImprovementHeader, records)) return {false, file.cause()};
  return {true, {}, true};
}

}  // namespace nk
