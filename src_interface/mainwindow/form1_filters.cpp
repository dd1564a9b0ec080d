// The main window's buttons that open the layer and block filter dialogs.
#include "mainwindow/form1.h"

namespace sg::mainwindow {

void Form1::Command7_Click() {}
void Form1::Command8_Click() {}

}  // namespace sg::mainwindow
