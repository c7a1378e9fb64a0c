// rival_store.h - the rivals a player keeps, per version, in a folder of
// their own beside the score files: "rivals/ac13/<name>.txt", one file a
// rival, each replaced crash-safe (platform/file_replace.h). The player's own
// score file is never written here.
//
// A rival's file (UTF-8, CR LF): the line RivalFileHeader, the line
// "lists,this-pc" or "lists,friend" (whether its entry numbers were taken on
// this PC's lists without the friend's), then one line per chart with a
// score, its cells separated by tabs: entry number on this PC's lists when
// kept, "表" or "裏", score, title, genre (a tab, CR, LF or "\" in a title or
// genre written as "\t", "\r", "\n", "\\"). Loading places the charts again by
// their songs (rival_match.h), so lists changed since still find them.
#pragma once

#include "data/score_state.h"
#include "rival/rival_match.h"
#include "rival/rival_name.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nk {

inline constexpr const char* RivalsFolder = "rivals";
inline constexpr const char* RivalFileHeader = "norukaku-client rival,1";
inline constexpr const char* RivalFileEnding = ".txt";
// A rival's file past this is none of ours: two charts of 8,191 entries with
// titles and genres of a few hundred bytes stay under 8 MiB.
inline constexpr uint64_t LargestRivalFile = uint64_t{8} << 20;
// "rivals/ac13", relative to the working folder.
std::string rivalsFolder(int16_t versionNumber);
// "rivals/ac13/<name>.txt".
std::string rivalFilePath(int16_t versionNumber, const std::string& name);

struct KeptRival {
  std::string name;
  bool onThisPcLists = false;
  std::vector<RivalChart> charts;
};

struct LoadedRival {
  std::optional<KeptRival> rival;
  std::string failure;  // why not, for the player
};
// The rival of that name kept for the version.
LoadedRival loadRival(int16_t versionNumber, const std::string& name);

struct RivalNames {
  std::vector<std::string> names;  // sorted; none while the folder is missing
  std::string failure;             // when the folder cannot be read
};
RivalNames rivalNames(int16_t versionNumber);

// A chart that the rival's new scores raised (before 0: a chart new to them).
struct RivalGain {
  int16_t entryNo = 0;
  std::string title;
  Chart chart = Chart::Normal;
  int32_t before = 0;
  int32_t after = 0;
  bool operator==(const RivalGain&) const = default;
};

struct KeptRivalOutcome {
  bool ok = false;
  std::string failure;  // why not, for the player
  std::string name;     // the name it is kept under
  // Whether a rival of that name was kept before (the old file replaced),
  // and then the charts raised since, in entry order, 表 before 裏.
  bool replaced = false;
  std::vector<RivalGain> improved;
  size_t lowered = 0;  // charts whose score is lower or gone than before
};
// Keeps the rival for the version, replacing one of the same name (a name
// that differs only in letter case is the same rival, under its old name:
// sameRivalName);
// here places the old scores for the comparison.
KeptRivalOutcome keepRival(int16_t versionNumber, const KeptRival& rival, const ScoreSheetState& here);

// Removes the rival's file; empty when it is gone, else why not.
std::string removeRival(int16_t versionNumber, const std::string& name);

// The file's text, and back; nothing for a text that is no rival's file.
std::string rivalFileText(const KeptRival& rival);
std::optional<KeptRival> parseRivalFile(std::string_view text, const std::string& name);

}  // namespace nk
