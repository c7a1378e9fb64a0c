// work_folder.cpp - the choice of the working folder from the install layout.
#include "platform/work_folder.h"

#include "platform/native_file.h"

#include <filesystem>
#include <system_error>

namespace nk {

namespace {

std::filesystem::path pathOf(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// Whether a new file can be made in folder: one is made and removed again.
bool takesFiles(const std::string& folder) {
  const std::string probe = folder + "/.norukaku-client-write-test";
  OutputFile file(probe, OutputFile::Mode::CreateOrTruncate);
  if (!file.isOpen()) return false;
  const bool written = file.close();
  std::string cause;
  removeFile(probe, cause);
  return written;
}

}  // namespace

WorkFolder chooseWorkFolder(const std::string& programFolder, const std::string& dataFolder) {
  WorkFolder chosen;
  std::error_code error;
  if (std::filesystem::is_regular_file(pathOf(programFolder + "/" + PortableMarker), error)) {
    if (takesFiles(programFolder)) {
      chosen.path = programFolder;
      return chosen;
    }
    chosen.unwritableProgramFolder = programFolder;
  }
  chosen.path = dataFolder;
  std::filesystem::create_directories(pathOf(dataFolder), error);
  if (!std::filesystem::is_directory(pathOf(dataFolder), error))
    chosen.failure = "フォルダ " + dataFolder + " を作れません。";
  return chosen;
}

std::string workFolderNotice(const WorkFolder& chosen) {
  if (!chosen.failure.empty()) return chosen.failure + "\r\n点数は起動したフォルダに保存します。";
  if (chosen.unwritableProgramFolder.empty()) return {};
  return "このフォルダにはファイルを書き込めません。\r\n" + chosen.unwritableProgramFolder +
         "\r\n\r\n点数は次のフォルダに保存します。\r\n" + chosen.path;
}

}  // namespace nk
