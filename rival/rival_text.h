// rival_text.h - what the rivals' windows tell the player: why a file or a
// name is refused, how a rival's scores were read, what could not be placed,
// and what changed since the rival was last added.
#pragma once

#include "rival/rival_match.h"
#include "rival/rival_store.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nk {

inline constexpr const char* RivalAddTitle = "ライバルの追加";
// Unplaced charts beyond this many are counted, not named.
inline constexpr size_t UnmatchedNamed = 20;

// Reading a friend's file.
std::string notRivalFileText(const std::string& file, int16_t versionNumber);
std::string noVersionScoresText(const std::string& file, int16_t versionNumber);
std::string notScoreFileText(const std::string& file, size_t line);
std::string otherVersionText(const std::string& file, int16_t fileVersion, int16_t versionNumber);
std::string missingRivalText(const std::string& file);
std::string unreadableRivalText(const std::string& file, const std::string& cause);
std::string tooLargeRivalText(const std::string& file, uint64_t largest);
std::string noRivalScoresText(const std::string& file, int16_t versionNumber);

// A rival's name.
std::string rivalNameEmptyText();
std::string rivalNameUnfitText();
std::string rivalNameTooLongText(size_t longest);
std::string rivalNameReservedText(std::string_view name);

// The kept rivals.
std::string noSuchRivalText(const std::string& name);
std::string unreadableRivalFileText(const std::string& name, const std::string& cause);
std::string damagedRivalText(const std::string& name);
std::string unreadableRivalsText(const std::string& cause);
std::string rivalNotKeptText(const std::string& name, const std::string& cause);
// What a failed keep names: "ライバル「たろう」の点数", "前のファイル".
std::string rivalScoresWhat(const std::string& name);
std::string rivalOldFileWhat(const std::string& name);
std::string rivalNotRemovedText(const std::string& name, const std::string& cause);

// A bare score file was read on this PC's lists.
std::string onThisPcListsText();
// Why one chart could not be placed: "「曲名」（裏） 987,654点: この PC の曲にありません".
std::string unmatchedLine(const UnmatchedChart& unmatched);
// The charts that could not be placed, with a line before them; empty when all were.
std::string unmatchedText(const std::vector<UnmatchedChart>& unmatched);
// "ライバル たろう、はなこ を抜きました" (empty for none): the day's card and window.
std::string rivalsPassedText(const std::vector<std::string>& names);
// What a kept rival's new scores changed: its charts raised since, or that it is new.
std::string rivalChangesText(const std::string& name, const KeptRivalOutcome& kept);

}  // namespace nk
