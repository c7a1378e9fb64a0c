// win32_support.h - what the Windows sources of the platform seams share:
// UTF-8 paths turned wide for the Win32 calls, and Win32 error codes as the
// same Japanese causes as their errno twins. Only Windows builds compile it.
#pragma once

#include <string>

namespace nk {

// UTF-8 (the program's strings) to UTF-16 (the Win32 "W" calls).
std::wstring widen(const std::string& utf8);
// UTF-16 back to UTF-8.
std::string narrow(const std::wstring& wide);

// The cause behind a Win32 error code (GetLastError), in the words that the
// POSIX build uses for the errno value of the same meaning.
std::string win32ErrorText(unsigned long code);

}  // namespace nk
