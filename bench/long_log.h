// long_log.h - a log of improvements grown far past what a player writes, for
// the benchmarks of what the sheet's opening reads of it, and the memory that
// costs.
#pragma once

#include <cstdint>
#include <string>

namespace nk::bench {

// 12 million records: about 600 MB in the program's own lines.
constexpr int64_t LongLogRecords = 12'000'000;

// Writes a log of `records` records to path: saves of twenty charts an
// evening over the 8,191 entries of AC13, each evening's records with its
// own date. With onlyNormal, only 表 charts changed, so that a search for
// every chart's last change never finds the 裏 charts and reads back as far
// as it may.
void writeLongImprovementLog(const std::string& path, int64_t records, bool onlyNormal);

// The memory a step adds, on Linux: what is resident now, the peak since the
// last reset, and the peak set back to what is resident (clear_refs 5).
double residentMiB();
double peakMiB();
void resetPeakMemory();

}  // namespace nk::bench
