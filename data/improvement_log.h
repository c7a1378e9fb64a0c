// improvement_log.h - the log of improvements "ac<VersionNumber>improvements.csv":
// one record per chart whose score a save changed, beside the score file and
// independent of it.
//
// The file is UTF-8 with CR LF line ends: the header line ImprovementHeader,
// then records "time,entry number,表 or 裏,old score,new score". The time is
// that of the save, written as the history writes it (ISO 8601 with its
// offset), the entry number the score file's first field. A score that went
// down (a typo mended) is a record too. The records of one save are appended
// with one write, so a crash can at worst leave the last line torn; reading
// takes only complete records (record_lines.h) and passes over every other
// line, such as a hand-edited one.
#pragma once

#include "data/record_lines.h"
#include "data/score_history.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace nk {

inline constexpr const char* ImprovementHeader = "日時,曲番号,譜面,旧点数,新点数";
inline constexpr const char* NormalChartMark = "表";
inline constexpr const char* UraChartMark = "裏";

// One chart's change, as numbers (24 bytes, so a long log stays small).
struct Improvement {
  int64_t epochSeconds = 0;
  int32_t offsetSeconds = 0;  // east of UTC, as the time was written
  int16_t entryNo = 0;        // 1-based, as in the score file
  bool ura = false;
  int32_t before = 0;
  int32_t after = 0;

  bool operator==(const Improvement&) const = default;
};

// The most records a read keeps: the most recent ones. At 24 bytes each that
// is under 100 MB; a player who saves daily writes a few thousand a year.
inline constexpr size_t MostImprovements = 4'000'000;

// "ac" + versionNumber + "improvements.csv", beside the score file.
std::string improvementFileNameFor(int16_t versionNumber);

// The record's line with its CR LF; time is the save's time as written.
std::string improvementLine(std::string_view time, const Improvement& improvement);
// The record of one line (without its line end); nothing when it is not one.
std::optional<Improvement> parseImprovementLine(std::string_view line);

struct ImprovementReadResult {
  std::vector<Improvement> improvements;  // the most recent `most`, in file order
  uint64_t leftOut = 0;                   // the older complete records not kept
  bool ok = true;
  std::string cause;  // why the file could not be read (Japanese), when not ok
};
// Reads the log at path piece by piece; a missing file is an empty log.
ImprovementReadResult readImprovements(const std::string& path, size_t most = MostImprovements);

// Appends the records of one save, all with the time `time`, with one write
// flushed to the disk (a new or empty file gets the header in the same
// write). Nothing to append writes nothing. A failed write leaves the file as
// it was. The log is never read for this.
HistoryAppendResult appendImprovements(const std::string& path, std::string_view time,
                                       const std::vector<Improvement>& improvements);

}  // namespace nk
