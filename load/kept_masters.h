// kept_masters.h - the master lists of the last load that reached page 1,
// kept per version in a folder of the program's own beside the score files
// ("masters/ac13/"), for a sheet that must open without a server.
//
// The four files are kept byte for byte as they were received, each one
// replaced crash-safe, and last the stamp "received.txt" (UTF-8, CR LF): the
// moment of the load, then per file its name, size and FNV-1a check sum. The
// stamp is what makes a set: files that do not match it (a crash between two
// replacements, a hand edit, a file gone) count as no kept set at all, so a
// set is never read half old and half new.
#pragma once

#include "data/moment.h"
#include "toolkit/toolkit.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nk {

// "masters/ac" + versionNumber, relative to the working folder.
std::string keptMastersFolder(int16_t versionNumber);
// The stamp's name in that folder.
inline constexpr const char* KeptStampName = "received.txt";

// The most bytes of a stamp: its moment line and four lines of a name, a
// size and a check sum stay below 300 bytes; a larger stamp is no stamp of
// ours and is refused from its size, unread. A kept (or shipped) master file
// is read only up to MasterFileSizeLimit (net/fetch_limits.h), the most a
// download takes: a larger one was never received, so its set is none.
inline constexpr int64_t MostStampBytes = 4096;

// Keeps the four master files that the load left in the working folder as
// the version's set, received at the moment given. Nothing when it did; else
// why not (Japanese, one line; the set kept before may then be gone).
std::optional<std::string> keepMasterFiles(int16_t versionNumber, const Moment& received);

// A complete kept set: its files' bytes in the order of MasterFiles, and when
// they were received.
struct KeptMasters {
  Moment received;
  std::array<std::string, 4> files;
};
// The version's kept set, when there is a complete one.
std::optional<KeptMasters> readKeptMasters(int16_t versionNumber);
// The set of a stamp and the files' bytes (in the order of MasterFiles),
// when they make a complete one, wherever they were read.
std::optional<KeptMasters> keptSetOf(std::string_view stamp, const std::array<std::string, 4>& files);

// The version's lists that a package ships (bundledMastersFolder: a served
// folder, "common/songlist.dat" and the rest, and a "received.txt" whose
// first line is the stamp's), when all four are there: the set a fresh PC
// without a server opens. An empty folder is none.
std::optional<KeptMasters> readBundledMasters(const std::string& folder, int16_t versionNumber);

// Puts the set's files where the downloads put theirs, for the readers; a
// file that cannot be written is a RuntimeError.
void restoreKeptMasters(const KeptMasters& kept);

// The question after a download got its file from neither server, when a
// kept set exists: "前回受信したマスターデータ（2026-12-01 21:14 受信）で開きますか？".
enum KeptMastersAnswer : std::size_t { OpenKept, EndWithoutKept };
Question keptMastersQuestion(const KeptMasters& kept);
// The sheet's status line once it shows a kept set (short: it fits the
// sheet's narrow status line whole).
std::string keptMastersStatus(const KeptMasters& kept);

}  // namespace nk
