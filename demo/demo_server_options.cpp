// demo_server_options.cpp - the command line of the demo master-data server.
#include "demo_server_options.h"

#include <charconv>

namespace nk::demo {

namespace {

bool parsePort(const std::string& text, int& port) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || value < 0 || value > 65535) return false;
  port = value;
  return true;
}

ParsedOptions failure(std::string error) {
  ParsedOptions parsed;
  parsed.outcome = ParsedOptions::Outcome::Error;
  parsed.error = std::move(error);
  return parsed;
}

}  // namespace

ParsedOptions parseServerOptions(const std::vector<std::string>& args, const std::string& defaultRoot) {
  ParsedOptions parsed;
  parsed.options.root = defaultRoot;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-h" || arg == "--help") {
      parsed.outcome = ParsedOptions::Outcome::Help;
      return parsed;
    }
    // Both "--port 47802" and "--port=47802".
    std::string name = arg;
    std::string value;
    bool hasValue = false;
    if (const size_t eq = arg.find('='); arg.starts_with("--") && eq != std::string::npos) {
      name = arg.substr(0, eq);
      value = arg.substr(eq + 1);
      hasValue = true;
    }
    if (name != "--root" && name != "--port" && name != "--bind")
      return failure("unknown option " + arg);
    if (!hasValue) {
      if (i + 1 >= args.size()) return failure("option " + name + " needs a value");
      value = args[++i];
    }
    if (name == "--root") {
      if (value.empty()) return failure("option --root needs a folder");
      parsed.options.root = value;
    } else if (name == "--port") {
      if (!parsePort(value, parsed.options.port)) return failure("bad port " + value + " (0..65535)");
    } else {
      if (value.empty()) return failure("option --bind needs an address");
      parsed.options.bindAddress = value;
    }
  }
  return parsed;
}

std::string usageText(const std::string& program, const std::string& defaultRoot) {
  return "Usage: " + program + " [--root DIR] [--port N] [--bind ADDRESS]\n"
         "Serves the files below DIR as http://ADDRESS:N/nk/... until SIGINT or SIGTERM.\n"
         "  --root DIR       folder served as /nk/ (default " + defaultRoot + ")\n"
         "  --port N         TCP port, 0 for any free one (default " + std::to_string(DefaultPort) + ";\n"
         "                   the program's second server is 47802)\n"
         "  --bind ADDRESS   address to listen on (default " + DefaultBindAddress + ", loopback only)\n";
}

}  // namespace nk::demo
