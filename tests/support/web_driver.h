// web_driver.h - a real browser driven over the W3C WebDriver protocol, for
// the tests of the page for the phone: the browser's own driver (chromedriver,
// or WebKitWebDriver for the Safari engine) started as a child process on a
// free loopback port, one session in a window of the size given, and the few
// commands the tests need (open a file, run a script, click, type, take a
// screenshot). POSIX only.
//
// Chromium runs headless. WebKitGTK's browser has no headless mode: its
// driver runs under xvfb-run, so that the browser has an X display of its
// own. A driver that does not start, or a command the browser refuses,
// throws std::runtime_error with the driver's answer (and its log).
#pragma once

#include <nlohmann/json.hpp>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>

namespace nk::test {

enum class Browser { Chromium, WebKit };

// The driver's program, when this machine has it (and, for WebKit, the
// browser and xvfb-run it needs); nullopt otherwise.
std::optional<std::string> webDriverProgram(Browser browser);

class WebDriver {
public:
  // Starts the driver and opens a session with a viewport of width x height
  // CSS pixels. Its log goes to logFile.
  WebDriver(Browser browser, int width, int height, std::filesystem::path logFile = "web_driver.log");
  ~WebDriver();
  WebDriver(const WebDriver&) = delete;
  WebDriver& operator=(const WebDriver&) = delete;

  void open(const std::filesystem::path& file);
  // The value of a script run as a function body (`return ...;`) with args.
  nlohmann::json run(const std::string& script, const nlohmann::json& args = nlohmann::json::array());
  // The first element matching a CSS selector (its WebDriver reference).
  std::string element(const std::string& css);
  void click(const std::string& element);
  void type(const std::string& element, const std::string& text);
  void screenshot(const std::filesystem::path& png);
  // Chromium only: a script run in every page opened from now on before the
  // page's own (through the DevTools protocol), to take something from it.
  void runBeforeEachPage(const std::string& script);
  // Chromium only: one command of the DevTools protocol, with its answer.
  nlohmann::json devTools(const std::string& command, const nlohmann::json& params = nlohmann::json::object());

private:
  nlohmann::json call(const std::string& method, const std::string& path, const nlohmann::json& body = {});
  void startDriver(Browser browser);
  void stopDriver();

  std::filesystem::path log_;
  pid_t pid_ = -1;
  int port_ = 0;
  std::string session_;
};

}  // namespace nk::test
