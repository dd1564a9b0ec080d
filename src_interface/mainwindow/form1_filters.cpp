// The main window's buttons that open the layer and block filter dialogs. Each opening shows
// the dialog without blocking and reloads its choice from the main window's filter text.
#include "filters/form2.h"
#include "filters/form3.h"
#include "mainwindow/form1.h"

namespace sg::mainwindow {

void Form1::Command7_Click() {
  if (!registry().knows("Form2")) return;
  auto& form2 = registry().get<filters::Form2>("Form2");
  form2.show();
  form2.populatelist();
}

void Form1::Command8_Click() {
  if (!registry().knows("Form3")) return;
  auto& form3 = registry().get<filters::Form3>("Form3");
  form3.show();
  form3.control("shadowlist").setText(control("blockfiltertext").text());
  form3.populatelist();
  form3.setshadowalllist();
}

}  // namespace sg::mainwindow
