// score_save.cpp - the score file's text and its write.
#include "sheet/score_save.h"

#include "data/numeric.h"

#include <algorithm>

namespace nk {

std::string scoreFileText(const ScoreSheetState& s) {
  std::string text;
  const size_t entries = std::min(s.EntryScore.size(), s.EntryScoreU.size());
  for (size_t e = 0; e < entries; ++e) {
    if (s.EntryScore[e] == 0 && s.EntryScoreU[e] == 0) continue;
    text += decimalText(static_cast<long long>(e) + 1);
    text += ',';
    text += decimalText(s.EntryScore[e]);
    text += ',';
    text += decimalText(s.EntryScoreU[e]);
    text += "\r\n";
  }
  text += "\r\n";
  return text;
}

FileWriteResult saveScoreFile(const ScoreSheetState& s) {
  FileWriteResult result = replaceFileContents(scoreFileNameFor(s.VersionNumber), scoreFileText(s));
  if (result.ok) return result;
  result.failure += result.oldKept ? "スコアは保存されていません（保存済みのファイルは変更していません）。"
                                   : "スコアは保存されていません（保存済みのファイルは書きかけの状態かもしれません）。";
  return result;
}

}  // namespace nk
