// masters_command.h - the commands of nk-masters, the master-data kit for
// whoever serves the master lists:
//
//   nk-masters import SERVER_DIR SOURCE_DIR    the server files as the editable source
//   nk-masters build SOURCE_DIR SERVER_DIR     the server folder from the source (CP932)
//   nk-masters check SERVER_DIR [PREVIOUS_DIR] the problems of a folder, one a line
//   nk-masters diff OLD_DIR NEW_DIR            the changes, as a player is told them
//
// Exit status: 0 done (check: no problem, warnings allowed), 1 failed (check:
// problems), 2 unusable arguments (with the usage text on err).
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace nk {

inline constexpr int ExitDone = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;

// args without the program's name. Results go to out, failures and the usage
// text to err; both UTF-8, LF.
int runMastersCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The text of diff for two sets of server files' folders: per version its
// header line and the changes (or that there are none), LF.
std::string mastersDiffText(const std::string& oldDir, const std::string& newDir);

}  // namespace nk
