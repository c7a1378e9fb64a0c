// loopback_server_remote.cpp - the tests' loopback server for the Windows
// build: Debian ships cpp-httplib's code only as a Linux library, so the
// server runs natively in nk_loopback_daemon (started by tools/windows-test),
// and this side sets its routes and reads its requests over the daemon's
// control port, named by NK_LOOPBACK_CONTROL ("127.0.0.1:<port>").
#include "loopback_server.h"
#include "loopback_wire.h"
#include "winsock_started.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace nk::test {
namespace {

class Socket {
public:
  Socket() : s_(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {}
  ~Socket() {
    if (s_ != INVALID_SOCKET) ::closesocket(s_);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  SOCKET get() const { return s_; }

private:
  SOCKET s_;
};

int controlPort() {
  const char* control = std::getenv("NK_LOOPBACK_CONTROL");
  const std::string text = control ? control : "";
  const size_t colon = text.rfind(':');
  if (colon == std::string::npos || text.substr(0, colon) != "127.0.0.1")
    throw std::runtime_error("NK_LOOPBACK_CONTROL does not name the loopback daemon (run tools/windows-test)");
  return static_cast<int>(wire::number(text.substr(colon + 1)));
}

// One request to the daemon over a connection of its own; the body of its
// answer. A status other than 200 throws with the daemon's words.
std::string control(const std::string& method, const std::string& target, const std::string& body = {}) {
  startWindowsSockets();
  static const int port = controlPort();
  Socket s;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<u_short>(port));
  if (s.get() == INVALID_SOCKET || ::connect(s.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
    throw std::runtime_error("the loopback daemon does not answer on port " + std::to_string(port));
  std::string request = method + " " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n" +
                        "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
  for (std::string_view rest = request; !rest.empty();) {
    const int n = ::send(s.get(), rest.data(), static_cast<int>(std::min<size_t>(rest.size(), 1 << 20)), 0);
    if (n <= 0) throw std::runtime_error("the loopback daemon took no request");
    rest.remove_prefix(static_cast<size_t>(n));
  }
  std::string answer;
  char buffer[65536];
  for (int n; (n = ::recv(s.get(), buffer, sizeof buffer, 0)) > 0;) answer.append(buffer, static_cast<size_t>(n));
  const size_t headEnd = answer.find("\r\n\r\n");
  if (headEnd == std::string::npos || answer.compare(0, 9, "HTTP/1.1 ") != 0)
    throw std::runtime_error("the loopback daemon answered nothing readable");
  std::string content = answer.substr(headEnd + 4);
  if (answer.compare(9, 3, "200") != 0) throw std::runtime_error("loopback daemon: " + content);
  return content;
}

}  // namespace

struct LoopbackServer::Impl {
  int id = 0;
  int port = 0;
  bool stopped = false;
  std::string query() const { return "?id=" + std::to_string(id); }
};

LoopbackServer::LoopbackServer() : impl_(std::make_unique<Impl>()) {
  keepLoopbackOffProxies();
  const std::string made = control("POST", "/create");
  const size_t blank = made.find(' ');
  if (blank == std::string::npos) throw std::runtime_error("loopback daemon: " + made);
  impl_->id = static_cast<int>(wire::number(made.substr(0, blank)));
  impl_->port = static_cast<int>(wire::number(made.substr(blank + 1)));
}

LoopbackServer::~LoopbackServer() {
  try {
    control("POST", "/destroy" + impl_->query());
  } catch (const std::exception&) {
    // The daemon is gone: so is the server.
  }
}

void LoopbackServer::stop() {
  if (impl_->stopped) return;
  impl_->stopped = true;
  control("POST", "/stop" + impl_->query());
}

int LoopbackServer::port() const { return impl_->port; }

void LoopbackServer::route(const std::string& path, Route route) {
  // The daemon cannot see the files of this side: bodies travel whole.
  if (!route.file.empty()) throw std::logic_error("a route from a file is served by the Linux build only");
  control("POST", "/route" + impl_->query(), wire::encodeRoute(path, route));
}

std::vector<LoopbackServer::Request> LoopbackServer::requests() const {
  return wire::decodeRequests(control("GET", "/requests" + impl_->query()));
}

void LoopbackServer::clearRequests() { control("POST", "/clear" + impl_->query()); }

}  // namespace nk::test
