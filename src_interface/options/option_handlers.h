// The main window's option handlers that keep dependent controls consistent before the line is
// rewritten: low ram write mode, nether mode, zoom level and the chunk range choice.
#pragma once
#include "options/render_options.h"

namespace sg::options {

void checklowramwrite_Click(RenderOptions& o);
void checknether_Click(RenderOptions& o);
void zoomlevel_Change(RenderOptions& o);
void combolocchunks_Click(RenderOptions& o);

}  // namespace sg::options
