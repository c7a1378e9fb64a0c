// total_score.cpp - levels, quotas, the best charts of each level and the total.
#include "total_score.h"

#include "debug_log.h"
#include "numeric.h"
#include "toolkit.h"

#include <algorithm>

namespace nk {
namespace {

constexpr int Levels = HighestCountedLevel - LowestCountedLevel + 1;

const std::array<const char*, Levels> CountHeadings = {
    "☆×７　収録曲", "☆×８　収録曲", "☆×９　収録曲", "☆×10　収録曲"};
const std::array<const char*, Levels> ResultHeadings = {
    "☆×７　総合対象曲", "☆×８　総合対象曲", "☆×９　総合対象曲", "☆×10　総合対象曲"};

// 0 .. 3 for levels 7 .. 10, -1 for a level that counts nowhere.
int levelSlot(int16_t level) {
  return level >= LowestCountedLevel && level <= HighestCountedLevel ? level - LowestCountedLevel : -1;
}

const std::string& targetTitle(const ScoreSheetState& s, size_t target) {
  const auto entry = static_cast<size_t>(s.TargetEntryNo.at(target) - 1);
  return s.SongTitles.at(static_cast<size_t>(s.EntrySongNo.at(entry) - 1));
}

}  // namespace

std::array<int64_t, 4> rankingQuotas(const std::array<int64_t, 4>& counts) {
  std::array<int64_t, 4> q{};
  const int64_t total = counts[0] + counts[1] + counts[2] + counts[3];
  if (total == 0) return q;
  for (int l = 0; l < 3; ++l) q[l] = std::min(counts[l] * RankingPlaces / total, counts[l]);
  q[3] = std::min(RankingPlaces - (q[0] + q[1] + q[2]), counts[3]);
  return q;
}

TotalScoreResult calculateTotalScore(const ScoreSheetState& s) {
  TotalScoreResult r;
  const size_t targets = static_cast<size_t>(std::max<int16_t>(s.TargetCount, 0));
  r.logBefore.reserve(targets + Levels + 1);
  r.logBefore.emplace_back("総合点計算処理　開始");

  std::array<std::vector<size_t>, Levels> members;  // target numbers per level, list order
  r.targetScores.resize(targets);
  for (size_t i = 0; i < targets; ++i) {
    const int slot = levelSlot(s.TargetDifficulty.at(i));
    if (slot >= 0) {
      ++r.counts[static_cast<size_t>(slot)];
      members[static_cast<size_t>(slot)].push_back(i);
    }
    const auto e = static_cast<size_t>(s.TargetEntryNo.at(i) - 1);
    const bool ura = s.TargetIsUra.at(i);
    r.targetScores[i] = ura ? s.EntryScoreU.at(e) : s.EntryScore.at(e);
    r.logBefore.push_back(targetTitle(s, i) + (ura ? "(裏): " : ": ") + decimalText(r.targetScores[i]) + "点");
  }

  r.quotas = rankingQuotas(r.counts);
  for (size_t l = 0; l < Levels; ++l)
    r.logBefore.push_back(std::string(CountHeadings[l]) + decimalText(r.counts[l]) + "曲／課題曲" +
                          decimalText(r.quotas[l]) + "曲");

  for (size_t l = 0; l < Levels; ++l) {
    // Best first; equal scores keep the order of the target list.
    auto& list = members[l];
    std::stable_sort(list.begin(), list.end(),
                     [&](size_t a, size_t b) { return r.targetScores[a] > r.targetScores[b]; });
    r.resultText += ResultHeadings[l];
    r.resultText += "\r\n";
    for (size_t k = 0; k < static_cast<size_t>(r.quotas[l]); ++k) {
      const int32_t score = r.targetScores[list[k]];
      r.resultText += decimalText(score) + "点 " + targetTitle(s, list[k]) + "\r\n";
      r.total += score;
    }
  }
  r.resultText += "総合得点 " + decimalText(r.total) + "点\r\n";
  r.logAfter = {"総合点 " + decimalText(r.total) + "点", "総合点計算処理　終了"};
  return r;
}

void showTotalScore(ScoreSheetState& s) {
  TotalScoreResult r = calculateTotalScore(s);
  s.TargetScore = std::move(r.targetScores);
  for (const std::string& line : r.logBefore) PutLog(line);
  toolkit().messageBox(r.resultText, "総合得点", MsgIcon::None);
  for (const std::string& line : r.logAfter) PutLog(line);
}

}  // namespace nk
