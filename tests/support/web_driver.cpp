// web_driver.cpp - the driver as a child process, and its commands over HTTP.
#include "web_driver.h"

#include "loopback_server.h"

#include <httplib.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace nk::test {
namespace {

using nlohmann::json;

// The key of an element reference in the protocol's answers.
constexpr const char* ElementKey = "element-6066-11e4-a52e-4f735466cecf";
const std::vector<std::string> WebKitBrowsers = {"/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser",
                                                 "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.0/MiniBrowser"};

std::optional<std::string> firstExisting(const std::vector<std::string>& paths) {
  for (const std::string& path : paths)
    if (::access(path.c_str(), X_OK) == 0) return path;
  return std::nullopt;
}

std::string fileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

std::string base64Decoded(const std::string& text) {
  std::string out;
  unsigned bits = 0;
  int count = 0;
  for (const char c : text) {
    int v = -1;
    if (c >= 'A' && c <= 'Z') v = c - 'A';
    else if (c >= 'a' && c <= 'z') v = c - 'a' + 26;
    else if (c >= '0' && c <= '9') v = c - '0' + 52;
    else if (c == '+') v = 62;
    else if (c == '/') v = 63;
    if (v < 0) continue;
    bits = (bits << 6) | static_cast<unsigned>(v);
    if ((count += 6) >= 8) {
      count -= 8;
      out += static_cast<char>((bits >> count) & 0xFF);
    }
  }
  return out;
}

json capabilities(Browser browser, int width, int height) {
  if (browser == Browser::Chromium) {
    const std::string size = "--window-size=" + std::to_string(width) + "," + std::to_string(height);
    json options = {{"args", {"--headless=new", "--no-sandbox", "--disable-gpu", size}}};
    // The window is never narrower than 500 pixels and its viewport is smaller
    // than itself: the viewport is emulated, narrow ones as a phone's (touch, mobile).
    const bool phone = width < 500;
    options["mobileEmulation"] = {{"deviceMetrics", {{"width", width}, {"height", height}, {"pixelRatio", 1.0},
                                                     {"touch", phone}, {"mobile", phone}}}};
    return {{"browserName", "chrome"}, {"goog:chromeOptions", options}};
  }
  return {{"webkitgtk:browserOptions", {{"binary", *firstExisting(WebKitBrowsers)}, {"args", {"--automation"}}}}};
}

}  // namespace

std::optional<std::string> webDriverProgram(Browser browser) {
  if (browser == Browser::Chromium) {
    if (!firstExisting({"/usr/bin/chromium"})) return std::nullopt;
    return firstExisting({"/usr/bin/chromedriver"});
  }
  if (!firstExisting(WebKitBrowsers) || !firstExisting({"/usr/bin/xvfb-run"})) return std::nullopt;
  return firstExisting({"/usr/bin/WebKitWebDriver"});
}

WebDriver::WebDriver(Browser browser, int width, int height, std::filesystem::path logFile)
    : log_(std::move(logFile)) {
  startDriver(browser);
  try {
    const json answer = call("POST", "/session", {{"capabilities", {{"alwaysMatch", capabilities(browser, width, height)}}}});
    session_ = answer.at("sessionId").get<std::string>();
    // WebKitGTK's window takes its size here; Chromium's viewport is the window's size already.
    if (browser == Browser::WebKit)
      call("POST", "/session/" + session_ + "/window/rect", {{"width", width}, {"height", height}});
  } catch (...) {
    stopDriver();
    throw;
  }
}

WebDriver::~WebDriver() {
  try {
    if (!session_.empty()) call("DELETE", "/session/" + session_);
  } catch (const std::exception&) {
    // The driver goes below in any case.
  }
  stopDriver();
}

void WebDriver::startDriver(Browser browser) {
  const std::optional<std::string> program = webDriverProgram(browser);
  if (!program) throw std::runtime_error("no WebDriver program on this machine");
  port_ = freeLoopbackPort();
  std::vector<std::string> argv;
  if (browser == Browser::WebKit) argv = {"/usr/bin/xvfb-run", "-a", "-s", "-screen 0 1600x1200x24"};
  argv.push_back(*program);
  argv.push_back("--port=" + std::to_string(port_));
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    ::setpgid(0, 0);  // the driver, its browser and Xvfb go together (stopDriver)
    const int out = ::open(log_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out >= 0) { ::dup2(out, 1); ::dup2(out, 2); }
    std::vector<char*> args;
    for (std::string& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  ::setpgid(pid_, pid_);
  httplib::Client http("127.0.0.1", port_);
  for (int attempt = 0; attempt < 300; ++attempt) {
    if (const auto answer = http.Get("/status"); answer && answer->status == 200) return;
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      throw std::runtime_error("the WebDriver program ended at its start:\n" + fileText(log_));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  stopDriver();
  throw std::runtime_error("the WebDriver program did not answer:\n" + fileText(log_));
}

void WebDriver::stopDriver() {
  if (pid_ <= 0) return;
  ::kill(-pid_, SIGTERM);
  int status = 0;
  ::waitpid(pid_, &status, 0);
  pid_ = -1;
}

json WebDriver::call(const std::string& method, const std::string& path, const json& body) {
  httplib::Client http("127.0.0.1", port_);
  http.set_read_timeout(120, 0);
  httplib::Result answer = method == "GET"      ? http.Get(path)
                           : method == "DELETE" ? http.Delete(path)
                                                : http.Post(path, body.is_null() ? "{}" : body.dump(), "application/json");
  if (!answer) throw std::runtime_error(method + " " + path + ": no answer from the WebDriver program");
  const json reply = json::parse(answer->body, nullptr, false);
  if (answer->status != 200 || reply.is_discarded())
    throw std::runtime_error(method + " " + path + ": " + std::to_string(answer->status) + " " + answer->body);
  return reply.value("value", json());
}

void WebDriver::open(const std::filesystem::path& file) {
  call("POST", "/session/" + session_ + "/url", {{"url", "file://" + std::filesystem::absolute(file).string()}});
}

json WebDriver::run(const std::string& script, const json& args) {
  return call("POST", "/session/" + session_ + "/execute/sync", {{"script", script}, {"args", args}});
}

std::string WebDriver::element(const std::string& css) {
  const json found = call("POST", "/session/" + session_ + "/element", {{"using", "css selector"}, {"value", css}});
  if (!found.contains(ElementKey)) throw std::runtime_error("no element " + css + ": " + found.dump());
  return found.at(ElementKey).get<std::string>();
}

void WebDriver::click(const std::string& element) {
  call("POST", "/session/" + session_ + "/element/" + element + "/click", json::object());
}

void WebDriver::type(const std::string& element, const std::string& text) {
  call("POST", "/session/" + session_ + "/element/" + element + "/value", {{"text", text}});
}

void WebDriver::screenshot(const std::filesystem::path& png) {
  const json shot = call("GET", "/session/" + session_ + "/screenshot");
  std::ofstream(png, std::ios::binary) << base64Decoded(shot.get<std::string>());
}

}  // namespace nk::test

namespace nk::test {

void WebDriver::runBeforeEachPage(const std::string& script) {
  devTools("Page.addScriptToEvaluateOnNewDocument", {{"source", script}});
}

nlohmann::json WebDriver::devTools(const std::string& command, const nlohmann::json& params) {
  return call("POST", "/session/" + session_ + "/goog/cdp/execute", {{"cmd", command}, {"params", params}});
}

}  // namespace nk::test
