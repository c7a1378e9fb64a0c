// masters_fixture.h - server folders and source folders for the tests of the
// master-data kit: written from UTF-8 texts as CP932, read back whole.
#pragma once

#include "masters/master_set.h"
#include "masters/masters_command.h"
#include "masters/server_folder.h"
#include "test_support.h"

#include <filesystem>
#include <map>
#include <sstream>
#include <string>

namespace nk::test {

// Files below a folder by their relative paths.
using Files = std::map<std::string, std::string>;

inline Files filesIn(const std::filesystem::path& dir) {
  Files files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir))
    if (entry.is_regular_file())
      files[std::filesystem::relative(entry.path(), dir).generic_string()] = readBytes(entry.path());
  return files;
}

inline void writeFiles(const std::filesystem::path& dir, const Files& files) {
  for (const auto& [path, bytes] : files) {
    std::filesystem::create_directories((dir / path).parent_path());
    writeBytes(dir / path, bytes);
  }
}

struct Run {  // what nk-masters printed and its exit status
  int status;
  std::string out, err;
};
inline Run nkMasters(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = runMastersCommand(args, out, err);
  return {status, out.str(), err.str()};
}

inline MasterSet readFolder(const std::string& dir) { return readMasterSet(readServerFolder(dir)); }

// The demo's source and the folder that the build made of it.
inline const std::filesystem::path DemoServed = NK_DEMO_NK_DIR, DemoSource = NK_DEMO_SOURCE_DIR;

}  // namespace nk::test
