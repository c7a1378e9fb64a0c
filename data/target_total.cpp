// target_total.cpp - the target total's own small file, and the typed text.
#include "data/target_total.h"

#include "data/numeric.h"
#include "data/text_file.h"
#include "data/typed_number.h"
#include "platform/file_name.h"

#include <algorithm>

namespace nk {

std::string targetTotalFileName(int16_t versionNumber) { return "ac" + decimalText(versionNumber) + "target.txt"; }

TargetTotalRead readTargetTotal(int16_t versionNumber) {
  TargetTotalRead read;
  std::string bytes, cause;
  int64_t size = 0;
  const std::string name = targetTotalFileName(versionNumber);
  const BoundedRead result = readFileWithin(name, MostTargetFileBytes, bytes, size, cause);
  if (result == BoundedRead::Missing) return read;
  if (result == BoundedRead::Failed) {
    read.failure = "ファイル " + displayFileName(name) + " を読めません（" + cause + "）。";
    return read;
  }
  if (result == BoundedRead::Read && bytes.empty()) return read;
  // The file holds ASCII digits only, as saveTargetTotal writes them.
  const std::string_view digits = std::string_view(bytes).substr(0, bytes.size() - std::min<size_t>(bytes.size(), 2));
  const bool plain = bytes.ends_with("\r\n") && !digits.empty() &&
                     digits.find_first_not_of("0123456789") == std::string_view::npos;
  // A file too large to be one is left unread: no target in it.
  const bool whole = result == BoundedRead::Read;
  const auto parsed = whole && plain ? parseTypedNumber(digits, 1, HighestTargetTotal) : std::nullopt;
  if (!parsed || !*parsed)
    read.failure = "ファイル " + displayFileName(name) + " に目標総合得点がありません。";
  else
    read.target = *parsed;
  return read;
}

FileWriteResult saveTargetTotal(int16_t versionNumber, std::optional<int64_t> target) {
  return replaceFileContents(targetTotalFileName(versionNumber), target ? decimalText(*target) + "\r\n" : "");
}

std::optional<std::optional<int64_t>> parseTargetText(std::string_view typed) {
  return parseTypedNumber(typed, 1, HighestTargetTotal);
}

}  // namespace nk
