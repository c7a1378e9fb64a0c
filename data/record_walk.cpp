// record_walk.cpp - the parts of the record walk that are not templates.
#include "data/record_walk.h"

#include "data/numeric.h"
#include "data/text_file.h"
#include "diag/debug_log.h"
#include "platform/cp932.h"
#include "platform/file_presence.h"
#include "toolkit/toolkit.h"

namespace nk {

bool recordLogIsOn(const DebugLog& log) { return isNormalFile(log.path); }

std::string recordLine(const RecordAt& record, std::string_view title, std::string_view detail) {
  std::string line = "曲番号";
  line += decimalText(record.no - 1);
  line += ": ";
  line += title;
  line += '(';
  line += detail;
  line += ')';
  return line;
}

int16_t songNumberAt(const MasterList& list, const RecordAt& record, int32_t songs,
                     std::string_view listName) {
  const int16_t no = recordNumber16(list, list.element(record.first), record.no, "曲番号");
  if (no < 1 || no > songs)
    list.failRecord(record.no, "曲番号 " + decimalText(no) + " は" + std::string(listName) + "の " +
                                   decimalText(songs) + " 曲の範囲外です。");
  return no;
}

void expandMasterFile(const DebugLog& log, std::string_view name, const char* path,
                      const std::function<void(std::string_view, const std::string&)>& parse) {
  const std::string n(name);
  PutLog(log, n + "展開開始");
  toolkit().setStatusText(n + "を展開中です");
  parse(cp932ToUtf8(readFileBytes(path)), displayFileName(path));
  PutLog(log, n + "展開終了");
}

size_t recordCapacity(const MasterList& list, int32_t width) {
  const int32_t last = list.lastElement();
  return last > 0 ? static_cast<size_t>(last / width + 1) : 0;
}

}  // namespace nk
