// Killed mid-way: the program killed at random moments while it saves its settings, and the job
// runner killed while a job runs. Nothing is left half-written, and the log window and "Clear
// all files" still do their part afterwards.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <thread>

#include "tool_test_support.h"

using namespace sgtest;
namespace fs = std::filesystem;

namespace {

// Starts the script driver on a script in the working folder; returns its process id.
pid_t startDriver(const std::string& script) {
  pid_t pid = fork();
  if (pid == 0) {
    setenv("APPDATA", "appdata", 1);
    setenv("LOCALAPPDATA", "localappdata", 1);
    setenv("HOME", "home", 1);
    freopen("/dev/null", "w", stdout);
    freopen("/dev/null", "w", stderr);
    execl(SG_SCRIPT_DRIVER, SG_SCRIPT_DRIVER, script.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  return pid;
}

int runDriver(const std::string& script) {
  int status = 0;
  waitpid(startDriver(script), &status, 0);
  return status;
}

}  // namespace

// Two hundred kills at random moments of a run that saves settings.dat again and again: the
// file is always one of the two the program writes, whole, or the one from before.
TEST(Killed, TheSettingsFileIsAlwaysWholeWhateverTheMomentOfTheKill) {
  spit("one.script", "start\nset Form5.worldnamenoparsing.Value 1\n");
  ASSERT_EQ(runDriver("one.script"), 0);
  const std::string on = slurp("settings.dat");
  spit("off.script", "start\nset Form5.worldnamenoparsing.Value 0\n");
  ASSERT_EQ(runDriver("off.script"), 0);
  const std::string off = slurp("settings.dat");
  ASSERT_NE(on, off);
  ASSERT_NE(on.find("worldNameNoParsing"), std::string::npos);

  std::string script = "start\n";
  for (int i = 0; i < 3000; ++i) script += "set Form5.worldnamenoparsing.Value " + std::to_string(1 - i % 2) + "\n";
  spit("toggle.script", script);
  std::mt19937 random(12345);
  int torn = 0;
  for (int k = 0; k < 200; ++k) {
    pid_t pid = startDriver("toggle.script");
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 40000));
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    const std::string now = slurp("settings.dat");
    if (now != on && now != off) ++torn;
  }
  EXPECT_EQ(torn, 0);
}
