// moment.h - the moment of a save: the instant, and the offset from UTC of
// the clock that showed it, so that a record shows the date and time its
// save had wherever it is read later.
//
// The one text form is ISO 8601 with the offset in minutes,
// "2026-12-07T20:41:05+09:00"; reading also takes "Z" for UTC, as a hand
// edit may write it. The calendar is std::chrono's (proleptic Gregorian).
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace nk {

struct Moment {
  std::chrono::sys_seconds utc{};
  std::chrono::seconds offset{};  // east of UTC, in whole minutes

  // The date and time on the clock of the moment, as a count from 1970-01-01.
  std::chrono::local_seconds local() const { return std::chrono::local_seconds{(utc + offset).time_since_epoch()}; }
  bool operator==(const Moment&) const = default;
};

// The machine's local moment of the instant utc: its zone's offset then
// (cut to whole minutes, as the text form writes it).
Moment localMoment(std::chrono::sys_seconds utc);
// The local moment of now.
Moment localMomentNow();

// "2026-12-07T20:41:05+09:00".
std::string isoText(const Moment& moment);
// The moment of such a text ("Z" for UTC taken too); nothing for any other
// text, nor for a date or time that does not exist.
std::optional<Moment> parseIsoMoment(std::string_view text);

}  // namespace nk
