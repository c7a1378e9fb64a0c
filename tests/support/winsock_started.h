// winsock_started.h - Windows sockets work only between WSAStartup and
// WSACleanup: the tests' socket code on Windows calls this before any socket.
#pragma once

namespace nk::test {

// Starts Windows sockets once for the whole test program.
void startWindowsSockets();

}  // namespace nk::test
