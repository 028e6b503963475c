// Runs a check in a child process under a small file-size limit (ulimit -f)
// with the default action of SIGXFSZ, which would kill a program that writes
// past the limit without ignoring it.
#pragma once

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

namespace test_support {

// "" when check returned true in the child; otherwise what went wrong.
inline std::string run_under_size_limit(rlim_t bytes, const std::function<bool()>& check) {
  pid_t child = fork();
  if (child < 0) return "cannot fork";
  if (child == 0) {
    signal(SIGXFSZ, SIG_DFL);
    struct rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(9);
    _exit(check() ? 0 : 1);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child) return "lost the child";
  if (WIFSIGNALED(status)) return "killed by signal " + std::to_string(WTERMSIG(status));
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "the check failed";
  return "";
}

}  // namespace test_support
