// The render words as the main window says them: for each word, the entry or request option
// that holds it and how, and its part of the output name. The words' spelling, arguments and
// help are shared with the tools; this half belongs to the window.
#pragma once
#include <string>
#include <string_view>

#include "options/render_entry.h"
#include "options/request_options.h"
#include "render_words/render_words.h"

namespace sg::options {

// How an option says its word.
enum class Reading {
  Custom,        // world, name, filters and ranges: the writer reads several options
  Checked,       // a check box holding 1
  Unchecked,     // a check box not holding 1 (the default of a pair)
  ListIndex,     // a list on item `index`
  ListNumber,    // a list past its first item; the argument is the item's number
  NumberAbove1,  // a box whose number is above 1; the argument is that number
};

struct WordBinding {
  sgwords::Word id;
  Reading reading = Reading::Custom;
  int index = 0;                                 // ListIndex: the item that says the word
  int RenderEntry::*number = nullptr;            // the entry option of a line word
  std::string RenderEntry::*text = nullptr;      // NumberAbove1: the box's text
  std::string RenderEntry::*list = nullptr;      // a counted list's box
  int RequestOptions::*request = nullptr;        // the request option of a job word
  std::string_view suffix = {};                  // its part of the output name
  int nameRank = 0;                              // where the suffix stands in the name
};

// The binding of a word; a word the window never says has Reading::Custom and no option.
const WordBinding& wordBinding(sgwords::Word id);

// Whether the entry says a line word.
bool says(const RenderEntry& e, const sgwords::RenderWord& w);
// What a level option line writes after the word, each piece followed by a blank.
std::string argumentsOf(const RenderEntry& e, const sgwords::RenderWord& w);
// Whether the request says a job word, and what follows it.
bool says(const RequestOptions& r, const sgwords::RenderWord& w);
std::string argumentsOf(const RequestOptions& r, const sgwords::RenderWord& w);

}  // namespace sg::options
