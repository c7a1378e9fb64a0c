// debug_log.h - the opt-in debug log.
//
// The log is written only while a normal file exists at the log's path: the
// program never creates it. Every entry is one line in CP932, "yyyy/MM/dd
// HH:mm:ss", a blank, the message, CR LF; the file is opened and closed for
// every entry. No call reports or throws anything: a log that cannot be
// written loses the entry silently.
#pragma once

#include <string>

namespace nk {

// Where the debug log of a run goes: the menu makes it with "./Debug.txt"
// and hands it to the sheet, which passes it down to whatever logs. A value,
// copied freely; an empty path (the default) is no log at all.
struct DebugLog {
  std::string path;
};

// Empties an existing log, leaving exactly CR LF in it.
void ClearLog(const DebugLog& log);
// Appends one stamped line to an existing log.
void PutLog(const DebugLog& log, const std::string& message);

// The date-time text of an entry for the current local time.
std::string logTimeStamp();

}  // namespace nk
