// plot_ticksTest.cpp - the history plot's axes: spans of time to the texts
// of their ticks, highest values to the value axis.
#include "history/plot_ticks.h"

#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <set>

namespace nk {
namespace {

using namespace std::chrono;

// Wall-clock milliseconds of a local date and time.
int64_t at(int y, unsigned mo, unsigned d, int h = 0, int mi = 0, int s = 0) {
  const auto t = sys_days(year(y) / mo / d) + hours(h) + minutes(mi) + seconds(s);
  return duration_cast<milliseconds>(t.time_since_epoch()).count();
}

std::string texts(const std::vector<PlotTick>& ticks) {
  std::string out;
  for (const PlotTick& t : ticks) out += (out.empty() ? "" : " ") + t.text;
  return out;
}

TEST(PlotTicks, TheTimeStepFitsTheSpan) {
  struct Case { const char* name; int64_t from, to; int most; const char* ticks; } cases[] = {
      {"saves of one evening", at(2026, 5, 9, 20, 14), at(2026, 5, 9, 22, 30), 6, "20:30 21:00 21:30 22:00 22:30"},
      {"one save, a day around it", at(2026, 5, 9, 8, 14, 37), at(2026, 5, 10, 8, 14, 37), 8,
       "09:00 12:00 15:00 18:00 21:00 05/10 03:00 06:00"},
      {"saves seconds apart", at(2026, 5, 9, 20, 14, 37), at(2026, 5, 9, 20, 14, 52), 4, "20:14:40 20:14:45 20:14:50"},
      {"saves minutes apart: a minute's step shows no seconds", at(2026, 5, 9, 20, 14, 10), at(2026, 5, 9, 20, 19, 30),
       6, "20:15 20:16 20:17 20:18 20:19"},
      {"a week", at(2026, 5, 9, 20, 14), at(2026, 5, 15, 23), 8, "05/10 05/11 05/12 05/13 05/14 05/15"},
      {"weeks, from Mondays", at(2026, 5, 9, 20, 14), at(2026, 6, 25, 21), 8,
       "05/11 05/18 05/25 06/01 06/08 06/15 06/22"},
      {"months across years", at(2025, 11, 20), at(2027, 2, 10), 8,
       "2026/01 2026/03 2026/05 2026/07 2026/09 2026/11 2027/01"},
      {"quarters", at(2025, 12, 31), at(2026, 12, 31), 5, "2026/01 2026/04 2026/07 2026/10"},
      {"years", at(2001, 3, 1), at(2026, 6, 1), 6, "2005 2010 2015 2020 2025"},
      {"one tick asked for", at(2026, 5, 9, 20), at(2026, 5, 9, 23), 1, "21:00"},
      {"no tick asked for counts as one", at(2026, 5, 9, 20), at(2026, 5, 9, 23), 0, "21:00"},
      {"a span backwards", at(2026, 5, 10), at(2026, 5, 9), 5, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto ticks = timeTicks(c.from, c.to, c.most);
    EXPECT_EQ(texts(ticks), c.ticks);
    for (const PlotTick& t : ticks) EXPECT_TRUE(c.from <= t.at && t.at <= c.to) << t.text;
  }
}

// Over spans from seconds to centuries: from one tick to as many as asked, never two that read
// the same (a time of day comes again only after a tick that gives the next date).
TEST(PlotTicks, TicksNeverReadTheSame) {
  const int64_t from = at(2026, 5, 9, 20, 14, 37);
  for (int64_t span = 10000; span < 100LL * 366 * 24 * 3600 * 1000; span = span * 3 / 2) {
    for (int most = 2; most <= 12; ++most) {
      SCOPED_TRACE(std::to_string(span) + " ms, " + std::to_string(most) + " ticks");
      const auto ticks = timeTicks(from, from + span, most);
      EXPECT_TRUE(ticks.size() >= 1 && ticks.size() <= static_cast<size_t>(most)) << texts(ticks);
      std::set<std::string> seen;
      std::string date;
      for (const PlotTick& t : ticks) {
        if (t.text.find(':') == std::string::npos) date = t.text;
        EXPECT_TRUE(seen.insert(date + " " + t.text).second) << texts(ticks);
      }
    }
  }
}

TEST(PlotTicks, TheValueAxisEndsAtARoundNumber) {
  constexpr int64_t Max = std::numeric_limits<int64_t>::max();
  struct Case { int64_t highest; int most; int64_t top; const char* ticks; } cases[] = {
      {1, 6, 1, "0 1"}, {0, 6, 1, "0 1"},
      {3000, 6, 3000, "0 1,000 2,000 3,000"},
      {1237567, 6, 1500000, "0 500,000 1,000,000 1,500,000"},
      {9161076, 6, 10000000, "0 2,000,000 4,000,000 6,000,000 8,000,000 10,000,000"},
      {7, 2, 10, "0 10"}, {7, 0, 10, "0 10"},
      {Max, 6, Max, "0 9,223,372,036,854,775,807"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.highest);
    const ValueTicks axis = valueTicks(c.highest, c.most);
    EXPECT_EQ(axis.top, c.top);
    EXPECT_EQ(texts(axis.ticks), c.ticks);
    EXPECT_EQ(axis.ticks.back().at, axis.top);
  }
  // Values below 0: from a round number at or below the lowest, through 0.
  struct Below { int64_t lowest, highest; int most; int64_t bottom, top; const char* ticks; } below[] = {
      {0, 3000, 6, 0, 3000, "0 1,000 2,000 3,000"},
      {-5, 10, 6, -5, 10, "-5 0 5 10"},
      {-30 * int64_t{2147483648}, 1, 6, -80000000000, 20000000000,
       "-80,000,000,000 -60,000,000,000 -40,000,000,000 -20,000,000,000 0 20,000,000,000"},
      {-1, 1, 2, -1, 1, "-1 1"},
      {std::numeric_limits<int64_t>::min(), Max, 6, 0, Max, "0 9,223,372,036,854,775,807"},
  };
  for (const Below& c : below) {
    SCOPED_TRACE(c.lowest);
    const ValueTicks axis = valueTicks(c.lowest, c.highest, c.most);
    EXPECT_EQ(axis.bottom, c.bottom);
    EXPECT_EQ(axis.top, c.top);
    EXPECT_EQ(texts(axis.ticks), c.ticks);
  }
}

}  // namespace
}  // namespace nk
