// strandvale-g: the desktop program. Builds the system's windows, starts the main window and
// runs until the program ends. It takes no arguments.
#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <exception>

#include "forms/registry.h"
#include "mainwindow/system_forms.h"
#include "platform/services.h"
#include "qt/display_check.h"
#include "qt/qt_dialogs.h"
#include "qt/realization.h"

int main(int argc, char** argv) {
  sg::platform::ProcessEnvironment environment;
  if (auto message = sg::qt::missingDisplayMessage(environment, argc > 0 ? argv[0] : "")) {
    std::fprintf(stderr, "%s\n", message->c_str());
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("Strandvale G");
  QApplication::setWindowIcon(QIcon::fromTheme("strandvale-g"));
  // Hidden windows are not closed ones: the windows' own rules end the program.
  QApplication::setQuitOnLastWindowClosed(false);

  sg::qt::QtDialogs dialogs;
  sg::platform::PlatformLauncher launcher;
  sg::platform::SystemClock clock;
  sg::platform::Services services{dialogs, launcher, clock, environment};
  sg::forms::Registry registry(services);
  sg::mainwindow::registerSystemForms(registry);
  sg::qt::QtRealization realization(registry, &dialogs);
  try {
    sg::forms::Form& main = registry.get("Form1");
    registry.show(main);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "strandvale-g: %s\n", e.what());
    return 1;
  }
  registry.collect();
  if (registry.ended()) return 0;
  return QApplication::exec();
}
