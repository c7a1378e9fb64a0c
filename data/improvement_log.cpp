// improvement_log.cpp - the log of improvements: its lines, and the log's
// use of the appended log.
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

std::string improvementLine(const Improvement& improvement) {
  std::string line = isoText(improvement.time);
  line += ',';
  line += std::to_string(improvement.entryNo);
  line += ',';
  line += chartMark(improvement.chart);
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
  return Improvement{*moment, static_cast<int16_t>(*entryNo), chartOf(ura), *before, *after};
}

RecentRecords<Improvement> readRecentImprovements(const std::string& path, size_t most) {
  return readRecentRecords<Improvement>(path, most, parseImprovementLine);
}

FileRead readNewestImprovements(const std::string& path, uint64_t window,
                                const std::function<bool(const Improvement&)>& record, std::string& cause) {
  return readNewestLines(
      path, window,
      [&record](std::string_view line) {
        const auto improvement = parseImprovementLine(line);
        return !improvement || record(*improvement);
      },
      cause);
}

AppendResult appendImprovements(const std::string& path, const std::vector<Improvement>& improvements) {
  std::string records;
  for (const Improvement& improvement : improvements) records += improvementLine(improvement);
  return appendRecords(path, ImprovementFormat, records);
}

}  // namespace nk
