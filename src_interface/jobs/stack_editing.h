// The stack list's buttons: move the selected render up or down, insert a new one from the
// default line, delete it, or duplicate it. Rows are rearranged under the stack lock so that
// the intermediate selections load nothing.
#pragma once
#include "options/render_options.h"

namespace sg::jobs {

void moveUp(options::RenderOptions& o);         // Command1
void moveDown(options::RenderOptions& o);       // Command2
void insertNew(options::RenderOptions& o);      // Command3
void deleteRow(options::RenderOptions& o);      // Command4
void duplicateRow(options::RenderOptions& o);   // Command13

}  // namespace sg::jobs
