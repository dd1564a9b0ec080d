// The renderer's words as --help lists them, from the table of render words.
#include "render_words/render_words.h"
#include "renderer/renderer.h"

namespace sgrender {

const char* rendererHelp() {
  static const std::string help =
      "usage: strandvale_g_renderer.exe WORLD [NAME] [STYLE] [ORIENTATION] [OPTIONS...] [TAIL...]\n" +
      sgwords::renderWordsHelp();
  return help.c_str();
}

}  // namespace sgrender
