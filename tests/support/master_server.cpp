// master_server.cpp - master files on a loopback server for the load tests.
#include "master_server.h"

#include "diag/debug_log.h"
#include "net/http_fetch.h"
#include "net/server_locations.h"

namespace nk::test {

std::string songMasterBytes(const std::vector<Song>& songs) {
  std::string text;
  for (size_t i = 0; i < songs.size(); ++i)
    text += std::to_string(i + 1) + "<>" + songs[i].title + "<>x<>" + songs[i].genre + "<>y<>\r\n";
  return toCp932(text);
}

std::string versionListBytes(const std::vector<Entry>& entries, int recordWidth) {
  std::string text;
  for (size_t i = 0; i < entries.size(); ++i) {
    text += "id" + std::to_string(i + 1) + "<>" + std::to_string(entries[i].songNo) + "<>" + entries[i].levels + "<>";
    for (int extra = 3; extra < recordWidth; ++extra) text += "u<>";
    text += "\r\n";
  }
  return toCp932(text);
}

std::string srListBytes(const std::vector<Target>& targets) {
  std::string text;
  for (size_t i = 0; i < targets.size(); ++i)
    text += "t" + std::to_string(i) + "<>" + std::to_string(targets[i].entryNo) + "<>" + targets[i].flag + "<>\r\n";
  return toCp932(text);
}

void MasterServerTest::SetUp() {
  WorkDirTest::SetUp();
  request.servers = {primary.url("/nk/"), closedPortBaseUrl() + "nk/"};
  request.fetch.limits.connectTimeout = std::chrono::milliseconds(1000);
  request.fetch.limits.stallTime = std::chrono::seconds(1);
  writeBytes("Debug.txt", "");

  const char* genres[] = {"アニメ", "J-POP", "その他", "クラシック", "ナムコオリジナル", "童謡・民謡",
                          "バラエティ", "ゲームミュージック"};
  const char* levels[] = {"abc1efg-", "abc5efg9", "abcTefgT", "abc?efg?", "abc8efg0", "abc-efg7", "abc7"};
  for (int i = 0; i < 23; ++i) {
    demoSongs.push_back({"曲" + std::to_string(i + 1), genres[i % 8]});
    demoEntries.push_back({i + 1, levels[i % 7]});
  }
  for (int e = 1; e <= 23; ++e) demoTargets.push_back({e, e % 3 == 0 ? "1" : "0"});
}

void MasterServerTest::TearDown() {
  primary.stop();
  WorkDirTest::TearDown();
}

void MasterServerTest::serveMasters(int versionCode, const std::vector<Song>& songs,
                                    const std::vector<Entry>& entries, const std::vector<Target>& targets,
                                    const std::string& requiredVersion) {
  request.version = ArcadeVersion{static_cast<int16_t>(versionCode)};
  const std::string n = std::to_string(versionCode - 100);
  primary.serve("/nk/common/songlist.dat", songMasterBytes(songs));
  primary.serve("/nk/common/ac" + n + "list.dat", versionListBytes(entries, versionCode == 114 ? 7 : 4));
  primary.serve("/nk/sr/" + n + "/srlist.dat", srListBytes(targets));
  primary.serve("/nk/common/nkclient.dat", toCp932(requiredVersion));
}

}  // namespace nk::test
