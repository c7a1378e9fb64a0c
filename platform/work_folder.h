// work_folder.h - the folder the program keeps its files in, however it was
// started: a double click on the exe, a desktop shortcut, a pinned taskbar
// button or a script all work where the Start-menu entry does.
//
// On Windows the install layout decides, never a setting: the portable zip
// ships a marker file beside the exe (PortableMarker), and a program with the
// marker works in its own folder; an installed one, which has none, works in
// the player's data folder %LOCALAPPDATA%\norukaku-client (made if missing).
// A portable program whose folder takes no new file (the zip unpacked into
// C:\Program Files) works in the data folder too, and says so once. On Linux
// the launcher has chosen the folder already: the program stays where it was
// started.
#pragma once

#include <string>

namespace nk {

// Shipped beside the exe in the portable zip only.
inline constexpr const char* PortableMarker = "norukaku-client-portable.txt";

struct WorkFolder {
  // The folder chosen (UTF-8); empty: where the program was started.
  std::string path;
  // The portable program's own folder when it takes no file, else empty.
  std::string unwritableProgramFolder;
  // Why the folder chosen could not be made or entered, else empty; the
  // program then works where it was started.
  std::string failure;
};

// The choice for a program in programFolder and a player whose data folder
// is dataFolder, read off the file system: the marker's presence and whether
// the program folder takes a new file (tried with a file made and removed).
// The data folder, when chosen, is made if missing.
WorkFolder chooseWorkFolder(const std::string& programFolder, const std::string& dataFolder);

// The choice for this program and this player, made the working folder.
WorkFolder enterWorkFolder();

// What the player is told of the choice, once at the start, in a box titled
// WorkFolderNoticeTitle; empty when nothing needs saying.
inline constexpr const char* WorkFolderNoticeTitle = "保存先のフォルダ";
std::string workFolderNotice(const WorkFolder& chosen);

// The folder of master lists that a package ships with the program (a served
// folder, with the moment of its lists in "received.txt"), as an absolute
// path: beside the exe on Windows; <prefix>/share/norukaku-client/masters on
// Linux, where the program lies in <prefix>/lib/norukaku-client. Whether it
// exists is for the reader to find out; empty when the program's own place
// is unknown.
std::string bundledMastersFolder();

}  // namespace nk
