// The render words: the arguments of one render as the program writes them (into a level
// option line and the job's render command) and as the renderer reads them. Each word is
// defined once, in one table: its spelling, who writes it, the arguments that follow it and
// its help text. Which of the window's options says a word, and its part of the output name,
// are the window's own half of the table.
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
  CropWhitespace, ZoomLevel, Mirror, SAutoMirror, AutoMirror, LowRamWrite, ZoomableMap, ListAllBlocks,
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
  Arguments arguments = Arguments::None;
  std::string_view fixedArgument = {};  // the one argument a line writes, when there is one
  long minimum = 0, maximum = 0;        // the range of whole numbers, where one is checked
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

// Whether the renderer's own view of a style from an orientation is the mirror image of the
// world as seen: the east and west views of the angled styles are. Whoever finishes the map
// (the renderer under automirror, the job's post-processing under sautomirror) turns it true.
bool ownViewMirrored(Word style, Word orientation);

}  // namespace sgwords
