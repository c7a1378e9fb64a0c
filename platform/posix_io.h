// posix_io.h - the loops and flushes that every POSIX source of this folder
// shares: whole reads and writes that go on after EINTR and short transfers,
// and the sync of a folder's entries. Only the *_posix.cpp files include it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace nk {

// Writes all of bytes to fd; false with errno set on failure.
bool writeAll(int fd, std::string_view bytes);
// Hands everything left to read from fd to take, in pieces of at most
// pieceBytes; false with errno set on failure.
bool readPieces(int fd, size_t pieceBytes, const std::function<void(std::string_view)>& take);
// Appends everything left to read from fd to bytes; false with errno set on failure.
bool readAll(int fd, std::string& bytes);
// Exactly the n bytes of fd at offset into bytes; false with errno set on
// failure (EIO where the file ends sooner: it was cut short meanwhile).
bool readAllAt(int fd, int64_t offset, size_t n, std::string& bytes);
// A rename or a new file is durable only once its folder's entry is on the
// disk too. A folder that cannot be synced loses nothing but that guarantee.
void syncFolder(const std::string& folder);
// The same for the folder that holds path.
void syncFolderOf(const std::string& path);

}  // namespace nk
