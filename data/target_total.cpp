// target_total.cpp - the target total's own small file, and the typed text.
#include "data/target_total.h"

#include "data/numeric.h"
#include "platform/file_name.h"
#include "platform/native_file.h"

namespace nk {
namespace {

// Digits only, or grouped by "," in threes after a first group of one to
// three; the value when it is one and not past HighestTargetTotal.
std::optional<int64_t> plainNumber(std::string_view text) {
  int64_t value = 0;
  size_t group = 0, groups = 0;
  const bool grouped = text.find(',') != std::string_view::npos;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == ',') {
      if (group == 0 || (grouped && (groups == 0 ? group > 3 : group != 3))) return std::nullopt;
      ++groups;
      group = 0;
      continue;
    }
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    ++group;
    value = value * 10 + (text[i] - '0');
    if (value > HighestTargetTotal) return std::nullopt;
  }
  return value;
}

}  // namespace

std::string targetTotalFileName(int16_t versionNumber) { return "ac" + decimalText(versionNumber) + "target.txt"; }

TargetTotalRead readTargetTotal(int16_t versionNumber) {
  TargetTotalRead read;
  std::string bytes, cause;
  const std::string name = targetTotalFileName(versionNumber);
  const FileRead result = readRegularFileInPieces(
      name, [&bytes](std::string_view piece) { if (bytes.size() < 64) bytes.append(piece.substr(0, 64)); }, cause);
  if (result == FileRead::Missing) return read;
  if (result == FileRead::Failed) {
    read.failure = "ファイル " + displayFileName(name) + " を読めません（" + cause + "）。";
    return read;
  }
  if (bytes.empty()) return read;
  const auto parsed = bytes.ends_with("\r\n") ? plainNumber(std::string_view(bytes).substr(0, bytes.size() - 2))
                                              : std::nullopt;
  if (!parsed || *parsed < 1 || *parsed > HighestTargetTotal)
    read.failure = "ファイル " + displayFileName(name) + " に目標総合得点がありません。";
  else
    read.target = parsed;
  return read;
}

FileWriteResult saveTargetTotal(int16_t versionNumber, std::optional<int64_t> target) {
  return replaceFileContents(targetTotalFileName(versionNumber), target ? decimalText(*target) + "\r\n" : "");
}

std::optional<std::optional<int64_t>> parseTargetText(std::string_view typed) {
  // Full-width digits and commas (U+FF10..U+FF19, U+FF0C) become ASCII; blanks
  // (ASCII and U+3000) around the number go.
  std::string ascii;
  for (size_t i = 0; i < typed.size();) {
    const auto c = static_cast<unsigned char>(typed[i]);
    if (c == 0xEF && i + 2 < typed.size()) {
      const auto b1 = static_cast<unsigned char>(typed[i + 1]), b2 = static_cast<unsigned char>(typed[i + 2]);
      if (b1 == 0xBC && b2 >= 0x90 && b2 <= 0x99) { ascii += static_cast<char>('0' + (b2 - 0x90)); i += 3; continue; }
      if (b1 == 0xBC && b2 == 0x8C) { ascii += ','; i += 3; continue; }
    }
    if (c == 0xE3 && typed.substr(i, 3) == "\u3000") { ascii += ' '; i += 3; continue; }
    ascii += static_cast<char>(c);
    ++i;
  }
  const size_t first = ascii.find_first_not_of(" \t");
  if (first == std::string::npos) return std::optional<int64_t>{};
  const std::string_view number = std::string_view(ascii).substr(first, ascii.find_last_not_of(" \t") - first + 1);
  const auto value = plainNumber(number);
  if (!value || *value < 1 || *value > HighestTargetTotal) return std::nullopt;
  return std::optional<int64_t>{*value};
}

}  // namespace nk
