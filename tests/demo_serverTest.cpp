// demo_serverTest.cpp - the demo server: path mapping, request log, files over real HTTP.
#include "demo_server.h"
#include "test_support.h"

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <regex>
#include <sstream>
#include <thread>

namespace nk::demo {
namespace {

namespace fs = std::filesystem;

TEST(FileForRequest, MapsOnlyPathsBelowTheRoot) {
  const fs::path root = "/srv/demo";
  const std::pair<const char*, const char*> cases[] = {
      {"/nk/common/songlist.dat", "/srv/demo/common/songlist.dat"},
      {"/nk/sr/12/srlist.dat", "/srv/demo/sr/12/srlist.dat"},
      {"/nk/a..b/x.dat", "/srv/demo/a..b/x.dat"},
      {"/nk/.hidden", "/srv/demo/.hidden"},
      {"/nk/", nullptr},
      {"/nk", nullptr},
      {"/", nullptr},
      {"/common/songlist.dat", nullptr},
      {"/NK/common/songlist.dat", nullptr},
      {"/nk/../etc/passwd", nullptr},
      {"/nk/common/../../x", nullptr},
      {"/nk/./common/x", nullptr},
      {"/nk//etc/passwd", nullptr},
      {"/nk/common/", nullptr},
      {"/nk/common\\..\\..\\x", nullptr},
  };
  for (const auto& [request, expected] : cases) {
    const auto file = fileForRequest(root, request);
    if (expected == nullptr) {
      EXPECT_FALSE(file.has_value()) << request << " -> " << file->string();
    } else {
      ASSERT_TRUE(file.has_value()) << request;
      EXPECT_EQ(file->string(), expected) << request;
    }
  }
  EXPECT_FALSE(fileForRequest(root, std::string_view("/nk/a\0b", 7)).has_value());
}

TEST(RequestLogLine, StaysOneLineWhateverThePath) {
  EXPECT_EQ(requestLogLine("2026-01-02 03:04:05", "127.0.0.1", "GET", "/nk/common/songlist.dat", 200, 3358),
            "2026-01-02 03:04:05 127.0.0.1 GET /nk/common/songlist.dat 200 3358");
  EXPECT_EQ(requestLogLine("t", "::1", "HEAD", "/nk/a\r\nb\tc\x7f" "d/曲", 404, 0), "t ::1 HEAD /nk/a??b?c?d/曲 404 0");
}

std::vector<std::string> logLines(const std::string& log) {
  std::vector<std::string> lines;
  std::istringstream in(log);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A server on a free loopback port, answering from its own thread.
class RunningServer {
public:
  explicit RunningServer(const fs::path& root) : server(root, log) {
    port = server.bind("127.0.0.1", 0);
    if (port <= 0) throw std::runtime_error("cannot bind a loopback port");
    thread = std::thread([this] { server.run(); });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!server.isRunning() && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~RunningServer() { stop(); }
  // After stop() every request has been logged.
  void stop() {
    if (!thread.joinable()) return;
    server.stop();
    thread.join();
  }
  httplib::Client client() const {
    httplib::Client c("127.0.0.1", port);
    c.set_connection_timeout(std::chrono::seconds(2));
    c.set_read_timeout(std::chrono::seconds(2));
    return c;
  }

  std::ostringstream log;
  DemoServer server;
  int port = 0;
  std::thread thread;
};

// Every byte value, CP932 text and line ends of all kinds: nothing may be
// translated on the way.
std::string awkwardBytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
  return bytes + test::toCp932("<>曲名<>アニメ<>\r\n") + "\n\r\r\n" + std::string(70000, 'x');
}

TEST(DemoServer, ServesFilesByteForByteAndLogsEachRequest) {
  test::TempWorkDir dir;
  fs::create_directories("nk/common/empty-folder");
  const std::string bytes = awkwardBytes();
  test::writeBytes("nk/common/songlist.dat", bytes);
  test::writeBytes("nk/common/empty.dat", "");
  test::writeBytes("outside.dat", "secret");

  RunningServer running(dir.path() / "nk");
  ASSERT_TRUE(running.server.isRunning());
  auto client = running.client();

  auto res = client.Get("/nk/common/songlist.dat");
  ASSERT_TRUE(res) << httplib::to_string(res.error());
  EXPECT_EQ(res->status, 200);
  EXPECT_EQ(res->body, bytes);
  EXPECT_EQ(res->get_header_value("Content-Type"), "application/octet-stream");
  EXPECT_EQ(res->get_header_value("Cache-Control"), "no-store");

  res = client.Get("/nk/common/empty.dat");
  ASSERT_TRUE(res);
  EXPECT_EQ(res->status, 200);
  EXPECT_EQ(res->body, "");

  const char* missing[] = {
      "/nk/common/nkclient.dat", "/nk/common/empty-folder", "/nk/common", "/nk/",
      "/outside.dat",            "/nk/%2e%2e/outside.dat",  "/nk/common/%2e%2e/%2e%2e/outside.dat",
  };
  for (const char* path : missing) {
    res = client.Get(path);
    ASSERT_TRUE(res) << path;
    EXPECT_EQ(res->status, 404) << path;
    EXPECT_EQ(res->body.find("secret"), std::string::npos) << path;
  }

  // The lines come from the server's worker threads, not always in the order
  // of the requests; each carries the time, the client, method, path, status, size.
  running.stop();
  std::vector<std::string> logged;
  static const std::regex stamp(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2} 127\.0\.0\.1 (.*))");
  for (const auto& line : logLines(running.log.str())) {
    std::smatch m;
    EXPECT_TRUE(std::regex_match(line, m, stamp)) << line;
    logged.push_back(m[1]);
  }
  std::vector<std::string> expected = {
      "GET /nk/common/songlist.dat 200 " + std::to_string(bytes.size()),
      "GET /nk/common/empty.dat 200 0",
      "GET /nk/common/nkclient.dat 404 14",
      "GET /nk/common/empty-folder 404 14",
      "GET /nk/common 404 14",
      "GET /nk/ 404 14",
      "GET /outside.dat 404 14",
      "GET /nk/../outside.dat 404 14",
      "GET /nk/common/../../outside.dat 404 14",
  };
  std::sort(logged.begin(), logged.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(logged, expected);
}

TEST(DemoServer, ServesTheGeneratedDemoData) {
  const fs::path root = NK_DEMO_NK_DIR;
  RunningServer running(root);
  auto client = running.client();
  for (const char* name : {"common/songlist.dat", "common/ac14list.dat", "sr/13/srlist.dat"}) {
    auto res = client.Get(std::string("/nk/") + name);
    ASSERT_TRUE(res) << name;
    EXPECT_EQ(res->status, 200) << name;
    EXPECT_EQ(res->body, test::readBytes(root / name)) << name;
  }
}

}  // namespace
}  // namespace nk::demo
