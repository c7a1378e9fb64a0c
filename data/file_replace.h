// file_replace.h - replacing a file's whole content so that a failure never
// leaves it half written.
//
// The new content goes into a temporary file in the same folder, is flushed
// to the disk and only then renamed over the old file. Until that rename the
// old file is untouched; a failure at any step removes the temporary file and
// leaves the old one exactly as it was. A read-only file is refused even where
// the folder would allow renaming over it: the mark is the owner's wish that
// the file not change.
#pragma once

#include <string>
#include <string_view>

namespace nk {

struct FileWriteResult {
  bool ok = false;
  // Why the file was left as it was, in Japanese; empty on success.
  std::string failure;
};

// Makes path hold exactly bytes. A new file gets the default permissions; an
// existing one keeps its own.
FileWriteResult replaceFileContents(const std::string& path, std::string_view bytes);

}  // namespace nk
