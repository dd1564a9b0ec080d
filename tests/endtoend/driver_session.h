// The script driver as a running program that a test talks to line by line: commands go to its
// standard input, and its report lines are read back with a deadline, so that a driver that
// hangs or dies fails the test instead of stopping it.
#pragma once
#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace sgtest {

class DriverSession {
 public:
  using Clock = std::chrono::steady_clock;

  // Starts the driver in the working folder with the test's environment, changed by
  // `variables` (an empty optional removes a variable). Its standard error goes to `errorFile`.
  DriverSession(const std::string& program,
                const std::map<std::string, std::optional<std::string>>& variables,
                const std::string& errorFile);
  ~DriverSession();
  DriverSession(const DriverSession&) = delete;
  DriverSession& operator=(const DriverSession&) = delete;

  bool running() const { return pid_ > 0; }

  // Sends the commands, then `print REFERENCE`, and collects every line up to and including
  // the printed one. Empty when the driver ended, died or did not answer before the deadline;
  // `lines` then holds what came.
  std::optional<std::string> ask(const std::vector<std::string>& commands, const std::string& reference,
                                 Clock::duration patience = std::chrono::seconds(30));

  // Sends commands without waiting for anything.
  bool send(const std::vector<std::string>& commands);

  // Reads lines until one equals `line`; false at the deadline or the end of the output.
  bool awaitLine(const std::string& line, Clock::duration patience = std::chrono::seconds(30));

  // Closes the driver's input and waits for its exit status (-1 when it had to be killed).
  int finish(Clock::duration patience = std::chrono::seconds(30));

  // Every line the driver has written so far, in order.
  const std::vector<std::string>& lines() const { return lines_; }

 private:
  std::optional<std::string> nextLine(Clock::time_point deadline);
  void kill();

  pid_t pid_ = -1;
  int toDriver_ = -1;
  int fromDriver_ = -1;
  std::string pending_;
  std::vector<std::string> lines_;
};

}  // namespace sgtest
