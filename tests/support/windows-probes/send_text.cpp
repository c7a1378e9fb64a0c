// send_text.cpp - types its one argument into the window that has the focus,
// one character a key (KEYEVENTF_UNICODE), as Windows delivers what an input
// method commits or a keyboard without keys for those characters sends: the
// window gets WM_CHAR with each character, full-width digits included. The
// X server's keyboard, which xdotool drives, has no such keys for Wine.
#include <windows.h>
#include <shellapi.h>

int main() {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (!argv || argc != 2) return 2;
  for (const wchar_t* c = argv[1]; *c; ++c) {
    INPUT key[2]{};
    key[0].type = INPUT_KEYBOARD;
    key[0].ki.wScan = *c;
    key[0].ki.dwFlags = KEYEVENTF_UNICODE;
    key[1] = key[0];
    key[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    // One character at a time, as a player types: the window sees each change.
    if (::SendInput(2, key, sizeof(INPUT)) != 2) return 1;
    ::Sleep(50);
  }
  return 0;
}
