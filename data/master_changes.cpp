// master_changes.cpp - the changes between two sets of master lists.
#include "data/master_changes.h"

#include "data/numeric.h"
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

std::string chartName(const ScoreSheetState& s, size_t e, bool ura) {
  return "「" + entryTitle(s, e) + "」（" + chartMark(ura) + "）";
}

std::set<std::pair<int16_t, bool>> targetsOf(const ScoreSheetState& s) {
  std::set<std::pair<int16_t, bool>> targets;
  for (size_t t = 0; t < s.TargetEntryNo.size() && t < s.TargetIsUra.size(); ++t)
    targets.insert({s.TargetEntryNo[t], s.TargetIsUra[t]});
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
    for (const bool ura : {false, true}) {
      const int16_t was = (ura ? before.EntryDifficultyU : before.EntryDifficulty).at(e);
      const int16_t now = (ura ? after.EntryDifficultyU : after.EntryDifficulty).at(e);
      if (was != now)
        others.push_back("難易度の変更: " + chartName(after, e, ura) + " " + levelText(was) + " → " + levelText(now));
    }
  }
  for (size_t e = common; e < after.EntrySongNo.size(); ++e) others.push_back("追加された曲: 「" + entryTitle(after, e) + "」");
  for (size_t e = common; e < before.EntrySongNo.size(); ++e)
    others.push_back("削除された曲: 「" + entryTitle(before, e) + "」");
  const auto was = targetsOf(before), now = targetsOf(after);
  for (const auto& [entryNo, ura] : now)
    if (!was.contains({entryNo, ura}) && entryNo >= 1 && static_cast<size_t>(entryNo) <= after.EntrySongNo.size())
      others.push_back("総合対象に追加: " + chartName(after, static_cast<size_t>(entryNo - 1), ura));
  for (const auto& [entryNo, ura] : was)
    if (!now.contains({entryNo, ura}) && entryNo >= 1 && static_cast<size_t>(entryNo) <= before.EntrySongNo.size())
      others.push_back("総合対象から除外: " + chartName(before, static_cast<size_t>(entryNo - 1), ura));

  moved.insert(moved.end(), others.begin(), others.end());
  if (moved.empty()) return {};
  std::string text = "前回受信したマスターデータから、次のものが変わりました。\r\n";
  for (size_t i = 0; i < moved.size() && i < MasterChangesNamed; ++i) text += "\r\n" + moved[i];
  if (moved.size() > MasterChangesNamed)
    text += "\r\nほか " + decimalText(static_cast<long long>(moved.size() - MasterChangesNamed)) + " 件";
  return text;
}

}  // namespace nk
