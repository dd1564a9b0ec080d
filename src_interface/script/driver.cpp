#include "script/driver.h"

#include <cctype>
#include <chrono>
#include <filesystem>
#include <istream>
#include <map>
#include <ostream>
#include <thread>

#include "mainwindow/system_forms.h"
#include "platform/files.h"
#include "script/properties.h"
#include "script/reference.h"
#include "script/report.h"
#include "script/script_error.h"
#include "script/script_line.h"
#include "script/user_reach.h"

namespace sg::script {

using forms::Kind;

Driver::Driver(std::ostream& out, std::ostream& err, Registration registration)
    : out_(out), err_(err),
      launcher_([this](const std::string& cmd, bool minimised) { emit(launchLine(cmd, minimised)); }),
      services_{dialogs_, launcher_, clock_, environment_},
      registry_(services_) {
  dialogs_.onMessage = [this](const platform::RecordedMessage& m) { emit(messageLine(m)); };
  launcher_.onOpen([this](const std::string& line) { emit(line); });
  if (registration) registration(registry_);
  else mainwindow::registerSystemForms(registry_);
  registry_.addObserver(this);
}

Driver::~Driver() { registry_.removeObserver(this); }

void Driver::emit(const std::string& line) { out_ << line << '\n' << std::flush; }

void Driver::programEnded() {
  if (endReported_) return;
  endReported_ = true;
  emit("end");
}

int Driver::run(std::istream& script) {
  std::string line;
  int number = 0;
  while (std::getline(script, line)) {
    ++number;
    // Scripts written with CR LF line ends read the same as with LF.
    if (!line.empty() && line.back() == '\r') line.pop_back();
    try {
      if (!execute(line)) return 0;
    } catch (const std::exception& e) {
      out_ << std::flush;
      err_ << "line " << number << ": " << e.what() << '\n' << std::flush;
      return 2;
    }
  }
  return 0;
}

bool Driver::execute(const std::string& text) {
  using Command = void (Driver::*)(const ScriptLine&);
  static const std::map<std::string, Command> commands = {
      {"start", &Driver::start},   {"type", &Driver::type},       {"click", &Driver::click},
      {"dblclick", &Driver::dblclick}, {"pick", &Driver::pick},   {"item", &Driver::item},
      {"tick", &Driver::tick},     {"close", &Driver::close},     {"set", &Driver::set},
      {"answer", &Driver::answer}, {"time", &Driver::time},       {"env", &Driver::env},
      {"unenv", &Driver::unenv},   {"launcher", &Driver::launcherMode},
      {"sleep", &Driver::sleep},   {"append", &Driver::append},   {"remove", &Driver::remove},
      {"print", &Driver::print},
  };
  if (ended()) return false;
  ScriptLine line(text);
  if (line.skipped()) return true;
  auto it = commands.find(line.command());
  if (it == commands.end()) throw ScriptError("unknown command '" + line.command() + "'");
  try {
    (this->*(it->second))(line);
  } catch (...) {
    registry_.collect();
    throw;
  }
  // Windows unloaded by the command's handlers go now that no handler runs.
  registry_.collect();
  return !ended();
}

// --- Finding windows and controls -------------------------------------------------------------

forms::Form& Driver::loadedForm(const std::string& name) {
  if (!registry_.knows(name)) throw ScriptError("no form " + name);
  forms::Form* f = registry_.find(name);
  if (!f) throw ScriptError("form " + name + " is not loaded");
  return *f;
}

forms::Control& Driver::control(const Reference& ref) {
  forms::Form& f = loadedForm(ref.form);
  forms::Control* c = f.find(ref.control);
  if (!c) throw ScriptError("no control " + ref.control + " on " + f.name());
  return *c;
}

forms::Control& Driver::reachable(const Reference& ref) {
  forms::Control& c = control(ref);
  if (std::string why = unreachable(c); !why.empty())
    throw ScriptError("a user cannot reach " + ref.written + ": " + why);
  return c;
}

forms::Control& Driver::listControl(const Reference& ref, int index, bool checkBoxes) {
  forms::Control& c = control(ref);
  bool list = c.kind() == Kind::ComboBox || c.kind() == Kind::ListBox;
  if (!list || (checkBoxes && c.style() != forms::Style::Checkbox))
    throw ScriptError(ref.written + " is not a " + (checkBoxes ? "check-box list" : "list"));
  if (index < 0 || index >= c.listCount())
    throw ScriptError("index " + std::to_string(index) + " out of range: " + ref.written + " has " +
                      std::to_string(c.listCount()) + " items");
  reachable(ref);
  return c;
}

// --- The user's actions -----------------------------------------------------------------------

void Driver::start(const ScriptLine& l) {
  l.words(0);
  if (started_) throw ScriptError("the program has already started");
  if (!registry_.knows("Form1")) throw ScriptError("no form Form1");
  started_ = true;
  forms::Form& main = registry_.get("Form1");
  if (!ended() && main.loaded()) main.show();
}

void Driver::type(const ScriptLine& l) {
  std::string value;
  auto w = l.wordsAndValue(1, value);
  Reference ref = controlReference(w[0]);
  forms::Control& c = control(ref);
  if (!c.hasEditField()) throw ScriptError(ref.written + " has no text to type into");
  reachable(ref);
  if (c.locked()) throw ScriptError("a user cannot type into " + ref.written + ": it is locked");
  c.setText(value);
}

void Driver::click(const ScriptLine& l) {
  Reference ref = controlReference(l.words(1)[0]);
  forms::Control& c = control(ref);
  if (c.kind() == Kind::Timer) throw ScriptError(ref.written + " is a timer; use tick");
  reachable(ref).userClick();
}

void Driver::dblclick(const ScriptLine& l) {
  auto w = l.words(1, 2);
  Reference ref = controlReference(w[0]);
  if (w.size() == 1) {
    forms::Control& c = control(ref);
    if (c.kind() == Kind::Timer) throw ScriptError(ref.written + " is a timer; use tick");
    reachable(ref).fire(forms::Event::DblClick);
    return;
  }
  forms::Control& c = listControl(ref, wholeNumber(w[1], "index"));
  c.setListIndex(wholeNumber(w[1], "index"));
  // The selection's handlers may have closed the window; a gone window takes no double click.
  if (c.form().loaded() && !ended()) c.fire(forms::Event::DblClick);
}

void Driver::pick(const ScriptLine& l) {
  auto w = l.words(2);
  int index = wholeNumber(w[1], "index");
  listControl(controlReference(w[0]), index).setListIndex(index);
}

void Driver::item(const ScriptLine& l) {
  auto w = l.words(3);
  int index = wholeNumber(w[1], "index");
  if (w[2] != "0" && w[2] != "1")
    throw ScriptError("malformed line: the tick of an item is 0 or 1, not '" + w[2] + "'");
  listControl(controlReference(w[0]), index, true).setSelected(index, w[2] == "1");
}

void Driver::tick(const ScriptLine& l) {
  auto w = l.words(1, 2);
  Reference ref = controlReference(w[0]);
  int times = w.size() == 2 ? wholeNumber(w[1], "count") : 1;
  if (times < 0) throw ScriptError("malformed line: a negative number of ticks");
  forms::Control* c = &control(ref);
  if (c->kind() != Kind::Timer) throw ScriptError(ref.written + " is not a timer");
  for (int i = 0; i < times; ++i) {
    c->tick();
    registry_.collect();
    if (ended()) return;
    // A timer stops with its window: later ticks go to the window of that name loaded now.
    forms::Form* f = registry_.find(ref.form);
    c = f ? f->find(ref.control) : nullptr;
    if (!c) return;
  }
}

void Driver::close(const ScriptLine& l) {
  auto w = l.words(1);
  forms::Form& f = loadedForm(w[0]);
  if (!f.visible()) throw ScriptError("a user cannot close " + w[0] + ": the window is not shown");
  registry_.close(f);
}

// --- The program's assignments and the surroundings -------------------------------------------

void Driver::set(const ScriptLine& l) {
  std::string value;
  auto w = l.wordsAndValue(1, value);
  Reference ref = propertyReference(w[0]);
  if (ref.property->index) throw ScriptError("cannot set an item property in " + ref.written);
  assignProperty(control(ref), ref.property->property, value);
}

void Driver::answer(const ScriptLine& l) {
  auto w = l.words(1, static_cast<size_t>(-1));
  std::vector<platform::Answer> answers;
  for (const auto& b : w) {
    if (b == "OK") answers.push_back(platform::Answer::OK);
    else if (b == "Yes") answers.push_back(platform::Answer::Yes);
    else if (b == "No") answers.push_back(platform::Answer::No);
    else throw ScriptError("malformed line: no button '" + b + "' (OK, Yes or No)");
  }
  for (auto a : answers) dialogs_.queueAnswer(a);
}

void Driver::time(const ScriptLine& l) {
  const std::string t = l.words(1)[0];
  auto digits = [&](size_t at, int max) {
    if (!std::isdigit(static_cast<unsigned char>(t[at])) ||
        !std::isdigit(static_cast<unsigned char>(t[at + 1])))
      return false;
    return (t[at] - '0') * 10 + (t[at + 1] - '0') <= max;
  };
  if (t.size() != 8 || t[2] != ':' || t[5] != ':' || !digits(0, 23) || !digits(3, 59) ||
      !digits(6, 59))
    throw ScriptError("malformed line: '" + t + "' is not a time of day HH:MM:SS");
  clock_.set(t);
}

namespace {
void checkVariableName(const std::string& name) {
  if (name.find('=') != std::string::npos)
    throw ScriptError("malformed line: '" + name + "' cannot name an environment variable");
}
}  // namespace

void Driver::env(const ScriptLine& l) {
  std::string value;
  std::string name = l.wordsAndValue(1, value)[0];
  checkVariableName(name);
  environment_.set(name, value);
}

void Driver::unenv(const ScriptLine& l) {
  std::string name = l.words(1)[0];
  checkVariableName(name);
  environment_.unset(name);
}

void Driver::launcherMode(const ScriptLine& l) {
  std::string mode = l.words(1)[0];
  if (mode != "record" && mode != "real")
    throw ScriptError("malformed line: the launcher is 'record' or 'real', not '" + mode + "'");
  launcher_.setReal(mode == "real");
}

void Driver::sleep(const ScriptLine& l) {
  const std::string s = l.words(1)[0];
  size_t digits = 0, points = 0;
  for (char c : s) {
    if (std::isdigit(static_cast<unsigned char>(c))) ++digits;
    else if (c == '.') ++points;
    else digits = 0, points = 2;  // anything else spoils the number
  }
  if (digits == 0 || points > 1)
    throw ScriptError("malformed line: '" + s + "' is not a number of seconds");
  std::this_thread::sleep_for(std::chrono::duration<double>(std::stod(s)));
}

namespace {
// Files that a script touches stay inside the working folder.
void checkFileName(const std::string& name) {
  std::filesystem::path p(name);
  bool inside = !name.empty() && !p.has_root_path() && !p.has_root_name();
  for (const auto& part : p)
    if (part == "..") inside = false;
  if (!inside) throw ScriptError("the file '" + name + "' is not in the working folder");
}
}  // namespace

void Driver::append(const ScriptLine& l) {
  std::string value;
  std::string name = l.wordsAndValue(1, value)[0];
  checkFileName(name);
  if (!files::appendLine(name, value)) throw ScriptError("could not append to the file " + name);
}

void Driver::remove(const ScriptLine& l) {
  std::string name = l.words(1)[0];
  checkFileName(name);
  std::error_code ec;
  auto st = std::filesystem::symlink_status(name, ec);
  if (ec || !std::filesystem::exists(st)) return;
  if (std::filesystem::is_directory(st)) throw ScriptError("'" + name + "' is a folder, not a file");
  if (!std::filesystem::remove(name, ec) || ec) throw ScriptError("could not remove the file " + name);
}

void Driver::print(const ScriptLine& l) {
  Reference ref = printReference(l.words(1)[0]);
  const PropertyRef& p = *ref.property;
  if (ref.control.empty()) {
    if (p.property == Property::Loaded) {
      if (!registry_.knows(ref.form)) throw ScriptError("no form " + ref.form);
      emit(ref.written + "=" + (registry_.isLoaded(ref.form) ? "1" : "0"));
      return;
    }
    emit(ref.written + "=" + readFormProperty(loadedForm(ref.form), p.property));
    return;
  }
  forms::Control& c = control(ref);
  if (p.property == Property::List && !p.index) {
    readProperty(c, {Property::ListCount, {}});  // a control without items fails here
    std::string prefix = ref.written.substr(0, ref.written.size() - 4);  // without "List"
    for (int i = 0; i < c.listCount(); ++i) emit(prefix + "List(" + std::to_string(i) + ")=" + c.list(i));
    emit(prefix + "ListCount=" + std::to_string(c.listCount()));
    return;
  }
  emit(ref.written + "=" + readProperty(c, p));
}

}  // namespace sg::script
