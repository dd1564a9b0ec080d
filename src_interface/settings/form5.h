// The Advanced Interface Settings dialog, Form5: the holder of the interface settings record.
// It is loaded hidden at the main window's start-up and lives for the whole run.
#pragma once
#include "forms/registry.h"
#include "settings/interface_settings.h"

namespace sg::settings {

class Form5 : public forms::Form {
 public:
  static constexpr int kWidth = 9690;
  static constexpr int kDesignHeight = 6000;
  static constexpr int kLoadedHeight = 5670;

  explicit Form5(forms::Registry& registry);

  static const forms::ControlTable& controlTable();

  InterfaceSettings settings() { return InterfaceSettings(*this); }

  void Form_Load() override;
  // The close box only hides the dialog, so that the record survives.
  bool Form_QueryUnload() override;

  // The saves folder and the flags (form5.cpp).
  void txtdefapp_Change();
  void txtdeflocalapp_Change();
  void customsavepath_Change();
  void setting_Click();

  // The custom path history, kept position for position with the main window's custom path
  // list (form5_history.cpp).
  void custompathlist_Click();
  void custompathlist_DblClick();
  void custompathinput_Change();
  void Command3_Click();  // Move up
  void Command4_Click();  // Move down
  void Command5_Click();  // Delete
  void Command7_Click();  // Duplicate

  // The bottom row (form5.cpp).
  void Command1_Click();  // Clear all files
  void Command2_Click();  // Close
  void Command6_Click();  // Restart

 private:
  void wireHandlers();
  // The main window's custom path list, or null while there is no main window.
  forms::Control* mainHistory() const;
  // Exchanges the entries at i and j of both lists and selects j in the dialog.
  void exchange(int i, int j);
  // After a restart that could not read the history back, the main window gets the dialog's.
  void bringMainHistoryInStep();
};

}  // namespace sg::settings
