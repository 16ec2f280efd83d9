#include "platform/host/posix/spawn.h"

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace host::posix {

bool SpawnDetached(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return false;

  // A short-lived middle process starts the program and exits at once, so
  // the program is adopted by init and nobody has to wait for it.
  const pid_t middle = fork();
  if (middle < 0) {
    close(pipeFds[0]);
    close(pipeFds[1]);
    return false;
  }
  if (middle == 0) {
    close(pipeFds[0]);
    pid_t child = 0;
    const int result = posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv.data(), environ);
    const char ok = result == 0 ? 1 : 0;
    ssize_t ignored = write(pipeFds[1], &ok, 1);
    (void)ignored;
    _exit(0);
  }
  close(pipeFds[1]);
  char ok = 0;
  ssize_t got;
  do {
    got = read(pipeFds[0], &ok, 1);
  } while (got < 0 && errno == EINTR);
  close(pipeFds[0]);
  int status = 0;
  while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
  }
  return got == 1 && ok == 1;
}

}  // namespace host::posix
