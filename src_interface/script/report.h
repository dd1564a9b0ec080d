// The driver's output lines for what happens while a script runs: message boxes, job starts
// and the end of the program.
#pragma once
#include <string>

#include "platform/dialogs.h"
#include "platform/launcher.h"

namespace sg::script {

// "msgbox ICON BUTTONS ANSWER | TITLE | TEXT", with every CR of the text as <CR> and every LF
// as <LF>, so that one box is one line.
std::string messageLine(const platform::RecordedMessage& m);

// "launch COMMAND", followed by " minimised" when the job starts minimised.
std::string launchLine(const std::string& command, bool minimised);

}  // namespace sg::script
