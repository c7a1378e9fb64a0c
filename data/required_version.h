// required_version.h - the check of the server's required program version
// in "./version.dat": line 1 the lowest version the server still serves,
// line 2 a hint (where to get a newer client) for the refusal message.
#pragma once

#include "diag/debug_log.h"
#include "domain/master_files.h"
#include <string>
#include <string_view>

namespace nk {

inline constexpr const char* RequiredVersionPath = MasterFiles[NKVersion].localPath;
// Cuts the joined lines into items; a line holding it is cut there too.
inline constexpr const char* RequiredVersionMarker = "[データ区切り]";

struct RequiredVersion {
  double required = 0;  // numeric value of item 0
  std::string hint;     // item 1, empty when the file has one line
};

// Items 0 and 1 of a decoded version.dat. Raises RuntimeError when the file
// has no line at all (fileName names it).
RequiredVersion parseRequiredVersion(std::string_view decodedText,
                                     const std::string& fileName = "version.dat");

// The shortest plain decimal text (no exponent) whose numeric value is
// exactly value: 1.54, 2, 0.001. Not for an infinite value.
std::string exactNumberText(double value);
// version.dat in one plain form: the required version (exactNumberText),
// CR LF, the hint, CR LF. The caller keeps CR and the marker out of the hint.
std::string requiredVersionText(double required, const std::string& hint);

// True when required is not above ProgramVersion (numeric comparison).
bool isProgramVersionAccepted(double required);

// The refusal box's text: two fixed lines, then the hint.
std::string refusalMessage(const std::string& hint);

// Logs its start, sets the status line, reads RequiredVersionPath, logs the
// program's version and the required one and compares them. True = accepted;
// on refusal the "バージョン要求以下" box has been shown (exclamation icon).
// Raises RuntimeError when the file cannot be read or has no line.
bool CheckRequiredVersion(const DebugLog& log);

}  // namespace nk
