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

  void txtdefapp_Change();
  void txtdeflocalapp_Change();
  void customsavepath_Change();

 private:
  void wireHandlers();
};

}  // namespace sg::settings
