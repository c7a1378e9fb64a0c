// demo_server.cpp - the demo master-data server: the files of one folder under /nk/.
#include "demo_server.h"

#include <ctime>
#include <fstream>
#include <iterator>

namespace nk::demo {

namespace fs = std::filesystem;

std::optional<fs::path> fileForRequest(const fs::path& root, std::string_view requestPath) {
  if (!requestPath.starts_with(ServedPrefix)) return std::nullopt;
  std::string_view rest = requestPath.substr(ServedPrefix.size());
  if (rest.empty()) return std::nullopt;
  fs::path file = root;
  while (true) {
    const size_t slash = rest.find('/');
    const std::string_view segment = rest.substr(0, slash);
    // The path arrives percent-decoded, so "%2e%2e" is already ".." here.
    if (segment.empty() || segment == "." || segment == ".." ||
        segment.find_first_of(std::string_view("\\\0", 2)) != std::string_view::npos)
      return std::nullopt;
    file /= fs::path(std::string(segment));
    if (slash == std::string_view::npos) return file;
    rest.remove_prefix(slash + 1);
  }
}

std::string requestLogLine(std::string_view time, std::string_view client, std::string_view method,
                           std::string_view path, int status, size_t bytes) {
  std::string line;
  line.reserve(time.size() + client.size() + method.size() + path.size() + 32);
  line.append(time).append(" ").append(client).append(" ").append(method).append(" ");
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    line.push_back(byte < 0x20 || byte == 0x7f ? '?' : c);
  }
  line.append(" ").append(std::to_string(status)).append(" ").append(std::to_string(bytes));
  return line;
}

namespace {

std::string localTimeText() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  localtime_r(&now, &parts);
  char text[32];
  const size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
  return std::string(text, length);
}

}  // namespace

DemoServer::DemoServer(fs::path root, std::ostream& log) : root_(std::move(root)), log_(log) {
  server_.Get(".*", [this](const httplib::Request& req, httplib::Response& res) { serveFile(req, res); });
  server_.set_logger([this](const httplib::Request& req, const httplib::Response& res) {
    logLine(requestLogLine(localTimeText(), req.remote_addr, req.method, req.path, res.status,
                           res.body.size()));
  });
}

void DemoServer::serveFile(const httplib::Request& req, httplib::Response& res) const {
  const auto file = fileForRequest(root_, req.path);
  std::error_code error;
  if (!file || !fs::is_regular_file(*file, error)) {
    res.status = 404;
    res.set_content("404 Not Found\n", "text/plain");
    return;
  }
  std::ifstream in(*file, std::ios::binary);
  std::string bytes;
  if (in.is_open()) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (!in.is_open() || in.bad()) {
    res.status = 500;
    res.set_content("500 Cannot read the file\n", "text/plain");
    return;
  }
  // The client must never see a stale master file.
  res.set_header("Cache-Control", "no-store");
  res.set_content(std::move(bytes), "application/octet-stream");
}

int DemoServer::bind(const std::string& address, int port) {
  if (port == 0) return server_.bind_to_any_port(address);
  return server_.bind_to_port(address, port) ? port : -1;
}

bool DemoServer::run() { return server_.listen_after_bind(); }

void DemoServer::stop() { server_.stop(); }

bool DemoServer::isRunning() const { return server_.is_running(); }

void DemoServer::logLine(const std::string& line) {
  const std::lock_guard lock(logMutex_);
  log_ << line << '\n';
  log_.flush();
}

}  // namespace nk::demo
