// plot_ticks.h - the ticks of the history plot's axes and their texts.
//
// The time axis takes the step that fits the span: seconds or minutes or
// hours ("HH:mm", a tick at midnight giving the date "MM/dd" instead), days
// or weeks ("MM/dd"), months ("yyyy/MM"), years ("yyyy"); always the finest
// step of which no more than the ticks asked for fall into the span, so two
// ticks never read the same. The value axis runs from 0 to a round number at
// or above the highest value, in steps of 1, 2 or 5 times a power of ten,
// written with our own grouping ("2,000,000"); with a value below 0, from a
// round number at or below the lowest one, by the same steps through 0.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nk {

struct PlotTick {
  int64_t at = 0;
  std::string text;

  bool operator==(const PlotTick&) const = default;
};

// Times are wall-clock milliseconds: the local date and time counted as if
// they were UTC (UTC milliseconds plus the local offset at that moment), so
// that ticks fall on local midnights and month starts. The ticks inside
// [from, to], at most mostTicks of them (at least 1 is asked for).
std::vector<PlotTick> timeTicks(int64_t from, int64_t to, int mostTicks);

struct ValueTicks {
  int64_t bottom = 0;  // the axis runs from bottom (0 unless a value is below it)
  int64_t top = 1;     // to top
  std::vector<PlotTick> ticks;  // bottom .. top, evenly
};

// The value axis for values from 0 to highest (at least 1), with at most
// mostTicks ticks (at least 2).
ValueTicks valueTicks(int64_t highest, int mostTicks);
// The same for values from lowest (0 when not below it) to highest; a tick
// at 0 whenever lowest is below it.
ValueTicks valueTicks(int64_t lowest, int64_t highest, int mostTicks);

}  // namespace nk
