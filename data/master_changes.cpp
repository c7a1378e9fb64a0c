// master_changes.cpp - the changes between two sets of master lists.
#include "data/master_changes.h"

#include "data/numeric.h"
#include "data/sheet_catalogue.h"
#include "data/song_master.h"
#include "data/sr_list.h"
#include "data/version_song_list.h"
#include "platform/cp932.h"

#include <set>
#include <utility>
#include <vector>

namespace nk {
namespace {

std::string levelText(int16_t code) {
  if (code == LevelUnknown) return "☆？";
  if (code == LevelNoChart || code == 0) return "なし";
  return "☆" + decimalText(code);
}

std::string chartName(const ScoreSheetState& s, size_t e, Chart chart) {
  return "「" + entryTitle(s, e) + "」（" + chartMark(chart) + "）";
}

// By entry number, 表 before 裏, as the lines are told.
std::set<std::pair<int16_t, Chart>> targetsOf(const ScoreSheetState& s) {
  std::set<std::pair<int16_t, Chart>> targets;
  for (size_t t = 0; t < s.TargetEntryNo.size() && t < s.TargetIsUra.size(); ++t)
    targets.insert({s.TargetEntryNo[t], chartOf(s.TargetIsUra[t])});
  return targets;
}

}  // namespace

ScoreSheetState masterListsState(const std::array<std::string, 4>& files, int16_t versionCode) {
  ScoreSheetState s;
  const DebugLog silent;
  parseSongMaster(silent, s, cp932ToUtf8(files[SongMaster]));
  parseVersionSongList(silent, s, cp932ToUtf8(files[VersionSongList]), versionCode);
  parseSRList(silent, s, cp932ToUtf8(files[SRList]));
  return s;
}

std::string masterChangesText(const ScoreSheetState& before, const ScoreSheetState& after) {
  std::vector<std::string> moved, others;
  const size_t common = std::min(before.EntrySongNo.size(), after.EntrySongNo.size());
  for (size_t e = 0; e < common; ++e) {
    if (entryTitle(before, e) != entryTitle(after, e)) {
      moved.push_back("曲番号 " + decimalText(static_cast<long long>(e + 1)) + " の曲が「" + entryTitle(before, e) +
                      "」から「" + entryTitle(after, e) + "」に変わりました（保存した点数は「" + entryTitle(after, e) +
                      "」のものになります）");
      continue;
    }
    for (const Chart chart : {Chart::Normal, Chart::Ura}) {
      const int16_t was = chartLevel(before, e, chart);
      const int16_t now = chartLevel(after, e, chart);
      if (was != now)
        others.push_back("難易度の変更: " + chartName(after, e, chart) + " " + levelText(was) + " → " + levelText(now));
    }
  }
  for (size_t e = common; e < after.EntrySongNo.size(); ++e) others.push_back("追加された曲: 「" + entryTitle(after, e) + "」");
  for (size_t e = common; e < before.EntrySongNo.size(); ++e)
    others.push_back("削除された曲: 「" + entryTitle(before, e) + "」");
  const auto was = targetsOf(before), now = targetsOf(after);
  for (const auto& [entryNo, chart] : now)
    if (!was.contains({entryNo, chart}) && entryNo >= 1 && static_cast<size_t>(entryNo) <= after.EntrySongNo.size())
      others.push_back("総合対象に追加: " + chartName(after, static_cast<size_t>(entryNo - 1), chart));
  for (const auto& [entryNo, chart] : was)
    if (!now.contains({entryNo, chart}) && entryNo >= 1 && static_cast<size_t>(entryNo) <= before.EntrySongNo.size())
      others.push_back("総合対象から除外: " + chartName(before, static_cast<size_t>(entryNo - 1), chart));

  moved.insert(moved.end(), others.begin(), others.end());
  if (moved.empty()) return {};
  std::string text = "前回受信したマスターデータから、次のものが変わりました。\r\n";
  for (size_t i = 0; i < moved.size() && i < MasterChangesNamed; ++i) text += "\r\n" + moved[i];
  if (moved.size() > MasterChangesNamed)
    text += "\r\nほか " + decimalText(static_cast<long long>(moved.size() - MasterChangesNamed)) + " 件";
  return text;
}

}  // namespace nk
