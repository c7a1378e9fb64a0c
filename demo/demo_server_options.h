// demo_server_options.h - the command line of the demo master-data server.
#pragma once

#include <string>
#include <vector>

namespace nk::demo {

// The port the program looks at first for its master files.
inline constexpr int DefaultPort = 47801;
// Loopback only unless asked otherwise: the demo data is nobody else's business.
inline constexpr const char* DefaultBindAddress = "127.0.0.1";

struct ServerOptions {
  std::string root;  // the folder served as /nk/
  std::string bindAddress = DefaultBindAddress;
  int port = DefaultPort;  // 0: any free port (printed at start)
};

struct ParsedOptions {
  enum class Outcome { Run, Help, Error };
  Outcome outcome = Outcome::Run;
  ServerOptions options;
  std::string error;  // for Error: what was wrong, one line
};

// Parses the arguments after the program name. defaultRoot is the folder
// served when --root is not given.
ParsedOptions parseServerOptions(const std::vector<std::string>& args, const std::string& defaultRoot);

// The --help text (ends with a line end).
std::string usageText(const std::string& program, const std::string& defaultRoot);

}  // namespace nk::demo
