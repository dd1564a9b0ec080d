// The mods dialog, Form6 ("Mods"): one switch per supported game modification. The Aether
// switch exchanges the main window's "Nether mode" check box for its dimension chooser.
#pragma once
#include "forms/registry.h"

namespace sg::filters {

class Form6 : public forms::Form {
 public:
  static constexpr int kWidth = 2880;
  static constexpr int kHeight = 1230;

  explicit Form6(forms::Registry& registry);

  static const forms::ControlTable& controlTable();

  // The close box only hides the dialog, so that the switch keeps its state for the run.
  bool Form_QueryUnload() override;

  void CheckAether_Click();

  // Shows on the main window the controls that the switch's current value calls for.
  void applyToMainWindow();
};

}  // namespace sg::filters
