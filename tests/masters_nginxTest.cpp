// masters_nginxTest.cpp - the folder that nk-masters builds from the demo's
// source, served by a real nginx as the README shows (no caching), loads in
// the program for every version. nginx runs as the test's own user, in the
// foreground, with its configuration, pid and logs in the test's folder.
#include "data/score_state.h"
#include "load/load_sequence.h"
#include "loopback_server.h"
#include "masters/master_source.h"
#include "test_support.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

extern char** environ;

namespace nk {
namespace {

namespace fs = std::filesystem;

std::string nginxBinary() {
  for (const char* path : {"/usr/sbin/nginx", "/usr/bin/nginx", "/usr/local/sbin/nginx"})
    if (::access(path, X_OK) == 0) return path;
  return {};
}

// A loopback port that was free a moment ago.
int freePort() {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof a;
  ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &length);
  ::close(s);
  return ntohs(a.sin_port);
}

bool accepts(int port) {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const bool connected = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  ::close(s);
  return connected;
}

// nginx in the foreground on port, serving root as /nk/; stopped at the end.
class Nginx {
public:
  Nginx(const std::string& binary, const fs::path& prefix, int port, const fs::path& root) {
    fs::create_directories(prefix / "logs");
    const std::string p = prefix.string();
    test::writeBytes(prefix / "nginx.conf",
                     "daemon off;\nmaster_process off;\npid " + p + "/nginx.pid;\nerror_log " + p +
                         "/logs/error.log;\nevents { worker_connections 64; }\nhttp {\n"
                         "  access_log " + p + "/logs/access.log;\n"
                         "  client_body_temp_path " + p + "/body; proxy_temp_path " + p + "/proxy;\n"
                         "  fastcgi_temp_path " + p + "/fastcgi; uwsgi_temp_path " + p + "/uwsgi; scgi_temp_path " + p + "/scgi;\n"
                         "  server {\n    listen 127.0.0.1:" + std::to_string(port) + ";\n"
                         "    location /nk/ {\n      alias " + root.string() + "/;\n"
                         "      default_type application/octet-stream;\n"
                         "      expires off;\n      add_header Cache-Control \"no-cache\";\n      etag off;\n"
                         "    }\n  }\n}\n");
    const std::string conf = (prefix / "nginx.conf").string();
    std::vector<std::string> args = {binary, "-p", p + "/", "-c", conf};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (::posix_spawn(&pid_, binary.c_str(), nullptr, nullptr, argv.data(), environ) != 0) pid_ = -1;
  }
  ~Nginx() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGQUIT);
    ::waitpid(pid_, nullptr, 0);
  }
  Nginx(const Nginx&) = delete;
  Nginx& operator=(const Nginx&) = delete;
  // Whether it came up on port (it may also have ended, with its error log).
  bool listensOn(int port) const {
    for (int tries = 0; pid_ > 0 && tries < 200; ++tries) {
      if (accepts(port)) return true;
      if (::waitpid(pid_, nullptr, WNOHANG) == pid_) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

private:
  pid_t pid_ = -1;
};

TEST(MastersServedByNginx, EveryVersionLoadsFromTheFolderNginxServes) {
  const std::string binary = nginxBinary();
  if (binary.empty()) GTEST_SKIP() << "no nginx (tools/install-deps installs it)";
  test::TempWorkDir dir;
  test::RecordingToolkit tk;
  ScopedToolkit installed{tk};
  const int port = freePort();
  const Nginx nginx(binary, dir.path() / "nginx", port, NK_DEMO_NK_DIR);
  ASSERT_TRUE(nginx.listensOn(port)) << test::readBytes(dir.path() / "nginx/logs/error.log");

  const MasterSet source = readMasterSource(NK_DEMO_SOURCE_DIR);
  for (size_t v = 0; v < KitVersionNumbers.size(); ++v) {
    SCOPED_TRACE(KitVersionNumbers[v]);
    LoadRequest request;
    request.version = ArcadeVersion{versionCodeOf(KitVersionNumbers[v])};
    request.servers = {"http://127.0.0.1:" + std::to_string(port) + "/nk/", test::closedPortBaseUrl() + "nk/"};
    ScoreSheetState state;
    try {
      runScoreSheetLoad(DebugLog{"./Debug.txt"}, state, request, [] {});
    } catch (const ProgramEnded&) {
      FAIL() << "the load ended the program: " << (tk.boxes.empty() ? "" : tk.boxes.back().text);
    }
    EXPECT_EQ(state.SongTitles, source.SongTitles);
    EXPECT_EQ(state.SongGenres, source.SongGenres);
    EXPECT_EQ(state.EntrySongNo, source.versions[v].EntrySongNo);
    EXPECT_EQ(state.EntryDifficulty, source.versions[v].EntryDifficulty);
    EXPECT_EQ(state.EntryDifficultyU, source.versions[v].EntryDifficultyU);
    EXPECT_EQ(state.TargetEntryNo, source.versions[v].TargetEntryNo);
    EXPECT_EQ(state.TargetIsUra, source.versions[v].TargetIsUra);
    EXPECT_TRUE(tk.boxes.empty());
  }
  // Every file came from nginx, none from a cache of the client.
  const std::string access = test::readBytes(dir.path() / "nginx/logs/access.log");
  EXPECT_NE(access.find("GET /nk/sr/14/srlist.dat HTTP/1.1\" 200"), std::string::npos) << access;
}

}  // namespace
}  // namespace nk
