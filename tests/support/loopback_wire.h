// loopback_wire.h - a route and the requests seen, as bytes, for a loopback
// server that runs in another process (the Windows tests under Wine control a
// native server over its control port: loopback_daemon.cpp).
//
// The text is a sequence of fields "name length\nbytes\n", so that bodies and
// headers of any bytes pass unchanged.
#pragma once

#include "loopback_server.h"

#include <charconv>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nk::test::wire {

using Fields = std::vector<std::pair<std::string, std::string>>;

inline void put(std::string& out, std::string_view name, std::string_view value) {
  out.append(name).append(" ").append(std::to_string(value.size())).append("\n").append(value).append("\n");
}

inline void put(std::string& out, std::string_view name, std::uint64_t value) {
  put(out, name, std::to_string(value));
}

inline Fields fields(std::string_view text) {
  Fields out;
  while (!text.empty()) {
    const size_t blank = text.find(' ');
    const size_t line = text.find('\n');
    if (blank == std::string_view::npos || line == std::string_view::npos || blank > line)
      throw std::runtime_error("loopback wire: no field header");
    size_t length = 0;
    const auto [end, error] = std::from_chars(text.data() + blank + 1, text.data() + line, length);
    if (error != std::errc() || end != text.data() + line || text.size() < line + 1 + length + 1 ||
        text[line + 1 + length] != '\n')
      throw std::runtime_error("loopback wire: bad field length");
    out.emplace_back(std::string(text.substr(0, blank)), std::string(text.substr(line + 1, length)));
    text.remove_prefix(line + 1 + length + 1);
  }
  return out;
}

inline std::uint64_t number(const std::string& text) {
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size())
    throw std::runtime_error("loopback wire: not a number: " + text);
  return value;
}

// Every field of a route but its file, which names a file of the sender's.
inline std::string encodeRoute(const std::string& path, const LoopbackServer::Route& r) {
  std::string out;
  put(out, "path", path);
  put(out, "status", static_cast<std::uint64_t>(r.status));
  put(out, "body", r.body);
  put(out, "location", r.location);
  put(out, "chunked", r.chunked ? 1u : 0u);
  put(out, "pieceSize", r.pieceSize);
  put(out, "pieceDelay", static_cast<std::uint64_t>(r.pieceDelay.count()));
  put(out, "generatedSize", r.generatedSize);
  if (r.announcedLength) put(out, "announcedLength", *r.announcedLength);
  if (r.cutAfter) put(out, "cutAfter", *r.cutAfter);
  if (r.stallAfter) put(out, "stallAfter", *r.stallAfter);
  put(out, "delayHeaders", static_cast<std::uint64_t>(r.delayHeaders.count()));
  put(out, "stallFor", static_cast<std::uint64_t>(r.stallFor.count()));
  return out;
}

inline std::pair<std::string, LoopbackServer::Route> decodeRoute(std::string_view text) {
  std::pair<std::string, LoopbackServer::Route> out;
  LoopbackServer::Route& r = out.second;
  for (const auto& [name, value] : fields(text)) {
    using std::chrono::milliseconds;
    if (name == "path") out.first = value;
    else if (name == "status") r.status = static_cast<int>(number(value));
    else if (name == "body") r.body = value;
    else if (name == "location") r.location = value;
    else if (name == "chunked") r.chunked = number(value) != 0;
    else if (name == "pieceSize") r.pieceSize = number(value);
    else if (name == "pieceDelay") r.pieceDelay = milliseconds(number(value));
    else if (name == "generatedSize") r.generatedSize = number(value);
    else if (name == "announcedLength") r.announcedLength = number(value);
    else if (name == "cutAfter") r.cutAfter = number(value);
    else if (name == "stallAfter") r.stallAfter = number(value);
    else if (name == "delayHeaders") r.delayHeaders = milliseconds(number(value));
    else if (name == "stallFor") r.stallFor = milliseconds(number(value));
    else throw std::runtime_error("loopback wire: unknown route field " + name);
  }
  return out;
}

// Each request as its path, then one field per header: "name\0value".
inline std::string encodeRequests(const std::vector<LoopbackServer::Request>& requests) {
  std::string out;
  for (const LoopbackServer::Request& request : requests) {
    put(out, "request", request.path);
    for (const auto& [name, value] : request.headers) put(out, "header", name + '\0' + value);
  }
  return out;
}

inline std::vector<LoopbackServer::Request> decodeRequests(std::string_view text) {
  std::vector<LoopbackServer::Request> out;
  for (const auto& [name, value] : fields(text)) {
    if (name == "request") {
      out.push_back({value, {}});
    } else if (name == "header" && !out.empty()) {
      const size_t nul = value.find('\0');
      if (nul == std::string::npos) throw std::runtime_error("loopback wire: bad header");
      out.back().headers.emplace(value.substr(0, nul), value.substr(nul + 1));
    } else {
      throw std::runtime_error("loopback wire: unknown request field " + name);
    }
  }
  return out;
}

}  // namespace nk::test::wire
