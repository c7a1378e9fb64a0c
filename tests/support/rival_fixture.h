// rival_fixture.h - a friend's PC for the rivals' tests: master lists as a
// load keeps them and the zip "データを書き出す…" writes of them.
#pragma once

#include "archive/player_files.h"
#include "domain/master_files.h"
#include "load/kept_masters.h"
#include "master_server.h"
#include "test_support.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace nk::test {

inline const Moment RivalNow{std::chrono::sys_seconds{std::chrono::seconds{1'796'000'000}}, std::chrono::hours{9}};

// The master files of an AC13 sheet (CP932), in the order of MasterFiles:
// entry i is song i, with the levels given ("abc8efg9": 表 8, 裏 9).
inline std::array<std::string, 4> listsOf(const std::vector<Song>& songs, const std::vector<std::string>& levels) {
  std::vector<Entry> entries;
  for (size_t i = 0; i < songs.size(); ++i) entries.push_back({static_cast<int>(i + 1), levels.at(i)});
  return {songMasterBytes(songs), srListBytes({{1, "0"}}), versionListBytes(entries, 4), "1.50\r\n"};
}

// A friend's PC in the working folder: its lists kept as a load keeps them,
// its AC13 score file, exported to zip; nothing of it left behind.
inline void exportFriend(const std::array<std::string, 4>& lists, const std::string& scores, const std::string& zip) {
  for (size_t i = 0; i < MasterFiles.size(); ++i) writeBytes(MasterFiles[i].localPath, lists[i]);
  ASSERT_EQ(keepMasterFiles(13, RivalNow), std::nullopt);
  for (const MasterFile& file : MasterFiles) std::filesystem::remove(file.localPath);
  writeBytes("ac13score.csv", scores);
  size_t files = 0;
  ASSERT_EQ(exportPlayerData(zip, RivalNow, files), "");
  std::filesystem::remove_all("masters");
  std::filesystem::remove("ac13score.csv");
}

}  // namespace nk::test
