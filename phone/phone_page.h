// phone_page.h - the page for the phone ("スマホ用に書き出す…"): the open
// sheet in one HTML file that a phone's browser opens from a file, with no
// server and no request of any kind (its content security policy forbids
// them). The page shows the plan towards the target, each level's places and
// cut-off, and every chart with "あと N点", and keeps the player's notes of
// new scores on the phone as a trial; its script works the total out by the
// rule of ranking_rule.h and total_breakdown.h from the data below.
//
// The data is one JSON object in a script element of type application/json:
//   version  the version number (14); label: "AC14"
//   written  when the page was written, as the windows write a minute
//   id       the page's own name for the notes the phone keeps ("ac14-…")
//   target   the target total, or null
//   genres   the genres' names, each once
//   entries  per entry, in the entry lists' order:
//            [title, genre index, level, score, 裏 level, 裏 score]
//            (level codes as score_state.h keeps them: -10 no chart, -1 "?")
//   order    the entries' indices in display order (a page is ten of them)
//   targets  per ranking target, in the list's order: [entry index, 1 for 裏
//            or 0, star level]
//   rival    null, or the rival chosen on the sheet: {name, scores: [[entry
//            index, 1 for 裏 or 0, score], ...]} (charts of no score left out)
// It holds the player's scores and the lists' titles, nothing else of the
// PC: no path, no user name. Every "<" in it is written \u003c.
#pragma once

#include "data/moment.h"
#include "data/score_state.h"
#include "data/sheet_catalogue.h"
#include "platform/file_replace.h"

#include <cstdint>
#include <optional>
#include <string>

namespace nk {

inline constexpr const char* PhonePageTitle = "スマホ用に書き出す";

// "norukaku-ac14-2026-12-09.html".
std::string phonePageFileName(int16_t versionNumber, const Moment& written);

// A rival's scores on the sheet's charts, beside the player's on the page.
struct PhoneRival {
  std::string name;
  SheetScores scores;
};

// The data object above, for the sheet's scores as they stand (typed and not
// yet saved included: the page shows what the sheet shows).
std::string phonePageData(const ScoreSheetState& s, std::optional<int64_t> target, const Moment& written,
                          const PhoneRival* rival = nullptr);

// The whole page: the template carried in the program with the data put in.
std::string phonePageHtml(const ScoreSheetState& s, std::optional<int64_t> target, const Moment& written,
                          const PhoneRival* rival = nullptr);

// The box after writing the page to path (crash-safe, as the score file is):
// where it went and how to take it to the phone, or why it was not written.
struct PhonePageWritten {
  bool ok = false;
  std::string text;
};
PhonePageWritten writePhonePage(const std::string& path, const std::string& html);

}  // namespace nk
