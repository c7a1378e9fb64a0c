// phone_page_dataTest.cpp - the page's data as the writer puts it into the
// template: titles that could break the JSON or the script element, nothing
// of the PC in the page, the content security policy, the target.
#include "data/target_total.h"
#include "phone/phone_page.h"
#include "sheet_builder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdlib>

namespace nk {
namespace {

const Moment Written{std::chrono::sys_seconds{std::chrono::seconds{1796643665}}, std::chrono::hours{9}};

ScoreSheetState sheetTitled(const std::string& title) {
  return test::SheetBuilder().version(14).entry({.title = title, .level = 8, .score = 5}).target(1, Chart::Normal, 8)
      .shownInEntryOrder().build();
}

TEST(PhonePageData, TitlesAreEscapedSoThatNoneBreaksTheDataOrTheScript) {
  const struct {
    const char* title;
    const char* written;  // as the title stands in the data
  } cases[] = {
      {"say \"don\"", R"("say \"don\"")"},
      {"back\\slash", R"("back\\slash")"},
      {"</script><script>alert(1)</script>", R"("\u003c/script>\u003cscript>alert(1)\u003c/script>")"},
      {"<!-- x", R"("\u003c!-- x")"},
      {"tab\tnew\nline\x01\x1f", R"("tab\u0009new\u000aline\u0001\u001f")"},
      {"line\xE2\x80\xA8para\xE2\x80\xA9", R"("line\u2028para\u2029")"},
      {"ドンと行こう〜", R"("ドンと行こう〜")"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    const std::string data = phonePageData(sheetTitled(c.title), std::nullopt, Written);
    EXPECT_NE(data.find(std::string("[") + c.written + ",0,8,5,-10,0]"), std::string::npos) << data;
    const nlohmann::json parsed = nlohmann::json::parse(data);
    EXPECT_EQ(parsed["entries"][0][0], c.title);
    const std::string html = phonePageHtml(sheetTitled(c.title), std::nullopt, Written);
    // The data's element ends where it should: the next "<" is its own "</script>".
    const std::string openTag = "<script id=\"sheet\" type=\"application/json\">";
    const size_t open = html.find(openTag);
    ASSERT_NE(open, std::string::npos);
    EXPECT_EQ(html.substr(open + openTag.size(), data.size()), data);
    EXPECT_EQ(html.find('<', open + 1), open + openTag.size() + data.size());
    EXPECT_EQ(html.compare(open + openTag.size() + data.size(), 9, "</script>"), 0);
  }
}

TEST(PhonePageData, ThePageHoldsNothingOfThePcAndLoadsNothing) {
  const char* home = std::getenv("HOME");
  const std::string folder = home && *home ? home : "/home/player";
  ScoreSheetState s = sheetTitled("曲");
  s.ScoreFileName = folder + "/norukaku/ac14score.dat";
  const std::string html = phonePageHtml(s, 2200000, Written);
  EXPECT_EQ(html.find(folder), std::string::npos);
  EXPECT_EQ(html.find("ac14score"), std::string::npos);
  const char* const policy =
      R"(<meta http-equiv="Content-Security-Policy" content="default-src 'none'; script-src 'unsafe-inline'; )"
      R"(style-src 'unsafe-inline'; img-src data:; base-uri 'none'; form-action 'none'">)";
  const size_t at = html.find(policy);
  ASSERT_NE(at, std::string::npos);
  EXPECT_LT(at, html.find("<script"));
  EXPECT_LT(at, html.find("<style"));
  // No resource from anywhere: no source, link, import or address.
  for (const char* word : {" src=", "<link", "@import", "url(", "http:", "https:", "//cdn", "fetch(", "XMLHttpRequest"})
    EXPECT_EQ(html.find(word), std::string::npos) << word;
}

TEST(PhonePageData, TheTargetIsANumberOrNull) {
  const struct {
    std::optional<int64_t> target;
    const char* written;
  } cases[] = {{std::nullopt, "\"target\":null,"}, {1, "\"target\":1,"}, {2200000, "\"target\":2200000,"},
               {HighestTargetTotal, "\"target\":64424509410,"}};
  for (const auto& c : cases) {
    const std::string data = phonePageData(sheetTitled("曲"), c.target, Written);
    EXPECT_NE(data.find(c.written), std::string::npos) << data;
    const nlohmann::json parsed = nlohmann::json::parse(data);
    EXPECT_EQ(parsed["target"], c.target ? nlohmann::json(*c.target) : nlohmann::json());
    EXPECT_EQ(parsed["label"], "AC14");
    EXPECT_EQ(parsed["id"], "ac14-2026-12-07T20:41:05+09:00");
    EXPECT_EQ(parsed["written"], "2026-12-07 20:41");
  }
}

}  // namespace
}  // namespace nk
