// loopback_sockets_win32.cpp - loopback ports that refuse or never answer,
// over Windows sockets.
#include "loopback_server.h"
#include "winsock_started.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdlib>
#include <stdexcept>

namespace nk::test {
namespace {

struct SocketsStarted {
  SocketsStarted() {
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);
  }
  ~SocketsStarted() { ::WSACleanup(); }
};

sockaddr_in loopback() {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

}  // namespace

void startWindowsSockets() { static SocketsStarted started; }

// WinINet bypasses the proxy for loopback addresses by itself; a build with
// libcurl reads the environment.
void keepLoopbackOffProxies() {
  ::_putenv_s("no_proxy", "127.0.0.1,localhost");
  ::_putenv_s("NO_PROXY", "127.0.0.1,localhost");
}

int freeLoopbackPort() {
  startWindowsSockets();
  const SOCKET s = ::socket(AF_INET, SOCK_STREAM, 0);
  if (s == INVALID_SOCKET) throw std::runtime_error("socket");
  sockaddr_in address = loopback();
  int length = sizeof address;
  if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    ::closesocket(s);
    throw std::runtime_error("bind");
  }
  ::closesocket(s);  // bound, never listened: the port refuses connections
  return ntohs(address.sin_port);
}

std::string closedPortBaseUrl() { return "http://127.0.0.1:" + std::to_string(freeLoopbackPort()) + "/"; }

FullListener::FullListener() {
  startWindowsSockets();
  const SOCKET listener = ::socket(AF_INET, SOCK_STREAM, 0);
  listener_ = static_cast<std::intptr_t>(listener);
  sockaddr_in address = loopback();
  int length = sizeof address;
  ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::listen(listener, 0);
  ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  for (int i = 0; i < 4; ++i) {
    const SOCKET client = ::socket(AF_INET, SOCK_STREAM, 0);
    u_long nonBlocking = 1;
    ::ioctlsocket(client, FIONBIO, &nonBlocking);
    ::connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address);
    clients_.push_back(static_cast<std::intptr_t>(client));
  }
}

FullListener::~FullListener() {
  for (std::intptr_t client : clients_) ::closesocket(static_cast<SOCKET>(client));
  ::closesocket(static_cast<SOCKET>(listener_));
}

}  // namespace nk::test
