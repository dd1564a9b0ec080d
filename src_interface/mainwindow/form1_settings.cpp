// The main window's buttons that keep defaults with the interface settings.
#include "mainwindow/form1.h"

namespace sg::mainwindow {

void Form1::Command10_Click() {}
void Form1::Command11_Click() {}
void Form1::saveAdvancedMapSettings_Click() {}

}  // namespace sg::mainwindow
