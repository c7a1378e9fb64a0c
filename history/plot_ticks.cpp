// plot_ticks.cpp - the steps of the time axis from a second to centuries,
// and the round steps of the value axis.
#include "history/plot_ticks.h"

#include "history/history_view.h"

#include <algorithm>
#include <chrono>
#include <limits>

namespace nk {
namespace {

using namespace std::chrono;

constexpr int64_t Second = 1000;
constexpr int64_t Minute = 60 * Second;
constexpr int64_t Hour = 60 * Minute;
constexpr int64_t Day = 24 * Hour;
// The calendar is asked only about the years 0001 to 9999.
constexpr int64_t Earliest = -62135596800000;  // 0001-01-01
constexpr int64_t Latest = 253402300799999;    // 9999-12-31 23:59:59.999

// Fixed: a step of `size` milliseconds from 1970 (days and less divide a day,
// so they fall on midnights); Week: `size` weeks from a Monday; Month and
// Year: `size` months or years from the first of a month or a year whose
// number is a multiple of size.
enum class Unit { Fixed, Week, Month, Year };
struct Step {
  Unit unit;
  int64_t size;
};

constexpr Step FinerSteps[] = {
    {Unit::Fixed, Second},     {Unit::Fixed, 2 * Second},  {Unit::Fixed, 5 * Second}, {Unit::Fixed, 10 * Second},
    {Unit::Fixed, 15 * Second}, {Unit::Fixed, 30 * Second}, {Unit::Fixed, Minute},     {Unit::Fixed, 2 * Minute},
    {Unit::Fixed, 5 * Minute}, {Unit::Fixed, 10 * Minute}, {Unit::Fixed, 15 * Minute}, {Unit::Fixed, 30 * Minute},
    {Unit::Fixed, Hour},       {Unit::Fixed, 2 * Hour},    {Unit::Fixed, 3 * Hour},    {Unit::Fixed, 6 * Hour},
    {Unit::Fixed, 12 * Hour},  {Unit::Fixed, Day},         {Unit::Fixed, 2 * Day},     {Unit::Week, 1},
    {Unit::Week, 2},           {Unit::Month, 1},           {Unit::Month, 2},           {Unit::Month, 3},
    {Unit::Month, 6}};

int64_t ceilDiv(int64_t a, int64_t b) { return a / b + ((a % b != 0 && (a < 0) == (b < 0)) ? 1 : 0); }

year_month_day dateOf(int64_t ms) { return year_month_day(floor<days>(sys_time<milliseconds>(milliseconds(ms)))); }
int64_t msOf(year_month_day date) { return duration_cast<milliseconds>(sys_days(date).time_since_epoch()).count(); }

std::string digits(int value, int width) {
  std::string s = std::to_string(value);
  return std::string(s.size() < static_cast<size_t>(width) ? width - s.size() : 0, '0') + s;
}

std::string textOf(int64_t at, Step step) {
  const year_month_day date = dateOf(at);
  const std::string y = digits(static_cast<int>(date.year()), 4);
  const std::string m = digits(static_cast<int>(static_cast<unsigned>(date.month())), 2);
  const std::string d = digits(static_cast<int>(static_cast<unsigned>(date.day())), 2);
  switch (step.unit) {
    case Unit::Year: return y;
    case Unit::Month: return y + "/" + m;
    case Unit::Week: return m + "/" + d;
    case Unit::Fixed: break;
  }
  const int64_t ofDay = at - msOf(date);
  if (step.size >= Day || ofDay == 0) return m + "/" + d;
  const std::string hhmm = digits(static_cast<int>(ofDay / Hour), 2) + ":" + digits(static_cast<int>(ofDay / Minute % 60), 2);
  return step.size < Minute ? hhmm + ":" + digits(static_cast<int>(ofDay / Second % 60), 2) : hhmm;
}

// The ticks of step in [from, to]; stops at more than limit.
std::vector<int64_t> ticksOf(Step step, int64_t from, int64_t to, size_t limit) {
  std::vector<int64_t> ticks;
  auto add = [&](int64_t at) {
    if (at > to) return false;
    ticks.push_back(at);
    return ticks.size() <= limit;
  };
  if (step.unit == Unit::Fixed || step.unit == Unit::Week) {
    // 1970-01-05 was a Monday.
    const int64_t origin = step.unit == Unit::Week ? 4 * Day : 0;
    const int64_t size = step.unit == Unit::Week ? step.size * 7 * Day : step.size;
    for (int64_t at = origin + ceilDiv(from - origin, size) * size; add(at);) at += size;
    return ticks;
  }
  // Months counted from year 0: a tick at each multiple of size (months, or
  // years times twelve) from the first that is not before from.
  const int64_t size = step.unit == Unit::Year ? step.size * 12 : step.size;
  const year_month_day first = dateOf(from);
  auto startOf = [](int64_t m) {
    return msOf(year(static_cast<int>(m / 12)) / month(static_cast<unsigned>(m % 12 + 1)) / 1);
  };
  int64_t m = static_cast<int>(first.year()) * int64_t{12} + static_cast<unsigned>(first.month()) - 1;
  m = ceilDiv(m, size) * size;
  if (startOf(m) < from) m += size;
  for (; m / 12 <= 9999 && add(startOf(m));) m += size;
  return ticks;
}

}  // namespace

std::vector<PlotTick> timeTicks(int64_t from, int64_t to, int mostTicks) {
  from = std::clamp(from, Earliest, Latest);
  to = std::clamp(to, Earliest, Latest);
  if (to < from) return {};
  const size_t limit = static_cast<size_t>(std::max(mostTicks, 1));
  std::vector<Step> steps(std::begin(FinerSteps), std::end(FinerSteps));
  for (int64_t years = 1; years <= 10000; years *= 10)
    for (int64_t f : {1, 2, 5}) steps.push_back({Unit::Year, years * f});
  for (const Step& step : steps) {
    const std::vector<int64_t> ats = ticksOf(step, from, to, limit);
    if (ats.size() > limit) continue;
    std::vector<PlotTick> ticks;
    for (int64_t at : ats) ticks.push_back({at, textOf(at, step)});
    return ticks;
  }
  return {};
}

ValueTicks valueTicks(int64_t highest, int mostTicks) { return valueTicks(0, highest, mostTicks); }

ValueTicks valueTicks(int64_t lowest, int64_t highest, int mostTicks) {
  constexpr int64_t Most = std::numeric_limits<int64_t>::max();
  highest = std::max<int64_t>(highest, 1);
  // Below 0 the axis reaches as far down as the other way up: -Most at most.
  lowest = std::clamp<int64_t>(lowest, -Most, 0);
  const int64_t intervalsAllowed = std::max(mostTicks, 2) - 1;
  auto axisOf = [](int64_t step, int64_t bottom, int64_t top) {
    ValueTicks axis{bottom, top, {}};
    for (int64_t v = bottom; v < top; v += step) axis.ticks.push_back({v, groupedDecimal(v)});
    axis.ticks.push_back({top, groupedDecimal(top)});
    return axis;
  };
  for (int64_t power = 1;; power *= 10) {
    for (int64_t f : {1, 2, 5}) {
      const int64_t step = power * f;
      const int64_t up = ceilDiv(highest, step), down = ceilDiv(-lowest, step);
      if (up > Most / step || down > Most / step || up > intervalsAllowed - down) continue;
      const int64_t bottom = -down * step, top = up * step;
      if (bottom < 0 && top > Most + bottom) continue;  // the span itself must fit
      return axisOf(step, bottom, top);
    }
    // Five times the next power would not fit.
    if (power > Most / 10 / 5) break;
  }
  // Nothing round is left that holds both: the axis ends at them.
  if (lowest < 0 && highest > Most + lowest) return axisOf(Most, 0, highest);
  return axisOf(highest - lowest, lowest, highest);
}

}  // namespace nk
