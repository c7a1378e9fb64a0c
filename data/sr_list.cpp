// sr_list.cpp - reading the score-ranking target list into the targets.
#include "data/sr_list.h"

#include "data/master_list.h"
#include "data/numeric.h"
#include "data/record_walk.h"
#include "diag/debug_log.h"

#include <algorithm>

namespace nk {
namespace {

// The chart flag compares as a number, so "1", "1.0" and " 1" all mean 裏.
bool isUraFlag(std::string_view flag) {
  if (flag.size() == 1) return flag[0] == '1';
  return NumericValue(flag) == 1.0;
}

}  // namespace

void parseSRList(const DebugLog& log, ScoreSheetState& s, std::string_view decodedText,
                 const std::string& fileName) {
  const MasterList list(decodedText, fileName);
  const auto entryCount = static_cast<int32_t>(std::min(
      {s.EntryDifficulty.size(), s.EntryDifficultyU.size(), s.EntrySongNo.size()}));

  std::vector<int16_t> entryNo;
  std::vector<bool> isUra;
  std::vector<int16_t> difficulty;
  const size_t capacity = recordCapacity(list, TargetRecordWidth);
  entryNo.reserve(capacity);
  isUra.reserve(capacity);
  difficulty.reserve(capacity);
  const int32_t count = walkRecords(log, list, TargetRecordWidth, "対象曲", [&](const RecordAt& r) {
    const int16_t no = songNumberAt(list, r, entryCount, "バージョン曲リスト");
    const auto e = static_cast<size_t>(no - 1);
    const bool ura = isUraFlag(list.element(list.advance(r.first, 1, r.no)));
    const int16_t level = ura ? s.EntryDifficultyU[e] : s.EntryDifficulty[e];
    const auto songIndex = static_cast<size_t>(s.EntrySongNo[e] - 1);
    if (songIndex >= s.SongTitles.size())
      list.failRecord(r.no, "曲番号 " + decimalText(no) + " の曲が曲リストにありません。");
    if (r.logging) PutLog(log, recordLine(r, s.SongTitles[songIndex], "☆×" + decimalText(level)));
    entryNo.push_back(no);
    isUra.push_back(ura);
    difficulty.push_back(level);
  });
  s.TargetEntryNo = std::move(entryNo);
  s.TargetIsUra = std::move(isUra);
  s.TargetDifficulty = std::move(difficulty);
  s.TargetScore.assign(static_cast<size_t>(count), 0);
  s.TargetCount = static_cast<int16_t>(count);
}

std::string srListText(const std::vector<int16_t>& entryNo, const std::vector<bool>& isUra) {
  std::string text;
  for (size_t k = 0; k < entryNo.size() && k < isUra.size(); ++k)
    text += decimalText(static_cast<long long>(k + 1)) + "<>" + decimalText(entryNo[k]) + (isUra[k] ? "<>1<>\r\n" : "<>0<>\r\n");
  return text;
}

void ReadSRList(const DebugLog& log, ScoreSheetState& s) {
  expandMasterFile(log, "スコアランキング対象曲リスト", SRListPath,
                   [&](std::string_view text, const std::string& file) { parseSRList(log, s, text, file); });
}

}  // namespace nk
