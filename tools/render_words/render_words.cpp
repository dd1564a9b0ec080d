#include "render_words/render_words.h"

#include <algorithm>

namespace sgwords {

namespace {

// Line order: a level option line writes the words it holds in this order, and --help lists
// each section in it.
constexpr RenderWord kWords[] = {
    {.id = Word::Folder, .word = "folder", .section = Section::World, .writer = Writer::Line,
     .arguments = Arguments::Text,
     .helpArguments = "\"F\"", .help = "a world folder of the save folder"},
    {.id = Word::World, .word = "world", .section = Section::World, .writer = Writer::Reader,
     .arguments = Arguments::Text, .helpArguments = "N",
     .help = "the save folder's WorldN"},
    {.id = Word::Custom, .word = "custom", .section = Section::World, .writer = Writer::Line,
     .arguments = Arguments::Text,
     .helpArguments = "\"PATH\"", .help = "a world anywhere"},
    {.id = Word::Name, .word = "name", .section = Section::World, .writer = Writer::Line,
     .arguments = Arguments::Text,
     .helpArguments = "\"NAME\"", .help = "the map's name (and its offset and block files)"},
    {.id = Word::Normal, .word = "normal", .section = Section::Style, .writer = Writer::Line,
     .help = "seen from above, each column in its highest block's colour in its biome's\n"
           "tints, water darker the deeper it is, slopes lit from the north-west"},
    {.id = Word::HeightmapColor, .word = "heightmapcolor", .section = Section::Style, .writer = Writer::Line,
     .help = "the highest solid block's level from the sea level: blues below it,\n"
           "darker with depth; green, yellow, brown, grey and white above it"},
    {.id = Word::HeightmapGray, .word = "heightmapgray", .section = Section::Style, .writer = Writer::Line,
     .help = "the same from black (the world's bottom) to white (its top)"},
    {.id = Word::Lightmap, .word = "lightmap", .section = Section::Style, .writer = Writer::Line,
     .help = "the map from above, tinted by the light at the surface: red where no\n"
           "block lights it (monsters spawn there once the sky is dark), orange where\n"
           "it is dim (light 1 to 7), yellow to white where blocks light it (8 to 15);\n"
           "all of it darker at twilight and at night, as the sky's light fades"},
    {.id = Word::Oblique, .word = "oblique", .section = Section::Style, .writer = Writer::Line,
     .help = "from above and the viewer's side: cliffs and facing sides show"},
    {.id = Word::ObliqueAngled, .word = "obliqueangled", .section = Section::Style, .writer = Writer::Line,
     .help = "the oblique view turned 45 degrees"},
    {.id = Word::Isometric, .word = "isometric", .section = Section::Style, .writer = Writer::Line,
     .help = "2:1 blocks with a lit top and two shaded sides"},
    {.id = Word::North, .word = "north", .section = Section::Orientation, .writer = Writer::Line,
     .help = "north up"},
    {.id = Word::East, .word = "east", .section = Section::Orientation, .writer = Writer::Line,
     .help = "east up"},
    {.id = Word::South, .word = "south", .section = Section::Orientation, .writer = Writer::Line,
     .help = "south up"},
    {.id = Word::West, .word = "west", .section = Section::Orientation, .writer = Writer::Line,
     .help = "west up"},
    {.id = Word::OnlyLayers, .word = "onlylayers", .section = Section::Filter, .writer = Writer::Line,
     .arguments = Arguments::CountedList, .minimum = -2048,
     .maximum = 2047, .helpArguments = "N L...",
     .help = "only these levels (Y, as they stand, below 0 too)"},
    {.id = Word::NotLayers, .word = "notlayers", .section = Section::Filter, .writer = Writer::Line,
     .arguments = Arguments::CountedList, .minimum = -2048,
     .maximum = 2047, .helpArguments = "N L...",
     .help = "every level but these"},
    {.id = Word::OnlyBlocks, .word = "onlyblocks", .section = Section::Filter, .writer = Writer::Line,
     .arguments = Arguments::CountedList, .minimum = 0, .maximum = 4095,
     .helpArguments = "N ID...",
     .help = "only these block ids (newer blocks by the ids they descend from)"},
    {.id = Word::NotBlocks, .word = "notblocks", .section = Section::Filter, .writer = Writer::Line,
     .arguments = Arguments::CountedList, .minimum = 0, .maximum = 4095,
     .helpArguments = "N ID...", .help = "every block but these"},
    {.id = Word::Twilight, .word = "twilight", .section = Section::Option, .writer = Writer::Line,
     .help = "sky light dimmed; torches, lava and glowstone glow from the stored light"},
    {.id = Word::Night, .word = "night", .section = Section::Option, .writer = Writer::Line,
     .help = "darker still"},
    {.id = Word::CheckEachLayer, .word = "checkeachlayer", .section = Section::Option,
     .writer = Writer::Line, .help = "taken and passed by: the program makes one render per level of the filter"},
    {.id = Word::IgnoreWater, .word = "ignorewater", .section = Section::Option, .writer = Writer::Line,
     .help = "water is see-through"},
    {.id = Word::Cave, .word = "cave", .section = Section::Option, .writer = Writer::Line,
     .help = "the floors of enclosed spaces, coloured by their depth"},
    {.id = Word::Nether, .word = "nether", .section = Section::Option, .writer = Writer::Line,
     .help = "the Nether (DIM-1), from under its bedrock roof"},
    {.id = Word::Dimension, .word = "dimension", .section = Section::Option, .writer = Writer::Line,
     .arguments = Arguments::Text,
     .fixedArgument = "DIM3", .helpArguments = "DIMn",
     .help = "another dimension's folder"},
    {.id = Word::Wooloscopy, .word = "wooloscopy", .section = Section::Option, .writer = Writer::Line,
     .help = "wool in its colours, everything else a dim grey"},
    {.id = Word::ForceBrightness, .word = "forcebrightness", .section = Section::Option,
     .writer = Writer::Line, .help = "full light everywhere"},
    {.id = Word::Flip, .word = "flip", .section = Section::Option, .writer = Writer::Line,
     .help = "the finished map upside down"},
    {.id = Word::Rotate, .word = "rotate", .section = Section::Option, .writer = Writer::Line,
     .help = "the finished map turned 90 degrees clockwise"},
    {.id = Word::Xray, .word = "fool_xray", .section = Section::Option, .writer = Writer::Line,
     .help = "natural stone, dirt, gravel, deepslate and netherrack are see-through"},
    {.id = Word::Cake, .word = "fool_cake", .section = Section::Option, .writer = Writer::Line,
     .help = "the map as a cut slice: its sides show every level (oblique, isometric)"},
    {.id = Word::UpsideDown, .word = "fool_upsidedown", .section = Section::Option, .writer = Writer::Line,
     .help = "the world seen from below"},
    {.id = Word::Granularity, .word = "granularity", .section = Section::Option, .writer = Writer::Line,
     .arguments = Arguments::Whole,
     .minimum = 0, .maximum = 1000, .helpArguments = "N",
     .help = "per-block colour noise, 0 clear to 8 coarse"},
    {.id = Word::CropWhitespace, .word = "cropwhitespace", .section = Section::Option,
     .writer = Writer::Line, .help = "clear borders cut off"},
    {.id = Word::ZoomLevel, .word = "zoomlevel", .section = Section::Option, .writer = Writer::Line,
     .arguments = Arguments::Decimal,
     .helpArguments = "Z",
     .help = "Z pixels a block from above; the projected styles scaled by Z"},
    {.id = Word::Mirror, .word = "mirror", .section = Section::Option, .writer = Writer::Line,
     .help = "left and right exchanged (the axis the orientation leaves free)"},
    {.id = Word::SAutoMirror, .word = "sautomirror", .section = Section::Option, .writer = Writer::Line,
     .help = "angled and isometric views from east or west are left as the renderer\n"
           "draws them, mirror images, for the job's post processor to mirror back;\n"
           "the final image is the true view either way, mirrored only when\n"
           "mirroring is asked for"},
    {.id = Word::AutoMirror, .word = "automirror", .section = Section::Option, .writer = Writer::Line,
     .help = "angled and isometric views from east or west come out true (the default)"},
    {.id = Word::LowRamWrite, .word = "lowramwrite", .section = Section::Option, .writer = Writer::Line,
     .help = "the map is written band by band, holding little of it"},
    {.id = Word::ZoomableMap, .word = "zoomablemap", .section = Section::Option, .writer = Writer::Line,
     .help = "also makes NAME_map beside the image: its tiles at every zoom and index.html,\n"
           "a page that pans and zooms across it, opened from disk in any browser"},
    {.id = Word::ListAllBlocks, .word = "listallblocks", .section = Section::Option, .writer = Writer::Line,
     .help = "writes NAMEBlocks.txt: every block drawn, its count and where"},
    {.id = Word::MakeOffsetFile, .word = "makeoffsetfile", .section = Section::Option,
     .writer = Writer::Line, .help = "writes NAMEOffset.txt with the range drawn"},
    {.id = Word::Rectangle, .word = "rectangle", .section = Section::Option, .writer = Writer::Line,
     .arguments = Arguments::FourWhole,
     .minimum = -2000000, .maximum = 2000000, .helpArguments = "X0 X1 Z0 Z1", .help = "only the chunks in this range"},
    {.id = Word::SpacedRectangle, .word = "spacedrectangle", .section = Section::Option,
     .writer = Writer::Line, .arguments = Arguments::FourWhole, .minimum = -2000000, .maximum = 2000000, .helpArguments = "X0 X1 Z0 Z1",
     .help = "the same, keeping the empty space of the whole range"},
    {.id = Word::NoBiomes, .word = "nobiomes", .section = Section::Option, .writer = Writer::Renderer,
     .help = "grass, leaves and water in the temperate default's colours everywhere"},
    {.id = Word::NoCache, .word = "nocache", .section = Section::Option, .writer = Writer::Renderer,
     .help = "draws everything afresh, and keeps nothing in the render cache (kept under the\n"
           "user's cache folder: what was drawn of each region, and finished maps, reused\n"
           "while the world and the options that change the picture stay the same)"},
    {.id = Word::Threads, .word = "threads", .section = Section::Option, .writer = Writer::Renderer,
     .arguments = Arguments::Whole, .minimum = 1, .maximum = 256,
     .helpArguments = "N", .help = "draw with N threads (default: one per core)"},
    {.id = Word::Verbosity, .word = "verbosity", .section = Section::Option, .writer = Writer::Tail,
     .arguments = Arguments::Whole,
     .minimum = 0, .maximum = 3, .helpArguments = "1..3",
     .help = "progress on standard output per stage, per region, per chunk"},
    {.id = Word::Alpha, .word = "alpha", .section = Section::Option, .writer = Writer::Tail,
     .help = "read the Alpha chunk files"},
    {.id = Word::Beta, .word = "beta", .section = Section::Option, .writer = Writer::Tail,
     .help = "read the Beta region files"},
    {.id = Word::Progress, .word = "progress", .section = Section::Tail, .writer = Writer::Tail,
     .arguments = Arguments::Text, .helpArguments = "FILE",
     .help = "the progress in percent, in FILE's first line"},
    {.id = Word::Environment, .word = "environment", .section = Section::Tail, .writer = Writer::Tail,
     .arguments = Arguments::Text, .helpArguments = "\"DIR\"",
     .help = "the save folder"},
    {.id = Word::OutFile, .word = "outfile", .section = Section::Tail, .writer = Writer::Tail,
     .arguments = Arguments::Text, .helpArguments = "FILE",
     .help = "the image to write (default NAME.png)"},
};

constexpr bool inIdOrder() {
  for (size_t i = 0; i < std::size(kWords); ++i)
    if (static_cast<size_t>(kWords[i].id) != i) return false;
  return true;
}
static_assert(inIdOrder(), "the table lists every word once, in the order of Word");

constexpr const char* kHeadings[] = {
    "World:", "Styles:",
    "Orientation (which way is up; it turns the view itself, so the projected styles show other faces):",
    "Filters:", "Options:", "Tail:"};

}  // namespace

std::span<const RenderWord> renderWords() { return kWords; }

const RenderWord& renderWord(Word id) { return kWords[static_cast<size_t>(id)]; }

const RenderWord* findRenderWord(std::string_view word) {
  for (const auto& w : kWords)
    if (w.word == word) return &w;
  return nullptr;
}

std::string renderWordsHelp() {
  constexpr size_t kColumn = 22;  // where the texts begin, after two blanks of indent
  std::string help;
  for (int s = 0; s < static_cast<int>(std::size(kHeadings)); ++s) {
    help += kHeadings[s];
    help += '\n';
    for (const auto& w : kWords) {
      if (static_cast<int>(w.section) != s) continue;
      std::string left(w.word);
      if (!w.helpArguments.empty()) left += ' ' + std::string(w.helpArguments);
      help += "  " + left + std::string(left.size() < kColumn ? kColumn - left.size() : 2, ' ');
      for (char c : w.help) {
        help += c;
        if (c == '\n') help += std::string(kColumn + 2, ' ');
      }
      help += '\n';
    }
  }
  return help;
}

bool ownViewMirrored(Word style, Word orientation) {
  const bool turned = orientation == Word::East || orientation == Word::West;
  return turned && (style == Word::ObliqueAngled || style == Word::Isometric);
}

}  // namespace sgwords
