// http_fetch.cpp - one URL into one local file, in bounded reads.
#include "net/http_fetch.h"

#include "net/fetch_failure_text.h"
#include "platform/native_file.h"
#include "toolkit/toolkit.h"

namespace nk {

HttpFetch::~HttpFetch() { CloseUrl(); }

bool HttpFetch::OpenUrl(const std::string& url) {
  if (transfer_) return false;
  auto transfer = openTransfer(url, options_);
  if (!transfer) return false;
  transfer_ = std::move(transfer);
  url_ = url;
  return true;
}

int32_t HttpFetch::ReadChunk(ReadBuffer& buffer) { return transfer_ ? transfer_->read(buffer) : 0; }

void HttpFetch::CloseUrl() {
  if (!transfer_) return;
  transfer_.reset();
}

FetchResult HttpFetch::toFile(const std::string& url, const std::string& localPath) {
  if (url.empty() || localPath.empty()) return {};
  if (running()) return failed(fetchFailureText(url, "別の受信の途中です"));

  // However this fetch ends, its handles go with it, after the file: the
  // fetcher stays ready for the next fetch.
  struct Closing {
    HttpFetch& fetch;
    ~Closing() { fetch.CloseUrl(); }
  } closing{*this};
  OutputFile file(localPath, OutputFile::Mode::CreateOrTruncate);
  if (!file.isOpen()) return failed(fileCreateFailureText(localPath, file.cause()));
  if (!OpenUrl(url)) return failed(fetchFailureText(url, "通信機能を準備できません"));

  // Nothing past the limit reaches the disk, and what came before it is no
  // master file: it goes too.
  const std::uint64_t limit = options_.limits.maxBodyBytes;
  auto tooLarge = [&] {
    file.close();
    std::string ignored;
    removeFile(localPath, ignored);
    return failed(fetchFailureText(url, sizeLimitCause(limit)));
  };
  ReadBuffer buffer;
  std::uint64_t written = 0;
  for (int32_t count = ReadChunk(buffer); count != 0; count = ReadChunk(buffer)) {
    if (count == ReadTooLarge) return tooLarge();
    if (count < 0) return failed(fetchFailureText(url, transfer_->failureCause()));
    if (static_cast<std::uint64_t>(count) > limit - written) return tooLarge();
    if (!file.write(std::string_view(buffer.data(), static_cast<std::size_t>(count))))
      return failed(fileWriteFailureText(localPath, file.cause()));
    written += static_cast<std::uint64_t>(count);
    toolkit().yield();
    throwIfCancelled(options_.cancel);
  }
  CloseUrl();
  if (!file.close()) return failed(fileWriteFailureText(localPath, file.cause()));
  return {};
}

int16_t DownLoadFile(HttpFetch& fetch, const std::string& url, const std::string& localPath,
                     std::string& failure) {
  const FetchResult result = fetch.toFile(url, localPath);
  if (result.done) return 0;
  failure = result.failure;
  return -1;
}

}  // namespace nk
