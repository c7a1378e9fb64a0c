// loopback_server.h - a real HTTP server on 127.0.0.1 for the tests, running
// in the test process, that serves bytes by path and misbehaves on request.
//
// It binds an ephemeral port, records every request (path and headers) and
// answers each path as its route says: a body with Content-Length or in
// chunks, an error status, a redirect, a body cut short, or a stall. Paths
// without a route get 404. stop() (or the destructor) ends every stall at
// once, so a test never waits for a stalled route to run out.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace nk::test {

class LoopbackServer {
public:
  struct Route {
    int status = 200;
    std::string body;
    // Redirect target (absolute URL or path) for a 3xx status.
    std::string location;
    // Send the body in HTTP chunks instead of announcing its length.
    bool chunked = false;
    // The body goes out in pieces of this size (0: in one piece).
    std::size_t pieceSize = 0;
    // Before every piece but the first, wait this long (a trickle).
    std::chrono::milliseconds pieceDelay{0};
    // When not 0, the body is this many bytes of body repeated, made as it is
    // sent (bodies too large to hold); sending ends when the client goes away.
    std::uint64_t generatedSize = 0;
    // Announce this Content-Length whatever the body holds.
    std::optional<std::uint64_t> announcedLength;
    // Close the connection after this many body bytes (the length announced
    // or the last chunk never comes).
    std::optional<std::size_t> cutAfter;
    // After this many body bytes, send nothing for stallFor, then the rest.
    std::optional<std::size_t> stallAfter;
    // Before sending even the status line, wait this long.
    std::chrono::milliseconds delayHeaders{0};
    std::chrono::milliseconds stallFor{0};
    // Read the body from this file at every request (when not empty).
    std::filesystem::path file;
  };

  struct Request {
    std::string path;
    // Header names in lower case.
    std::multimap<std::string, std::string> headers;
    std::string header(const std::string& lowerCaseName) const;
  };

  LoopbackServer();
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  int port() const;
  // "http://127.0.0.1:<port>/"
  std::string baseUrl() const;
  // baseUrl() followed by path without its leading "/".
  std::string url(const std::string& path) const;

  void route(const std::string& path, Route route);
  void serve(const std::string& path, const std::string& body);
  void serveFile(const std::string& path, const std::filesystem::path& file);
  void fail(const std::string& path, int status);
  void redirect(const std::string& path, const std::string& location, int status = 302);

  int requestCount(const std::string& path) const;
  int totalRequests() const;
  std::vector<Request> requests() const;
  // Forgets the requests seen so far (long runs, whose record would grow).
  void clearRequests();

  // Stops listening and ends all stalls; idempotent.
  void stop();

private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Makes sure that no proxy from the environment stands between a fetch and
// the loopback server.
void keepLoopbackOffProxies();

// A loopback port that was free a moment ago (bound, never listened), for a
// server started in another process.
int freeLoopbackPort();

// A loopback base URL ("http://127.0.0.1:<port>/") where nothing listens, so
// a connection is refused.
std::string closedPortBaseUrl();

// A listening socket whose accept queue is full: the system drops further
// connection requests unanswered, so a connection is never made.
class FullListener {
public:
  FullListener();
  ~FullListener();
  FullListener(const FullListener&) = delete;
  FullListener& operator=(const FullListener&) = delete;
  std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/nk/songlist.dat"; }

private:
  // Socket descriptors or Windows sockets.
  std::intptr_t listener_ = -1;
  int port_ = 0;
  std::vector<std::intptr_t> clients_;
};

}  // namespace nk::test
