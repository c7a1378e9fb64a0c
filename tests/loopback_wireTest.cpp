// loopback_wireTest.cpp - routes and requests pass the daemon's control port
// unchanged, whatever bytes they hold; a damaged text is refused, not guessed.
#include "loopback_wire.h"

#include <gtest/gtest.h>

namespace nk::test {
namespace {

using namespace std::literals;

std::string described(const std::string& path, const LoopbackServer::Route& r) {
  auto opt = [](const auto& v) { return v ? std::to_string(*v) : std::string("-"); };
  return path + "|" + std::to_string(r.status) + "|" + r.body + "|" + r.location + "|" + (r.chunked ? "c" : "") + "|" +
         std::to_string(r.pieceSize) + "|" + std::to_string(r.pieceDelay.count()) + "|" +
         std::to_string(r.generatedSize) + "|" + opt(r.announcedLength) + "|" + opt(r.cutAfter) + "|" +
         opt(r.stallAfter) + "|" + std::to_string(r.delayHeaders.count()) + "|" + std::to_string(r.stallFor.count());
}

TEST(LoopbackWire, RoutesAndRequestsComeBackWhole) {
  LoopbackServer::Route plain;
  plain.body = "no\nline\r\nends\0matter 12 3\n"s;
  LoopbackServer::Route everything;
  everything.status = 307;
  everything.location = "/nk/other path";
  everything.chunked = true;
  everything.pieceSize = 7;
  everything.pieceDelay = 40ms;
  everything.generatedSize = 33554433;
  everything.announcedLength = 0;
  everything.cutAfter = 100;
  everything.stallAfter = 5;
  everything.delayHeaders = 1500ms;
  everything.stallFor = 60000ms;
  for (const auto& [path, route] : {std::pair{std::string("/nk/songlist.dat"), plain},
                                    std::pair{std::string("/曲 目/ä?x=1"), everything},
                                    std::pair{std::string(), LoopbackServer::Route{}}}) {
    const auto [decodedPath, decoded] = wire::decodeRoute(wire::encodeRoute(path, route));
    EXPECT_EQ(described(decodedPath, decoded), described(path, route));
  }

  const std::vector<LoopbackServer::Request> requests = {
      {"/a", {{"user-agent", "Sample"}, {"cache-control", "no-cache"}, {"x", "1\n2 3"}}},
      {"/b", {}},
      {"/a", {{"x", ""}, {"x", "again"}}},
  };
  const auto back = wire::decodeRequests(wire::encodeRequests(requests));
  ASSERT_EQ(back.size(), requests.size());
  for (size_t i = 0; i < back.size(); ++i) {
    EXPECT_EQ(back[i].path, requests[i].path);
    EXPECT_EQ(back[i].headers, requests[i].headers);
  }
  EXPECT_EQ(back[0].header("user-agent"), "Sample");
}

TEST(LoopbackWire, ADamagedTextIsRefused) {
  for (const std::string bad : {"path 5\n/nk\n", "path x\n/nk/a\n", "path 2\n/nk\n", "nofield", "status 3\n-12\n",
                                "colour 3\nred\n"}) {
    EXPECT_THROW(wire::decodeRoute(bad), std::runtime_error) << bad;
  }
  EXPECT_THROW(wire::decodeRequests("header 3\nx\0y\n"s + "request 2\n/a\n"), std::runtime_error);
  EXPECT_THROW(wire::decodeRequests("request 2\n/a\nheader 3\nxy\n\n"), std::runtime_error);
}

}  // namespace
}  // namespace nk::test
