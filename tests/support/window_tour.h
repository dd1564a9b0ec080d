// The way through every window and panel a user reaches, for pictures of any realization of the
// system's windows: the caller says how a window is opened, a button pressed and a picture
// taken; the tour sets up two worlds and does the rest in the working folder.
#pragma once
#include <filesystem>
#include <functional>
#include <string>

#include "forms/registry.h"
#include "support/test_services.h"

namespace sg::test {

struct WindowTour {
  forms::Registry& registry;
  TestServices& services;
  std::function<void(const std::string& form)> open;
  std::function<void(const std::string& form, const std::string& button)> click;
  std::function<void(const std::string& form, const std::string& picture)> shot;
};

// The folder that SG_SCREENSHOT_DIR names, made and absolute; empty when it names none (the
// pictures are then not wanted).
std::filesystem::path screenshotFolder();

// The main window narrow and wide with each panel and after a double click on its title, the
// layer and block dialogs, the settings, the mods, and the log window following a job's log.
void tourEveryWindow(const WindowTour& tour);

}  // namespace sg::test
