// The render words: the arguments of one render as the program writes them (into a level
// option line and the job's render command) and as the renderer reads them. Each word is
// defined once, in one table: its spelling, the main window's control that says it and how,
// the arguments that follow it, its part of the output name and its help text.
#pragma once
#include <span>
#include <string>
#include <string_view>

namespace sgwords {

// Every word, in the order a level option line writes them. Adding a word here makes the
// compiler point at each switch that must learn it.
enum class Word {
  Folder, World, Custom, Name,
  Normal, HeightmapColor, HeightmapGray, Lightmap, Oblique, ObliqueAngled, Isometric,
  North, East, South, West,
  OnlyLayers, NotLayers, OnlyBlocks, NotBlocks,
  Twilight, Night, CheckEachLayer, IgnoreWater, Cave, Nether, Dimension,
  Wooloscopy, ForceBrightness, Flip, Rotate, Xray, Cake, UpsideDown, Granularity,
  CropWhitespace, ZoomLevel, Mirror, SAutoMirror, AutoMirror, LowRamWrite, ListAllBlocks,
  MakeOffsetFile, Rectangle, SpacedRectangle,
  NoBiomes, NoCache, Threads, Verbosity, Alpha, Beta,
  Progress, Environment, OutFile,
};

// The groups of --help.
enum class Section { World, Style, Orientation, Filter, Option, Tail };

// Who writes the word.
enum class Writer {
  Line,      // the level option line, from the main window's controls
  Tail,      // the job's render command, after the line, from the request options
  Renderer,  // nobody: the renderer's own, for a player typing a command
  Reader,    // nobody writes it; it is read from lines written by hand (world N)
};

// How the main window's control says a line word.
enum class Reading {
  Custom,        // world, name, filters and ranges: the line writer reads several controls
  Checked,       // a check box holding 1
  Unchecked,     // a check box not holding 1 (the default of a pair)
  ListIndex,     // a drop-down list on item `index`
  ListNumber,    // a drop-down list past its first item; the argument is the item's number
  NumberAbove1,  // a text box whose number is above 1; the argument is that number
};

// What follows the word.
enum class Arguments {
  None,
  Text,         // one value (a quoted text in a line)
  Whole,        // one whole number
  Decimal,      // one number with an optional fraction
  CountedList,  // a count, then that many whole numbers
  FourWhole,    // four whole numbers
};

struct RenderWord {
  Word id;
  std::string_view word;
  Section section;
  Writer writer;
  std::string_view control = {};  // the main window's control that says it; empty when none
  Reading reading = Reading::Custom;
  int index = 0;                   // ListIndex: the item that says the word
  Arguments arguments = Arguments::None;
  std::string_view fixedArgument = {};  // the one argument a line writes, when there is one
  std::string_view valueControl = {};   // the control that holds a counted list
  long minimum = 0, maximum = 0;        // the range of whole numbers, where one is checked
  std::string_view suffix = {};  // its part of the output name; empty when it has none
  int nameRank = 0;              // where the suffix stands in the name
  std::string_view helpArguments = {};
  std::string_view help = {};    // --help's text; a '\n' continues it on the next line
};

// Every word, in line order.
std::span<const RenderWord> renderWords();
const RenderWord& renderWord(Word id);
// The word of that spelling (exact, as the renderer reads it); nullptr when there is none.
const RenderWord* findRenderWord(std::string_view word);
// The words of a section in line order, as the renderer's `--help` lists them.
std::string renderWordsHelp();

// A control the level option reset puts back, and the value it takes.
struct OptionControl {
  std::string_view control;
  enum Kind { Value, ListIndex, Text } kind;
  int number;              // Value, ListIndex
  std::string_view text;   // Text
};

// The controls of the level options, in the order the reset puts them back: the order matters,
// since each assignment runs that control's handler.
std::span<const OptionControl> optionControls();

}  // namespace sgwords
