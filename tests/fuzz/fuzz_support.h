// fuzz_support.h - what every fuzz target shares: the bytes as the program
// decodes them, and the one failure that is allowed to escape.
#pragma once

#include "cp932.h"
#include "runtime_error.h"
#include "text_file.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace nk::fuzz {

inline std::string_view bytesOf(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A master list file as its reader sees it: CP932 decoded, lines joined.
inline std::string masterListText(const uint8_t* data, size_t size) {
  return joinLines(cp932ToUtf8(bytesOf(data, size)));
}

// Runs f; the program's own run-time error is an expected outcome of bad
// input, anything else escapes and is reported by the fuzzer as a crash.
template <typename F>
void allowingRuntimeError(F&& f) {
  try {
    f();
  } catch (const RuntimeError&) {
  }
}

}  // namespace nk::fuzz
