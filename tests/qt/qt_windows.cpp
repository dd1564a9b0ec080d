#include "qt_windows.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

namespace sg::test {
namespace {

// The one QApplication of the test program, made before the first test.
class QtApplication : public ::testing::Environment {
 public:
  void SetUp() override {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    app_ = new QApplication(argc_, argv_);
    QApplication::setQuitOnLastWindowClosed(false);
  }
  void TearDown() override {
    settle();
    delete app_;
  }

 private:
  int argc_ = 1;
  char name_[8] = "test_qt";
  char* argv_[2] = {name_, nullptr};
  QApplication* app_ = nullptr;
};

[[maybe_unused]] auto* const kApplication = ::testing::AddGlobalTestEnvironment(new QtApplication);

}  // namespace

void settle() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

QtWindows::~QtWindows() { settle(); }

forms::Form& QtWindows::open(const std::string& name) {
  forms::Form& f = registry.get(name);
  registry.show(f);
  settle();
  return f;
}

qt::FormWindow& QtWindows::window(const std::string& form) {
  qt::FormWindow* w = realization.window(form);
  if (!w) throw std::out_of_range("no window " + form);
  return *w;
}

}  // namespace sg::test
