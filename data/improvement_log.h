// improvement_log.h - the log of improvements "ac<VersionNumber>improvements.csv":
// one record per chart whose score a save changed, beside the score file and
// independent of it. An appended log (appended_log.h) of this format.
//
// Records are "time,entry number,表 or 裏,old score,new score" after the
// header line ImprovementHeader; the time is the save's moment in its text
// form (moment.h), the entry number the score file's first field. A score
// that went down (a typo mended) is a record too. The records of one save are
// appended with one write; reading passes over every line that is not a
// complete record, such as a torn or a hand-edited one.
#pragma once

#include "data/appended_log.h"
#include "data/moment.h"
#include "data/score_state.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nk {

inline constexpr const char* ImprovementHeader = "日時,曲番号,譜面,旧点数,新点数";
inline constexpr LogFormat ImprovementFormat{"improvements", ImprovementHeader};

// One chart's change, as numbers (32 bytes, so a long log stays small).
struct Improvement {
  Moment time;
  int16_t entryNo = 0;  // 1-based, as in the score file
  Chart chart = Chart::Normal;
  int32_t before = 0;
  int32_t after = 0;

  bool operator==(const Improvement&) const = default;
};

// The most records a read of the whole log keeps: the most recent ones. At
// 32 bytes each that is about 130 MB; a player who saves daily writes a few
// thousand a year.
inline constexpr size_t MostImprovements = 4'000'000;

// The record's line with its CR LF.
std::string improvementLine(const Improvement& improvement);
// The record of one line (without its line end); nothing when it is not one.
std::optional<Improvement> parseImprovementLine(std::string_view line);

// The most recent `most` records of the log at path, read piece by piece; a
// missing file is an empty log.
RecentRecords<Improvement> readRecentImprovements(const std::string& path, size_t most = MostImprovements);

// Hands the log's records newest first to record until it returns false,
// reading the file backward from its end, no further back than its last
// `window` bytes; a missing file has none.
FileRead readNewestImprovements(const std::string& path, uint64_t window,
                                const std::function<bool(const Improvement&)>& record, std::string& cause);

// Appends the records of one save with one write flushed to the disk (a new
// or empty file gets the header in the same write). Nothing to append writes
// nothing. A failed write leaves the file as it was. The log is never read
// for this.
AppendResult appendImprovements(const std::string& path, const std::vector<Improvement>& improvements);

}  // namespace nk
