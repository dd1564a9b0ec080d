// The world, custom path, map name and output file boxes of the main window.
#pragma once
#include "jobs/render_options.h"

namespace sg::options {

void comboworldfolders_Click(jobs::RenderOptions& o);
void txtcustompath_Change(jobs::RenderOptions& o);
void txtmapname_Change(jobs::RenderOptions& o);
void txtoutputfile_Change(jobs::RenderOptions& o);

}  // namespace sg::options
