// strandvale-g.exe: the Windows program. Builds the system's windows with the Win32 controls,
// shows the main window and runs until the program ends. It takes no arguments.
#include <windows.h>
#include <commctrl.h>

#include <exception>
#include <string>

#include "forms/registry.h"
#include "mainwindow/system_forms.h"
#include "platform/first_start.h"
#include "platform/services.h"
#include "win32/realization.h"
#include "win32/wide_text.h"
#include "win32/win32_dialogs.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES |
                                                                  ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  sg::win32::Win32Dialogs dialogs;
  sg::platform::PlatformLauncher launcher;
  sg::platform::SystemClock clock;
  sg::platform::ProcessEnvironment environment;
  sg::platform::Services services{dialogs, launcher, clock, environment};
  // The working folder is the current folder: the shortcut's start folder, or the portable
  // zip's own. The jobs run the tools from there; the first start without the game writes a
  // demo world there.
  const std::string programFolder = sg::platform::programFolder();
  sg::platform::bringRenderToolsIn(programFolder);
  sg::platform::writeDemoWorldOnFirstStart(programFolder, environment);
  sg::forms::Registry registry(services);
  sg::mainwindow::registerSystemForms(registry);
  sg::win32::Win32Realization realization(registry, &dialogs);
  try {
    registry.show(registry.get("Form1"));
  } catch (const std::exception& e) {
    MessageBoxW(nullptr, sg::win32::widen(e.what()).c_str(), L"Strandvale G", MB_OK | MB_ICONERROR);
    return 1;
  }
  registry.collect();
  if (registry.ended()) return 0;
  return realization.run();
}
