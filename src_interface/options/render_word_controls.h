// The render words as the main window says them: which word its controls hold now, and what
// follows the word in a level option line.
#pragma once
#include <string>

#include "options/render_options.h"
#include "render_words/render_words.h"

namespace sg::options {

// The control the word's table row names.
forms::Control& controlOf(const RenderOptions& o, std::string_view name);
// Whether the controls hold the word now (every row with a control; the world words by
// the world folder list).
bool says(const RenderOptions& o, const sgwords::RenderWord& w);
// What a level option line writes after the word, each piece followed by a blank.
std::string argumentsOf(const RenderOptions& o, const sgwords::RenderWord& w);

}  // namespace sg::options
