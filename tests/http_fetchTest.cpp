// http_fetchTest.cpp - the HTTP fetch against a real, misbehaving server on loopback.
#include "net/http_fetch.h"
#include "net/wininet_failure_text.h"
#include "loopback_server.h"
#include "test_support.h"


namespace nk {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Route = test::LoopbackServer::Route;

// Bytes that a text channel would damage: CP932 text (trail bytes in the
// ASCII range included), NUL, CR LF and every byte value.
std::string bodyOf(std::size_t size) {
  std::string pattern = test::toCp932("曲マスタ<>ソ表示<>太鼓") + std::string("\0\r\n", 3);
  for (int c = 0; c < 256; ++c) pattern.push_back(static_cast<char>(c));
  std::string body;
  while (body.size() < size) body += pattern;
  body.resize(size);
  return body;
}

// size bytes of bodyOf, the server sending nothing for pause after the first after bytes.
Route stalling(std::size_t size, std::size_t after, std::chrono::milliseconds pause) {
  Route r;
  r.body = bodyOf(size);
  r.stallAfter = after;
  r.stallFor = pause;
  return r;
}

class FetchTest : public test::WorkDirTest {
protected:
  std::string failureText(const std::string& url, const std::string& cause) {
    return url + " の受信に失敗しました（" + cause + "）";
  }

  // DownLoadFile on a fetcher of its own; a failure's text lands in failure.
  int16_t download(const std::string& url, const std::string& localPath) {
    HttpFetch fetch(options);
    return DownLoadFile(fetch, url, localPath, failure);
  }

  test::LoopbackServer server;
  FetchOptions options{{1000ms, 1s}};
  std::string failure;
};

TEST_F(FetchTest, BodiesArriveByteForByteInReadsOfAtMost1024BytesWithOneYieldEach) {
  struct Case {
    std::size_t size;
    bool chunked;
    std::size_t pieceSize;
  };
  const std::vector<Case> cases = {
      {0, false, 0},      {1, false, 0},      {1024, false, 0},   {1025, false, 0},
      {100000, false, 0}, {100000, false, 700}, {0, true, 0},     {1025, true, 1},
      {100000, true, 3000}, {1000000, false, 0},
  };
  int number = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.size << (c.chunked ? " chunked" : "") << " pieces " << c.pieceSize);
    const std::string path = "/nk/body" + std::to_string(++number) + ".dat";
    Route route;
    route.body = bodyOf(c.size);
    route.chunked = c.chunked;
    route.pieceSize = c.pieceSize;
    server.route(path, route);

    test::RecordingToolkit recorder;
    ScopedToolkit scoped(recorder);
    std::uintmax_t written = 0;
    int oversized = 0;
    recorder.onYield = [&] {
      // Each read is in the file before its yield.
      const std::uintmax_t now = fs::file_size("got.dat");
      if (now <= written || now - written > ReadBufferSize) ++oversized;
      written = now;
    };
    ASSERT_EQ(download(server.url(path), "./got.dat"), 0) << failure;
    EXPECT_EQ(oversized, 0);
    EXPECT_EQ(written, c.size);
    EXPECT_GE(static_cast<std::size_t>(recorder.yields), (c.size + ReadBufferSize - 1) / ReadBufferSize);
    ASSERT_TRUE(fs::exists("got.dat"));
    EXPECT_TRUE(test::readBytes("got.dat") == route.body);
    EXPECT_EQ(failure, "");
  }
}

TEST_F(FetchTest, EveryRequestGoesToTheServerWithTheAgentAndNoCacheHeaders) {
  server.serve("/nk/a.dat", "first");
  server.redirect("/nk/moved.dat", "/nk/a.dat");
  EXPECT_EQ(download(server.url("/nk/a.dat"), "./a.dat"), 0);
  server.serve("/nk/a.dat", "second");
  EXPECT_EQ(download(server.url("/nk/a.dat"), "./a.dat"), 0);
  EXPECT_EQ(test::readBytes("a.dat"), "second");
  EXPECT_EQ(download(server.url("/nk/moved.dat"), "./a.dat"), 0);

  EXPECT_EQ(server.requestCount("/nk/a.dat"), 3);
  EXPECT_EQ(server.requestCount("/nk/moved.dat"), 1);
  for (const auto& request : server.requests()) {
    SCOPED_TRACE(request.path);
    EXPECT_EQ(request.header("user-agent"), "Sample");
    EXPECT_EQ(request.header("cache-control"), "no-cache");
    EXPECT_EQ(request.header("pragma"), "no-cache");
  }
}

TEST_F(FetchTest, RedirectsAreFollowedWithinLimits) {
  server.serve("/nk/new.dat", "moved body");
  server.redirect("/nk/old.dat", "/nk/new.dat", 302);
  server.redirect("/nk/older.dat", server.url("/nk/old.dat"), 301);
  EXPECT_EQ(download(server.url("/nk/older.dat"), "./a.dat"), 0) << failure;
  EXPECT_EQ(test::readBytes("a.dat"), "moved body");

  // A loop is given up after 10 redirects.
  server.redirect("/nk/loop.dat", "/nk/loop.dat");
  EXPECT_EQ(download(server.url("/nk/loop.dat"), "./b.dat"), -1);
  EXPECT_EQ(failure, failureText(server.url("/nk/loop.dat"), "リダイレクトが多すぎます"));
  EXPECT_EQ(server.requestCount("/nk/loop.dat"), 11);

  // Only http and https are followed.
  server.redirect("/nk/elsewhere.dat", "ftp://127.0.0.1:" + std::to_string(server.port()) + "/x");
  EXPECT_EQ(download(server.url("/nk/elsewhere.dat"), "./c.dat"), -1);
  EXPECT_EQ(failure, failureText(server.url("/nk/elsewhere.dat"), "対応していないプロトコルです"));
}

TEST_F(FetchTest, ServerFailuresFailTheFetchWithUrlAndCause) {
  const std::string body = bodyOf(10000);
  auto cut = [&](std::size_t after, bool chunked) {
    Route r;
    r.body = body;
    r.cutAfter = after;
    r.chunked = chunked;
    return r;
  };
  Route silent;
  silent.body = body;
  silent.delayHeaders = 10s;
  Route notFound;
  notFound.status = 404;
  notFound.body = "<html>見つかりません</html>";
  Route serverError;
  serverError.status = 500;
  serverError.body = "<html>error</html>";
  Route toMissing;
  toMissing.status = 302;
  toMissing.location = "/nk/nowhere.dat";

  struct Case {
    std::string path;
    Route route;
    std::string cause;
    std::size_t keptBytes;  // the body part that may stay in the file
  };
  const std::vector<Case> cases = {
      {"/nk/404.dat", notFound, "HTTP ステータス 404", 0},
      {"/nk/500.dat", serverError, "HTTP ステータス 500", 0},
      {"/nk/redirect-to-404.dat", toMissing, "HTTP ステータス 404", 0},
      {"/nk/cut.dat", cut(5000, false), "受信が途中で切れました", 5000},
      {"/nk/cut-before-body.dat", cut(0, false), "受信が途中で切れました", 0},
      {"/nk/stalled.dat", stalling(body.size(), 3000, 10s), "応答がありません", 3000},
      {"/nk/silent.dat", silent, "応答がありません", 0},
  };
  // One fetcher for every case: a failure leaves it free for the next fetch.
  HttpFetch fetch(options);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    server.route(c.path, c.route);
    test::writeBytes("got.dat", "left from an earlier run");
    EXPECT_EQ(DownLoadFile(fetch, server.url(c.path), "./got.dat", failure), -1);
    EXPECT_EQ(failure, failureText(server.url(c.path), c.cause));
    EXPECT_EQ(test::readBytes("got.dat"), body.substr(0, c.keptBytes)) << "an error page is not saved";
    EXPECT_FALSE(fetch.running());
  }
}

// What no loopback server can make WinINet fail with, in the program's words.
TEST(WinInetFailureText, CertificateAndProxyFailuresHaveTheirWords) {
  EXPECT_EQ(wininetFailureCause(12057, false), "サーバーの証明書が失効していないか確かめられません");
  EXPECT_EQ(wininetFailureCause(12170, false), "サーバーの証明書は失効しています");
  EXPECT_EQ(wininetFailureCause(12165, false), "プロキシサーバーに接続できません");
  EXPECT_EQ(wininetFailureCause(12002, true), "応答がありません");
  EXPECT_EQ(httpStatusCause(407), "プロキシサーバーの認証が必要です（HTTP ステータス 407）");
}

TEST_F(FetchTest, AChunkedBodyCutShortFails) {
  if (test::onWindows())
    GTEST_SKIP() << "WinINet ends a chunked body whose last chunk never comes as if it were whole; "
                    "the fetch cannot tell it from a complete one there";
  Route cut;
  cut.body = bodyOf(10000);
  cut.cutAfter = 5000;
  cut.chunked = true;
  server.route("/nk/cut-chunked.dat", cut);
  test::writeBytes("got.dat", "left from an earlier run");
  EXPECT_EQ(download(server.url("/nk/cut-chunked.dat"), "./got.dat"), -1);
  EXPECT_EQ(failure, failureText(server.url("/nk/cut-chunked.dat"), "受信が途中で切れました"));
  EXPECT_EQ(test::readBytes("got.dat"), cut.body.substr(0, 5000));
}

TEST_F(FetchTest, ABodyPastTheSizeLimitFailsAndLeavesNoFile) {
  constexpr std::size_t Limit = 64 * 1024;
  options.limits.maxBodyBytes = Limit;
  auto sized = [](std::uint64_t size, bool chunked, std::optional<std::uint64_t> announced = std::nullopt) {
    Route r;
    r.body = bodyOf(1000);
    r.generatedSize = size;
    r.chunked = chunked;
    r.announcedLength = announced;
    return r;
  };
  // One byte past the limit announced, then silence: refused on its headers, not for the silence.
  Route silentPast = stalling(Limit + 1, 0, 60s);
  silentPast.announcedLength = Limit + 1;
  struct Case {
    std::string path;
    Route route;
    bool fits;
  };
  const std::vector<Case> cases = {
      {"/nk/limit.dat", sized(Limit, false), true},
      {"/nk/limit-chunked.dat", sized(Limit, true), true},
      {"/nk/limit-plus-1.dat", sized(Limit + 1, false), false},
      {"/nk/limit-plus-1-chunked.dat", sized(Limit + 1, true), false},
      // Endless as far as the client can tell: it must hang up by itself.
      {"/nk/endless.dat", sized(64 * Limit, true), false},
      {"/nk/announced-huge.dat", sized(4 * Limit, false, 1'000'000'000'000ull), false},
      {"/nk/announced-past-silent.dat", silentPast, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    server.route(c.path, c.route);
    test::writeBytes("got.dat", "left from an earlier run");
    if (c.fits) {
      EXPECT_EQ(download(server.url(c.path), "./got.dat"), 0) << failure;
      EXPECT_EQ(fs::file_size("got.dat"), Limit);
      continue;
    }
    EXPECT_EQ(download(server.url(c.path), "./got.dat"), -1);
    EXPECT_EQ(failure, failureText(server.url(c.path), "サイズが上限（65536 バイト）を超えました"));
    EXPECT_FALSE(fs::exists("got.dat"));
  }
}

TEST_F(FetchTest, AServerThatCannotBeReachedFails) {
  const std::string refused = test::closedPortBaseUrl() + "nk/songlist.dat";
  EXPECT_EQ(download(refused, "./a.dat"), -1);
  EXPECT_EQ(failure, failureText(refused, "接続できません"));
  EXPECT_EQ(fs::file_size("a.dat"), 0u);

  // A name that no resolver knows.
  const std::string unknown = "http://nk-no-such-host.invalid/nk/songlist.dat";
  EXPECT_EQ(download(unknown, "./b.dat"), -1);
  EXPECT_TRUE(failure == failureText(unknown, "サーバー名が見つかりません") ||
              failure == failureText(unknown, "時間内に接続できません"))
      << failure;
}

TEST_F(FetchTest, AConnectionNotMadeInTimeFails) {
  options.limits = {300ms, 1s};
  test::FullListener full;
  EXPECT_EQ(download(full.url(), "./a.dat"), -1);
  EXPECT_EQ(failure, failureText(full.url(), "時間内に接続できません"));
}

TEST_F(FetchTest, ASlowButMovingTransferIsNoStall) {
  const Route paused = stalling(5000, 2000, 300ms);
  server.route("/nk/paused.dat", paused);
  EXPECT_EQ(download(server.url("/nk/paused.dat"), "./a.dat"), 0) << failure;
  EXPECT_TRUE(test::readBytes("a.dat") == paused.body);
}

TEST_F(FetchTest, NothingToDoTouchesNeitherNetworkNorFile) {
  server.serve("/nk/a.dat", "body");
  failure = "前の失敗";
  EXPECT_EQ(download("", "./a.dat"), 0);
  EXPECT_EQ(download(server.url("/nk/a.dat"), ""), 0);
  EXPECT_EQ(download("", ""), 0);
  EXPECT_TRUE(fs::is_empty(dir.path()));
  EXPECT_EQ(server.totalRequests(), 0);
  EXPECT_EQ(failure, "前の失敗");
  EXPECT_TRUE(tk.calls.empty());
}

TEST_F(FetchTest, LocalFileFailuresAreDescribed) {
  server.serve("/nk/a.dat", bodyOf(5000));
  fs::create_directory("taken");
  struct Case {
    std::string path;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"./missing/a.dat", "./missing/a.dat を作成できません（ファイルまたはフォルダーがありません）"},
      {"./taken", "./taken を作成できません（同じ名前のフォルダーがあります）"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(download(server.url("/nk/a.dat"), c.path), -1);
    EXPECT_EQ(failure, c.text);
  }
  EXPECT_EQ(server.totalRequests(), 0) << "the file is created before the server is asked";
  EXPECT_FALSE(fs::exists("missing"));

  // A device that is always full: the body cannot be written.
  if (test::onWindows()) GTEST_SKIP() << "Windows has no device that is always full (/dev/full)";
  EXPECT_EQ(download(server.url("/nk/a.dat"), "/dev/full"), -1);
  EXPECT_EQ(failure, "/dev/full に書き込めません（ディスクの空き領域が足りません）");
}

TEST_F(FetchTest, EarlierContentIsReplacedNotExtended) {
  server.serve("/nk/a.dat", "new");
  test::writeBytes("a.dat", "a much longer old content");
  EXPECT_EQ(download(server.url("/nk/a.dat"), "./a.dat"), 0);
  EXPECT_EQ(test::readBytes("a.dat"), "new");
}

TEST_F(FetchTest, ASecondFetchStartedWhileOneRunsIsRefusedAndHarmsNothing) {
  const std::string body = bodyOf(5000);
  server.serve("/nk/a.dat", body);
  HttpFetch fetch(options);
  int16_t nested = 1;
  std::string nestedError;
  tk.onYield = [&] {
    if (nested != 1) return;
    EXPECT_TRUE(fetch.running());
    nested = DownLoadFile(fetch, server.url("/nk/a.dat"), "./b.dat", nestedError);
  };
  EXPECT_EQ(DownLoadFile(fetch, server.url("/nk/a.dat"), "./a.dat", failure), 0);
  EXPECT_EQ(nested, -1);
  EXPECT_EQ(nestedError, failureText(server.url("/nk/a.dat"), "別の受信の途中です"));
  EXPECT_EQ(failure, "");
  EXPECT_TRUE(test::readBytes("a.dat") == body);
  EXPECT_FALSE(fs::exists("b.dat"));
  EXPECT_FALSE(fetch.running());
}

// The player's cancel while the server says nothing: the wait's first yield brings it, and the
// fetch ends as cancelled, neither a finished file nor a failure, with its fetcher free again.
TEST_F(FetchTest, ACancelWhileTheServerIsSilentIsACancel) {
  server.route("/nk/silent.dat", stalling(5000, 0, 60s));
  LoadCancel cancel;
  options.limits.stallTime = 30s;
  options.cancel = &cancel;
  HttpFetch fetch(options);
  int yields = 0;
  tk.onYield = [&] { ++yields; cancel.request(); };
  EXPECT_THROW(DownLoadFile(fetch, server.url("/nk/silent.dat"), "./got.dat", failure), LoadCancelled);
  EXPECT_EQ(yields, 1);
  EXPECT_EQ(failure, "");
  EXPECT_FALSE(fetch.running());
}

}  // namespace
}  // namespace nk
