// momentTest.cpp - the moment of a save: the local clock's offset at an
// instant, and the text form written and read back.
#include "data/moment.h"
#include "test_support.h"

#include <cstdlib>
#include <ctime>
#include <optional>

namespace nk {
namespace {

using std::chrono::seconds;
using std::chrono::sys_seconds;

TEST(Moment, TimesCarryTheirOffset) {
  const char* previous = std::getenv("TZ");
  const std::string saved = previous ? previous : "";
  // POSIX zone texts, which the C runtime of Windows reads as well.
  struct Case {
    const char* zone;
    std::time_t t;
    const char* iso;
  } cases[] = {
      {"JST-9", 1796643665, "2026-12-07T20:41:05+09:00"},
      {"UTC0", 1796643665, "2026-12-07T11:41:05+00:00"},
      {"NST3:30", 1796643665, "2026-12-07T08:11:05-03:30"},
      {"JST-9", 0, "1970-01-01T09:00:00+09:00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.zone);
    test::setTimeZone(c.zone);
    const Moment moment = localMoment(sys_seconds{seconds{c.t}});
    EXPECT_EQ(isoText(moment), c.iso);
    EXPECT_EQ(parseIsoMoment(c.iso), std::optional<Moment>(moment));
  }
  test::setTimeZone(saved.c_str());
  EXPECT_EQ(parseIsoMoment("2026-12-07T11:41:05Z"), (Moment{sys_seconds{seconds{1796643665}}, seconds{0}}));
  for (const char* bad : {"2026-13-01T00:00:00+09:00", "2026-12-07T24:00:00+09:00", "2026-12-07 20:41:05+09:00",
                          "2026-12-07T20:41:05+0900", "2026-12-07T20:41:05+19:00", "２026-12-07T20:41:05Z",
                          "2026-02-29T21:00:00+09:00", ""})
    EXPECT_EQ(parseIsoMoment(bad), std::nullopt) << bad;
}

}  // namespace
}  // namespace nk
