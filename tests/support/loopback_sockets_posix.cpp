// loopback_sockets_posix.cpp - loopback ports that refuse or never answer,
// over BSD sockets.
#include "loopback_server.h"

#include <arpa/inet.h>
#include <cstdlib>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace nk::test {

void keepLoopbackOffProxies() {
  ::setenv("no_proxy", "127.0.0.1,localhost", 1);
  ::setenv("NO_PROXY", "127.0.0.1,localhost", 1);
}

int freeLoopbackPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) throw std::runtime_error("socket");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    ::close(fd);
    throw std::runtime_error("bind");
  }
  ::close(fd);  // bound, never listened: the port refuses connections
  return ntohs(address.sin_port);
}

std::string closedPortBaseUrl() { return "http://127.0.0.1:" + std::to_string(freeLoopbackPort()) + "/"; }

FullListener::FullListener() {
  const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
  listener_ = listener;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::listen(listener, 0);
  ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  for (int i = 0; i < 4; ++i) {
    const int client = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    ::connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address);
    clients_.push_back(client);
  }
}

FullListener::~FullListener() {
  for (std::intptr_t client : clients_) ::close(static_cast<int>(client));
  ::close(static_cast<int>(listener_));
}

}  // namespace nk::test
