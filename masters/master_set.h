// master_set.h - one whole set of master data as the program reads it: the
// song catalogue, each version's entries and ranking targets, and the
// required version with its hint; and the server files that hold it.
//
// A set comes from the server files only through the program's own readers,
// and goes to them only through its own writers (data/), so that what the
// kit keeps is exactly what a player's sheet would show.
#pragma once

#include "data/score_state.h"
#include "domain/arcade_version.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace nk {

// The versions the kit serves, as their version numbers (12, 13, 14).
inline constexpr const auto& KitVersionNumbers = ArcadeVersionNumbers;

struct VersionLists {
  std::vector<int16_t> EntrySongNo;
  std::vector<int16_t> EntryDifficulty;
  std::vector<int16_t> EntryDifficultyU;
  std::vector<int16_t> TargetEntryNo;
  std::vector<bool> TargetIsUra;

  friend bool operator==(const VersionLists&, const VersionLists&) = default;
};

struct MasterSet {
  std::vector<std::string> SongTitles;
  std::vector<std::string> SongGenres;
  std::array<VersionLists, KitVersionNumbers.size()> versions;  // in the order of KitVersionNumbers
  double required = 0;  // the required program version
  std::string hint;     // shown to a program refused by it

  friend bool operator==(const MasterSet&, const MasterSet&) = default;
};

// The eight server files (CP932 bytes), and their paths below a server folder.
struct ServerFiles {
  std::string songMaster;
  std::array<std::string, KitVersionNumbers.size()> versionLists;
  std::array<std::string, KitVersionNumbers.size()> srLists;
  std::string requiredVersion;
};
std::string songMasterServerPath();                        // "common/songlist.dat"
std::string versionListServerPath(int16_t versionNumber);  // "common/ac12list.dat"
std::string srListServerPath(int16_t versionNumber);       // "sr/12/srlist.dat"
std::string requiredVersionServerPath();                   // "common/nkclient.dat"

// The set as the readers take the files, versions in order. RuntimeError of
// the first reader that fails, naming the file by its server path.
MasterSet readMasterSet(const ServerFiles& files);

// The files in the writers' plain form, CP932. The caller has kept out of
// the texts what the form cannot hold (see master_source.h).
ServerFiles masterSetFiles(const MasterSet& set);

// The sheet's state of one version (index into KitVersionNumbers) of a set:
// catalogue, entries and targets, as a load would have them.
ScoreSheetState sheetStateOf(const MasterSet& set, size_t version);

}  // namespace nk
