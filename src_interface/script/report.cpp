#include "script/report.h"

namespace sg::script {

namespace {

std::string oneLine(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (c == '\r') out += "<CR>";
    else if (c == '\n') out += "<LF>";
    else out += c;
  }
  return out;
}

}  // namespace

std::string messageLine(const platform::RecordedMessage& m) {
  return std::string("msgbox ") + platform::iconName(m.icon) + ' ' + platform::buttonsName(m.buttons) +
         ' ' + platform::answerName(m.answer) + " | " + oneLine(m.title) + " | " + oneLine(m.text);
}

std::string launchLine(const std::string& command, bool minimised) {
  return "launch " + oneLine(command) + (minimised ? " minimised" : "");
}

}  // namespace sg::script
