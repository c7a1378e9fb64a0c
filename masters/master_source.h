// master_source.h - the editable source of a set of master data: plain
// tab-separated UTF-8 tables in one folder, which a spreadsheet opens and
// saves (see source_table.h), one per server file:
//
//   songlist.tsv     曲番号, 曲名, ジャンル
//   ac12list.tsv ... エントリ番号, 曲番号, 表, 裏     (a level: 1-9, T, ?, -, or 0)
//   sr12list.tsv ... 番号, エントリ番号, 譜面          (譜面: 表 or 裏)
//   nkclient.tsv     要求バージョン, 案内              (one row)
//
// The first column of a list is the record's number, which is its position:
// the rows must count 1, 2, 3... so that a row moved or inserted by mistake
// (it would move the scores saved for every later position) is refused, not
// served. A song number must name a row of songlist.tsv, an entry number a
// row of the version's list.
#pragma once

#include "masters/master_set.h"

#include <string>

namespace nk {

std::string versionSourceName(int16_t versionNumber);  // "ac12list.tsv"
std::string targetSourceName(int16_t versionNumber);   // "sr12list.tsv"
inline constexpr const char* SongSourceName = "songlist.tsv";
inline constexpr const char* RequiredVersionSourceName = "nkclient.tsv";

// The most bytes of one table. The largest server file the program fetches
// is 32 MiB (its download limit); its text in UTF-8 takes at most half as
// much again (a two-byte CP932 character is three bytes in UTF-8) and a
// spreadsheet's quotes add a little: 64 MiB holds any table that makes a
// list the program can read. A larger table is refused from its size before
// it is read, with its name.
inline constexpr int64_t MostSourceTableBytes = int64_t{64} << 20;

// The set of the source folder dir. RuntimeError "<file> の <N> 行目: ..."
// for the first row that is not a legal one, a text the server files could
// not hold (a character that CP932 has not, "<>", a CR) included; or naming
// the file that cannot be read or is larger than MostSourceTableBytes.
MasterSet readMasterSource(const std::string& dir);

// The eight tables of a set, by file name, in the order above.
std::vector<std::pair<std::string, std::string>> masterSourceFiles(const MasterSet& set);

// The first character of a UTF-8 text that CP932 cannot hold exactly (one
// that does not come back the same from CP932), or empty when there is none.
std::string firstCharacterNotInCp932(std::string_view utf8);

}  // namespace nk
