// master_list.cpp - splitting a master list and describing its failures.
#include "data/master_list.h"

#include "data/numeric.h"
#include "data/text_file.h"
#include "diag/checked_int.h"
#include "diag/runtime_error.h"
#include "platform/utf8.h"

#include <cmath>

namespace nk {

MasterList::MasterList(std::string_view decodedText, std::string fileName)
    : joined_(joinLines(decodedText)), fileName_(std::move(fileName)) {
  // The views point into joined_, which this object owns and never changes.
  elements_ = splitText(joined_, "<>");
}

void MasterList::failNoRecord(std::string_view what) const {
  throw RuntimeError(fileName_ + " に" + std::string(what) +
                     "が 1 件もありません（区切り「<>」で区切られた項目が足りません）。");
}

void MasterList::failRecord(int32_t recordNo, std::string_view detail) const {
  throw RuntimeError(fileName_ + " の " + decimalText(recordNo) + " 件目: " + std::string(detail));
}

void MasterList::failTooManyElements(int32_t recordNo) const {
  throw RuntimeError(fileName_ + " は項目が多すぎて読み込めません（" + decimalText(recordNo) +
                     " 件目で項目の番号が " + decimalText(MaxElementNumber) + " を超えました）。");
}

int16_t recordNumber16(const MasterList& list, std::string_view text, int32_t recordNo,
                       std::string_view what) {
  // A plain run of up to four digits is by far the common case.
  if (!text.empty() && text.size() <= 4) {
    int value = 0;
    bool digits = true;
    for (char c : text) {
      if (c < '0' || c > '9') {
        digits = false;
        break;
      }
      value = value * 10 + (c - '0');
    }
    if (digits) return static_cast<int16_t>(value);
  }
  const double r = std::nearbyint(NumericValue(text));
  if (!fitsIn<int16_t>(r)) list.failRecord(recordNo, outOfRangeDetail<int16_t>(what, text));
  return static_cast<int16_t>(r);
}

std::string quotedForError(std::string_view text) {
  constexpr int MaxCharacters = 20;
  size_t end = 0;
  int characters = 0;
  for (; end < text.size() && characters < MaxCharacters; ++characters) end = utf8CharacterEnd(text, end);
  std::string quoted = "「" + std::string(text.substr(0, end));
  if (end < text.size()) quoted += "…";
  return quoted + "」";
}

std::string outOfRangeDetail(std::string_view what, std::string_view text, int bits, long long min,
                             long long max) {
  return std::string(what) + quotedForError(text) + "が " + decimalText(bits) + " ビット整数の範囲（" +
         decimalText(min) + "～" + decimalText(max) + "）を超えています。";
}

}  // namespace nk
