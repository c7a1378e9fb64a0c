// file_replace.h - replacing a file's whole content so that a failure never
// leaves it half written, wherever the folder allows it.
//
// The new content goes into a temporary file in the same folder, is flushed
// to the disk and only then renamed over the old file. Until that rename the
// old file is untouched; a failure at any step removes the temporary file and
// leaves the old one exactly as it was. The new file keeps the old one's
// permissions, and its owner and group as far as the system lets this user
// give them (root keeps both; another user keeps the group where it is one of
// theirs, the owner becomes the user who saved).
//
// Where a replacement would break what the player relies on, the existing
// file is written in place instead, as a plain rewrite would:
// - the folder takes no new file, or lets only a file's owner rename over it
//   (the sticky mark of shared folders), but the file itself may be written;
// - the file has more than one hard link, which a rename would split.
// That write cannot be crash-safe: a crash halfway leaves a partial file. It
// first reserves the room for the new content, so a full disk still leaves
// the old bytes; a later failure is reported with oldKept false.
//
// A save killed between making its temporary file and renaming it leaves
// that file behind. Every save that renames its own temporary file removes
// such leftovers from the same folder: only names of the exact form its
// temporary files have (".nk-save-" and six letters or digits on Linux,
// sixteen hexadecimal digits on Windows), only regular files, and only ones
// not modified for StaleSaveSeconds. A save of another copy of the program
// writes, flushes and renames its file within seconds, so a temporary file
// ten minutes old belongs to no save still running. A leftover that cannot
// be removed stays, and the save still succeeds.
//
// A link (say into a synchronised folder) stays a link: the file it names is
// the one written, in its own folder. A read-only file is refused even where
// the folder would allow renaming over it: the mark is the owner's wish that
// the file not change.
//
// On Windows a file that another program holds open without letting it be
// removed fails the save before anything changes. An antivirus scanner or the
// search indexer does so for a moment after a file changed, so such a save is
// tried again for about a second before it reports "ファイルが使用中です".
#pragma once

#include <string>
#include <string_view>

namespace nk {

inline constexpr long long StaleSaveSeconds = 10 * 60;

struct FileWriteResult {
  bool ok = false;
  // Why the file was not written, in Japanese; empty on success.
  std::string failure;
  // On failure: whether the old content is certainly as it was.
  bool oldKept = true;
};

// The title of the box that tells a player a save's failure.
inline constexpr const char* SaveFailureTitle = "保存失敗";

// Makes path hold exactly bytes. A new file gets the default permissions; an
// existing one keeps its own.
FileWriteResult replaceFileContents(const std::string& path, std::string_view bytes);

}  // namespace nk
