// master_check.h - what is wrong with a server folder, named file by file and
// record by record, before it is served.
//
// Every file is read as the program reads it, for every version, and every
// record is looked at, not only the first bad one. A line of the report is
// "<server path> の <N> 件目: <detail>" for a record (N as the readers count:
// the song, entry or target number) and "<server path>: <detail>" for a whole
// file, or the reader's own description where it names the file itself.
// Problems: a file that cannot be read, a song or entry number outside its
// list, a ranking target on a chart that does not exist, a level character
// other than 1-9, T, ?, -, a count past the 16-bit element counter, a record
// cut short (the last one lacks elements that its width has). Warnings
// (legal, the program reads them, but likely a slip) carry "警告: " after
// the place: a genre that is one of the ranked genres but for case, width or
// blanks (it sorts among the others), a required version above this
// program's, a song renamed since the previous folder.
//
// Against the folder served before, changes that move a player's scores are
// problems: an entry removed, an entry whose position names another song (by
// number and title), a song removed from the catalogue. Entries and songs
// are only ever added at the end. (A folder that the readers cannot take is
// not compared: its problems come first.)
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace nk {

struct CheckReport {
  std::vector<std::string> lines;  // problems and warnings, in file order
  int problems = 0;
  int warnings = 0;
};

CheckReport checkServerFolder(const std::string& dir, const std::optional<std::string>& previousDir);

// The ranked genre that label is but for case, width or blanks (full-width
// letters and digits, half-width katakana, ideographic blanks); nothing when
// label is one exactly or none at all.
std::optional<std::string> nearRankedGenre(std::string_view label);

}  // namespace nk
