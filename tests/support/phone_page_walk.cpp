// phone_page_walk.cpp - a search, a note and the level lists, tapped in turn.
#include "phone_page_walk.h"

namespace nk::test {

void walkPhonePage(WebDriver& browser, const std::string& query, const std::string& score,
                   const std::function<void(const std::string& what)>& sight) {
  sight("plan");
  browser.click(browser.element("[data-tab=search]"));
  browser.type(browser.element("#query"), query);
  sight("search");
  browser.click(browser.element("#results .row"));
  browser.type(browser.element("#edscore"), score);
  sight("editor");
  browser.click(browser.element("#edform button[type=submit]"));
  browser.click(browser.element("[data-tab=notes]"));
  sight("note");
  browser.click(browser.element("[data-tab=levels]"));
  browser.click(browser.element("#levels details[data-level='10'] summary"));
  sight("levels");
}

}  // namespace nk::test
