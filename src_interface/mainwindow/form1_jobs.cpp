// The main window's stack buttons, the Render button and the hidden clearing button.
#include "jobs/render_request.h"
#include "jobs/stack_editing.h"
#include "mainwindow/form1.h"
#include "settings/clear_files.h"

namespace sg::mainwindow {

void Form1::Command1_Click() { auto o = options(); jobs::moveUp(o); }
void Form1::Command2_Click() { auto o = options(); jobs::moveDown(o); }
void Form1::Command3_Click() { auto o = options(); jobs::insertNew(o); }
void Form1::Command4_Click() { auto o = options(); jobs::deleteRow(o); }
void Form1::Command13_Click() { auto o = options(); jobs::duplicateRow(o); }
void Form1::Command5_Click() { jobs::renderRequest(*this); }
void Form1::Command12_Click() { settings::clearAllFiles(registry()); }

}  // namespace sg::mainwindow
