// The main window's start-up sequence and shut-down.
#include "jobs/post_processor_presence.h"
#include "options/render_options.h"
#include "locale/translate.h"
#include "mainwindow/form1.h"
#include "options/default_files.h"
#include "options/level_option_line.h"
#include "options/world_discovery.h"
#include "options/world_handlers.h"
#include "settings/interface_settings.h"

namespace sg::mainwindow {

void Form1::Form_Load() {
  auto o = options();
  // 1. The settings and mods dialogs exist hidden for the whole run.
  for (const char* f : {"Form5", "Form6"})
    if (registry().knows(f)) registry().get(f);
  // 2.
  for (auto* c : {&o.comborotation, &o.combobackground, &o.comboverbosity, &o.combomirroring})
    c->setListIndex(0);
  // 3. - 8.
  options::loaddefaultmapformat(o);
  options::loadnosnooping(o);
  options::loaddefaultoptions(o);
  settings::loadsettingsfile(registry());
  checkpostprocessor();
  options::loadworldfolders(o);
  // 9. The first stack entry, under the stack lock.
  o.lock();
  o.stacklist.addItem(o.defaultset.text());
  o.stacklist.setListIndex(0);
  o.unlock();
  // 10. - 14.
  toggleAdvanced();
  options::resetleveloptions(o, services().dialogs);
  o.stacklist.setList(o.stacklist.listIndex(), o.defaultset.text());
  options::stacklist_Click(o);
  options::writeleveloptions(o);
  // 15.
  options::deriveStartupMapName(o);
  // 16.
  if (o.comboworldfolders.listIndex() + 1 == o.comboworldfolders.listCount())
    o.txtcustompath.setEnabled(true);
  // 17. The translation window exists from here on; this window is translated last.
  locale::translateForm(registry(), "Form1");
  // 18.
  if (control("Label28").caption() == "@author") control("Label28").setCaption("");
}

void Form1::checkpostprocessor() {
  auto o = options();
  jobs::checkpostprocessor(o);
}

bool Form1::Form_QueryUnload() { return true; }

void Form1::Form_Unload() {
  if (control("donotterminate").value() == 0) registry().endProgram();
}

}  // namespace sg::mainwindow
