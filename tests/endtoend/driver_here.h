// The script driver started in the test's working folder as a player's program would run there:
// the game's saves under appdata/, the user's folders under the working folder, the job runner
// found beside the program, and every answer it owes asked for with a failure when none comes.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "driver_session.h"
#include "tool_test_support.h"

namespace sgtest {

class DriverHere {
 public:
  // `more` adds to the environment, or changes it.
  explicit DriverHere(const std::map<std::string, std::optional<std::string>>& more = {})
      : driver_(SG_SCRIPT_DRIVER, environment(more), "driver.err") {}

  DriverSession& session() { return driver_; }

  // The reference's value after the commands; "<no answer>", and a failure, when none came.
  std::string ask(const std::vector<std::string>& commands, const std::string& reference) {
    auto v = driver_.ask(commands, reference);
    if (!v) ADD_FAILURE() << "no answer for " << reference << "\n" << slurp("driver.err");
    return v.value_or("<no answer>");
  }

  // Closes the main window; true when the driver ended well.
  bool close() {
    if (!driver_.send({"close Form1"})) return false;
    const bool ended = driver_.awaitLine("end");
    return driver_.finish() == 0 && ended;
  }

 private:
  static std::map<std::string, std::optional<std::string>> environment(
      const std::map<std::string, std::optional<std::string>>& more) {
    const std::string here = std::filesystem::current_path().string();
    std::map<std::string, std::optional<std::string>> vars = {{"APPDATA", here + "/appdata"},
                                                              {"LOCALAPPDATA", here + "/localappdata"},
                                                              {"HOME", here + "/home"},
                                                              {"XDG_DATA_HOME", std::nullopt},
                                                              {"SG_JOB_RUNNER", std::nullopt}};
    for (const auto& [name, value] : more) vars[name] = value;
    return vars;
  }

  DriverSession driver_;
};

}  // namespace sgtest
