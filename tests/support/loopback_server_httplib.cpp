// loopback_server_httplib.cpp - the tests' misbehaving HTTP server over cpp-httplib.
#include "loopback_server.h"

#include <httplib.h>

#include <algorithm>
#include <cctype>
#include <condition_variable>
#include <fstream>
#include <mutex>
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

}  // namespace

struct LoopbackServer::Impl {
  httplib::Server server;
  std::thread thread;
  int port = 0;

  mutable std::mutex mutex;
  std::condition_variable stopSignal;
  bool stopping = false;
  std::map<std::string, Route> routes;
  std::vector<Request> requests;

  // Sleeps for up to duration; true when the server is stopping instead.
  bool waitOrStop(std::chrono::milliseconds duration) {
    std::unique_lock lock(mutex);
    return stopSignal.wait_for(lock, duration, [this] { return stopping; });
  }

  // Hands out the next piece of body from offset, honouring the route's cut
  // and stall. False drops the connection.
  bool provide(const Route& route, const std::string& body, bool& stalled, std::size_t offset,
               httplib::DataSink& sink) {
    const std::size_t size = route.generatedSize > 0 ? static_cast<std::size_t>(route.generatedSize) : body.size();
    if (route.cutAfter && offset >= *route.cutAfter) return false;
    if (route.stallAfter && offset >= *route.stallAfter && !stalled) {
      stalled = true;
      if (waitOrStop(route.stallFor)) return false;
    }
    if (offset >= size) {
      // Short of an announced length: only closing the connection ends it.
      if (route.announcedLength) return false;
      sink.done();
      return true;
    }
    if (offset > 0 && route.pieceDelay.count() > 0 && waitOrStop(route.pieceDelay)) return false;
    std::size_t limit = size;
    if (route.cutAfter) limit = std::min(limit, *route.cutAfter);
    if (route.stallAfter && offset < *route.stallAfter) limit = std::min(limit, *route.stallAfter);
    std::size_t count = limit - offset;
    if (route.pieceSize > 0) count = std::min(count, route.pieceSize);
    if (route.generatedSize == 0) return sink.write(body.data() + offset, count);
    std::string piece(std::min<std::size_t>(count, 64 * 1024), '\0');
    for (std::size_t i = 0; i < piece.size(); ++i) piece[i] = body[(offset + i) % body.size()];
    return sink.write(piece.data(), piece.size());
  }

  void handle(const httplib::Request& req, httplib::Response& res) {
    Route route;
    bool known = false;
    {
      std::lock_guard lock(mutex);
      Request seen{req.path, {}};
      for (const auto& [name, value] : req.headers) seen.headers.emplace(lowerCase(name), value);
      requests.push_back(std::move(seen));
      const auto found = routes.find(req.path);
      if (found != routes.end()) {
        route = found->second;
        known = true;
      }
    }
    if (!known) {
      res.status = 404;
      res.set_content("<html>not found</html>", "text/html");
      return;
    }
    if (route.delayHeaders.count() > 0 && waitOrStop(route.delayHeaders)) return;
    if (!route.location.empty()) {
      res.set_redirect(route.location, route.status);
      return;
    }
    res.status = route.status;
    auto body = std::make_shared<std::string>(route.file.empty() ? route.body : fileBytes(route.file));
    const bool plain = !route.chunked && route.pieceSize == 0 && !route.cutAfter && !route.stallAfter &&
                       route.pieceDelay.count() == 0 && route.generatedSize == 0 && !route.announcedLength;
    if (plain) {
      res.set_content(*body, "application/octet-stream");
      return;
    }
    auto stalled = std::make_shared<bool>(false);
    if (route.chunked) {
      res.set_chunked_content_provider(
          "application/octet-stream", [this, route, body, stalled](std::size_t offset, httplib::DataSink& sink) {
            return provide(route, *body, *stalled, offset, sink);
          });
    } else {
      const std::size_t length = static_cast<std::size_t>(
          route.announcedLength.value_or(route.generatedSize > 0 ? route.generatedSize : body->size()));
      res.set_content_provider(length, "application/octet-stream",
                               [this, route, body, stalled](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                 return provide(route, *body, *stalled, offset, sink);
                               });
    }
  }
};

LoopbackServer::LoopbackServer() : impl_(std::make_unique<Impl>()) {
  keepLoopbackOffProxies();
  Impl* impl = impl_.get();
  impl->server.set_keep_alive_timeout(1);
  impl->server.Get(".*", [impl](const httplib::Request& req, httplib::Response& res) { impl->handle(req, res); });
  impl->port = impl->server.bind_to_any_port("127.0.0.1");
  if (impl->port <= 0) throw std::runtime_error("the loopback server cannot bind a port");
  impl->thread = std::thread([impl] { impl->server.listen_after_bind(); });
  // stop() has no effect on a server that has not begun to run yet.
  for (int i = 0; i < 5000 && !impl->server.is_running(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

LoopbackServer::~LoopbackServer() { stop(); }

void LoopbackServer::stop() {
  {
    std::lock_guard lock(impl_->mutex);
    impl_->stopping = true;
  }
  impl_->stopSignal.notify_all();
  impl_->server.stop();
  if (impl_->thread.joinable()) impl_->thread.join();
}

int LoopbackServer::port() const { return impl_->port; }

void LoopbackServer::route(const std::string& path, Route route) {
  std::lock_guard lock(impl_->mutex);
  impl_->routes[path] = std::move(route);
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
