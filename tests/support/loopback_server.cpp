// loopback_server.cpp - what the tests' loopback server is on every platform:
// its addresses, the kinds of route made from the one general route, and the
// counts of the requests it saw.
#include "loopback_server.h"

#include <algorithm>

namespace nk::test {

std::string LoopbackServer::Request::header(const std::string& lowerCaseName) const {
  const auto found = headers.find(lowerCaseName);
  return found == headers.end() ? std::string() : found->second;
}

std::string LoopbackServer::baseUrl() const { return "http://127.0.0.1:" + std::to_string(port()) + "/"; }

std::string LoopbackServer::url(const std::string& path) const {
  return baseUrl() + (path.starts_with("/") ? path.substr(1) : path);
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
  const std::vector<Request> seen = requests();
  return static_cast<int>(std::count_if(seen.begin(), seen.end(), [&](const Request& r) { return r.path == path; }));
}

int LoopbackServer::totalRequests() const { return static_cast<int>(requests().size()); }

}  // namespace nk::test
