#include "forms/control.h"

#include <algorithm>
#include <stdexcept>

#include "forms/form.h"
#include "forms/registry.h"

namespace sg::forms {

const char* kindName(Kind k) {
  switch (k) {
    case Kind::Label: return "Label";
    case Kind::TextBox: return "TextBox";
    case Kind::CheckBox: return "CheckBox";
    case Kind::OptionButton: return "OptionButton";
    case Kind::ComboBox: return "ComboBox";
    case Kind::ListBox: return "ListBox";
    case Kind::CommandButton: return "CommandButton";
    case Kind::Frame: return "Frame";
    case Kind::Timer: return "Timer";
    case Kind::ProgressBar: return "ProgressBar";
    case Kind::Picture: return "PictureBox";
  }
  return "?";
}

bool knownCharset(int code) {
  static const int known[] = {0, 1, 2, 77, 128, 129, 130, 134, 136, 161, 162,
                              163, 177, 178, 186, 204, 222, 238, 255};
  return std::find(std::begin(known), std::end(known), code) != std::end(known);
}

Control::Control(Form& form, Kind kind, std::string name)
    : form_(&form), kind_(kind), name_(std::move(name)) {}

void Control::changed(Prop p) {
  form_->registry().notify([&](Observer& o) { o.controlChanged(*this, p); });
}

void Control::itemsChanged(ItemsChange::Kind kind, int index) {
  if (burst_ > 0) {
    changedInBurst_ = true;
    return;
  }
  itemsChange_ = {kind, index};
  changed(Prop::Items);
}

void Control::endBurst() {
  if (--burst_ > 0 || !changedInBurst_) return;
  changedInBurst_ = false;
  itemsChanged(ItemsChange::All, -1);
}

void Control::fire(Event e, int item) {
  if (form_->registry().ended()) return;
  for (auto& [ev, h] : handlers_)
    if (ev == e) { auto copy = h; copy(); }
  for (auto& [ev, h] : itemHandlers_)
    if (ev == e) { auto copy = h; copy(item); }
}

void Control::on(Event e, Handler h) { handlers_.emplace_back(e, std::move(h)); }
void Control::onItem(Event e, ItemHandler h) { itemHandlers_.emplace_back(e, std::move(h)); }

void Control::setPicture(Picture p) {
  if (p == picture_) return;
  picture_ = std::move(p);
  changed(Prop::Picture);
}

void Control::setCaption(const std::string& c) {
  if (c == caption_) return;
  caption_ = c;
  changed(Prop::Caption);
}

std::string Control::text() const {
  if (kind_ == Kind::ListBox || (kind_ == Kind::ComboBox && style_ == Style::DropDownList)) {
    if (listIndex_ >= 0 && listIndex_ < listCount()) return items_[static_cast<size_t>(listIndex_)];
    return {};
  }
  return text_;
}

void Control::setText(const std::string& t) {
  if (hasEditField()) {
    if (t == text_) return;
    text_ = t;
    if (kind_ == Kind::ComboBox) {
      // An edited field no longer names the picked item, unless it reads exactly as one.
      int match = -1;
      for (int i = 0; i < listCount() && match < 0; ++i)
        if (items_[static_cast<size_t>(i)] == t) match = i;
      if (match != listIndex_) {
        listIndex_ = match;
        changed(Prop::ListIndex);
      }
    }
    changed(Prop::Text);
    fire(Event::Change);
    return;
  }
  if (kind_ == Kind::ListBox || kind_ == Kind::ComboBox) {
    for (int i = 0; i < listCount(); ++i)
      if (items_[static_cast<size_t>(i)] == t) { setListIndex(i); return; }
    return;
  }
  text_ = t;  // other kinds keep it without meaning
}

void Control::setValue(int v) {
  if (kind_ == Kind::OptionButton) {
    v = v ? 1 : 0;
    if (v == value_) return;
    value_ = v;
    if (v == 1) {
      for (const auto& c : form_->controls())
        if (c.get() != this && c->kind_ == Kind::OptionButton && c->container_ == container_ &&
            c->value_ == 1) {
          c->value_ = 0;
          c->changed(Prop::Value);
        }
    }
    changed(Prop::Value);
    if (v == 1) fire(Event::Click);
    return;
  }
  if (kind_ == Kind::CheckBox && (v < 0 || v > 2)) throw std::out_of_range("Invalid property value");
  if (kind_ == Kind::ProgressBar) v = v < 0 ? 0 : (v > 100 ? 100 : v);
  if (v == value_) return;
  value_ = v;
  changed(Prop::Value);
  if (kind_ == Kind::CheckBox) fire(Event::Click);
}

void Control::checkIndex(int i) const {
  if (i < 0 || i >= listCount()) throw std::out_of_range("Invalid property array index");
}

void Control::setListIndex(int i) {
  if (i < -1 || i >= listCount()) throw std::out_of_range("Invalid property value");
  if (i == listIndex_) return;
  listIndex_ = i;
  if (kind_ == Kind::ComboBox && style_ == Style::Standard) {
    text_ = i >= 0 ? items_[static_cast<size_t>(i)] : std::string();
    changed(Prop::Text);
  }
  changed(Prop::ListIndex);
  fire(Event::Click);
}

const std::string& Control::list(int i) const {
  checkIndex(i);
  return items_[static_cast<size_t>(i)];
}

void Control::setList(int i, const std::string& s) {
  checkIndex(i);
  if (items_[static_cast<size_t>(i)] == s) return;
  items_[static_cast<size_t>(i)] = s;
  itemsChanged(ItemsChange::Set, i);
}

void Control::addItem(const std::string& s, int index) {
  if (index < 0 || index > listCount()) index = listCount();
  items_.insert(items_.begin() + index, s);
  ticks_.insert(ticks_.begin() + index, 0);
  if (listIndex_ >= index && listIndex_ >= 0) ++listIndex_;
  itemsChanged(ItemsChange::Insert, index);
}

void Control::removeItem(int i) {
  checkIndex(i);
  items_.erase(items_.begin() + i);
  ticks_.erase(ticks_.begin() + i);
  if (listIndex_ == i) listIndex_ = -1;
  else if (listIndex_ > i) --listIndex_;
  itemsChanged(ItemsChange::Remove, i);
}

void Control::clear() {
  bool hadSelection = listIndex_ != -1;
  items_.clear();
  ticks_.clear();
  listIndex_ = -1;
  if (kind_ == Kind::ComboBox && style_ == Style::Standard && !text_.empty()) {
    text_.clear();
    changed(Prop::Text);
  }
  itemsChanged(ItemsChange::All, -1);
  if (hadSelection) changed(Prop::ListIndex);
}

bool Control::selected(int i) const {
  checkIndex(i);
  if (kind_ == Kind::ListBox && style_ == Style::Checkbox) return ticks_[static_cast<size_t>(i)] != 0;
  return i == listIndex_;
}

void Control::setSelected(int i, bool on) {
  checkIndex(i);
  if (kind_ == Kind::ListBox && style_ == Style::Checkbox) {
    if ((ticks_[static_cast<size_t>(i)] != 0) == on) return;
    ticks_[static_cast<size_t>(i)] = on ? 1 : 0;
    changed(Prop::Selected);
    fire(Event::ItemCheck, i);
    return;
  }
  if (on) setListIndex(i);
  else if (listIndex_ == i) setListIndex(-1);
}

void Control::setEnabled(bool e) {
  if (e == enabled_) return;
  enabled_ = e;
  changed(Prop::Enabled);
}

void Control::setVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  changed(Prop::Visible);
}

void Control::setTag(const std::string& t) {
  if (t == tag_) return;
  tag_ = t;
  changed(Prop::Tag);
}

void Control::setLocked(bool l) {
  if (l == locked_) return;
  locked_ = l;
  changed(Prop::Locked);
}

void Control::setDefault(bool d) {
  if (d) {
    for (const auto& c : form_->controls())
      if (c.get() != this && c->default_) {
        c->default_ = false;
        c->changed(Prop::Default);
      }
  }
  if (d == default_) return;
  default_ = d;
  changed(Prop::Default);
}

void Control::setTabIndex(int n) { form_->renumberTab(*this, n); }

void Control::setCharset(int code) {
  if (!knownCharset(code)) throw std::invalid_argument("Invalid charset");
  if (code == charset_) return;
  charset_ = code;
  changed(Prop::Charset);
}

void Control::move(int left, int top) { setGeometry(left, top, width_, height_); }

void Control::setGeometry(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left; top_ = top; width_ = width; height_ = height;
  changed(Prop::Geometry);
}

void Control::setInterval(int ms) {
  if (ms == interval_) return;
  interval_ = ms;
  changed(Prop::Timer);
}

void Control::setTimerEnabled(bool e) {
  if (e == timerEnabled_) return;
  timerEnabled_ = e;
  changed(Prop::Timer);
}

void Control::tick() {
  if (kind_ == Kind::Timer && timerEnabled_ && interval_ > 0) fire(Event::Timer);
}

void Control::userClick() {
  switch (kind_) {
    case Kind::CheckBox: setValue(value_ == 0 ? 1 : 0); break;
    case Kind::OptionButton:
      if (value_ == 1) fire(Event::Click);
      else setValue(1);
      break;
    default: fire(Event::Click); break;
  }
}

}  // namespace sg::forms
