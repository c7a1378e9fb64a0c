// phone_page_shots.cpp - ./run's pictures of the demo's page for the phone in
// headless Chromium at a phone's size (360 x 740): the plan, a search, a
// note in the trial and a level's list, as phone-<what>.png in the folder.
//   nk_phone_page_shots PAGE.html FOLDER QUERY SCORE
// The notes the walk types are cleared again from the browser's storage.
#include "phone_page_walk.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: nk_phone_page_shots PAGE.html FOLDER QUERY SCORE\n";
    return 2;
  }
  using nk::test::WebDriver;
  const std::filesystem::path page = std::filesystem::absolute(argv[1]);
  const std::filesystem::path folder = argv[2];
  try {
    if (!nk::test::webDriverProgram(nk::test::Browser::Chromium)) {
      std::cerr << "nk_phone_page_shots: chromium and chromium-driver are not installed\n";
      return 1;
    }
    std::filesystem::create_directories(folder);
    WebDriver browser(nk::test::Browser::Chromium, 360, 740, folder / "phone-web-driver.log");
    browser.open(page);
    browser.run("localStorage.clear();");
    browser.open(page);
    nk::test::walkPhonePage(browser, argv[3], argv[4], [&](const std::string& what) {
      const std::filesystem::path png = folder / ("phone-" + what + ".png");
      browser.screenshot(png);
      std::cout << "screenshot: " << png.string() << "\n";
    });
    browser.run("localStorage.clear();");
  } catch (const std::exception& e) {
    std::cerr << "nk_phone_page_shots: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
