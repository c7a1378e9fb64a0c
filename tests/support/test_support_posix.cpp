// test_support_posix.cpp - the test helpers that need POSIX calls: iconv,
// child processes without root rights, small file systems, C locales.
#include "test_support.h"

#include <clocale>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <grp.h>
#include <iconv.h>
#include <locale.h>
#include <sched.h>
#include <stdexcept>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <type_traits>
#include <unistd.h>

namespace nk::test {

static_assert(std::is_same_v<GroupId, gid_t>);

bool onWindows() { return false; }

void setTimeZone(const char* tz) {
  if (tz && *tz)
    ::setenv("TZ", tz, 1);
  else
    ::unsetenv("TZ");
  ::tzset();
}

static std::string convert(const char* to, const char* from, const std::string& text) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open");
  std::string out(text.size() * 4 + 16, '\0');
  char* src = const_cast<char*>(text.data());
  size_t srcLeft = text.size();
  char* dst = out.data();
  size_t dstLeft = out.size();
  const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) throw std::runtime_error("iconv cannot convert the test text");
  out.resize(out.size() - dstLeft);
  return out;
}

std::string toCp932(const std::string& utf8) { return convert("CP932", "UTF-8", utf8); }
std::string fromCp932(const std::string& cp932) { return convert("UTF-8", "CP932", cp932); }

int runUnprivileged(const std::function<void()>& action, const std::vector<GroupId>& groups) {
  const pid_t pid = ::fork();
  if (pid < 0) return 98;
  if (pid == 0) {
    if (::geteuid() == 0 && (::setgroups(groups.size(), groups.data()) != 0 || ::setgid(65534) != 0 ||
                             ::setuid(65534) != 0))
      ::_exit(99);
    action();
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 97;
}

namespace {

// Everything the other end of fd writes until it closes it.
std::string drain(int fd) {
  std::string text;
  char buffer[4096];
  ssize_t n;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
  ::close(fd);
  return text;
}

void writeAllTo(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

}  // namespace

std::optional<std::string> unprivilegedOutput(const std::function<std::string()>& body,
                                              const std::vector<GroupId>& groups) {
  int fds[2];
  if (::pipe(fds) != 0) return std::nullopt;
  const int status = runUnprivileged(
      [&] {
        ::close(fds[0]);
        writeAllTo(fds[1], body());
      },
      groups);
  ::close(fds[1]);
  std::string text = drain(fds[0]);
  if (status == 99) return std::nullopt;
  if (status != 0) return text + "\n(the child process failed, status " + std::to_string(status) + ")";
  return text;
}

std::optional<std::string> withSmallDisk(const std::string& folder, const std::string& size,
                                         const std::function<std::string()>& body) {
  constexpr int NotAllowed = 77;
  int fds[2];
  if (::pipe(fds) != 0) return std::nullopt;
  const pid_t pid = ::fork();
  if (pid < 0) return std::nullopt;
  if (pid == 0) {
    ::close(fds[0]);
    if (::unshare(CLONE_NEWNS) != 0) ::_exit(NotAllowed);
    if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) ::_exit(NotAllowed);
    ::mkdir(folder.c_str(), 0755);
    if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, ("size=" + size).c_str()) != 0) ::_exit(NotAllowed);
    writeAllTo(fds[1], body());
    ::_exit(0);
  }
  ::close(fds[1]);
  std::string text = drain(fds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (WIFEXITED(status) && WEXITSTATUS(status) == NotAllowed) return std::nullopt;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return text + "\n(the child process failed, status " + std::to_string(status) + ")";
  return text;
}

void fillDisk(const std::string& folder) {
  const std::string path = folder + "/filler";
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  if (fd < 0) return;
  const std::string block(4096, 'x');
  while (::write(fd, block.data(), block.size()) > 0) {
  }
  // The last page may have room for a few bytes more.
  while (::write(fd, "x", 1) > 0) {
  }
  ::close(fd);
}

namespace {

bool localeExists(const std::string& name) {
  const locale_t locale = ::newlocale(LC_ALL_MASK, name.c_str(), locale_t{});
  if (locale == locale_t{}) return false;
  ::freelocale(locale);
  return true;
}

// Made beside its place and renamed into it, so that test programs running at
// the same time never see half a locale.
bool generateLocale(const std::string& name, const std::filesystem::path& folder) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  const auto part = folder / (name + ".part" + std::to_string(::getpid()));
  const std::string command = "localedef -c -i " + name.substr(0, name.find('.')) + " -f UTF-8 '" +
                              part.string() + "' >/dev/null 2>&1";
  // Warnings about the sources give a non-zero status and a usable locale.
  [[maybe_unused]] const int status = std::system(command.c_str());
  const bool made = std::filesystem::exists(part / "LC_NUMERIC");
  if (made) std::filesystem::rename(part, folder / name, ec);
  std::filesystem::remove_all(part, ec);
  return made;
}

}  // namespace

ScopedCLocale::ScopedCLocale(const std::string& name) {
  const char* previous = std::setlocale(LC_ALL, nullptr);
  previous_ = previous ? previous : "C";
  // The C library remembers a locale it once failed to find: it looks in the
  // folder of made locales only for one that is there.
  const auto folder = std::filesystem::temp_directory_path() / "nk-test-locales";
  if (std::filesystem::exists(folder / name / "LC_NUMERIC")) {
    ::setenv("LOCPATH", folder.c_str(), 1);
  } else if (::getenv("LOCPATH") != nullptr || !localeExists(name)) {
    if (!generateLocale(name, folder)) return;
    ::setenv("LOCPATH", folder.c_str(), 1);
  }
  active_ = std::setlocale(LC_ALL, name.c_str()) != nullptr;
}

ScopedCLocale::~ScopedCLocale() {
  if (active_) std::setlocale(LC_ALL, previous_.c_str());
}

}  // namespace nk::test
