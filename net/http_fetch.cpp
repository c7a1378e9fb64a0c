// http_fetch.cpp - one URL into one local file, in bounded reads.
#include "http_fetch.h"

#include "fetch_failure_text.h"
#include "toolkit.h"
#include "traced_procedure.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace nk {
namespace {

// The fetch's handles stand for the original's one pair of Internet handles:
// a yield of one fetch must not start another.
bool fetchRunning = false;

bool writeAll(int fd, const char* data, std::size_t length) {
  while (length > 0) {
    const ssize_t written = ::write(fd, data, length);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    length -= static_cast<std::size_t>(written);
  }
  return true;
}

// The local file, closed on every way out.
class LocalFile {
public:
  explicit LocalFile(int fd) : fd_(fd) {}
  ~LocalFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  LocalFile(const LocalFile&) = delete;
  LocalFile& operator=(const LocalFile&) = delete;
  int fd() const { return fd_; }
  // Closes the file now, reporting the error that close() may bring.
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

private:
  int fd_;
};

}  // namespace

HttpFetch::~HttpFetch() { CloseUrl(); }

bool HttpFetch::OpenUrl(const std::string& url) {
  if (transfer_ || fetchRunning) return false;
  auto transfer = std::make_unique<CurlTransfer>(url, options_);
  if (!transfer->ready()) return false;
  transfer_ = std::move(transfer);
  url_ = url;
  fetchRunning = true;
  return true;
}

int32_t HttpFetch::ReadChunk(ReadBuffer& buffer) { return transfer_ ? transfer_->read(buffer) : 0; }

void HttpFetch::CloseUrl() {
  if (!transfer_) return;
  transfer_.reset();
  fetchRunning = false;
}

FetchResult HttpFetch::toFile(const std::string& url, const std::string& localPath) {
  if (url.empty() || localPath.empty()) return {};
  if (fetchRunning) return failed(fetchFailureText(url, "別の受信の途中です"));

  LocalFile file(::open(localPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (file.fd() < 0) return failed(fileCreateFailureText(localPath, errno));
  if (!OpenUrl(url)) return failed(fetchFailureText(url, "通信機能を準備できません"));

  // Nothing past the limit reaches the disk, and what came before it is no
  // master file: it goes too.
  const std::uint64_t limit = options_.limits.maxBodyBytes;
  auto tooLarge = [&] {
    file.close();
    ::unlink(localPath.c_str());
    return failed(fetchFailureText(url, sizeLimitCause(limit)));
  };
  ReadBuffer buffer;
  std::uint64_t written = 0;
  for (int32_t count = ReadChunk(buffer); count != 0; count = ReadChunk(buffer)) {
    if (count == ReadCancelled) return {FetchStatus::Cancelled, {}};
    if (count == ReadTooLarge) return tooLarge();
    if (count < 0) return failed(fetchFailureText(url, transfer_->failureCause()));
    if (static_cast<std::uint64_t>(count) > limit - written) return tooLarge();
    if (!writeAll(file.fd(), buffer.data(), static_cast<std::size_t>(count)))
      return failed(fileWriteFailureText(localPath, errno));
    written += static_cast<std::uint64_t>(count);
    toolkit().yield();
    if (cancelRequested(options_.cancel)) return {FetchStatus::Cancelled, {}};
  }
  CloseUrl();
  if (!file.close()) return failed(fileWriteFailureText(localPath, errno));
  return {};
}

int16_t DownLoadFile(const std::string& url, const std::string& localPath, const FetchOptions& options) {
  const FetchResult result = HttpFetch(options).toFile(url, localPath);
  switch (result.status) {
    case FetchStatus::Done:
      return 0;
    case FetchStatus::Cancelled:
      return FetchCancelled;
    case FetchStatus::Failed:
      break;
  }
  LastErrorText = result.failure;
  return -1;
}

}  // namespace nk
