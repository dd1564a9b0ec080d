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
  // Writes what the window shows to a PNG file; false with a reason.
  std::function<bool(const std::string& form, const std::filesystem::path& file, std::string& error)> grab;
};

// The folder that SG_SCREENSHOT_DIR names, made and absolute; empty when it names none (the
// pictures are then not wanted).
std::filesystem::path screenshotFolder();

// The main window narrow and wide with each panel and after a double click on its title, the
// layer and block dialogs, the settings, the mods, and the log window following a job's log,
// each picture written into the screenshot folder under its name.
void tourEveryWindow(const WindowTour& tour);

// The tour through a test's windows of a realization (its registry, its services and open()).
template <class Windows>
void tourEveryWindowOf(Windows& w, std::function<void(const std::string&, const std::string&)> click,
                       std::function<bool(const std::string&, const std::filesystem::path&, std::string&)> grab) {
  tourEveryWindow({.registry = w.registry,
                   .services = w.svc,
                   .open = [&w](const std::string& form) { w.open(form); },
                   .click = std::move(click),
                   .grab = std::move(grab)});
}

// What a screenshot test says when no pictures are wanted.
inline constexpr const char* kNoScreenshotsWanted = "set SG_SCREENSHOT_DIR to write the pictures";

}  // namespace sg::test
