// server_folder.cpp - reading a server folder and replacing it whole.
#include "masters/server_folder.h"

#include "diag/runtime_error.h"
#include "platform/file_replace.h"
#include "platform/native_file.h"

#include <filesystem>
#include <random>
#include <system_error>

namespace nk {
namespace {

namespace fs = std::filesystem;

// A name beside dir that no other folder has: ".<name>.<what>-<random>".
fs::path besideName(const fs::path& dir, const char* what) {
  std::random_device random;
  for (;;) {
    const fs::path candidate =
        dir.parent_path() / ("." + dir.filename().string() + "." + what + "-" + std::to_string(random() % 1000000));
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(candidate, ec))) return candidate;
  }
}

[[noreturn]] void fail(const std::string& what, const std::error_code& ec) {
  throw RuntimeError(what + "（" + ec.message() + "）。");
}

// Removes a staged folder, whatever remains of it.
class StagedFolder {
public:
  explicit StagedFolder(fs::path path) : path_(std::move(path)) {}
  ~StagedFolder() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  StagedFolder(const StagedFolder&) = delete;
  StagedFolder& operator=(const StagedFolder&) = delete;
  const fs::path& path() const { return path_; }
  void release() { path_.clear(); }

private:
  fs::path path_;
};

constexpr fs::perms FolderPermissions = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                        fs::perms::others_read | fs::perms::others_exec;

}  // namespace

std::string readServerFile(const std::string& dir, const std::string& relativePath) {
  std::string bytes, cause;
  if (!readWholeFile((fs::path(dir) / relativePath).string(), bytes, cause))
    throw RuntimeError(relativePath + ": ファイルを読めません（" + cause + "）。");
  return bytes;
}

ServerFiles readServerFolder(const std::string& dir) {
  ServerFiles files;
  files.songMaster = readServerFile(dir, songMasterServerPath());
  for (size_t v = 0; v < KitVersionNumbers.size(); ++v) {
    files.versionLists[v] = readServerFile(dir, versionListServerPath(KitVersionNumbers[v]));
    files.srLists[v] = readServerFile(dir, srListServerPath(KitVersionNumbers[v]));
  }
  files.requiredVersion = readServerFile(dir, requiredVersionServerPath());
  return files;
}

std::vector<std::pair<std::string, std::string>> serverFileList(const ServerFiles& files) {
  std::vector<std::pair<std::string, std::string>> list;
  list.emplace_back(songMasterServerPath(), files.songMaster);
  for (size_t v = 0; v < KitVersionNumbers.size(); ++v)
    list.emplace_back(versionListServerPath(KitVersionNumbers[v]), files.versionLists[v]);
  for (size_t v = 0; v < KitVersionNumbers.size(); ++v)
    list.emplace_back(srListServerPath(KitVersionNumbers[v]), files.srLists[v]);
  list.emplace_back(requiredVersionServerPath(), files.requiredVersion);
  return list;
}

void replaceFolder(const std::string& target, const std::vector<std::pair<std::string, std::string>>& files) {
  const fs::path dir = fs::absolute(fs::path(target)).lexically_normal();
  const fs::path folder = dir.filename().empty() ? dir.parent_path() : dir;
  std::error_code ec;
  fs::create_directories(folder.parent_path(), ec);
  if (ec) fail("フォルダー " + folder.parent_path().string() + " を作れません", ec);

  StagedFolder stage(besideName(folder, "new"));
  if (!fs::create_directory(stage.path(), ec)) fail("フォルダー " + stage.path().string() + " を作れません", ec);
  for (const auto& [relative, bytes] : files) {
    const fs::path path = stage.path() / relative;
    fs::create_directories(path.parent_path(), ec);
    if (ec) fail("フォルダー " + path.parent_path().string() + " を作れません", ec);
    for (fs::path sub = path.parent_path(); sub != stage.path(); sub = sub.parent_path()) {
      fs::permissions(sub, FolderPermissions, ec);
      if (ec) fail("フォルダー " + sub.string() + " の許可を設定できません", ec);
    }
    const FileWriteResult written = replaceFileContents(path.string(), bytes);
    if (!written.ok) throw RuntimeError(written.failure);
  }
  fs::permissions(stage.path(), FolderPermissions, ec);
  if (ec) fail("フォルダー " + stage.path().string() + " の許可を設定できません", ec);

  // The swap: the old folder steps aside, the new one takes its name, the
  // old one goes. Should the second step fail, the old one comes back.
  const bool hadOld = fs::exists(fs::symlink_status(folder, ec));
  const fs::path old = besideName(folder, "old");
  if (hadOld) {
    fs::rename(folder, old, ec);
    if (ec) fail("フォルダー " + folder.string() + " を置き換えられません", ec);
  }
  fs::rename(stage.path(), folder, ec);
  if (ec) {
    std::error_code ignored;
    if (hadOld) fs::rename(old, folder, ignored);
    fail("フォルダー " + folder.string() + " を置き換えられません", ec);
  }
  stage.release();
  if (hadOld) fs::remove_all(old, ec);  // what cannot be removed only takes room
}

}  // namespace nk
