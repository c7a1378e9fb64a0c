// loopback_daemon.cpp - the tests' loopback servers for test programs that
// cannot run one themselves: the Windows tests under Wine. It runs natively,
// makes a loopback server (cpp-httplib) for each one a test makes, and takes
// their routes and hands out the requests they saw over a control port:
//
//   POST /create               -> "<id> <port>"
//   POST /route?id=<id>        route of loopback_wire.h -> "ok"
//   GET  /requests?id=<id>     -> the requests of loopback_wire.h
//   POST /clear|stop|destroy?id=<id> -> "ok"
//
// Usage: nk_loopback_daemon <port file>; the control port is written there
// once it listens. It runs until it is killed.
#include "loopback_server.h"
#include "loopback_wire.h"

#include <httplib.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <mutex>

namespace {

using nk::test::LoopbackServer;

std::mutex serversMutex;
std::map<int, std::shared_ptr<LoopbackServer>> servers;
int lastId = 0;

int idOf(const httplib::Request& req) { return std::stoi(req.get_param_value("id")); }

std::shared_ptr<LoopbackServer> serverOf(const httplib::Request& req) {
  const int id = idOf(req);
  std::lock_guard lock(serversMutex);
  const auto found = servers.find(id);
  if (found == servers.end()) throw std::runtime_error("no loopback server " + std::to_string(id));
  return found->second;
}

void reply(httplib::Response& res, const std::string& body) { res.set_content(body, "application/octet-stream"); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: nk_loopback_daemon <port file>\n";
    return 2;
  }
  httplib::Server control;
  control.set_exception_handler([](const httplib::Request&, httplib::Response& res, std::exception_ptr e) {
    res.status = 500;
    try {
      std::rethrow_exception(e);
    } catch (const std::exception& error) {
      res.set_content(error.what(), "text/plain");
    } catch (...) {
      res.set_content("unknown error", "text/plain");
    }
  });
  control.Post("/create", [](const httplib::Request&, httplib::Response& res) {
    auto server = std::make_shared<LoopbackServer>();
    std::lock_guard lock(serversMutex);
    const int id = ++lastId;
    servers[id] = server;
    reply(res, std::to_string(id) + " " + std::to_string(server->port()));
  });
  control.Post("/route", [](const httplib::Request& req, httplib::Response& res) {
    auto [path, route] = nk::test::wire::decodeRoute(req.body);
    serverOf(req)->route(path, std::move(route));
    reply(res, "ok");
  });
  control.Get("/requests", [](const httplib::Request& req, httplib::Response& res) {
    reply(res, nk::test::wire::encodeRequests(serverOf(req)->requests()));
  });
  control.Post("/clear", [](const httplib::Request& req, httplib::Response& res) {
    serverOf(req)->clearRequests();
    reply(res, "ok");
  });
  control.Post("/stop", [](const httplib::Request& req, httplib::Response& res) {
    serverOf(req)->stop();
    reply(res, "ok");
  });
  control.Post("/destroy", [](const httplib::Request& req, httplib::Response& res) {
    std::shared_ptr<LoopbackServer> server = serverOf(req);
    {
      std::lock_guard lock(serversMutex);
      servers.erase(idOf(req));
    }
    server.reset();  // stops it, ending its stalls
    reply(res, "ok");
  });

  const int port = control.bind_to_any_port("127.0.0.1");
  if (port <= 0) {
    std::cerr << "nk_loopback_daemon: cannot bind a port\n";
    return 1;
  }
  // Written whole under another name first: whoever waits for the file never reads half of it.
  const std::string partial = std::string(argv[1]) + ".partial";
  {
    std::ofstream file(partial, std::ios::trunc);
    file << port << "\n";
    if (!file) {
      std::cerr << "nk_loopback_daemon: cannot write " << partial << "\n";
      return 1;
    }
  }
  if (std::rename(partial.c_str(), argv[1]) != 0) {
    std::cerr << "nk_loopback_daemon: cannot write " << argv[1] << "\n";
    return 1;
  }
  return control.listen_after_bind() ? 0 : 1;
}
