// wininet_transfer.cpp - one HTTP GET over WinINet on a worker thread.
#include "net/wininet_transfer.h"

#include "net/wininet_request.h"
#include "toolkit/toolkit.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <optional>
#include <thread>

namespace nk {

using Clock = std::chrono::steady_clock;

struct WinInetTransfer::Shared {
  enum class Step { None, Open, Read, Quit };

  WinInetRequest request;
  std::mutex mutex;
  std::condition_variable changed;
  Step step = Step::None;
  bool busy = false;
  bool stepDone = false;
  int32_t stepResult = 0;
  std::thread worker;

  Shared(const std::string& url, const FetchOptions& options) : request(url, options) {}

  void work() {
    for (;;) {
      Step next;
      {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return step == Step::Quit || (step != Step::None && !stepDone); });
        if (step == Step::Quit) break;
        next = step;
        busy = true;
      }
      const int32_t result = next == Step::Open ? request.open() : request.readChunk();
      {
        std::lock_guard lock(mutex);
        busy = false;
        stepResult = result;
        stepDone = true;
      }
      changed.notify_all();
    }
    request.closeRequest();
    request.closeSession();
  }
};

WinInetTransfer::WinInetTransfer(const std::string& url, const FetchOptions& options)
    : shared_(std::make_shared<Shared>(url, options)) {
  if (!shared_->request.ready()) return;
  // The worker keeps the shared part alive for as long as it runs.
  shared_->worker = std::thread([shared = shared_] { shared->work(); });
}

WinInetTransfer::~WinInetTransfer() {
  if (!shared_->worker.joinable()) return;
  bool blocked;
  {
    std::lock_guard lock(shared_->mutex);
    shared_->step = Shared::Step::Quit;
    blocked = shared_->busy;
  }
  shared_->changed.notify_all();
  // A worker blocked in WinINet on a silent server is left to end on its own,
  // at the receive timeout or when the server lets go, and closes its handles
  // then: a handle closed under a call that is still using it is not safe.
  if (blocked) shared_->worker.detach();
  else shared_->worker.join();
}

bool WinInetTransfer::ready() const { return shared_->request.ready(); }

std::string WinInetTransfer::failureCause() const { return shared_->request.cause(); }

int32_t WinInetTransfer::read(ReadBuffer& buffer) {
  if (!ready() || givenUp_) return ReadFailed;
  Shared& s = *shared_;
  const FetchLimits& limits = s.request.options().limits;
  auto run = [&](Shared::Step step) -> int32_t {
    std::unique_lock lock(s.mutex);
    s.step = step;
    s.stepDone = false;
    s.changed.notify_all();
    const auto started = Clock::now();
    while (!s.changed.wait_for(lock, IdleYieldInterval, [&s] { return s.stepDone; })) {
      lock.unlock();
      toolkit().yield();
      const bool cancelled = cancelRequested(s.request.options().cancel);
      lock.lock();
      if (s.stepDone) break;
      if (cancelled) throw LoadCancelled{};
      // The limits that the curl build keeps: the connection within its
      // time, then no silence longer than the stall time.
      const auto connectedAt = s.request.connectedAt();
      const auto now = Clock::now();
      if (!connectedAt && now - started > limits.connectTimeout) {
        s.request.setCause("時間内に接続できません");
        givenUp_ = true;
        return ReadFailed;
      }
      if (connectedAt && now - std::max(started, *connectedAt) > limits.stallTime) {
        s.request.setCause("応答がありません");
        givenUp_ = true;
        return ReadFailed;
      }
    }
    s.step = Shared::Step::None;
    return s.stepResult;
  };
  if (!opened_) {
    const int32_t opened = run(Shared::Step::Open);
    if (opened != WinInetRequest::Opened) return opened;
    opened_ = true;
  }
  const int32_t count = run(Shared::Step::Read);
  if (count > 0) std::memcpy(buffer.data(), s.request.chunk().data(), static_cast<std::size_t>(count));
  return count;
}

std::unique_ptr<Transfer> openTransfer(const std::string& url, const FetchOptions& options) {
  auto transfer = std::make_unique<WinInetTransfer>(url, options);
  if (!transfer->ready()) return nullptr;
  return transfer;
}

}  // namespace nk
