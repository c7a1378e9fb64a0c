// demo_server_optionsTest.cpp - the demo server's command line.
#include "demo_server_options.h"

#include <gtest/gtest.h>

namespace nk::demo {
namespace {

using Outcome = ParsedOptions::Outcome;

TEST(ServerOptions, DefaultsOverridesAndMistakes) {
  struct Case {
    std::vector<std::string> args;
    Outcome outcome;
    std::string root, bind;
    int port;
    std::string error;
  };
  const Case cases[] = {
      {{}, Outcome::Run, "/def", "127.0.0.1", 47801, ""},
      {{"--port", "47802"}, Outcome::Run, "/def", "127.0.0.1", 47802, ""},
      {{"--port=0", "--root=/data/nk"}, Outcome::Run, "/data/nk", "127.0.0.1", 0, ""},
      {{"--root", "x", "--bind", "0.0.0.0", "--port", "65535"}, Outcome::Run, "x", "0.0.0.0", 65535, ""},
      {{"--bind=::1"}, Outcome::Run, "/def", "::1", 47801, ""},
      {{"--port", "1", "--port", "2"}, Outcome::Run, "/def", "127.0.0.1", 2, ""},
      {{"--port", "x", "--help"}, Outcome::Error, "", "", 0, "bad port x (0..65535)"},
      {{"--root", "x", "-h"}, Outcome::Help, "", "", 0, ""},
      {{"--help"}, Outcome::Help, "", "", 0, ""},
      {{"--port", "65536"}, Outcome::Error, "", "", 0, "bad port 65536 (0..65535)"},
      {{"--port", "-1"}, Outcome::Error, "", "", 0, "bad port -1 (0..65535)"},
      {{"--port", "80a"}, Outcome::Error, "", "", 0, "bad port 80a (0..65535)"},
      {{"--port="}, Outcome::Error, "", "", 0, "bad port  (0..65535)"},
      {{"--port"}, Outcome::Error, "", "", 0, "option --port needs a value"},
      {{"--root="}, Outcome::Error, "", "", 0, "option --root needs a folder"},
      {{"--bind", ""}, Outcome::Error, "", "", 0, "option --bind needs an address"},
      {{"--verbose"}, Outcome::Error, "", "", 0, "unknown option --verbose"},
      {{"demo/nk"}, Outcome::Error, "", "", 0, "unknown option demo/nk"},
      {{"-port=1"}, Outcome::Error, "", "", 0, "unknown option -port=1"},
  };
  for (const auto& c : cases) {
    std::string joined;
    for (const auto& a : c.args) joined += "[" + a + "]";
    SCOPED_TRACE(joined);
    const auto parsed = parseServerOptions(c.args, "/def");
    EXPECT_EQ(parsed.outcome, c.outcome);
    EXPECT_EQ(parsed.error, c.error);
    if (c.outcome != Outcome::Run) continue;
    EXPECT_EQ(parsed.options.root, c.root);
    EXPECT_EQ(parsed.options.bindAddress, c.bind);
    EXPECT_EQ(parsed.options.port, c.port);
  }
}

}  // namespace
}  // namespace nk::demo
