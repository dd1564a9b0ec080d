#include "forms/registry.h"

#include <algorithm>
#include <stdexcept>

#include "platform/text.h"

namespace sg::forms {

Registry::Registry(platform::Services& services) : services_(services) {}

Registry::~Registry() {
  observers_.clear();
  loaded_.clear();
  graveyard_.clear();
}

void Registry::registerForm(const std::string& name, Factory f) {
  factories_[text::lowerAscii(name)] = std::move(f);
}

bool Registry::knows(const std::string& name) const {
  return factories_.count(text::lowerAscii(name)) != 0;
}

std::vector<std::string> Registry::formNames() const {
  std::vector<std::string> out;
  for (const auto& [k, v] : factories_) out.push_back(k);
  return out;
}

Form* Registry::find(const std::string& name) const {
  for (const auto& f : loaded_)
    if (text::equalsNoCase(f->name(), name)) return f.get();
  return nullptr;
}

std::vector<Form*> Registry::loadedForms() const {
  std::vector<Form*> out;
  for (const auto& f : loaded_) out.push_back(f.get());
  return out;
}

Form& Registry::get(const std::string& name) {
  if (Form* f = find(name)) return *f;
  auto it = factories_.find(text::lowerAscii(name));
  if (it == factories_.end()) throw std::out_of_range("no form " + name);
  if (ended_) throw std::runtime_error("the program has ended");
  loaded_.push_back(it->second(*this));
  Form& f = *loaded_.back();
  f.setLoaded(true);
  notify([&](Observer& o) { o.formLoaded(f); });
  f.Form_Load();
  return f;
}

void Registry::show(Form& f) {
  if (ended_) return;
  if (!f.loaded()) return;
  if (f.visible()) return;
  f.setVisibleRaw(true);
  notify([&](Observer& o) { o.formShown(f); });
}

void Registry::hide(Form& f) {
  if (!f.visible()) return;
  f.setVisibleRaw(false);
  notify([&](Observer& o) { o.formHidden(f); });
}

void Registry::unload(Form& f) {
  auto it = std::find_if(loaded_.begin(), loaded_.end(), [&](const auto& p) { return p.get() == &f; });
  if (it == loaded_.end()) return;
  // Taken out of the registry first, so that a handler run by the unload cannot find it.
  std::unique_ptr<Form> owned = std::move(*it);
  loaded_.erase(it);
  if (f.visible()) {
    f.setVisibleRaw(false);
    notify([&](Observer& o) { o.formHidden(f); });
  }
  notify([&](Observer& o) { o.formUnloading(f); });
  f.setLoaded(false);
  graveyard_.push_back(std::move(owned));
  if (!ended_) f.Form_Unload();
}

void Registry::close(Form& f) {
  if (ended_) return;
  if (!f.Form_QueryUnload()) return;
  unload(f);
}

void Registry::endProgram() {
  if (ended_) return;
  ended_ = true;
  for (auto& f : loaded_) {
    if (f->visible()) {
      f->setVisibleRaw(false);
      notify([&](Observer& o) { o.formHidden(*f); });
    }
    notify([&](Observer& o) { o.formUnloading(*f); });
    f->setLoaded(false);
    graveyard_.push_back(std::move(f));
  }
  loaded_.clear();
  notify([](Observer& o) { o.programEnded(); });
}

void Registry::collect() { graveyard_.clear(); }

void Registry::addObserver(Observer* o) { observers_.push_back(o); }
void Registry::removeObserver(Observer* o) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), o), observers_.end());
}

}  // namespace sg::forms
