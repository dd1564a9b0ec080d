// The layer filter dialog, Form2 ("Select layers"): single layers and ranges of layers 0 to 127
// are added to a sorted list beside a legend of notable heights; Confirm writes the list into
// the main window's layer filter text.
#pragma once
#include <string>

#include "forms/registry.h"

namespace sg::filters {

class Form2 : public forms::Form {
 public:
  static constexpr int kLowestLayer = 0;
  static constexpr int kHighestLayer = 127;

  explicit Form2(forms::Registry& registry);
  static const forms::ControlTable& controlTable();
  // The twelve legend lines joined by carriage returns.
  static const std::string& legend();

  void Form_Load() override;

  void populatelist();
  void addThis(int layer);

  void add1_Click();      // "Add to list"
  void addm_Click();      // "Add multiple"
  void Command1_Click();  // "Remove checked"
  void Command2_Click();  // "Clear list"
  void Command3_Click();  // "Confirm"
  void Text1_Change();
  void Text2_Change();
  void Text3_Change();

 private:
  void wireHandlers();
};

}  // namespace sg::filters
