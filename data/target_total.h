// target_total.h - the player's target total ("目標総合得点") of a version,
// kept beside the score file in a file of its own, "ac13target.txt": the
// number in ASCII decimal and CR LF, or nothing at all for no target. The
// file is replaced crash-safe, as the score file is; the score file never
// learns of it.
#pragma once

#include "platform/file_replace.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nk {

// The highest total a sheet can reach: 30 places of the 32-bit maximum.
inline constexpr int64_t HighestTargetTotal = 30 * int64_t{2147483647};

// The most bytes the file may hold: saveTargetTotal writes at most the 11
// digits of HighestTargetTotal and CR LF (13 bytes); 64 leaves room for a
// hand edit with leading zeros. A larger file is refused from its size
// before a byte of it is read (one of gigabytes is no target, only a damage).
inline constexpr int64_t MostTargetFileBytes = 64;

// "ac" + versionNumber + "target.txt".
std::string targetTotalFileName(int16_t versionNumber);

// The version's target; none when the file is missing or empty. A file that
// cannot be read or holds no such number gives none and says why (Japanese).
struct TargetTotalRead {
  std::optional<int64_t> target;
  std::string failure;
};
TargetTotalRead readTargetTotal(int16_t versionNumber);

// Keeps the target (none: an empty file).
FileWriteResult saveTargetTotal(int16_t versionNumber, std::optional<int64_t> target);

// The target as the player types it: decimal digits, half- or full-width,
// with or without thousands separators ("1,234,567", "１，２３４，５６７") and
// blanks around; an empty text is no target. A text that is no whole number
// from 1 to HighestTargetTotal is refused (nullopt).
std::optional<std::optional<int64_t>> parseTargetText(std::string_view typed);

}  // namespace nk
