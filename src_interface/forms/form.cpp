#include "forms/form.h"

#include <algorithm>
#include <stdexcept>

#include "forms/registry.h"
#include "platform/text.h"

namespace sg::forms {

Form::Form(Registry& registry, std::string name, std::string caption, int width, int height)
    : registry_(&registry), name_(std::move(name)), caption_(std::move(caption)),
      width_(width), height_(height) {}

Form::~Form() = default;

platform::Services& Form::services() const { return registry_->services(); }

void Form::setCaption(const std::string& c) {
  if (c == caption_) return;
  caption_ = c;
  registry_->notify([&](Observer& o) { o.formChanged(*this); });
}

void Form::setWidth(int w) {
  if (w == width_) return;
  width_ = w;
  registry_->notify([&](Observer& o) { o.formChanged(*this); });
}

void Form::setHeight(int h) {
  if (h == height_) return;
  height_ = h;
  registry_->notify([&](Observer& o) { o.formChanged(*this); });
}

Control* Form::find(std::string_view name) const {
  auto it = byName_.find(text::lowerAscii(name));
  return it == byName_.end() ? nullptr : it->second;
}

Control& Form::control(std::string_view name) const {
  if (Control* c = find(name)) return *c;
  throw std::out_of_range("no control " + std::string(name) + " on " + name_);
}

std::vector<Control*> Form::tabOrder() const {
  std::vector<Control*> out;
  for (const auto& c : controls_) out.push_back(c.get());
  std::stable_sort(out.begin(), out.end(),
                   [](Control* a, Control* b) { return a->tabIndex() < b->tabIndex(); });
  return out;
}

void Form::renumberTab(Control& moved, int position) {
  auto order = tabOrder();
  order.erase(std::remove(order.begin(), order.end(), &moved), order.end());
  if (position < 0) position = 0;
  if (position > static_cast<int>(order.size())) position = static_cast<int>(order.size());
  order.insert(order.begin() + position, &moved);
  for (size_t i = 0; i < order.size(); ++i) {
    if (order[i]->tabIndex() != static_cast<int>(i)) {
      order[i]->setTabIndexRaw(static_cast<int>(i));
      registry_->notify([&](Observer& o) { o.controlChanged(*order[i], Prop::TabIndex); });
    }
  }
}

Control& Form::add(const ControlDecl& d) {
  if (find(d.name)) throw std::logic_error("duplicate control " + d.name + " on " + name_);
  auto c = std::make_unique<Control>(*this, d.kind, d.name);
  c->setContainer(d.parent);
  c->setStyle(d.style);
  c->setGeometry(d.left, d.top, d.width, d.height);
  for (const auto& item : d.items) c->addItem(item);
  if (d.kind == Kind::TextBox || (d.kind == Kind::ComboBox && d.style == Style::Standard))
    c->setText(d.caption);
  else
    c->setCaption(d.caption);
  c->setValue(d.value);
  if (d.listIndex >= 0) c->setListIndex(d.listIndex);
  c->setVisible(d.kind == Kind::Timer ? false : d.visible);
  c->setEnabled(d.enabled);
  c->setDefault(d.isDefault);
  c->setInterval(d.interval);
  c->setTimerEnabled(d.timerEnabled);
  c->setTag(d.tag);
  c->setLocked(d.locked);
  c->setFont(d.fontSize, d.fontBold);
  c->setTabIndexRaw(static_cast<int>(controls_.size()));
  byName_.emplace(text::lowerAscii(d.name), c.get());
  controls_.push_back(std::move(c));
  return *controls_.back();
}

void Form::declare(const ControlTable& table) {
  for (const auto& d : table) add(d);
}

void Form::show() { registry_->show(*this); }
void Form::hide() { registry_->hide(*this); }
void Form::unload() { registry_->unload(*this); }

}  // namespace sg::forms
