// fetch_bench.cpp - DownLoadFile against the curl command line, both fetching
// the same 1 MB body from a loopback server in the same run.
#include "loopback_server.h"
#include "net/http_fetch.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>

extern char** environ;

namespace {

constexpr std::size_t BodySize = 1024 * 1024;

struct Setup {
  nk::test::LoopbackServer server;
  std::string url;
  std::filesystem::path folder;

  Setup() {
    std::string body(BodySize, '\0');
    for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>(i * 131 + 7);
    server.serve("/nk/common/songlist.dat", body);
    url = server.url("/nk/common/songlist.dat");
    char pattern[] = "/tmp/nk-fetch-bench-XXXXXX";
    folder = ::mkdtemp(pattern);
  }
  ~Setup() {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
};

Setup& setup() {
  static Setup instance;
  return instance;
}

void BM_DownLoadFile(benchmark::State& state) {
  Setup& s = setup();
  const std::string target = (s.folder / "songlist.dat").string();
  nk::HttpFetch fetch;
  std::string failure;
  for (auto _ : state) {
    if (nk::DownLoadFile(fetch, s.url, target, failure) != 0) state.SkipWithError(failure.c_str());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * BodySize);
}
BENCHMARK(BM_DownLoadFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same fetch by the curl program, started without a shell.
void BM_CurlCommandLine(benchmark::State& state) {
  Setup& s = setup();
  const std::string target = (s.folder / "songlist-curl.dat").string();
  std::string program = "curl", silent = "-s", output = "-o", url = s.url;
  std::string file = target;
  char* argv[] = {program.data(), silent.data(), output.data(), file.data(), url.data(), nullptr};
  for (auto _ : state) {
    pid_t pid = 0;
    int status = 0;
    if (::posix_spawnp(&pid, "curl", nullptr, nullptr, argv, environ) != 0 || ::waitpid(pid, &status, 0) != pid ||
        !WIFEXITED(status) || WEXITSTATUS(status) != 0)
      state.SkipWithError("curl failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * BodySize);
}
BENCHMARK(BM_CurlCommandLine)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
