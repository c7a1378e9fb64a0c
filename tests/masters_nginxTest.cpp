// masters_nginxTest.cpp - the folder that nk-masters builds from the demo's
// source, served by a real nginx as the distributor's guide shows (no
// caching), loads in the program for every version. nginx runs as the test's
// own user, with its configuration, pid and logs in the test's folder, on a
// loopback port.
#include "failure_of.h"
#include "load/load_sequence.h"
#include "loopback_server.h"
#include "masters/master_source.h"
#include "test_support.h"

#include <cstdlib>

namespace nk {
namespace {

constexpr const char* NginxBinary = "/usr/sbin/nginx";

// nginx serving root as /nk/ on port. It has bound its port when its start
// returns (it leaves for the background only then); told to quit at the end.
class Nginx {
public:
  Nginx(const std::string& prefix, int port, const std::string& root) : command_(NginxBinary) {
    std::filesystem::create_directories(prefix + "/logs");
    test::writeBytes(prefix + "/nginx.conf",
                     "master_process off;\npid " + prefix + "/nginx.pid;\nerror_log " + prefix +
                         "/logs/error.log;\nevents {}\nhttp {\n  access_log " + prefix + "/logs/access.log;\n"
                         "  client_body_temp_path " + prefix + "/body; proxy_temp_path " + prefix + "/proxy;\n"
                         "  fastcgi_temp_path " + prefix + "/fcgi; uwsgi_temp_path " + prefix + "/uwsgi; scgi_temp_path " +
                         prefix + "/scgi;\n  server {\n    listen 127.0.0.1:" + std::to_string(port) + ";\n"
                         "    location /nk/ {\n      alias " + root + "/;\n      default_type application/octet-stream;\n"
                         "      expires off;\n      add_header Cache-Control \"no-cache\";\n      etag off;\n    }\n  }\n}\n");
    command_ += " -p '" + prefix + "/' -c '" + prefix + "/nginx.conf'";
    started_ = std::system((command_ + " 2>>'" + prefix + "/logs/start.log'").c_str()) == 0;
  }
  ~Nginx() {
    if (started_) std::system((command_ + " -s quit").c_str());
  }
  Nginx(const Nginx&) = delete;
  Nginx& operator=(const Nginx&) = delete;
  bool started() const { return started_; }

private:
  std::string command_;
  bool started_ = false;
};

TEST(MastersServedByNginx, EveryVersionLoadsFromTheFolderNginxServes) {
  if (::access(NginxBinary, X_OK) != 0) GTEST_SKIP() << "no nginx (tools/install-deps installs it)";
  test::TempWorkDir dir;
  test::RecordingToolkit tk;
  ScopedToolkit installed{tk};
  const int port = test::freeLoopbackPort();
  const std::string prefix = (dir.path() / "nginx").string();
  const Nginx nginx(prefix, port, NK_DEMO_NK_DIR);
  ASSERT_TRUE(nginx.started()) << test::readBytes(prefix + "/logs/start.log");

  const MasterSet source = readMasterSource(NK_DEMO_SOURCE_DIR);
  for (size_t v = 0; v < KitVersionNumbers.size(); ++v) {
    SCOPED_TRACE(KitVersionNumbers[v]);
    LoadRequest request;
    request.version = ArcadeVersion{versionCodeOf(KitVersionNumbers[v])};
    request.servers = {"http://127.0.0.1:" + std::to_string(port) + "/nk/", test::closedPortBaseUrl() + "nk/"};
    ScoreSheetState s;
    ASSERT_FALSE(test::endsProgram([&] { runScoreSheetLoad(DebugLog{"./Debug.txt"}, s, request, [] {}); }))
        << "the load ended the program: " << (tk.boxes.empty() ? "" : tk.boxes.back().text);
    EXPECT_EQ(s.SongTitles, source.SongTitles);
    EXPECT_EQ(s.SongGenres, source.SongGenres);
    EXPECT_EQ((VersionLists{s.EntrySongNo, s.EntryDifficulty, s.EntryDifficultyU, s.TargetEntryNo, s.TargetIsUra}),
              source.versions[v]);
  }
  // Every file came from nginx itself.
  const std::string access = test::readBytes(prefix + "/logs/access.log");
  EXPECT_NE(access.find("GET /nk/sr/14/srlist.dat HTTP/1.1\" 200"), std::string::npos) << access;
}

}  // namespace
}  // namespace nk
