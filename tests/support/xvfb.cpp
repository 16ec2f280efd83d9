#include "tests/support/xvfb.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace testing_support {
namespace {

// The descriptor on which Xvfb announces its display number once it is ready.
constexpr int kDisplayFd = 3;
constexpr int kStartTimeoutMs = 20000;

// Reads the display number line, or "" when the server died or took too long.
std::string ReadDisplayNumber(int fd) {
  std::string number;
  for (;;) {
    pollfd ready{fd, POLLIN, 0};
    if (poll(&ready, 1, kStartTimeoutMs) <= 0) return {};
    char c = 0;
    const ssize_t got = read(fd, &c, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return {};
    if (c == '\n') return number;
    number += c;
  }
}

}  // namespace

XvfbServer::XvfbServer(int depth) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return;
  const std::string screen = "1024x768x" + std::to_string(depth);
  std::vector<std::string> args = {
      "Xvfb", "-displayfd", std::to_string(kDisplayFd), "-screen", "0", screen, "-nolisten", "tcp"};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // dup2 leaves the copy open across exec; the pipe's own ends close there.
  posix_spawn_file_actions_adddup2(&actions, fds[1], kDisplayFd);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const int spawned = posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (spawned != 0) {
    pid_ = -1;
    close(fds[0]);
    return;
  }
  const std::string number = ReadDisplayNumber(fds[0]);
  close(fds[0]);
  if (number.empty()) return;
  display_ = ":" + number;
  setenv("DISPLAY", display_.c_str(), 1);
}

XvfbServer::~XvfbServer() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
}

void XvfbServer::Kill() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
}

}  // namespace testing_support
