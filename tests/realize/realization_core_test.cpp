// The realization core with a toolkit of its own, recording what it is asked to do: model
// changes reach the widgets under the echo guard, user actions reach the model unless they are
// echoes, a handler's failure stays in the binder, unloaded windows go only once no handler runs
// and no message box is open, and the scale keeps touching controls touching.
#include <gtest/gtest.h>

#include <stdexcept>

#include "forms/registry.h"
#include "realize/binder_core.h"
#include "realize/layout_scale.h"
#include "realize/realization_core.h"
#include "support/probe_form.h"
#include "support/test_services.h"

using namespace sg;
using forms::Prop;

namespace {

// A widget that remembers what it was shown, and can act as a user on its control.
class FakeBinder : public realize::BinderCore {
 public:
  FakeBinder(forms::Control& c, realize::WindowActions& actions, std::vector<std::string>& log)
      : BinderCore(c), actions_(actions), log_(log) {}
  // The user types into the widget; the widget's own change signal comes with it.
  void userTypes(const std::string& text) {
    fromUser([&](forms::Control& c) { c.setText(text); });
  }
  void userActs(const std::function<void(forms::Control&)>& action) { fromUser(action); }
  bool echoingNow() const { return echoing(); }

 protected:
  bool hasWidget() const override { return true; }
  void showEnabled(bool on) override { log_.push_back(std::string("enabled ") + (on ? "1" : "0")); }
  void showVisible(bool on) override { log_.push_back(std::string("visible ") + (on ? "1" : "0")); }
  void place() override { log_.push_back("place"); }
  void charsetChanged() override { log_.push_back("font"); }
  void show(Prop p) override {
    log_.push_back("show " + std::to_string(static_cast<int>(p)));
    // A widget that signals its change when the model sets it: the echo must not reach the model.
    if (p == Prop::Text && control()) userTypes("echo of " + control()->text());
  }
  void userActionDone() override { actions_.userActionDone(); }

 private:
  realize::WindowActions& actions_;
  std::vector<std::string>& log_;
};

struct FakeWindow {
  FakeWindow(forms::Form& form, realize::WindowActions& actions, std::vector<std::string>& log) : log_(log) {
    for (auto& c : form.controls()) binders_.push_back(std::make_unique<FakeBinder>(*c, actions, log));
  }
  ~FakeWindow() { log_.push_back("window destroyed"); }
  const std::vector<std::unique_ptr<FakeBinder>>& binders() const { return binders_; }
  void detach() {
    for (auto& b : binders_) b->detach();
  }
  void hide() { log_.push_back("hide"); }
  void showSizeAndCaption() { log_.push_back("size and caption"); }
  void tabOrderChanged() { log_.push_back("tab order"); }

  std::vector<std::string>& log_;
  std::vector<std::unique_ptr<FakeBinder>> binders_;
};

// Message boxes the test opens and closes.
struct FakeDialogs {
  bool boxOpen = false;
  bool open() const { return boxOpen; }
};

class FakeRealization : public realize::RealizationCore<FakeWindow, FakeDialogs> {
 public:
  FakeRealization(forms::Registry& r, std::vector<std::string>& log) : RealizationCore(r, &boxes), log_(log) {
    attach();
  }
  ~FakeRealization() override { release(); }
  void formLoaded(forms::Form& f) override { build(f); }
  void formShown(forms::Form&) override {}
  // The toolkit's deferred call comes when the test says.
  void runDeferred() {
    while (pending_ > 0) {
      --pending_;
      collect();
    }
  }
  FakeDialogs boxes;
  int pending_ = 0, retries = 0;
  bool quitted = false;

 private:
  std::unique_ptr<FakeWindow> makeWindow(forms::Form& f) override { return std::make_unique<FakeWindow>(f, *this, log_); }
  void collectLater() override { ++pending_; }
  void retryCollectLater() override { ++retries; }
  void quit() override { quitted = true; }
  std::vector<std::string>& log_;
};

struct Core : ::testing::Test {
  test::TestServices svc;
  forms::Registry registry{svc.services};
  std::vector<std::string> log;
  FakeRealization realization{registry, log};
  forms::Form* probe = nullptr;

  Core() {
    test::registerProbe(registry);
    probe = &registry.get("Probe");
  }
  FakeBinder& binderOf(const std::string& control) {
    for (auto& b : realization.window(*probe)->binders())
      if (b->control() == &probe->control(control)) return *b;
    throw std::runtime_error("no binder for " + control);
  }
};

}  // namespace

TEST_F(Core, ModelChangesReachTheWidgetAndTheirEchoesDoNotComeBack) {
  forms::Control* box = nullptr;
  for (auto& c : probe->controls())
    if (c->kind() == forms::Kind::TextBox) box = c.get();
  ASSERT_NE(box, nullptr);
  int changes = 0;
  box->on(forms::Event::Change, [&] { ++changes; });
  log.clear();
  box->setText("typed by the program");
  EXPECT_EQ(box->text(), "typed by the program");  // the widget's echo was not taken as an edit
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(log, (std::vector<std::string>{"show " + std::to_string(static_cast<int>(Prop::Text))}));
  // The common properties go to the toolkit's own calls; a character set shows the texts again.
  log.clear();
  box->setEnabled(false);
  box->setCharset(161);
  EXPECT_EQ(log.front(), "enabled 0");
  EXPECT_EQ(log[1], "font");
  // A user's edit reaches the model, and the realization hears that a user action is over.
  realization.pending_ = 0;
  binderOf(box->name()).userTypes("typed by the user");
  EXPECT_EQ(box->text(), "typed by the user");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(realization.pending_, 1);
}

TEST_F(Core, AHandlersFailureStaysInTheBinderAndTheWindowGoesOnWorking) {
  forms::Control* box = nullptr;
  for (auto& c : probe->controls())
    if (c->kind() == forms::Kind::TextBox) box = c.get();
  ASSERT_NE(box, nullptr);
  box->on(forms::Event::Change, [] { throw std::runtime_error("the handler failed"); });
  EXPECT_NO_THROW(binderOf(box->name()).userTypes("anything"));
  EXPECT_FALSE(binderOf(box->name()).echoingNow());
  EXPECT_EQ(realization.pending_, 1);  // the action still counts as over
}

TEST_F(Core, UnloadedWindowsGoOnlyWhenNoHandlerRunsAndNoBoxIsOpen) {
  auto& first = *probe->controls().front();
  realization.pending_ = 0;
  log.clear();
  registry.unload(*probe);
  EXPECT_EQ(realization.window("Probe"), nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"hide"}));  // hidden, not yet destroyed
  first.setCaption("changed after unloading");          // no binder hears it any more
  EXPECT_EQ(log.size(), 1u);
  realization.boxes.boxOpen = true;
  realization.runDeferred();
  EXPECT_EQ(realization.retries, 1);  // a box's loop runs under a handler: later
  EXPECT_EQ(log.size(), 1u);
  realization.boxes.boxOpen = false;
  realization.userActionDone();
  realization.runDeferred();
  EXPECT_EQ(log.back(), "window destroyed");
}

TEST_F(Core, TabOrderGoesToTheWindowAndTheEndOfTheProgramToTheToolkit) {
  log.clear();
  probe->controls().back()->setTabIndex(0);
  EXPECT_NE(std::find(log.begin(), log.end(), "tab order"), log.end());
  probe->setCaption("another caption");
  EXPECT_EQ(log.back(), "size and caption");
  registry.endProgram();
  EXPECT_TRUE(realization.quitted);
}

TEST(LayoutScale, DialogUnitsScaleTwipsAndTouchingControlsKeepTouching) {
  const auto units = realize::dialogUnitsOf(52 * 7, 16);  // a font a little larger than the design's
  EXPECT_EQ(units.charWidth, 7);
  EXPECT_EQ(units.lineHeight, 16);
  const auto scale = realize::layoutScaleFor(units);
  EXPECT_DOUBLE_EQ(scale.x, 7.0 / 6);
  EXPECT_DOUBLE_EQ(scale.y, 16.0 / 13);
  EXPECT_DOUBLE_EQ(realize::layoutScaleFor({4, 10}).x, 1.0);  // never below the design
  // Two controls side by side, 1000 twips each: the second starts where the first ends.
  test::TestServices svc;
  forms::Registry registry{svc.services};
  test::registerProbe(registry, {{.kind = forms::Kind::Label, .name = "a", .left = 105, .top = 0, .width = 1000, .height = 285},
                                 {.kind = forms::Kind::Label, .name = "b", .left = 1105, .top = 0, .width = 1000, .height = 285}});
  auto& probe = registry.get("Probe");
  const auto a = realize::placeOf(probe.control("a"), scale), b = realize::placeOf(probe.control("b"), scale);
  EXPECT_EQ(a.left + a.width, b.left);
  EXPECT_EQ(a.height, b.height);
}
