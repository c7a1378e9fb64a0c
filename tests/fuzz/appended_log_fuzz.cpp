// appended_log_fuzz.cpp - the lines of the appended record files (the history
// of totals, the log of improvements) on any bytes: every record found writes
// back to a line that reads as the same record.
#include "data/improvement_log.h"
#include "data/total_history.h"
#include "fuzz_support.h"

using namespace nk;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = fuzz::bytesOf(data, size);
  std::string_view rest = bytes;
  for (size_t end; (end = rest.find('\n')) != std::string_view::npos; rest.remove_prefix(end + 1)) {
    const std::string_view line = rest.substr(0, end);
    if (const auto record = parseHistoryLine(line)) {
      const std::string written = historyLine(*record);
      const auto again = parseHistoryLine(std::string_view(written).substr(0, written.size() - 2));
      require(again && again->time == record->time && static_cast<const TotalSummary&>(*again) == *record,
              "a history record writes back to itself");
    }
    if (const auto record = parseImprovementLine(line)) {
      const std::string written = improvementLine(*record);
      require(parseImprovementLine(std::string_view(written).substr(0, written.size() - 2)) == record,
              "an improvement writes back to itself");
    }
  }
  return 0;
}
