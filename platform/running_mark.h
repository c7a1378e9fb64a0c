// running_mark.h - a mark that this program is running, which the Windows
// installer and uninstaller look for before they replace or remove its files
// (a running program holds its exe and Qt's DLLs open).
#pragma once

namespace nk {

// The name of the mark: on Windows a named mutex of the player's session.
inline constexpr const wchar_t* RunningMarkName = L"norukaku-client-running";

// Sets the mark for the rest of the process's life; nothing on Linux, where
// a package manager replaces files that are in use.
void markProgramRunning();

}  // namespace nk
