// display_text.cpp - grouped numbers, dates and the logs' notes.
#include "data/display_text.h"

#include <chrono>
#include <cstdio>

namespace nk {

std::string groupedDecimal(int64_t value) {
  // Through the unsigned magnitude, so the lowest 64-bit value is written too.
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  std::string digits = std::to_string(magnitude);
  std::string grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return value < 0 ? "-" + grouped : grouped;
}

std::string signedGroupedDecimal(int64_t value) {
  if (value == 0) return "±0";
  return value > 0 ? "+" + groupedDecimal(value) : groupedDecimal(value);
}

std::string pointsText(int64_t value, Digits digits) {
  return (digits == Digits::Grouped ? groupedDecimal(value) : std::to_string(value)) + "点";
}

std::string levelName(int16_t level) {
  switch (level) {
    case 7: return "☆×７";
    case 8: return "☆×８";
    case 9: return "☆×９";
    default: return "☆×" + std::to_string(level);
  }
}

std::string shortLevelName(int16_t level) { return "☆" + std::to_string(level); }

std::string secondText(std::chrono::local_seconds local) {
  using namespace std::chrono;
  const local_days day = floor<days>(local);
  const year_month_day date{day};
  const hh_mm_ss<seconds> time{local - day};
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

std::string minuteText(const Moment& moment) { return secondText(moment.local()).substr(0, 16); }

std::string dateText(const Moment& moment) { return minuteText(moment).substr(0, 10); }

std::string leftOutNote(uint64_t leftOut) {
  return "古い記録 " + groupedDecimal(static_cast<int64_t>(leftOut)) + " 件は表示していません。";
}

std::string unreadableNote(const std::string& fileName, const std::string& cause) {
  return "ファイル " + fileName + " を読めません（" + cause + "）。";
}

std::string notSavedText(std::string_view what) { return std::string(what) + "は保存されていません"; }

void addNotSavedNote(FileWriteResult& result, std::string_view what, std::string_view file) {
  result.failure += notSavedText(what) + "（" + std::string(file) +
                    (result.oldKept ? "は変更していません）。" : "は書きかけの状態かもしれません）。");
}

}  // namespace nk
