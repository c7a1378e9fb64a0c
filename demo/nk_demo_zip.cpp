// nk_demo_zip.cpp - the zip that "データを読み込む…" reads in the demo: the
// player's data of a folder (demo/otherpc/, a second PC's sheet), written as
// the program's own export writes it.
//
//   nk_demo_zip <data folder> <zip>
#include "archive/player_files.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: nk_demo_zip <data folder> <zip>\n";
    return 2;
  }
  const std::filesystem::path zip = std::filesystem::absolute(argv[2]);
  std::error_code error;
  std::filesystem::current_path(argv[1], error);
  if (error) {
    std::cerr << "nk_demo_zip: " << argv[1] << ": " << error.message() << "\n";
    return 1;
  }
  size_t files = 0;
  const std::string failure = nk::exportPlayerData(zip.string(), nk::localMomentNow(), files);
  if (!failure.empty()) {
    std::cerr << "nk_demo_zip: " << failure << "\n";
    return 1;
  }
  std::cout << zip.string() << ": " << files << " files\n";
  return 0;
}
