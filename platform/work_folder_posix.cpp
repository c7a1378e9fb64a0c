// work_folder_posix.cpp - on Linux the launcher has chosen the folder.
#include "platform/work_folder.h"

#include <filesystem>
#include <system_error>

namespace nk {

WorkFolder enterWorkFolder() { return {}; }

std::string bundledMastersFolder() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || exe.empty()) return {};
  return (exe.parent_path().parent_path().parent_path() / "share/norukaku-client/masters").string();
}

}  // namespace nk
