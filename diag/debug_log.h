// debug_log.h - the opt-in debug log.
//
// The log is written only while a normal file exists at LogFilePath: the
// program never creates it. Every entry is one line in CP932, "yyyy/MM/dd
// HH:mm:ss", a blank, the message, CR LF; the file is opened and closed for
// every entry. No call reports or throws anything: a log that cannot be
// written loses the entry silently.
#pragma once

#include <string>

namespace nk {

// Path of the debug log; empty until the menu sets "./Debug.txt".
extern std::string LogFilePath;

void SetLogFilePath(const std::string& path);
// Empties an existing log, leaving exactly CR LF in it.
void ClearLog();
// Appends one stamped line to an existing log.
void PutLog(const std::string& message);

// The date-time text of an entry for the current local time.
std::string logTimeStamp();

}  // namespace nk
