// The main window's option handlers that keep dependent controls consistent before the line is
// rewritten: low ram write mode, nether mode, zoom level and the chunk range choice.
#pragma once
#include "jobs/render_options.h"

namespace sg::options {

void checklowramwrite_Click(jobs::RenderOptions& o);
void checknether_Click(jobs::RenderOptions& o);
void zoomlevel_Change(jobs::RenderOptions& o);
void combolocchunks_Click(jobs::RenderOptions& o);

}  // namespace sg::options
