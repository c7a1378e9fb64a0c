// record_walk.h - the record loop that the master list readers share.
//
// Every master list is walked the same way: records of a fixed width from
// element 1 while a record's first element number is below the last element's
// number; after each record the 16-bit element counter moves on by the width
// (its overflow error names the record just read) and the toolkit yields; a
// list that yields no record is the no-record error. What a record holds, its
// checks and its log line belong to the reader: the step it hands the walk.
#pragma once

#include "data/master_list.h"
#include "diag/debug_log.h"
#include "toolkit/toolkit.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace nk {

// One record as the walk hands it to the reader's step.
struct RecordAt {
  int32_t first;  // number of the record's first element
  int32_t no;     // 1-based number of the record, as error descriptions name it
  bool logging;   // whether the record's log line is wanted (recordLogIsOn)
};

// Whether the debug log log is there to take the per-record lines. Asked once
// per list rather than once per record: for the largest lists that would be
// tens of thousands of file-system look-ups, more than the whole parse costs.
// The start and end lines still ask for themselves.
bool recordLogIsOn(const DebugLog& log);

// The log line of a record: "曲番号<no - 1>: <title>(<detail>)".
std::string recordLine(const RecordAt& record, std::string_view title, std::string_view detail);

// The song number in the record's first element (a 16-bit number field, see
// recordNumber16), which must lie in 1 .. songs: outside it is the record's
// error "曲番号 <n> は<listName>の <songs> 曲の範囲外です。".
int16_t songNumberAt(const MasterList& list, const RecordAt& record, int32_t songs,
                     std::string_view listName);

// Reads a master file the way every reader does: logs "<name>展開開始" (to
// log, as every line), shows "<name>を展開中です" on the status line, reads
// the file at path and decodes it (CP932), calls parse(decodedText,
// displayName) and logs "<name>展開終了". An error of the read or of parse
// passes through; the end line is then not written.
void expandMasterFile(const DebugLog& log, std::string_view name, const char* path,
                      const std::function<void(std::string_view, const std::string&)>& parse);

// How many records of width elements list can hold at the most (0 for an
// empty list): the capacity a reader reserves so that its vectors grow once.
size_t recordCapacity(const MasterList& list, int32_t width);

// Calls step(const RecordAt&) for each record of width elements and returns
// how many records there were, at least 1: a list without one is the
// no-record error, what naming the kind of record ("曲", "対象曲"). An error
// of a step ends the walk; nothing after that record is read. Each record's
// logging says whether log takes the record's line.
//
// The counter moves by the whole width in one step. Where it would take a
// record's elements in two steps (4, then AC14's 3 more) it fails at the same
// record with the same text, since both steps name the record just read.
// A template rather than a std::function: the step is inlined into the loop,
// which for the largest lists runs ten thousand times.
template <class Step>
int32_t walkRecords(const DebugLog& log, const MasterList& list, int32_t width, std::string_view what,
                    Step&& step) {
  const int32_t last = list.lastElement();
  const bool logging = recordLogIsOn(log);
  int32_t count = 0;
  for (int32_t i = 1; i < last;) {
    step(RecordAt{i, count + 1, logging});
    ++count;
    i = list.advance(i, width, count);
    toolkit().yield();
  }
  if (count == 0) list.failNoRecord(what);
  return count;
}

}  // namespace nk
