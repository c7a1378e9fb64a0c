// held_file_win32.h - a file held open by another program: the test program
// itself, started again as a child, opens the file with the share modes given
// and keeps it open for as long as the holder lives.
#pragma once

#include <windows.h>

#include <string>

namespace nk::test {

class FileHeldElsewhere {
public:
  // Returns once the child holds path open for reading; throws when it cannot.
  FileHeldElsewhere(const std::wstring& path, DWORD share);
  // Lets the child go and waits for it to end.
  ~FileHeldElsewhere();
  FileHeldElsewhere(const FileHeldElsewhere&) = delete;
  FileHeldElsewhere& operator=(const FileHeldElsewhere&) = delete;

private:
  HANDLE release_ = nullptr;
  HANDLE process_ = nullptr;
};

}  // namespace nk::test
