// phone_page_bench.cpp - the page for the phone at the largest sheet (8,191
// entries, 10,922 targets) in headless Chromium: the file's size, the time
// from the navigation to the end of the load event (the page's script has
// worked the total out and drawn its first view), with the CPU as it is and
// slowed four times (a phone's, through the DevTools protocol), and a
// keystroke in the search: the input's handler and the layout it causes,
// for each letter of a title typed one by one. Prints a table; asserts
// nothing. Skips (and says so) where chromium-driver is not installed.
#include "largest_masters.h"
#include "data/sheet_catalogue.h"
#include "phone/phone_page.h"
#include "web_driver.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

namespace {

using nk::test::WebDriver;

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// The handler of one more letter of the query, and the layout it causes, in ms.
double keystroke(WebDriver& browser, const std::string& query) {
  return browser
      .run("const q = document.getElementById('query'); const t0 = performance.now();"
           "q.value = arguments[0]; q.dispatchEvent(new Event('input'));"
           "void document.body.offsetHeight; return performance.now() - t0;",
           {query})
      .get<double>();
}

}  // namespace

int main() {
  if (!nk::test::webDriverProgram(nk::test::Browser::Chromium)) {
    std::cout << "phone_page_bench: chromium and chromium-driver are not installed; nothing measured\n";
    return 0;
  }
  const nk::ScoreSheetState& s = nk::bench::largestSheetState();
  const std::filesystem::path page = std::filesystem::temp_directory_path() / "nk-phone-page-bench.html";
  const std::string html = nk::phonePageHtml(s, 30 * int64_t{1000000}, nk::localMomentNow());
  std::ofstream(page, std::ios::binary) << html;
  std::cout << "page: " << html.size() << " bytes (" << s.EntryCount << " entries, " << s.TargetCount
            << " targets)\n";

  WebDriver browser(nk::test::Browser::Chromium, 412, 915, std::filesystem::temp_directory_path() / "nk-bench-driver.log");
  const std::string title = nk::entryTitle(s, nk::entryAt(s, s.DisplayOrder.size() / 2));
  for (const int rate : {1, 4}) {
    browser.devTools("Emulation.setCPUThrottlingRate", {{"rate", rate}});
    std::vector<double> loads;
    for (int i = 0; i < 5; ++i) {
      browser.open(page);
      loads.push_back(browser.run("return performance.getEntriesByType('navigation')[0].loadEventEnd;").get<double>());
    }
    browser.click(browser.element("[data-tab=search]"));
    keystroke(browser, "");  // the tab's first layout, which no keystroke makes
    // One letter (one UTF-8 character) more at a time; the title typed twice,
    // the second time as a player searches again on a page already used.
    for (const char* pass : {"first", "again"}) {
      std::vector<double> keys;
      for (size_t i = 0; i < title.size(); ++i) {
        if ((static_cast<unsigned char>(title[i]) & 0xC0) == 0x80) continue;
        size_t end = i + 1;
        while (end < title.size() && (static_cast<unsigned char>(title[end]) & 0xC0) == 0x80) ++end;
        keys.push_back(keystroke(browser, title.substr(0, end)));
      }
      keystroke(browser, "");
      std::cout << "CPU x" << rate << ": keystroke " << median(keys) << " ms (median of " << keys.size()
                << ", worst " << *std::max_element(keys.begin(), keys.end()) << " ms) typing \"" << title
                << "\", " << pass << "\n";
    }
    std::cout << "CPU x" << rate << ": load " << median(loads) << " ms (median of 5, worst "
              << *std::max_element(loads.begin(), loads.end()) << " ms)\n";
  }
  std::filesystem::remove(page);
  return 0;
}
