// cp932_posix.cpp - CP932 <-> UTF-8 over glibc iconv, with an ASCII fast path.
#include "platform/cp932.h"

#include "platform/utf8.h"

#include <cerrno>
#include <iconv.h>

namespace nk {
namespace {

constexpr std::string_view ReplacementUtf8 = "\xEF\xBF\xBD";  // U+FFFD
constexpr char ReplacementCp932 = '?';

// One converter per direction and thread, reset before every use.
class Converter {
public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (valid()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

private:
  iconv_t cd_;
};

bool isAscii(unsigned char c) { return c < 0x80; }

// Converts in, appending to out. On a sequence that cannot be converted,
// skipBad(rest) says how many input bytes to drop and replacement is appended.
template <typename SkipBad>
void convert(Converter& conv, std::string_view in, std::string& out, std::string_view replacement,
             SkipBad skipBad) {
  iconv(conv.get(), nullptr, nullptr, nullptr, nullptr);
  size_t pos = 0;
  char buffer[4096];
  while (pos < in.size()) {
    // Plain ASCII is the same in both encodings: copy runs of it directly.
    size_t run = pos;
    while (run < in.size() && isAscii(static_cast<unsigned char>(in[run]))) ++run;
    out.append(in.data() + pos, run - pos);
    pos = run;
    if (pos == in.size()) break;
    size_t end = pos;
    while (end < in.size() && !isAscii(static_cast<unsigned char>(in[end]))) ++end;
    // A CP932 trail byte may be ASCII-range: take the byte after the run too.
    if (end < in.size()) ++end;
    char* src = const_cast<char*>(in.data() + pos);
    size_t srcLeft = end - pos;
    while (srcLeft > 0) {
      char* dst = buffer;
      size_t dstLeft = sizeof buffer;
      size_t rc = iconv(conv.get(), &src, &srcLeft, &dst, &dstLeft);
      out.append(buffer, static_cast<size_t>(dst - buffer));
      if (rc != static_cast<size_t>(-1)) break;
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (a sequence cut at the end): replace and go on.
      size_t skip = skipBad(std::string_view(src, srcLeft));
      if (skip > srcLeft) skip = srcLeft;
      out.append(replacement);
      src += skip;
      srcLeft -= skip;
      iconv(conv.get(), nullptr, nullptr, nullptr, nullptr);
    }
    pos = end;
  }
}

}  // namespace

std::string cp932ToUtf8(std::string_view cp932) {
  thread_local Converter conv("UTF-8", "CP932");
  std::string out;
  out.reserve(cp932.size() + cp932.size() / 2);
  if (!conv.valid()) {
    for (char c : cp932) {
      if (isAscii(static_cast<unsigned char>(c))) out += c;
      else out.append(ReplacementUtf8);
    }
    return out;
  }
  convert(conv, cp932, out, ReplacementUtf8, [](std::string_view) -> size_t { return 1; });
  return out;
}

std::string utf8ToCp932(std::string_view utf8) {
  thread_local Converter conv("CP932", "UTF-8");
  std::string out;
  out.reserve(utf8.size());
  const std::string_view replacement(&ReplacementCp932, 1);
  if (!conv.valid()) {
    for (char c : utf8) {
      const auto b = static_cast<unsigned char>(c);
      if (isAscii(b)) out += c;
      else if (b >= 0xC0) out += ReplacementCp932;  // one "?" per character
    }
    return out;
  }
  convert(conv, utf8, out, replacement, [](std::string_view rest) -> size_t {
    return rest.empty() ? 1 : utf8Length(static_cast<unsigned char>(rest.front()));
  });
  return out;
}

}  // namespace nk
