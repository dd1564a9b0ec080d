// The main window, Form1: the owner of the render options and the stack list. Its handlers are
// named after control and event; their bodies call the procedures of the subsystem that owns
// each rule, and are kept in files grouped by that subsystem (form1_*.cpp).
#pragma once
#include <string>
#include <vector>

#include "forms/registry.h"
#include "options/render_options.h"

namespace sg::mainwindow {

class Form1 : public forms::Form {
 public:
  static constexpr int kNarrowWidth = 5250;
  static constexpr int kWideWidth = 12600;
  static constexpr int kDesignWidth = 13800;
  static constexpr int kDesignHeight = 8010;

  explicit Form1(forms::Registry& registry);

  static const forms::ControlTable& controlTable();
  static std::vector<std::string> translateCaptionList();

  options::RenderOptions options() { return options::RenderOptions(*this); }

  // Start-up and shut-down (form1_startup.cpp).
  void Form_Load() override;
  bool Form_QueryUnload() override;
  void Form_Unload() override;
  void checkpostprocessor();

  // The frame: widths, panels, title, other windows (form1_frame.cpp).
  void toggleAdvanced();
  void hideframes();
  void Command6_Click();
  void toggleI_Click();
  void toggleL_Click();
  void toggleR_Click();
  void toggleU_Click();
  void Label14_DblClick();
  void Command7_Click();
  void Command8_Click();
  void Command14_Click();
  void Command16_Click();
  // The last job's line.
  void cmdopenimage_Click();
  void cmdopenfolder_Click();
  void cmdopenmap_Click();

  // The level option line and the world boxes (form1_options.cpp).
  void stacklist_Click();
  void plainOption_Changed();
  void checklowramwrite_Click();
  void checknether_Click();
  void zoomlevel_Change();
  void combolocchunks_Click();
  void combolocchunks_Change();
  void manrange_Change();
  void Command9_Click();
  void comboworldfolders_Click();
  void txtcustompath_Change();
  void txtcustompath_Click();
  void txtcustompath_LostFocus();
  void txtmapname_Change();
  void txtoutputfile_Change();

  // The stack buttons, the Render button and clearing (form1_jobs.cpp).
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Command13_Click();
  void Command5_Click();
  void Command12_Click();

  // Defaults kept with the interface settings (form1_settings.cpp).
  void Command10_Click();
  void Command11_Click();
  void saveAdvancedMapSettings_Click();

 private:
  void wireHandlers();
  void togglePanel(const char* frame);
};

}  // namespace sg::mainwindow
