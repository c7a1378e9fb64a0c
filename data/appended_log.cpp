// appended_log.cpp - the lines of an appended log read forward and backward,
// and records appended to it.
#include "data/appended_log.h"

#include "data/delimited_text.h"

#include "platform/durable_append.h"

#include <algorithm>

namespace nk {
namespace {

// Blocks of a backward read: a few hundred records, the tail of a history
// that ends in a complete record in one read.
constexpr size_t BackwardBlockBytes = 64 * 1024;

using ReadAt = std::function<bool(int64_t offset, size_t n, std::string& bytes)>;

// A complete line without its line end, from its bytes before the LF;
// nothing for a line too long to be a record. atStart: the file's first line,
// which may begin with a BOM.
std::optional<std::string_view> lineText(std::string_view text, bool atStart) {
  if (atStart && text.starts_with(Utf8Bom)) text.remove_prefix(Utf8Bom.size());
  if (text.size() > LongestRecordLine) return std::nullopt;
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  return text;
}

// Cuts pieces of a file, in order, into its complete lines.
class ForwardLines {
public:
  explicit ForwardLines(const std::function<void(std::string_view)>& line) : line_(line) {}

  void take(std::string_view piece) {
    if (first_ && piece.starts_with(Utf8Bom)) piece.remove_prefix(Utf8Bom.size());
    first_ = false;
    for (size_t end; (end = piece.find('\n')) != std::string_view::npos; piece.remove_prefix(end + 1)) {
      if (carried_.empty() && !overlong_) {
        hand(piece.substr(0, end));
      } else {
        if (!overlong_) {
          carried_.append(piece.substr(0, end));
          hand(carried_);
        }
        carried_.clear();
        overlong_ = false;
      }
    }
    if (overlong_) return;
    // A line may run across pieces; its start waits in `carried_` unless it
    // is already too long to be a record.
    carried_.append(piece);
    if (carried_.size() > LongestRecordLine) {
      carried_.clear();
      overlong_ = true;
    }
  }

private:
  void hand(std::string_view text) {
    if (const auto line = lineText(text, false)) line_(*line);
  }

  const std::function<void(std::string_view)>& line_;
  std::string carried_;
  bool overlong_ = false;
  bool first_ = true;
};

// Hands the complete lines of a file of `size` bytes newest first to line,
// until it returns false or the lines that begin in the last `window` bytes
// are done; false when a read failed.
bool readBackward(int64_t size, uint64_t window, const ReadAt& readAt,
                  const std::function<bool(std::string_view)>& line) {
  // One byte before the window tells whether its first line begins in it.
  const int64_t from = window >= static_cast<uint64_t>(size) ? 0 : size - static_cast<int64_t>(window) - 1;
  std::string block;
  // The end of a line whose start lies further back, unless it is already
  // too long to be a record; torn while no line end followed it.
  std::string pending;
  bool overlong = false;
  bool torn = true;
  for (int64_t end = size; end > from;) {
    const int64_t start = std::max(from, end - static_cast<int64_t>(BackwardBlockBytes));
    if (!readAt(start, static_cast<size_t>(end - start), block)) return false;
    std::string_view rest = block;
    for (size_t lf; (lf = rest.rfind('\n')) != std::string_view::npos; rest = rest.substr(0, lf)) {
      bool goOn = true;
      if (!torn && !overlong) {
        const std::string_view after = rest.substr(lf + 1);
        if (!pending.empty()) pending.insert(0, after);
        if (const auto text = lineText(pending.empty() ? after : std::string_view(pending), false)) goOn = line(*text);
      }
      pending.clear();
      overlong = torn = false;
      if (!goOn) return true;
    }
    if (!overlong) {
      pending.insert(0, rest);
      if (pending.size() > LongestRecordLine + Utf8Bom.size()) {
        pending.clear();
        overlong = true;
      }
    }
    end = start;
  }
  if (from == 0 && !torn && !overlong)
    if (const auto text = lineText(pending, true)) line(*text);
  return true;
}

}  // namespace

std::string logFileName(const LogFormat& format, int16_t versionNumber) {
  return "ac" + std::to_string(versionNumber) + std::string(format.stem) + ".csv";
}

FileRead readCompleteLines(const std::string& path, const std::function<void(std::string_view)>& line,
                           std::string& cause) {
  ForwardLines lines(line);
  return readRegularFileInPieces(path, [&lines](std::string_view piece) { lines.take(piece); }, cause);
}

FileRead readNewestLines(const std::string& path, uint64_t window, const std::function<bool(std::string_view)>& line,
                         std::string& cause) {
  InputFile file(path);
  if (file.outcome() != FileRead::Read) {
    cause = file.cause();
    return file.outcome();
  }
  const auto readAt = [&file](int64_t offset, size_t n, std::string& bytes) { return file.readAt(offset, n, bytes); };
  if (readBackward(file.size(), window, readAt, line)) return FileRead::Read;
  cause = file.cause();
  return FileRead::Failed;
}

AppendResult appendRecords(const std::string& path, const LogFormat& format, std::string_view records,
                           const AppendDecision& decide) {
  AppendResult result;
  if (records.empty()) return result;
  AppendFile file(path);
  auto failed = [&] {
    result.ok = false;
    result.cause = file.cause();
    return result;
  };
  if (!file.isOpen()) return failed();
  if (decide) {
    std::optional<bool> decision;
    const auto readAt = [&file](int64_t offset, size_t n, std::string& bytes) { return file.readAt(offset, n, bytes); };
    const bool read = readBackward(file.size(), UINT64_MAX, readAt, [&](std::string_view line) {
      decision = decide(line);
      return !decision;
    });
    if (!read) return failed();
    if (decision == false) return result;
  }
  std::string text;
  std::string tail;
  const int64_t size = file.size();
  if (size == 0) {
    // The BOM tells Excel on Japanese Windows that the file is UTF-8, not
    // Shift-JIS; a file that exists keeps its bytes, with or without one.
    text.append(Utf8Bom);
    text.append(format.header);
    text += "\r\n";
  } else if (!file.readAt(std::max<int64_t>(0, size - 2), static_cast<size_t>(std::min<int64_t>(2, size)), tail) ||
             tail != "\r\n") {
    text = "\r\n";
  }
  text.append(records);
  if (!file.appendAndClose(text)) return failed();
  result.appended = true;
  return result;
}

std::optional<int64_t> integerField(std::string_view field) {
  int64_t value = 0;
  if (!wholeNumber(field, value)) return std::nullopt;
  return value;
}

}  // namespace nk
