// phone_page_walk.h - the page for the phone walked as a player walks it at
// the cabinet, for the screenshots of the tests and of ./run's tour.
#pragma once

#include "web_driver.h"

#include <functional>
#include <string>

namespace nk::test {

// From the page as it opens, calls sight(what) at each view: "plan"; a search
// for query ("search"); the first match's note with score typed ("editor");
// the notes, in the trial ("note"); the list of level 10 ("levels").
void walkPhonePage(WebDriver& browser, const std::string& query, const std::string& score,
                   const std::function<void(const std::string& what)>& sight);

}  // namespace nk::test
