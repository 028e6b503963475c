#include "common/process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

extern char** environ;

namespace {

bool is_executable_file(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// The path to execute: as given when it holds a "/", else the first match in PATH.
std::string resolve(const std::string& program) {
  if (program.find('/') != std::string::npos) {
    if (program[0] == '/') return program;
    // Relative to this process's folder, not the one the program starts in.
    char cwd[4096];
    if (!::getcwd(cwd, sizeof cwd)) return std::string();
    return std::string(cwd) + "/" + program;
  }
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  for (;;) {
    size_t colon = dirs.find(':', start);
    std::string dir = dirs.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
    std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + program;
    if (is_executable_file(candidate)) return resolve(candidate);
    if (colon == std::string::npos) return std::string();
    start = colon + 1;
  }
}

// Only async-signal-safe calls between fork and exec.
[[noreturn]] void exec_child(const char* path, char* const* argv, const char* folder, int error_pipe) {
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  for (int sig = 1; sig < NSIG; ++sig) {
    if (sig != SIGKILL && sig != SIGSTOP) signal(sig, SIG_DFL);
  }
  // Descriptors of this process (open files, the X connection) stay here.
  ::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
  int error = 0;
  if (folder && ::chdir(folder) != 0) {
    error = errno;
  } else {
    ::execve(path, argv, environ);
    error = errno;
  }
  ssize_t ignored = ::write(error_pipe, &error, sizeof error);
  (void)ignored;
  _exit(127);
}

}  // namespace

namespace {

// Forks and executes the program. Detached, an intermediate child starts a
// session, forks the program and ends at once, so the program is adopted by
// init and never waited for here; otherwise the program is the direct child.
// The process id of the program (detached: 1), 0 when it could not be started.
pid_t start_program(text_view program, const std::vector<text_t>& arguments, text_view folder, bool detached) {
  std::string name = to_utf8(program);
  if (name.empty()) return 0;
  std::string path = resolve(name);
  if (path.empty() || !is_executable_file(path)) return 0;
  std::vector<std::string> args;
  args.push_back(name);
  for (const text_t& a : arguments) args.push_back(to_utf8(a));
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::string dir = to_utf8(folder);

  int pipe_fds[2];
  if (::pipe2(pipe_fds, O_CLOEXEC) != 0) return 0;
  pid_t child = ::fork();
  if (child < 0) {
    ::close(pipe_fds[0]);
    ::close(pipe_fds[1]);
    return 0;
  }
  if (child == 0) {
    if (!detached) {
      // Its own session all the same: a closed terminal does not end it.
      ::setsid();
      exec_child(path.c_str(), argv.data(), dir.empty() ? nullptr : dir.c_str(), pipe_fds[1]);
    }
    ::close(pipe_fds[0]);
    ::setsid();
    pid_t grandchild = ::fork();
    if (grandchild == 0) exec_child(path.c_str(), argv.data(), dir.empty() ? nullptr : dir.c_str(), pipe_fds[1]);
    if (grandchild < 0) {
      int error = errno;
      ssize_t ignored = ::write(pipe_fds[1], &error, sizeof error);
      (void)ignored;
    }
    _exit(0);
  }
  ::close(pipe_fds[1]);
  if (detached) {
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  // The pipe closes on a successful exec; an error number arrives otherwise.
  int error = 0;
  ssize_t got;
  do got = ::read(pipe_fds[0], &error, sizeof error);
  while (got < 0 && errno == EINTR);
  ::close(pipe_fds[0]);
  if (got == 0) return detached ? 1 : child;
  if (!detached) {
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  return 0;
}

}  // namespace

int program_run(text_view program, const std::vector<text_t>& arguments, text_view folder) {
  return start_program(program, arguments, folder, true) != 0 ? 1 : 0;
}

int64_t program_start_child(text_view program, const std::vector<text_t>& arguments, text_view folder) {
  return start_program(program, arguments, folder, false);
}

std::vector<text_t> program_split_parameters(text_view parameters) {
  std::vector<text_t> out;
  text_t current;
  bool in_token = false, quoted = false;
  for (char16_t c : parameters) {
    if (c == u'"') {
      quoted = !quoted;
      in_token = true;
    } else if (!quoted && (c == u' ' || c == u'\t' || c == u'\n')) {
      if (in_token) out.push_back(std::move(current));
      current.clear();
      in_token = false;
    } else {
      current.push_back(c);
      in_token = true;
    }
  }
  if (in_token) out.push_back(std::move(current));
  return out;
}

int program_run(text_view program, text_view parameters, text_view folder) {
  return program_run(program, program_split_parameters(parameters), folder);
}

int system_os_version() {
  struct utsname u;
  if (::uname(&u) != 0) return 1000;
  std::string release = u.release;
  if (release.rfind("2.4.", 0) == 0) return 1100;
  if (release.rfind("2.6.", 0) == 0) return 1200;
  return 2000;
}
