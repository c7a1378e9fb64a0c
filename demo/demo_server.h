// demo_server.h - the demo master-data server: the files of one folder under /nk/.
//
// Serves every regular file below the folder as raw bytes (the master files are
// CP932 and must reach the client unchanged), answers 404 for anything else,
// and writes one line per request to the log stream. Only GET and HEAD.
#pragma once

#include <httplib.h>

#include <filesystem>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace nk::demo {

// The URL folder under which the files are served.
inline constexpr std::string_view ServedPrefix = "/nk/";

// The file below root that a decoded request path names, or nothing when the
// path lies outside ServedPrefix or could leave root (".", "..", empty
// segments, backslashes, NUL). Whether the file exists is not checked here.
std::optional<std::filesystem::path> fileForRequest(const std::filesystem::path& root,
                                                    std::string_view requestPath);

// One log line (without its end): time, client, method, path, status, bytes.
// Control characters of the path are written as "?" so that a request can
// never break the one-line-per-request log.
std::string requestLogLine(std::string_view time, std::string_view client, std::string_view method,
                           std::string_view path, int status, size_t bytes);

class DemoServer {
public:
  DemoServer(std::filesystem::path root, std::ostream& log);
  DemoServer(const DemoServer&) = delete;
  DemoServer& operator=(const DemoServer&) = delete;

  // Binds the listening socket; port 0 takes a free port. Returns the port,
  // or -1 when the address cannot be bound.
  int bind(const std::string& address, int port);
  // Answers requests until stop(); false when it could not start.
  bool run();
  // Ends run(); callable from any thread.
  void stop();
  bool isRunning() const;

  // Writes one line to the log stream, whole and flushed.
  void logLine(const std::string& line);

private:
  void serveFile(const httplib::Request& req, httplib::Response& res) const;

  std::filesystem::path root_;
  std::ostream& log_;
  std::mutex logMutex_;
  httplib::Server server_;
};

}  // namespace nk::demo
