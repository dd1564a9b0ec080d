#include "driver_session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace sgtest {

namespace {

std::vector<std::string> environmentWith(const std::map<std::string, std::optional<std::string>>& changes) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    std::string entry = *e;
    std::string name = entry.substr(0, entry.find('='));
    if (!changes.count(name)) env.push_back(entry);
  }
  for (const auto& [name, value] : changes)
    if (value) env.push_back(name + "=" + *value);
  return env;
}

bool writeAll(int fd, const std::string& s) {
  size_t done = 0;
  while (done < s.size()) {
    ssize_t n = ::write(fd, s.data() + done, s.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += size_t(n);
  }
  return true;
}

}  // namespace

DriverSession::DriverSession(const std::string& program,
                             const std::map<std::string, std::optional<std::string>>& variables,
                             const std::string& errorFile) {
  int in[2], out[2];
  if (::pipe2(in, O_CLOEXEC) != 0) return;
  if (::pipe2(out, O_CLOEXEC) != 0) {
    ::close(in[0]);
    ::close(in[1]);
    return;
  }
  std::vector<std::string> env = environmentWith(variables);
  std::vector<char*> envp;
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string prog = program;
  char* argv[] = {prog.data(), nullptr};
  // Everything the child needs is prepared before the fork.
  pid_t pid = ::fork();
  if (pid == 0) {
    int err = ::open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(in[0], 0);
    ::dup2(out[1], 1);
    if (err >= 0) ::dup2(err, 2);
    ::execve(prog.c_str(), argv, envp.data());
    ::_exit(127);
  }
  ::close(in[0]);
  ::close(out[1]);
  if (pid < 0) {
    ::close(in[1]);
    ::close(out[0]);
    return;
  }
  // A driver that died must not kill the test with SIGPIPE.
  ::signal(SIGPIPE, SIG_IGN);
  pid_ = pid;
  toDriver_ = in[1];
  fromDriver_ = out[0];
}

DriverSession::~DriverSession() {
  kill();
  if (toDriver_ >= 0) ::close(toDriver_);
  if (fromDriver_ >= 0) ::close(fromDriver_);
}

void DriverSession::kill() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

bool DriverSession::send(const std::vector<std::string>& commands) {
  if (toDriver_ < 0) return false;
  std::string text;
  for (const auto& c : commands) text += c + "\n";
  return writeAll(toDriver_, text);
}

std::optional<std::string> DriverSession::nextLine(Clock::time_point deadline) {
  for (;;) {
    if (size_t nl = pending_.find('\n'); nl != std::string::npos) {
      std::string line = pending_.substr(0, nl);
      pending_.erase(0, nl + 1);
      lines_.push_back(line);
      return line;
    }
    if (fromDriver_ < 0) return std::nullopt;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return std::nullopt;
    pollfd p{fromDriver_, POLLIN, 0};
    int r = ::poll(&p, 1, int(left));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) return std::nullopt;
    char buffer[4096];
    ssize_t n = ::read(fromDriver_, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ::close(fromDriver_);
      fromDriver_ = -1;
      continue;  // the rest of pending_ may still hold a line
    }
    pending_.append(buffer, size_t(n));
  }
}

std::optional<std::string> DriverSession::ask(const std::vector<std::string>& commands,
                                              const std::string& reference, Clock::duration patience) {
  std::vector<std::string> all = commands;
  all.push_back("print " + reference);
  if (!send(all)) return std::nullopt;
  auto deadline = Clock::now() + patience;
  const std::string key = reference + "=";
  while (auto line = nextLine(deadline))
    if (line->compare(0, key.size(), key) == 0) return line->substr(key.size());
  return std::nullopt;
}

bool DriverSession::awaitLine(const std::string& wanted, Clock::duration patience) {
  auto deadline = Clock::now() + patience;
  while (auto line = nextLine(deadline))
    if (*line == wanted) return true;
  return false;
}

int DriverSession::finish(Clock::duration patience) {
  if (toDriver_ >= 0) {
    ::close(toDriver_);
    toDriver_ = -1;
  }
  if (pid_ <= 0) return -1;
  auto deadline = Clock::now() + patience;
  while (Clock::now() < deadline) {
    // Reading on keeps a driver that still writes from blocking on a full pipe.
    if (fromDriver_ >= 0) nextLine(Clock::now() + std::chrono::milliseconds(50));
    else std::this_thread::sleep_for(std::chrono::milliseconds(20));
    int status = 0;
    pid_t r = ::waitpid(pid_, &status, WNOHANG);
    if (r == pid_) {
      pid_ = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
  }
  kill();
  return -1;
}

}  // namespace sgtest
