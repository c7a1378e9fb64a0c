// phone_page_fixture.h - what the tests of the page for the phone share: the
// page written into the test's folder, the summary the page must give for a
// sheet as the program works it out, random sheets, and Chromium (skipped,
// and said so, only where its driver is not installed).
#pragma once

#include "phone/phone_page.h"

#include "data/score_state.h"
#include "test_support.h"
#include "total/target_plan.h"
#include "total/total_breakdown.h"
#include "web_driver.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace nk::test {

// The page of the sheet with its target (and a rival), written as name in the current folder.
std::filesystem::path writePhonePage(const ScoreSheetState& s, std::optional<int64_t> target,
                                     const std::string& name = "page.html", const PhoneRival* rival = nullptr);

// What nkPageSummary() must return for the breakdown b of the sheet's scores
// (with the notes in place, notes of them) and the target.
nlohmann::json expectedPageSummary(const TotalBreakdown& b, std::optional<int64_t> target, size_t notes);

// A sheet of about `entries` entries with charts of every level, 裏 charts,
// ties on purpose, targets of levels 7 to 10 (and a few of level 6, which
// count nowhere), the same chart named twice, and, for some seeds, a level
// without targets or with so few that its places are capped.
ScoreSheetState randomPhoneSheet(uint32_t seed, int entries);

// A test in its own folder with a headless Chromium of 412 x 915 pixels.
class PhonePageTest : public WorkDirTest {
protected:
  void SetUp() override;
  WebDriver& browser() { return *browser_; }
  // Opens the page and returns nkPageSummary(); a page opened again is given
  // the notes the page before it kept.
  nlohmann::json summaryOf(const std::filesystem::path& page);
  // Opens the page with `stored` (a string, or null for none) under its id in the storage.
  void openWithStored(const std::filesystem::path& page, const nlohmann::json& stored);

private:
  std::unique_ptr<WebDriver> browser_;
};

}  // namespace nk::test
