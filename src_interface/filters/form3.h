// The block filter dialog, Form3 ("Select blocks"): the chosen blocks on the left, the block
// catalogue narrowed by a category or a mod block list on the right; Confirm writes the chosen
// ids into the main window's block filter text.
#pragma once
#include <string>

#include "forms/registry.h"

namespace sg::filters {

class Form3 : public forms::Form {
 public:
  explicit Form3(forms::Registry& registry);
  static const forms::ControlTable& controlTable();

  void Form_Load() override;

  void updateonlylist();
  void loadmodlist();
  void loadmod(int k);
  void setshadowalllist();
  void populatelist();
  void depopulatelist();

  void Command1_Click();  // "Remove checked"
  void Command2_Click();  // "Clear list"
  void Command3_Click();  // "Confirm"
  void Command4_Click();  // "Add checked"
  void Command5_Click();  // "Uncheck all"
  void comboonlyfilter_Click();
  void comboonly_Click();
  void List1_Click();

 private:
  void wireHandlers();
};

}  // namespace sg::filters
