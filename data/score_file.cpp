// score_file.cpp - the personal score file: read into the entries' scores, and written whole.
#include "data/score_file.h"

#include "data/display_text.h"
#include "data/master_list.h"
#include "data/numeric.h"
#include "data/text_file.h"
#include "diag/checked_int.h"
#include "diag/debug_log.h"
#include "diag/runtime_error.h"
#include "platform/cp932.h"
#include "platform/file_presence.h"
#include "platform/utf8.h"
#include "toolkit/toolkit.h"

#include <algorithm>
#include <cmath>

namespace nk {
namespace {

class LineReader {
public:
  LineReader(ScoreSheetState& s, const std::string& fileName) : s_(s), fileName_(fileName) {}

  void read(std::string_view line) {
    ++lineNo_;
    if (utf8CharacterCount(line) < 3) return;
    std::string_view fields[3];
    size_t fieldCount = 0;
    size_t start = 0;
    while (fieldCount < 3) {
      const size_t comma = line.find(',', start);
      fields[fieldCount++] = line.substr(start, comma == std::string_view::npos ? comma : comma - start);
      if (comma == std::string_view::npos) break;
      start = comma + 1;
    }
    // The index is rounded after the subtraction: " 2.5" names entry 3 (index 1.5 -> 2).
    const int32_t index = number32(fields[0], -1.0, "曲番号");
    const auto size = static_cast<int64_t>(std::min(s_.EntryScore.size(), s_.EntryScoreU.size()));
    if (index < 0 || index >= size)
      fail("曲番号 " + decimalText(static_cast<long long>(index) + 1) + " はバージョン曲リストの " +
           decimalText(size) + " 曲の範囲外です。");
    const auto e = static_cast<size_t>(index);
    if (fieldCount < 2) fail("通常譜面のスコア（2 番目の項目）がありません。");
    s_.EntryScore[e] = number32(fields[1], 0.0, "通常譜面のスコア");
    if (fieldCount < 3) fail("裏譜面のスコア（3 番目の項目）がありません。");
    s_.EntryScoreU[e] = number32(fields[2], 0.0, "裏譜面のスコア");
  }

private:
  // The numeric value of a field plus offset, as a 32-bit integer (halves to even).
  int32_t number32(std::string_view text, double offset, std::string_view what) const {
    // What the program writes: an optional "-" and at most nine digits.
    const bool negative = !text.empty() && text[0] == '-';
    const std::string_view digits = text.substr(negative ? 1 : 0);
    if (!digits.empty() && digits.size() <= 9 &&
        std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      int32_t value = 0;
      for (char c : digits) value = value * 10 + (c - '0');
      return (negative ? -value : value) + static_cast<int32_t>(offset);
    }
    const double r = std::nearbyint(NumericValue(text) + offset);
    if (!fitsIn<int32_t>(r)) fail(outOfRangeDetail<int32_t>(what, text));
    return static_cast<int32_t>(r);
  }

  [[noreturn]] void fail(const std::string& detail) const {
    throw RuntimeError(fileName_ + " の " + decimalText(lineNo_) + " 行目: " + detail);
  }

  ScoreSheetState& s_;
  const std::string& fileName_;
  long long lineNo_ = 0;
};

}  // namespace

void parseScoreFile(ScoreSheetState& s, std::string_view decodedText, const std::string& fileName) {
  // The program writes CR LF; a file edited elsewhere may end its lines with a
  // lone LF, which must not glue two records into one.
  LineReader reader(s, fileName);
  size_t start = 0;
  while (start < decodedText.size()) {
    const size_t end = decodedText.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      reader.read(decodedText.substr(start));
      break;
    }
    reader.read(decodedText.substr(start, end - start));
    start = end + 1;
    if (decodedText[end] == '\r' && start < decodedText.size() && decodedText[start] == '\n') ++start;
  }
}

void ReadScoreFile(const DebugLog& log, ScoreSheetState& s) {
  PutLog(log, "CSVファイル展開開始");
  toolkit().setStatusText("CSVファイルを読み取り中です");
  if (!isNormalFile(s.ScoreFileName)) {
    PutLog(log, "CSVファイルが存在しません");
  } else {
    PutLog(log, "CSVファイル読み込み中");
    std::string bytes = readFileBytes(s.ScoreFileName);
    parseScoreFile(s, cp932ToUtf8(bytes), displayFileName(s.ScoreFileName));
    s.ScoreFileSeen = std::move(bytes);
  }
  PutLog(log, "CSVファイル展開終了");
}

ScoreFileNow readScoreFileNow(const ScoreSheetState& s) { return readScoreFileAt(s, s.ScoreFileName); }

ScoreFileNow readScoreFileAt(const ScoreSheetState& s, const std::string& path) {
  ScoreFileNow now;
  const std::string name = displayFileName(path);
  if (!isNormalFile(path)) {
    now.failure = "ファイル " + name + " が見つかりません。";
    return now;
  }
  now.present = true;
  try {
    now.bytes = readFileBytes(path);
    ScoreSheetState scores;
    scores.EntryScore.assign(s.EntryScore.size(), 0);
    scores.EntryScoreU.assign(s.EntryScoreU.size(), 0);
    parseScoreFile(scores, cp932ToUtf8(now.bytes), name);
    now.score = std::move(scores.EntryScore);
    now.scoreU = std::move(scores.EntryScoreU);
    now.readable = true;
  } catch (const RuntimeError& e) {
    now.failure = e.description();
  }
  return now;
}

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
  addNotSavedNote(result, "スコア", "保存済みのファイル");
  return result;
}

}  // namespace nk
