// Message boxes as MessageBoxW. The realization asks whether a box is open before it destroys
// unloaded windows, since a box's own message loop runs underneath a handler.
#pragma once
#include <windows.h>

#include <functional>

#include "platform/dialogs.h"

namespace sg::win32 {

class Win32Dialogs : public platform::Dialogs {
 public:
  platform::Answer message(const std::string& text, const std::string& title, platform::Icon icon,
                           platform::Buttons buttons) override;
  bool open() const { return depth_ > 0; }
  // The window the boxes belong to (the active window of the program when unset).
  void setOwner(std::function<HWND()> owner) { owner_ = std::move(owner); }

 private:
  std::function<HWND()> owner_;
  int depth_ = 0;
};

}  // namespace sg::win32
