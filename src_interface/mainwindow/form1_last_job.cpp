// The main window's line of the last job: its buttons open what the job made.
#include "mainwindow/form1.h"
#include "monitor/last_job.h"

namespace sg::mainwindow {

void Form1::cmdopenimage_Click() { monitor::openLastJob(*this, platform::Opening::File); }
void Form1::cmdopenfolder_Click() { monitor::openLastJob(*this, platform::Opening::Folder); }
void Form1::cmdopenmap_Click() { monitor::openLastJob(*this, platform::Opening::Page); }

}  // namespace sg::mainwindow
