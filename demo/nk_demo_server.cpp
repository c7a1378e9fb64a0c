// nk_demo_server.cpp - starts the demo master-data server and stops it on SIGINT or SIGTERM.
#include "demo_server.h"
#include "demo_server_options.h"

#include <atomic>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <pthread.h>
#include <thread>

#ifndef NK_DEMO_DEFAULT_ROOT
#define NK_DEMO_DEFAULT_ROOT "demo/nk"
#endif

namespace {

// Waits for SIGINT or SIGTERM and stops the server. The stop is repeated until
// the server has finished: a signal that comes in while it is still starting
// would otherwise find nothing to stop and be lost.
void stopOnSignal(const sigset_t& signals, nk::demo::DemoServer& server, const std::atomic<bool>& finished) {
  bool stopping = false;
  while (!finished) {
    const timespec wait{0, 100'000'000};
    const int signal = sigtimedwait(&signals, nullptr, &wait);
    if (signal > 0 && !stopping) {
      server.logLine(std::string("stopping on ") + (signal == SIGINT ? "SIGINT" : "SIGTERM"));
      stopping = true;
    }
    if (stopping) server.stop();
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string program = argc > 0 ? std::filesystem::path(argv[0]).filename().string() : "nk_demo_server";
  const auto parsed = nk::demo::parseServerOptions(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc),
                                                   NK_DEMO_DEFAULT_ROOT);
  using Outcome = nk::demo::ParsedOptions::Outcome;
  if (parsed.outcome == Outcome::Help) {
    std::cout << nk::demo::usageText(program, NK_DEMO_DEFAULT_ROOT);
    return 0;
  }
  if (parsed.outcome == Outcome::Error) {
    std::cerr << program << ": " << parsed.error << "\n" << nk::demo::usageText(program, NK_DEMO_DEFAULT_ROOT);
    return 2;
  }
  const auto& options = parsed.options;
  std::error_code error;
  if (!std::filesystem::is_directory(options.root, error)) {
    std::cerr << program << ": no folder " << options.root
              << " (build the demo data first: tools/build build)\n";
    return 1;
  }

  // Blocked before any thread starts, so that every thread inherits the mask
  // and the signals reach only the waiter below.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  std::signal(SIGPIPE, SIG_IGN);

  nk::demo::DemoServer server(options.root, std::cout);
  const int port = server.bind(options.bindAddress, options.port);
  if (port < 0) {
    std::cerr << program << ": cannot listen on " << options.bindAddress << ":" << options.port << "\n";
    return 1;
  }
  const bool ipv6 = options.bindAddress.find(':') != std::string::npos;
  const std::string host = ipv6 ? "[" + options.bindAddress + "]" : options.bindAddress;
  server.logLine("serving " + std::filesystem::absolute(options.root).lexically_normal().string() + " at http://" +
                 host + ":" + std::to_string(port) + std::string(nk::demo::ServedPrefix));

  std::atomic<bool> finished{false};
  std::thread waiter(stopOnSignal, std::cref(signals), std::ref(server), std::cref(finished));
  const bool ran = server.run();
  finished = true;
  waiter.join();
  server.logLine(ran ? "stopped" : "stopped: the server could not run");
  return ran ? 0 : 1;
}
