// The level option line: one line of text per render (world, map name, map options), its
// writer, tokenizer, reader and the reset of the level options to their defaults.
#pragma once
#include <string>
#include <vector>

#include "options/render_entry.h"
#include "options/render_options.h"
#include "platform/dialogs.h"

namespace sg::options {

// The built-in default line.
inline constexpr const char* kBuiltInDefaultLine = "world 1 normal north";

// The line of an entry, in the normal form (every element ends in a blank).
std::string lineOf(const RenderEntry& e);

// The line that the controls describe now, in the normal form (every element ends in a blank).
std::string buildLevelOptionLine(const RenderOptions& o);

// Stores the line of the controls as the selected stack entry and clears the stack lock.
void writeleveloptions(RenderOptions& o);

// Cuts a line into tokens: words outside quotes, and each quoted text as one token with its
// quotes kept.
std::vector<std::string> tokenizeLevelOptionLine(const std::string& line);

// The stack list's selection: when the lock is empty, the selected entry is cut into temppack
// and loaded into the controls.
void stacklist_Click(RenderOptions& o);

// Resets the level options, then applies the tokens of temppack to the controls.
void loadleveloptions(RenderOptions& o);

// Sets every level option control to its default value (request options stay as they are).
void resetleveloptions(RenderOptions& o, platform::Dialogs& dialogs);

// "Reset to default": the selected entry takes the default line in its normal form.
void resetToDefault(RenderOptions& o, platform::Dialogs& dialogs);

}  // namespace sg::options
