// Message boxes: one call shows a box and returns the button pressed. The scripted
// implementation records every box and answers from a queue (tests and the script driver).
#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace sg::platform {

enum class Icon { None, Exclamation, Error, Information, Question };
enum class Buttons { OK, YesNo };
enum class Answer { OK, Yes, No };

const char* iconName(Icon icon);        // "exclamation", "error", ...
const char* buttonsName(Buttons b);     // "OK", "YesNo"
const char* answerName(Answer a);       // "OK", "Yes", "No"

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual Answer message(const std::string& text, const std::string& title, Icon icon,
                         Buttons buttons) = 0;
};

struct RecordedMessage {
  std::string text, title;
  Icon icon;
  Buttons buttons;
  Answer answer;
};

class ScriptedDialogs : public Dialogs {
 public:
  Answer message(const std::string& text, const std::string& title, Icon icon,
                 Buttons buttons) override;
  void queueAnswer(Answer a) { answers_.push_back(a); }
  const std::vector<RecordedMessage>& messages() const { return messages_; }
  void clear() { messages_.clear(); answers_.clear(); }
  // Called after each box is recorded (the script driver prints it at once).
  std::function<void(const RecordedMessage&)> onMessage;

 private:
  std::deque<Answer> answers_;
  std::vector<RecordedMessage> messages_;
};

// The system's one title for its boxes.
inline constexpr const char* kTitle = "Strandvale G";

}  // namespace sg::platform
