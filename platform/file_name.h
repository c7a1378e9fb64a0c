// file_name.h - a file's name as the player knows it, for the texts that name it.
#pragma once

#include <string>

namespace nk {

// The name of a file as the player knows it: "./songlist.dat" -> "songlist.dat".
inline std::string displayFileName(const std::string& path) {
  return path.rfind("./", 0) == 0 ? path.substr(2) : path;
}

// Why a save could not write: "ファイル ac13score.csv に書き込めません（cause）。"
inline std::string cannotWriteText(const std::string& path, const std::string& cause) {
  return "ファイル " + displayFileName(path) + " に書き込めません（" + cause + "）。";
}
// Why a save could not make its new file beside the old one.
inline std::string cannotWriteFolderText(const std::string& path, const std::string& cause) {
  return "ファイル " + displayFileName(path) + " を保存するフォルダーに書き込めません（" + cause + "）。";
}

}  // namespace nk
