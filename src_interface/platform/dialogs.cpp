#include "platform/dialogs.h"

namespace sg::platform {

const char* iconName(Icon icon) {
  switch (icon) {
    case Icon::Exclamation: return "exclamation";
    case Icon::Error: return "error";
    case Icon::Information: return "information";
    case Icon::Question: return "question";
    case Icon::None: break;
  }
  return "none";
}

const char* buttonsName(Buttons b) { return b == Buttons::YesNo ? "YesNo" : "OK"; }

const char* answerName(Answer a) {
  switch (a) {
    case Answer::Yes: return "Yes";
    case Answer::No: return "No";
    case Answer::OK: break;
  }
  return "OK";
}

Answer ScriptedDialogs::message(const std::string& text, const std::string& title, Icon icon,
                                Buttons buttons) {
  Answer a = buttons == Buttons::YesNo ? Answer::Yes : Answer::OK;
  if (!answers_.empty()) {
    a = answers_.front();
    answers_.pop_front();
    // An answer that the box does not offer falls back to its first button.
    if (buttons == Buttons::OK && a != Answer::OK) a = Answer::OK;
    if (buttons == Buttons::YesNo && a == Answer::OK) a = Answer::Yes;
  }
  messages_.push_back({text, title, icon, buttons, a});
  if (onMessage) onMessage(messages_.back());
  return a;
}

}  // namespace sg::platform
