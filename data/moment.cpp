// moment.cpp - the local moment of an instant, and its ISO 8601 text.
#include "data/moment.h"

#include "platform/local_time.h"

#include <cstdio>

namespace nk {
namespace {

using namespace std::chrono;

// Exactly `width` digits at text[at..], as a number; -1 otherwise.
int digitsAt(std::string_view text, size_t at, size_t width) {
  if (at + width > text.size()) return -1;
  int value = 0;
  for (size_t i = at; i < at + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace

Moment localMoment(sys_seconds utc) {
  const std::tm local = localTime(static_cast<std::time_t>(utc.time_since_epoch().count()));
  // The offset is what the local clock shows past UTC (strftime's %z names
  // the zone instead on some C runtimes).
  const sys_seconds shown = sys_days{year{local.tm_year + 1900} / (local.tm_mon + 1) / local.tm_mday} +
                            hours{local.tm_hour} + minutes{local.tm_min} + seconds{local.tm_sec};
  return {utc, duration_cast<minutes>(shown - utc)};
}

Moment localMomentNow() { return localMoment(floor<seconds>(system_clock::now())); }

std::string isoText(const Moment& moment) {
  const local_seconds local = moment.local();
  const local_days day = floor<days>(local);
  const year_month_day date{day};
  const hh_mm_ss<seconds> time{local - day};
  const minutes offset = duration_cast<minutes>(moment.offset);
  const auto offsetMinutes = static_cast<int>(offset < minutes{0} ? -offset.count() : offset.count());
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d%c%02d:%02d", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()), offset < minutes{0} ? '-' : '+', offsetMinutes / 60,
                offsetMinutes % 60);
  return text;
}

std::optional<Moment> parseIsoMoment(std::string_view text) {
  // YYYY-MM-DDTHH:MM:SS then Z or ±HH:MM
  if (text.size() < 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
      text[16] != ':')
    return std::nullopt;
  const int y = digitsAt(text, 0, 4), m = digitsAt(text, 5, 2), d = digitsAt(text, 8, 2);
  const int hour = digitsAt(text, 11, 2), minute = digitsAt(text, 14, 2), second = digitsAt(text, 17, 2);
  const year_month_day date{year{y}, month{static_cast<unsigned>(m)}, day{static_cast<unsigned>(d)}};
  if (y < 0 || m < 0 || d < 0 || !date.ok() || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 ||
      second > 59)
    return std::nullopt;
  seconds offset{0};
  const std::string_view zone = text.substr(19);
  if (zone != "Z") {
    if (zone.size() != 6 || (zone[0] != '+' && zone[0] != '-') || zone[3] != ':') return std::nullopt;
    const int oh = digitsAt(zone, 1, 2), om = digitsAt(zone, 4, 2);
    if (oh < 0 || oh > 18 || om < 0 || om > 59) return std::nullopt;
    offset = (zone[0] == '-' ? -1 : 1) * (hours{oh} + minutes{om});
  }
  const sys_seconds shown = sys_days{date} + hours{hour} + minutes{minute} + seconds{second};
  return Moment{shown - offset, offset};
}

}  // namespace nk
