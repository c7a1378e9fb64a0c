// score_state.h - the score sheet's state: the song catalogue, the version
// entries, the ranking targets and the display state.
//
// Plain data, filled once by the load and owned by the score sheet window from
// its opening to its closing. Song and entry numbers in the files are 1-based;
// the lists hold them at index number - 1. In a finished state every list of a
// group holds exactly its group's count of elements.
#pragma once

#include "domain/server_paths.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace nk {

constexpr int RowsPerPage = 10;

// Star level codes besides 1 .. 10.
constexpr int16_t LevelUnknown = -1;   // "?": the chart exists, its level is not known
constexpr int16_t LevelNoChart = -10;  // "-": the chart does not exist in this version

// The version number and the score file's name are copied from the load's
// ServerPaths (scoreFileNameFor); the server URLs stay with the load.
struct ScoreSheetState {
  int16_t VersionNumber = 0;
  std::string ScoreFileName;

  int16_t PageCount = 0;
  int16_t CurrentPage = 0;

  std::vector<std::string> SongTitles;
  std::vector<std::string> SongGenres;
  int16_t SongCount = 0;

  std::vector<int16_t> EntrySongNo;
  std::vector<int16_t> EntryDifficulty;
  std::vector<int16_t> EntryDifficultyU;
  std::vector<std::string> EntryGenre;
  int16_t EntryCount = 0;
  std::vector<int32_t> EntryScore;
  std::vector<int32_t> EntryScoreU;

  std::vector<int16_t> TargetEntryNo;
  std::vector<bool> TargetIsUra;
  int16_t TargetCount = 0;
  std::vector<int32_t> TargetScore;
  std::vector<int16_t> TargetDifficulty;

  std::vector<int16_t> DisplayOrder;

  // The score file's bytes as this sheet last read or wrote them; none while
  // there was no file. A save compares them with the file on the disk to
  // see whether another window or program changed it meanwhile.
  std::optional<std::string> ScoreFileSeen;
};

// The two chart kinds of an entry. The files and TargetIsUra keep the kind as
// a flag; chartOf turns the flag into the kind where it is read.
enum class Chart { Normal, Ura };
inline constexpr Chart chartOf(bool isUra) { return isUra ? Chart::Ura : Chart::Normal; }
inline constexpr bool isUra(Chart chart) { return chart == Chart::Ura; }

// The marks of the two chart kinds, as the windows and the logs write them.
inline constexpr const char* NormalChartMark = "表";
inline constexpr const char* UraChartMark = "裏";
inline constexpr const char* chartMark(Chart chart) { return chart == Chart::Ura ? UraChartMark : NormalChartMark; }
inline constexpr const char* chartMark(bool ura) { return chartMark(chartOf(ura)); }

// The title of the song of entry e (an index into the entries, not its number).
inline const std::string& entryTitle(const ScoreSheetState& s, size_t e) {
  return s.SongTitles.at(static_cast<size_t>(s.EntrySongNo.at(e) - 1));
}

}  // namespace nk
