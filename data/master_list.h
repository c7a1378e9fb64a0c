// master_list.h - the elements of a "<>"-separated master list and the checks
// of the 16-bit element counter that walks them.
//
// The song master, the version song list and the score-ranking target list
// share one layout: the file's lines joined with nothing between them, cut at
// every "<>", records of a fixed number of elements starting at element 1,
// read while a record's first element number is below the last element's
// number. The element counter is a 16-bit integer, which bounds the number of
// records a file may hold; going past it fails the load rather than wrapping.
#pragma once

#include <concepts>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace nk {

// The largest number the 16-bit element counter holds.
constexpr int32_t MaxElementNumber = std::numeric_limits<int16_t>::max();

class MasterList {
public:
  // decodedText is the file's text decoded to UTF-8, line terminators still in
  // it; fileName names the file in error descriptions ("songlist.dat").
  MasterList(std::string_view decodedText, std::string fileName);
  MasterList(const MasterList&) = delete;
  MasterList& operator=(const MasterList&) = delete;

  // Number of the last element: one less than the number of elements, -1
  // for an empty text.
  int32_t lastElement() const { return static_cast<int32_t>(elements_.size()) - 1; }
  // Element i, verbatim; i must lie in 0 .. lastElement().
  std::string_view element(int32_t i) const { return elements_[static_cast<size_t>(i)]; }
  const std::string& fileName() const { return fileName_; }

  // i + step as the 16-bit counter computes it. Past 32767 this is the
  // overflow error; recordNo (1-based) is the record being read.
  int32_t advance(int32_t i, int32_t step, int32_t recordNo) const {
    const int32_t next = i + step;
    if (next > MaxElementNumber) failTooManyElements(recordNo);
    return next;
  }

  // The subscript error of a list that yielded no record; what names the
  // kind of record ("曲", "対象曲").
  [[noreturn]] void failNoRecord(std::string_view what) const;
  // The error of one record: "<file> の <recordNo> 件目: <detail>".
  [[noreturn]] void failRecord(int32_t recordNo, std::string_view detail) const;

private:
  [[noreturn]] void failTooManyElements(int32_t recordNo) const;

  std::string joined_;
  std::vector<std::string_view> elements_;
  std::string fileName_;
};

// A record's number field as a 16-bit integer: the numeric value of the text,
// halves to even. A value outside -32768..32767 is the overflow error of the
// record, which names the field (what) and quotes its text.
int16_t recordNumber16(const MasterList& list, std::string_view text, int32_t recordNo,
                       std::string_view what);

// The text of a value for an error description: 「text」, cut after 20 characters.
std::string quotedForError(std::string_view text);

// The detail of an error about a field too large for its Int: what names the
// field, then its quoted text and Int's range ("曲番号「40000」が 16 ビット整数の
// 範囲（-32768～32767）を超えています。").
std::string outOfRangeDetail(std::string_view what, std::string_view text, int bits, long long min,
                             long long max);
template <std::integral Int>
std::string outOfRangeDetail(std::string_view what, std::string_view text) {
  using Limits = std::numeric_limits<Int>;
  return outOfRangeDetail(what, text, Limits::digits + Limits::is_signed, Limits::min(), Limits::max());
}

}  // namespace nk
