// nk_demo_serverTest.cpp - the demo server program: start-up line, serving, and a clean stop on a signal.
#include "test_support.h"

#include <httplib.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <regex>
#include <sys/wait.h>
#include <unistd.h>

namespace nk {
namespace {

namespace fs = std::filesystem;

// The program run as a child process with its output on a pipe.
class DemoServerProcess {
public:
  explicit DemoServerProcess(std::vector<std::string> args) {
    // Everything the child needs is made before the fork.
    args.insert(args.begin(), NK_DEMO_SERVER);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    pid_ = ::fork();
    if (pid_ < 0) throw std::runtime_error("fork");
    if (pid_ == 0) {
      ::dup2(fds[1], STDOUT_FILENO);
      ::dup2(fds[1], STDERR_FILENO);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    ::close(fds[1]);
    out_ = fds[0];
  }
  ~DemoServerProcess() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    ::close(out_);
  }

  // The next line of output; empty at the end of the output or after 5 s of silence.
  std::string readLine() {
    while (true) {
      if (const size_t end = buffer_.find('\n'); end != std::string::npos) {
        std::string line = buffer_.substr(0, end);
        buffer_.erase(0, end + 1);
        return line;
      }
      pollfd p{out_, POLLIN, 0};
      if (::poll(&p, 1, 5000) <= 0) return "";
      char chunk[512];
      const ssize_t n = ::read(out_, chunk, sizeof chunk);
      if (n <= 0) return "";
      buffer_.append(chunk, static_cast<size_t>(n));
    }
  }

  // Sends the signal and waits for the end; the exit status, or -1 when the
  // program did not end normally within 5 s.
  int stopWith(int signal) {
    ::kill(pid_, signal);
    for (int i = 0; i < 500; ++i) {
      int status = 0;
      if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      ::usleep(10'000);
    }
    return -1;
  }

private:
  pid_t pid_ = -1;
  int out_ = -1;
  std::string buffer_;
};

TEST(NkDemoServer, ServesUntilSigintOrSigterm) {
  test::TempWorkDir dir;
  fs::create_directories("nk/common");
  const std::string bytes = test::toCp932("1.54\r\n最新版はこちら\r\n");
  test::writeBytes("nk/common/nkclient.dat", bytes);

  for (const auto& [signal, name] : {std::pair{SIGTERM, "SIGTERM"}, std::pair{SIGINT, "SIGINT"}}) {
    SCOPED_TRACE(name);
    DemoServerProcess server({"--root", (dir.path() / "nk").string(), "--port", "0"});
    const std::string started = server.readLine();
    std::smatch m;
    ASSERT_TRUE(std::regex_match(started, m, std::regex(R"(serving (.+) at http://127\.0\.0\.1:(\d+)/nk/)")))
        << started;
    EXPECT_EQ(m[1].str(), (dir.path() / "nk").lexically_normal().string());

    httplib::Client client("127.0.0.1", std::stoi(m[2].str()));
    client.set_read_timeout(std::chrono::seconds(2));
    auto res = client.Get("/nk/common/nkclient.dat");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 200);
    EXPECT_EQ(res->body, bytes);
    res = client.Get("/nk/common/songlist.dat");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 404);

    // One line per request, in whichever order the server's threads finish.
    std::vector<std::string> logged = {server.readLine(), server.readLine()};
    for (auto& line : logged) line = line.substr(std::min<size_t>(line.size(), 20));
    std::sort(logged.begin(), logged.end());
    EXPECT_EQ(logged, (std::vector<std::string>{
                          "127.0.0.1 GET /nk/common/nkclient.dat 200 " + std::to_string(bytes.size()),
                          "127.0.0.1 GET /nk/common/songlist.dat 404 14"}));
    EXPECT_EQ(server.stopWith(signal), 0);
    EXPECT_EQ(server.readLine(), std::string("stopping on ") + name);
    EXPECT_EQ(server.readLine(), "stopped");
    EXPECT_EQ(server.readLine(), "");
  }
}

TEST(NkDemoServer, RefusesAMissingFolderAndABadCommandLine) {
  test::TempWorkDir dir;
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--root", "no-such-folder", "--port", "0"}, "nk_demo_server: no folder no-such-folder"},
      {{"--port", "http"}, "nk_demo_server: bad port http (0..65535)"},
  };
  for (const auto& [args, message] : cases) {
    DemoServerProcess server(args);
    EXPECT_TRUE(server.readLine().starts_with(message)) << message;
    EXPECT_EQ(server.stopWith(0), args[0] == "--root" ? 1 : 2) << message;
  }
}

}  // namespace
}  // namespace nk
