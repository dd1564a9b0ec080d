// The headless driver: loads the system's windows with scripted message boxes, a recording
// launcher and a fixed clock, and runs script commands that act as a user would and print
// what the windows hold. Output goes to one stream in the order things happen.
#pragma once
#include <functional>
#include <iosfwd>
#include <string>

#include "forms/registry.h"
#include "platform/services.h"
#include "script/reporting_launcher.h"

namespace sg::script {

class ScriptLine;
struct Reference;

class Driver : private forms::Observer {
 public:
  using Registration = std::function<void(forms::Registry&)>;

  // By default every window of the system is registered.
  Driver(std::ostream& out, std::ostream& err, Registration registration = {});
  ~Driver() override;
  Driver(const Driver&) = delete;
  Driver& operator=(const Driver&) = delete;

  // Runs the script to its end or to the end of the program: 0, or 2 after a faulty line
  // (reported on the error stream with its line number).
  int run(std::istream& script);

  // Runs one line; throws ScriptError. False once the program has ended.
  bool execute(const std::string& line);

  bool ended() const { return registry_.ended(); }
  forms::Registry& registry() { return registry_; }
  const ReportingLauncher& launcher() const { return launcher_; }

 private:
  void programEnded() override;
  void emit(const std::string& line);

  forms::Form& loadedForm(const std::string& name);
  forms::Control& control(const Reference& ref);
  forms::Control& reachable(const Reference& ref);
  forms::Control& listControl(const Reference& ref, int index, bool checkBoxes = false);

  void start(const ScriptLine& l);
  void type(const ScriptLine& l);
  void click(const ScriptLine& l);
  void dblclick(const ScriptLine& l);
  void pick(const ScriptLine& l);
  void item(const ScriptLine& l);
  void tick(const ScriptLine& l);
  void close(const ScriptLine& l);
  void set(const ScriptLine& l);
  void answer(const ScriptLine& l);
  void time(const ScriptLine& l);
  void env(const ScriptLine& l);
  void unenv(const ScriptLine& l);
  void launcherMode(const ScriptLine& l);
  void sleep(const ScriptLine& l);
  void append(const ScriptLine& l);
  void remove(const ScriptLine& l);
  void print(const ScriptLine& l);

  std::ostream& out_;
  std::ostream& err_;
  platform::ScriptedDialogs dialogs_;
  ReportingLauncher launcher_;
  platform::FixedClock clock_;
  platform::ProcessEnvironment environment_;
  platform::Services services_;
  forms::Registry registry_;
  bool started_ = false;
  bool endReported_ = false;
};

}  // namespace sg::script
