// The part of a realization that no toolkit changes. It listens to the registry, keeps a real
// window for each realized form and the binder of each control, passes property changes to the
// binders, and destroys the windows that handlers unloaded once no handler runs: after a user
// action, and never while a message box waits (a box runs its own loop underneath a handler).
// A toolkit supplies its window type and the few calls of its own API.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "forms/registry.h"
#include "realize/binder_core.h"
#include "realize/window_actions.h"

namespace sg::realize {

// Window: a toolkit's window of one form, with binders(), detach(), hide(),
// showSizeAndCaption() and tabOrderChanged(). Dialogs: the toolkit's message boxes, with
// open() while one waits for its answer.
template <class Window, class Dialogs>
class RealizationCore : public forms::Observer, public WindowActions {
 public:
  // dialogs, when given, is asked whether a message box is open: windows are not destroyed
  // while a handler waits for its box.
  explicit RealizationCore(forms::Registry& registry, const Dialogs* dialogs)
      : registry_(registry), dialogs_(dialogs) {}
  ~RealizationCore() override = default;
  RealizationCore(const RealizationCore&) = delete;
  RealizationCore& operator=(const RealizationCore&) = delete;

  Window* window(const forms::Form& form) const {
    auto it = windows_.find(&form);
    return it == windows_.end() ? nullptr : it->second.get();
  }
  Window* window(const std::string& formName) const {
    forms::Form* f = registry_.find(formName);
    return f ? window(*f) : nullptr;
  }

  // forms::Observer
  void formUnloading(forms::Form& f) override { dropWindow(f); }
  void formHidden(forms::Form& f) override {
    if (Window* w = window(f)) w->hide();
  }
  void formChanged(forms::Form& f) override {
    if (Window* w = window(f)) w->showSizeAndCaption();
  }
  void controlChanged(forms::Control& c, forms::Prop p) override {
    // Controls of a window still being made have no binder yet; the builder reads them whole.
    auto it = binders_.find(&c);
    if (it == binders_.end()) return;
    if (p == forms::Prop::TabIndex) {
      if (Window* w = window(c.form())) w->tabOrderChanged();
      return;
    }
    it->second->modelChanged(p);
  }
  void programEnded() override {
    for (auto& [form, w] : windows_) {
      w->detach();
      w->hide();
    }
    binders_.clear();
    quit();
  }

  // WindowActions
  void userActionDone() override { collectSoon(); }
  void closeBox(forms::Form& form) override {
    registry_.close(form);
    userActionDone();
  }

 protected:
  // The toolkit's calls: a window for a form, a deferred call of collect(), the same a little
  // later, and the end of the event loop.
  virtual std::unique_ptr<Window> makeWindow(forms::Form& form) = 0;
  virtual void collectLater() = 0;
  virtual void retryCollectLater() = 0;
  virtual void quit() = 0;

  bool messageBoxOpen() const { return dialogs_ && dialogs_->open(); }

  // The derived realization starts listening once it can make windows, and stops before its
  // own parts go.
  void attach() { registry_.addObserver(this); }
  void release() {
    registry_.removeObserver(this);
    for (auto& [form, w] : windows_) w->detach();
    windows_.clear();
    dropped_.clear();
  }

  void build(forms::Form& f) {
    if (window(f)) return;
    std::unique_ptr<Window> w = makeWindow(f);
    for (const auto& b : w->binders())
      if (b) binders_[b->control()] = b.get();
    windows_[&f] = std::move(w);
  }
  void collectSoon() {
    if (collectPending_) return;
    collectPending_ = true;
    collectLater();
  }
  // The deferred call: destroys the unloaded windows and lets the registry drop their forms.
  void collect() {
    collectPending_ = false;
    if (messageBoxOpen()) {
      retryCollectLater();
      return;
    }
    dropped_.clear();
    registry_.collect();
  }
  const std::map<const forms::Form*, std::unique_ptr<Window>>& realized() const { return windows_; }

  forms::Registry& registry_;
  const Dialogs* dialogs_;

 private:
  void dropWindow(forms::Form& f) {
    auto it = windows_.find(&f);
    if (it == windows_.end()) return;
    for (const auto& b : it->second->binders())
      if (b) binders_.erase(b->control());
    it->second->detach();
    it->second->hide();
    // A handler of this very window may still be on the stack: the window goes once none runs.
    dropped_.push_back(std::move(it->second));
    windows_.erase(it);
    collectSoon();
  }

  std::map<const forms::Form*, std::unique_ptr<Window>> windows_;
  std::vector<std::unique_ptr<Window>> dropped_;
  std::unordered_map<const forms::Control*, BinderCore*> binders_;
  bool collectPending_ = false;
};

}  // namespace sg::realize
