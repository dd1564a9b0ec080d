// The world, custom path, map name and output file boxes of the main window.
#pragma once
#include "options/render_options.h"

namespace sg::options {

// A world entry was selected: the custom path box follows "Custom" (the last entry), a listed
// world proposes its map name; the line is rewritten unless the stack is locked.
void comboworldfolders_Click(RenderOptions& o);
// The custom path box changed or an entry of its history was picked: double quotes go, and a
// path that does not end in a separator proposes its map name and rewrites the line.
void txtcustompath_Change(RenderOptions& o);
// The map name never holds a separator or a double quote.
void txtmapname_Change(RenderOptions& o);
// The output file never holds a double quote; it is not part of the line.
void txtoutputfile_Change(RenderOptions& o);

// The map name that start-up proposes for the selected world when the line named none.
void deriveStartupMapName(RenderOptions& o);

}  // namespace sg::options
