// check_sum.cpp - FNV-1a of 64 bits.
#include "data/check_sum.h"

#include <cstdint>
#include <cstdio>

namespace nk {

std::string checkSumText(std::string_view bytes) {
  uint64_t hash = 14695981039346656037ull;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

}  // namespace nk
