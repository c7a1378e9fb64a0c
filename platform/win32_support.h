// win32_support.h - what the Windows sources of the platform seams share:
// UTF-8 paths turned wide for the Win32 calls, and Win32 error codes as the
// same Japanese causes as their errno twins. Only Windows builds compile it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace nk {

// UTF-8 (the program's strings) to UTF-16 (the Win32 "W" calls).
std::wstring widen(const std::string& utf8);
// UTF-16 back to UTF-8.
std::string narrow(const std::wstring& wide);

// The cause behind a Win32 error code (GetLastError), in the words that the
// POSIX build uses for the errno value of the same meaning.
std::string win32ErrorText(unsigned long code);

// Exactly the n bytes at offset of the file whose handle is given; false with
// cause set on failure (cause::InputOutput where the file ends sooner: it
// was cut short meanwhile).
bool readFileAt(std::intptr_t handle, int64_t offset, size_t n, std::string& bytes, std::string& cause);

// Takes a handle that CreateFileW returned, with the file's size: false with
// cause set (and the handle closed) when it is invalid or its size unknown.
bool takeOpenedFile(void* opened, std::intptr_t& handle, int64_t& size, std::string& cause);

}  // namespace nk
