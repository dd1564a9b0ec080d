// The main window's stack buttons, the Render button and the hidden clearing button.
#include "mainwindow/form1.h"

namespace sg::mainwindow {

void Form1::Command1_Click() {}
void Form1::Command2_Click() {}
void Form1::Command3_Click() {}
void Form1::Command4_Click() {}
void Form1::Command13_Click() {}
void Form1::Command5_Click() {}
void Form1::Command12_Click() {}

}  // namespace sg::mainwindow
