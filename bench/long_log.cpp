// long_log.cpp - the lines of a long log of improvements, written in pieces;
// the process's memory from /proc/self.
#include "long_log.h"

#include "data/improvement_log.h"
#include "largest_masters.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace nk::bench {

void writeLongImprovementLog(const std::string& path, int64_t records, bool onlyNormal) {
  std::ofstream out(path, std::ios::binary);
  out << "\xEF\xBB\xBF" << ImprovementHeader << "\r\n";
  std::string lines;
  char line[96];
  for (int64_t k = 0; k < records; ++k) {
    const int64_t evening = k / 20;
    const int day = static_cast<int>(evening % 28) + 1, month = static_cast<int>(evening / 28 % 12) + 1;
    const auto entry = static_cast<int>(k * 7919 % MostEntriesAC13 + 1);
    const bool ura = !onlyNormal && k % 3 == 0;
    const int before = static_cast<int>(k % 90000) * 10;
    const int n = std::snprintf(line, sizeof line, "%04d-%02d-%02dT21:00:00+09:00,%d,%s,%d,%d\r\n",
                                static_cast<int>(2000 + evening / 336), month, day, entry, ura ? "裏" : "表",
                                before, before + 1230);
    lines.append(line, static_cast<size_t>(n));
    if (lines.size() > (1 << 20)) {
      out << lines;
      lines.clear();
    }
  }
  out << lines;
  if (!out) std::abort();
}

namespace {

// A line "VmRSS:" or "VmHWM:" of /proc/self/status, in MiB.
double statusMiB(const char* field) {
  double kib = 0;
  if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
    char line[256];
    while (std::fgets(line, sizeof line, status))
      if (std::strncmp(line, field, std::strlen(field)) == 0) kib = std::atof(line + std::strlen(field));
    std::fclose(status);
  }
  return kib / 1024.0;
}

}  // namespace

double residentMiB() { return statusMiB("VmRSS:"); }
double peakMiB() { return statusMiB("VmHWM:"); }

void resetPeakMemory() {
  if (std::FILE* refs = std::fopen("/proc/self/clear_refs", "w")) {
    std::fputs("5", refs);
    std::fclose(refs);
  }
}

}  // namespace nk::bench
