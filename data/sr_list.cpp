// sr_list.cpp - reading the score-ranking target list into the targets.
#include "sr_list.h"

#include "cp932.h"
#include "master_list.h"
#include "debug_log.h"
#include "numeric.h"
#include "text_file.h"
#include "toolkit.h"

#include <algorithm>

namespace nk {
namespace {

// The chart flag compares as a number, so "1", "1.0" and " 1" all mean 裏.
bool isUraFlag(std::string_view flag) {
  if (flag.size() == 1) return flag[0] == '1';
  return NumericValue(flag) == 1.0;
}

}  // namespace

void parseSRList(ScoreSheetState& s, std::string_view decodedText, const std::string& fileName) {
  const MasterList list(decodedText, fileName);
  const int32_t last = list.lastElement();
  const auto entryCount = static_cast<int32_t>(std::min(
      {s.EntryDifficulty.size(), s.EntryDifficultyU.size(), s.EntrySongNo.size()}));

  std::vector<int16_t> entryNo;
  std::vector<bool> isUra;
  std::vector<int16_t> difficulty;
  if (last > 0) {
    const auto capacity = static_cast<size_t>(last / TargetRecordWidth + 1);
    entryNo.reserve(capacity);
    isUra.reserve(capacity);
    difficulty.reserve(capacity);
  }
  const bool logging = recordLogIsOn();
  int32_t count = 0;
  for (int32_t i = 1; i < last;) {
    const int16_t no = recordNumber16(list, list.element(i), count + 1, "曲番号");
    if (no < 1 || no > entryCount)
      list.failRecord(count + 1, "曲番号 " + decimalText(no) + " はバージョン曲リストの " +
                                     decimalText(entryCount) + " 曲の範囲外です。");
    const auto e = static_cast<size_t>(no - 1);
    const bool ura = isUraFlag(list.element(list.advance(i, 1, count + 1)));
    const int16_t level = ura ? s.EntryDifficultyU[e] : s.EntryDifficulty[e];
    const auto songIndex = static_cast<size_t>(s.EntrySongNo[e] - 1);
    if (songIndex >= s.SongTitles.size())
      list.failRecord(count + 1, "曲番号 " + decimalText(no) + " の曲が曲リストにありません。");
    if (logging) {
      std::string line = "曲番号";
      line += decimalText(count);
      line += ": ";
      line += s.SongTitles[songIndex];
      line += "(☆×";
      line += decimalText(level);
      line += ')';
      PutLog(line);
    }
    entryNo.push_back(no);
    isUra.push_back(ura);
    difficulty.push_back(level);
    ++count;
    i = list.advance(i, TargetRecordWidth, count);
    toolkit().yield();
  }
  if (count == 0) list.failNoRecord("対象曲");
  s.TargetEntryNo = std::move(entryNo);
  s.TargetIsUra = std::move(isUra);
  s.TargetDifficulty = std::move(difficulty);
  s.TargetScore.assign(static_cast<size_t>(count), 0);
  s.TargetCount = static_cast<int16_t>(count);
}

void ReadSRList(ScoreSheetState& s) {
  PutLog("スコアランキング対象曲リスト展開開始");
  toolkit().setStatusText("スコアランキング対象曲リストを展開中です");
  parseSRList(s, cp932ToUtf8(readFileBytes(SRListPath)), displayFileName(SRListPath));
  PutLog("スコアランキング対象曲リスト展開終了");
}

}  // namespace nk
