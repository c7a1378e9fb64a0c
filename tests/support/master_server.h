// master_server.h - master files made by the test and served on loopback the
// way the real servers lay them out, for the tests of the whole load.
#pragma once

#include "load/load_sequence.h"
#include "loopback_server.h"
#include "test_support.h"

#include <chrono>
#include <string>
#include <vector>

namespace nk::test {

struct Song {
  std::string title, genre;
};
struct Entry {
  int songNo;
  std::string levels;  // 4th character: normal chart, 8th: 裏 chart
};
struct Target {
  int entryNo;
  std::string flag;  // "1": the 裏 chart
};

// The CP932 bytes of each master file.
std::string songMasterBytes(const std::vector<Song>& songs);
std::string versionListBytes(const std::vector<Entry>& entries, int recordWidth);
std::string srListBytes(const std::vector<Target>& targets);

// A primary server with the four master files of one version, a secondary
// where nothing listens, short network limits, and the debug log switched on
// in the test's working folder. request is what a load of the served
// version needs.
class MasterServerTest : public WorkDirTest {
protected:
  void SetUp() override;
  void TearDown() override;

  // Serves the files of the given version (112, 113 or 114) and sets
  // request.version to it.
  void serveMasters(int versionCode, const std::vector<Song>& songs, const std::vector<Entry>& entries,
                    const std::vector<Target>& targets, const std::string& requiredVersion = "1.50\r\nhint");

  LoopbackServer primary;
  std::vector<Song> demoSongs;  // 23 songs of several genres
  std::vector<Entry> demoEntries;
  std::vector<Target> demoTargets;
  LoadRequest request;
  // The log that a load run by the test is handed.
  DebugLog debugLog{"./Debug.txt"};
};

}  // namespace nk::test
