// player_files.h - what the player keeps on a PC, for every version: the
// score file, the history of totals, the log of improvements, the target
// total, and the kept master lists with their stamp. Not the lock files, the
// backups or the debug log: a lock belongs to a window of this PC, backups to
// its saves, the log to one run.
//
// In the zip every file has the path it has in the working folder, with "/"
// between folders ("ac13score.csv", "masters/ac13/received.txt"); reading
// and writing take only these paths, whatever a zip names.
#pragma once

#include "archive/data_zip.h"
#include "data/moment.h"
#include "domain/arcade_version.h"

#include <cstdint>
#include <string>
#include <vector>

namespace nk {

// The versions whose data is kept, by VersionNumber (the VersionCode - 100
// of file names).
inline constexpr const auto& DataVersions = ArcadeVersionNumbers;

enum class PlayerFileKind { Scores, History, Improvements, Target, KeptMaster, KeptStamp };

struct PlayerFile {
  std::string path;
  PlayerFileKind kind;
  int16_t versionNumber;
};

// Every file the player keeps, version by version; a version's kept master
// lists come before their stamp.
const std::vector<PlayerFile>& playerFiles();
// The entry of that path; nothing for any other path.
const PlayerFile* playerFileAt(const std::string& path);

// What this PC holds of them now; a missing file is left out, and so is a
// version's kept set that is not complete. Nothing, with failure set, when a
// file there cannot be read.
struct GatheredData {
  DataFiles data;
  std::string failure;
};
GatheredData gatherPlayerData(const Moment& now);

// Writes the zip of everything this PC holds to path, crash-safe. Empty on
// success; else why not, for the player. files counts what it wrote.
std::string exportPlayerData(const std::string& path, const Moment& now, size_t& files);

// The file name the export proposes: "norukaku-data-20261208.zip".
std::string exportFileName(const Moment& now);

inline constexpr const char* ExportTitle = "データの書き出し";
inline constexpr const char* ImportTitle = "データの読み込み";

}  // namespace nk
