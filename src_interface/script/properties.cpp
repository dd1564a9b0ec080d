#include "script/properties.h"

#include <stdexcept>

#include "platform/text.h"
#include "script/script_error.h"
#include "script/script_line.h"

namespace sg::script {

using forms::Kind;

bool hasProperty(Kind kind, Property p) {
  switch (p) {
    case Property::Text:
      return kind == Kind::TextBox || kind == Kind::ComboBox || kind == Kind::ListBox;
    case Property::Caption:
      // A progress bar's caption is its text: the time left.
      return kind == Kind::Label || kind == Kind::CheckBox || kind == Kind::OptionButton ||
             kind == Kind::CommandButton || kind == Kind::Frame || kind == Kind::ProgressBar;
    case Property::Value:
      return kind == Kind::CheckBox || kind == Kind::OptionButton || kind == Kind::ProgressBar;
    case Property::ListIndex:
    case Property::ListCount:
    case Property::List:
      return kind == Kind::ComboBox || kind == Kind::ListBox;
    case Property::Selected: return kind == Kind::ListBox;
    case Property::Interval: return kind == Kind::Timer;
    case Property::TabIndex:
    case Property::Charset: return kind != Kind::Timer;
    case Property::Visible:
    case Property::Width:
    case Property::Height: return kind != Kind::Timer;  // a timer has no face
    case Property::Enabled:
    case Property::Tag:
    case Property::Left:
    case Property::Top: return true;
    case Property::Loaded: return false;
    case Property::Picture: return kind == Kind::Picture;
  }
  return false;
}

namespace {

std::string flag(bool b) { return b ? "1" : "0"; }

void requireProperty(const forms::Control& c, Property p) {
  if (!hasProperty(c.kind(), p))
    throw ScriptError(std::string("a ") + forms::kindName(c.kind()) + " has no property " +
                      propertyName(p) + " (" + c.form().name() + "." + c.name() + ")");
}

int itemIndex(const forms::Control& c, const PropertyRef& p) {
  int i = p.index.value_or(-1);
  if (i < 0 || i >= c.listCount())
    throw ScriptError("index " + std::to_string(i) + " out of range: " + c.form().name() + "." +
                      c.name() + " has " + std::to_string(c.listCount()) + " items");
  return i;
}

bool truth(const std::string& v) {
  if (v == "1" || v == "-1" || text::equalsNoCase(v, "true")) return true;
  if (v == "0" || text::equalsNoCase(v, "false")) return false;
  throw ScriptError("malformed line: '" + v + "' is neither 1 nor 0");
}

// "WxH rgba(R,G,B,A)" with the picture's mean colour (straight alpha); empty for no picture.
std::string pictureText(const forms::Picture& p) {
  if (p.empty()) return {};
  unsigned long long sum[4] = {0, 0, 0, 0};
  for (size_t i = 0; i + 3 < p.rgba.size(); i += 4) {
    for (int c = 0; c < 3; ++c) sum[c] += static_cast<unsigned long long>(p.rgba[i + c]) * p.rgba[i + 3];
    sum[3] += p.rgba[i + 3];
  }
  const unsigned long long n = static_cast<unsigned long long>(p.width) * p.height;
  std::string text = std::to_string(p.width) + "x" + std::to_string(p.height) + " rgba(";
  for (int c = 0; c < 3; ++c) text += std::to_string(sum[3] ? (sum[c] + sum[3] / 2) / sum[3] : 0) + ",";
  return text + std::to_string((sum[3] + n / 2) / n) + ")";
}

}  // namespace

std::string readProperty(const forms::Control& c, const PropertyRef& p) {
  requireProperty(c, p.property);
  switch (p.property) {
    case Property::Text: return c.text();
    case Property::Caption: return c.caption();
    case Property::Value: return std::to_string(c.value());
    case Property::ListIndex: return std::to_string(c.listIndex());
    case Property::ListCount: return std::to_string(c.listCount());
    case Property::List: return c.list(itemIndex(c, p));
    case Property::Selected: return flag(c.selected(itemIndex(c, p)));
    case Property::Enabled: return flag(c.kind() == Kind::Timer ? c.timerEnabled() : c.enabled());
    case Property::Visible: return flag(c.visible());
    case Property::Tag: return c.tag();
    case Property::TabIndex: return std::to_string(c.tabIndex());
    case Property::Charset: return std::to_string(c.charset());
    case Property::Left: return std::to_string(c.left());
    case Property::Top: return std::to_string(c.top());
    case Property::Width: return std::to_string(c.width());
    case Property::Height: return std::to_string(c.height());
    case Property::Interval: return std::to_string(c.interval());
    case Property::Picture: return pictureText(c.picture());
    case Property::Loaded: break;
  }
  throw ScriptError(std::string("no property ") + propertyName(p.property));
}

std::string readFormProperty(const forms::Form& f, Property p) {
  switch (p) {
    case Property::Caption: return f.caption();
    case Property::Visible: return flag(f.visible());
    case Property::Loaded: return flag(f.loaded());
    case Property::Width: return std::to_string(f.width());
    case Property::Height: return std::to_string(f.height());
    default: break;
  }
  throw ScriptError(std::string("a form has no property ") + propertyName(p) + " (" + f.name() + ")");
}

void assignProperty(forms::Control& c, Property p, const std::string& value) {
  requireProperty(c, p);
  try {
    switch (p) {
      case Property::Text: c.setText(value); return;
      case Property::Caption: c.setCaption(value); return;
      case Property::Value: c.setValue(wholeNumber(value, "value")); return;
      case Property::ListIndex: c.setListIndex(wholeNumber(value, "index")); return;
      case Property::Enabled:
        if (c.kind() == Kind::Timer) c.setTimerEnabled(truth(value));
        else c.setEnabled(truth(value));
        return;
      case Property::Visible: c.setVisible(truth(value)); return;
      case Property::Tag: c.setTag(value); return;
      default: break;
    }
  } catch (const std::out_of_range& e) {
    // Only the assignment itself throws this (a value or index the control refuses); the
    // handlers it fires run inside and would surface here too, which is a fault either way.
    throw ScriptError(std::string(e.what()) + ": " + value + " for " + c.form().name() + "." +
                      c.name() + "." + propertyName(p));
  }
  throw ScriptError(std::string("property ") + propertyName(p) + " cannot be set by a script");
}

}  // namespace sg::script
