// loopback_server_winsock.cpp - the tests' misbehaving HTTP server over
// Windows sockets, for the Windows build: Debian ships cpp-httplib's code only
// as a Linux library. One thread per connection, one response per
// connection ("Connection: close"), the routes of loopback_server.h.
#include "loopback_server.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <cctype>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <set>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace nk::test {
namespace {

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string fileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

bool sendAll(SOCKET s, std::string_view bytes) {
  while (!bytes.empty()) {
    const int n = ::send(s, bytes.data(), static_cast<int>(std::min<size_t>(bytes.size(), 1 << 20)), 0);
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

const char* reason(int status) {
  switch (status) {
    case 200: return "OK";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
  }
}

}  // namespace

std::string LoopbackServer::Request::header(const std::string& lowerCaseName) const {
  const auto found = headers.find(lowerCaseName);
  return found == headers.end() ? std::string() : found->second;
}

struct LoopbackServer::Impl {
  SOCKET listener = INVALID_SOCKET;
  std::thread acceptor;
  std::vector<std::thread> connections;
  std::set<SOCKET> open;
  int port = 0;

  mutable std::mutex mutex;
  std::condition_variable stopSignal;
  bool stopping = false;
  std::map<std::string, Route> routes;
  std::vector<Request> requests;

  bool waitOrStop(std::chrono::milliseconds duration) {
    std::unique_lock lock(mutex);
    return stopSignal.wait_for(lock, duration, [this] { return stopping; });
  }

  void accept() {
    for (;;) {
      const SOCKET client = ::accept(listener, nullptr, nullptr);
      if (client == INVALID_SOCKET) return;
      std::lock_guard lock(mutex);
      if (stopping) {
        ::closesocket(client);
        return;
      }
      // Pieces go out as they are given, not gathered for a fuller packet.
      const BOOL noDelay = TRUE;
      ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
      open.insert(client);
      connections.emplace_back([this, client] {
        serve(client);
        std::lock_guard done(mutex);
        if (open.erase(client) > 0) {
          ::shutdown(client, SD_SEND);
          ::closesocket(client);
        }
      });
    }
  }

  // The request line and headers; false when the client went before them.
  bool receive(SOCKET client, Request& request) {
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos) {
      const int n = ::recv(client, buffer, sizeof buffer, 0);
      if (n <= 0) return false;
      head.append(buffer, static_cast<size_t>(n));
    }
    std::istringstream lines(head.substr(0, head.find("\r\n\r\n")));
    std::string line;
    std::getline(lines, line);
    const size_t first = line.find(' ');
    const size_t second = line.find(' ', first + 1);
    if (first == std::string::npos || second == std::string::npos) return false;
    request.path = line.substr(first + 1, second - first - 1);
    while (std::getline(lines, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const size_t colon = line.find(':');
      if (colon == std::string::npos) continue;
      const size_t value = line.find_first_not_of(' ', colon + 1);
      request.headers.emplace(lowerCase(line.substr(0, colon)),
                              value == std::string::npos ? std::string() : line.substr(value));
    }
    return true;
  }

  void serve(SOCKET client) {
    Request request;
    if (!receive(client, request)) return;
    Route route;
    bool known = false;
    {
      std::lock_guard lock(mutex);
      requests.push_back(request);
      const auto found = routes.find(request.path);
      if (found != routes.end()) {
        route = found->second;
        known = true;
      }
    }
    auto head = [](int status, const std::string& fields) {
      return "HTTP/1.1 " + std::to_string(status) + " " + reason(status) + "\r\n" + fields +
             "Connection: close\r\n\r\n";
    };
    if (!known) {
      const std::string body = "<html>not found</html>";
      sendAll(client, head(404, "Content-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) + "\r\n") +
                          body);
      return;
    }
    if (route.delayHeaders.count() > 0 && waitOrStop(route.delayHeaders)) return;
    if (!route.location.empty()) {
      sendAll(client, head(route.status, "Location: " + route.location + "\r\nContent-Length: 0\r\n"));
      return;
    }
    const std::string body = route.file.empty() ? route.body : fileBytes(route.file);
    const std::uint64_t size = route.generatedSize > 0 ? route.generatedSize : body.size();
    std::string fields = "Content-Type: application/octet-stream\r\n";
    if (route.chunked) fields += "Transfer-Encoding: chunked\r\n";
    else fields += "Content-Length: " + std::to_string(route.announcedLength.value_or(size)) + "\r\n";
    if (!sendAll(client, head(route.status, fields))) return;
    sendBody(client, route, body, size);
  }

  // The body in pieces as the route says; returns when it is sent or dropped.
  void sendBody(SOCKET client, const Route& route, const std::string& body, std::uint64_t size) {
    bool stalled = false;
    std::uint64_t offset = 0;
    for (;;) {
      if (route.cutAfter && offset >= *route.cutAfter) return;
      if (route.stallAfter && offset >= *route.stallAfter && !stalled) {
        stalled = true;
        if (waitOrStop(route.stallFor)) return;
      }
      if (offset >= size) {
        // Short of an announced length: only closing the connection ends it.
        if (route.announcedLength || !route.chunked) return;
        sendAll(client, "0\r\n\r\n");
        return;
      }
      if (offset > 0 && route.pieceDelay.count() > 0 && waitOrStop(route.pieceDelay)) return;
      std::uint64_t limit = size;
      if (route.cutAfter) limit = std::min<std::uint64_t>(limit, *route.cutAfter);
      if (route.stallAfter && offset < *route.stallAfter) limit = std::min<std::uint64_t>(limit, *route.stallAfter);
      std::uint64_t count = std::min<std::uint64_t>(limit - offset, 64 * 1024);
      if (route.pieceSize > 0) count = std::min<std::uint64_t>(count, route.pieceSize);
      std::string piece(static_cast<size_t>(count), '\0');
      for (size_t i = 0; i < piece.size(); ++i) piece[i] = body[static_cast<size_t>((offset + i) % body.size())];
      if (route.chunked) {
        std::ostringstream sized;
        sized << std::hex << piece.size() << "\r\n";
        piece = sized.str() + piece + "\r\n";
      }
      if (!sendAll(client, piece)) return;
      offset += count;
    }
  }
};

LoopbackServer::LoopbackServer() : impl_(std::make_unique<Impl>()) {
  keepLoopbackOffProxies();
  WSADATA data;
  ::WSAStartup(MAKEWORD(2, 2), &data);
  Impl* impl = impl_.get();
  impl->listener = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int length = sizeof address;
  if (impl->listener == INVALID_SOCKET ||
      ::bind(impl->listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(impl->listener, SOMAXCONN) != 0 ||
      ::getsockname(impl->listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
    throw std::runtime_error("the loopback server cannot bind a port");
  impl->port = ntohs(address.sin_port);
  impl->acceptor = std::thread([impl] { impl->accept(); });
}

LoopbackServer::~LoopbackServer() {
  stop();
  ::WSACleanup();
}

void LoopbackServer::stop() {
  std::vector<std::thread> connections;
  {
    std::lock_guard lock(impl_->mutex);
    if (impl_->stopping && !impl_->acceptor.joinable()) return;
    impl_->stopping = true;
    ::closesocket(impl_->listener);
    // Ends every send and receive that still waits on a client.
    for (SOCKET client : impl_->open) ::closesocket(client);
    impl_->open.clear();
  }
  impl_->stopSignal.notify_all();
  if (impl_->acceptor.joinable()) impl_->acceptor.join();
  {
    std::lock_guard lock(impl_->mutex);
    connections.swap(impl_->connections);
  }
  for (std::thread& connection : connections) connection.join();
}

int LoopbackServer::port() const { return impl_->port; }

std::string LoopbackServer::baseUrl() const { return "http://127.0.0.1:" + std::to_string(impl_->port) + "/"; }

std::string LoopbackServer::url(const std::string& path) const {
  return baseUrl() + (path.starts_with("/") ? path.substr(1) : path);
}

void LoopbackServer::route(const std::string& path, Route route) {
  std::lock_guard lock(impl_->mutex);
  impl_->routes[path] = std::move(route);
}

void LoopbackServer::serve(const std::string& path, const std::string& body) {
  Route r;
  r.body = body;
  route(path, std::move(r));
}

void LoopbackServer::serveFile(const std::string& path, const std::filesystem::path& file) {
  Route r;
  r.file = std::filesystem::absolute(file);
  route(path, std::move(r));
}

void LoopbackServer::fail(const std::string& path, int status) {
  Route r;
  r.status = status;
  r.body = "<html>error " + std::to_string(status) + "</html>";
  route(path, std::move(r));
}

void LoopbackServer::redirect(const std::string& path, const std::string& location, int status) {
  Route r;
  r.status = status;
  r.location = location;
  route(path, std::move(r));
}

int LoopbackServer::requestCount(const std::string& path) const {
  std::lock_guard lock(impl_->mutex);
  return static_cast<int>(std::count_if(impl_->requests.begin(), impl_->requests.end(),
                                        [&](const Request& r) { return r.path == path; }));
}

int LoopbackServer::totalRequests() const {
  std::lock_guard lock(impl_->mutex);
  return static_cast<int>(impl_->requests.size());
}

std::vector<LoopbackServer::Request> LoopbackServer::requests() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->requests;
}

void LoopbackServer::clearRequests() {
  std::lock_guard lock(impl_->mutex);
  impl_->requests.clear();
  impl_->requests.shrink_to_fit();
}

}  // namespace nk::test
