// song_search.h - finding an entry by a few characters of its title.
//
// A player cannot tell apart full-width and half-width forms, upper and lower
// case, hiragana and katakana, or the two wave dashes, and does not count
// blanks; the search folds all of these away on both sides (NFKC, case
// folding, hiragana to katakana, both wave dashes to "~", blanks ASCII and
// ideographic removed) and then looks for the query as a part of the title
// (find) or for the titles that are the same text once folded (findEqual).
// The index holds the folded titles in display order and nothing else, so it
// never goes stale on a score; it must be built again when the entries or
// their order change (a new load).
#pragma once

#include "data/score_state.h"

#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace nk {

struct SongMatches {
  std::vector<int16_t> positions;  // display positions, ascending, at most the limit
  int more = 0;                    // matches beyond the limit
};

class SongSearchIndex {
public:
  SongSearchIndex() = default;
  // The folded title of every display position of a loaded state.
  explicit SongSearchIndex(const ScoreSheetState& s);

  // Every position whose folded title contains the folded query; an empty
  // query (or one of blanks only) matches every position.
  SongMatches find(std::string_view query, size_t limit) const;
  // Every position whose folded title equals the folded title given; none
  // for an empty title (or one of blanks only).
  std::vector<int16_t> findEqual(std::string_view title) const;
  size_t size() const { return keys_.size(); }

private:
  std::vector<QString> keys_;
};

// One line of the list of matches: the entry as its row on the sheet shows it.
struct FoundSong {
  int16_t position = 0;
  int16_t page = 0;
  std::string title;
  std::string level;   // empty where the sheet shows no such chart
  std::string levelU;
};

// A text as the search folds it (UTF-8), for words that must compare the
// way the titles do.
std::string foldedText(std::string_view text);

FoundSong foundSong(const ScoreSheetState& s, int16_t position);

}  // namespace nk
