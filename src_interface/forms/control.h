// One control of a window as plain data with events. Assigning a property fires the control's
// event synchronously, once, when the value actually changes, whoever assigned it.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace sg::forms {

class Form;

enum class Kind { Label, TextBox, CheckBox, OptionButton, ComboBox, ListBox, CommandButton, Frame, Timer,
                  ProgressBar, Picture };
enum class Event { Click, DblClick, Change, LostFocus, ItemCheck, Timer };

// ComboBox: Standard has an edit field, DropDownList has none.
// ListBox: Standard is plain, Checkbox has a check box per item.
enum class Style { Standard, DropDownList, Checkbox };

// Which property changed, for realizations that keep a widget in step.
enum class Prop {
  Caption, Text, Value, ListIndex, Items, Selected, Enabled, Visible, Tag, TabIndex, Charset,
  Geometry, Locked, Default, Timer, Picture
};

// A picture box's picture: width x height pixels of 8-bit RGBA (straight alpha), row by row.
// A realization draws it scaled to fit the box with its aspect kept; empty shows nothing.
struct Picture {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;
  bool empty() const { return width <= 0 || height <= 0; }
  bool operator==(const Picture&) const = default;
};

const char* kindName(Kind k);

// True when the number names a known Windows font character set.
bool knownCharset(int code);

class Control {
 public:
  using Handler = std::function<void()>;
  using ItemHandler = std::function<void(int)>;

  Control(Form& form, Kind kind, std::string name);

  Form& form() const { return *form_; }
  Kind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  // Name of the frame holding this control; empty for the form itself.
  const std::string& container() const { return container_; }
  void setContainer(std::string frame) { container_ = std::move(frame); }
  Style style() const { return style_; }
  void setStyle(Style s) { style_ = s; }
  bool hasEditField() const { return kind_ == Kind::TextBox || (kind_ == Kind::ComboBox && style_ == Style::Standard); }

  // Caption (labels, check boxes, option buttons, buttons, frames). No event.
  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& c);

  // Text: a text box's text, a combo box's edit field, or the text of the selected item of a
  // drop-down list or list box (empty when none). Assigning fires Change on a control with an
  // edit field; on a list it selects the item of that exact text when there is one.
  std::string text() const;
  void setText(const std::string& t);

  // Value: check box 0, 1 or 2 (fires Click); option button 0 or 1 (becoming 1 clears the
  // others of its container and fires Click); progress bar 0 to 100 (no event).
  int value() const { return value_; }
  void setValue(int v);

  // Lists (combo and list boxes).
  int listIndex() const { return listIndex_; }
  // Throws std::out_of_range for an index below -1 or past the last item. Fires Click.
  void setListIndex(int i);
  int listCount() const { return static_cast<int>(items_.size()); }
  const std::string& list(int i) const;  // throws std::out_of_range
  void setList(int i, const std::string& s);
  void addItem(const std::string& s, int index = -1);
  void removeItem(int i);
  void clear();
  const std::vector<std::string>& items() const { return items_; }
  // What the last change of the items was, for a window that shows them item by item: one item
  // set, inserted or removed at `index`, or all of them (a clear, or a burst of changes).
  struct ItemsChange {
    enum Kind { All, Set, Insert, Remove } kind = All;
    int index = -1;
  };
  const ItemsChange& itemsChange() const { return itemsChange_; }
  // While a burst lasts, the items change without a word; at its end the windows are told once
  // that all of them changed. A list filled item by item is shown once, not once an item.
  class ItemsBurst {
   public:
    explicit ItemsBurst(Control& c) : c_(c) { ++c_.burst_; }
    ~ItemsBurst() { c_.endBurst(); }
    ItemsBurst(const ItemsBurst&) = delete;
    ItemsBurst& operator=(const ItemsBurst&) = delete;

   private:
    Control& c_;
  };
  // Check-box lists: the tick of item i (fires ItemCheck with i). Plain lists: i is selected.
  bool selected(int i) const;
  void setSelected(int i, bool on);

  bool enabled() const { return enabled_; }
  void setEnabled(bool e);
  bool visible() const { return visible_; }
  void setVisible(bool v);
  const std::string& tag() const { return tag_; }
  void setTag(const std::string& t);
  bool locked() const { return locked_; }
  void setLocked(bool l);
  bool isDefault() const { return default_; }
  // Making a button the default takes the flag from every other button of the form.
  void setDefault(bool d);

  int tabIndex() const { return tabIndex_; }
  // Moves the control to position n of its form's tab order (past the end: last).
  void setTabIndex(int n);
  void setTabIndexRaw(int n) { tabIndex_ = n; }

  // Font size in points (0: the window's own font) and weight, fixed by the designer table.
  int fontSize() const { return fontSize_; }
  bool fontBold() const { return fontBold_; }
  void setFont(int points, bool bold) { fontSize_ = points; fontBold_ = bold; }

  int charset() const { return charset_; }
  // Throws std::invalid_argument for a number that names no known character set.
  void setCharset(int code);

  int left() const { return left_; }
  int top() const { return top_; }
  int width() const { return width_; }
  int height() const { return height_; }
  void move(int left, int top);
  void setGeometry(int left, int top, int width, int height);

  // Picture boxes. No event.
  const Picture& picture() const { return picture_; }
  void setPicture(Picture p);

  // Timers.
  int interval() const { return interval_; }
  void setInterval(int ms);
  bool timerEnabled() const { return timerEnabled_; }
  void setTimerEnabled(bool e);
  // One tick: fires Timer when the timer is enabled.
  void tick();

  // Handlers.
  void on(Event e, Handler h);
  void onItem(Event e, ItemHandler h);
  // Fires an event as the control itself would (user actions that are not assignments:
  // a button's click, a double click, focus leaving).
  void fire(Event e, int item = -1);

  // A user's click as the classic toolkits apply it: a check box goes to 1 from 0 and to 0
  // from 1 or 2; an option button becomes selected; others fire Click.
  void userClick();

 private:
  void changed(Prop p);
  void itemsChanged(ItemsChange::Kind kind, int index);
  void endBurst();
  void checkIndex(int i) const;

  Form* form_;
  Kind kind_;
  std::string name_;
  std::string container_;
  Style style_ = Style::Standard;
  std::string caption_;
  std::string text_;
  int value_ = 0;
  std::vector<std::string> items_;
  std::vector<char> ticks_;
  int listIndex_ = -1;
  ItemsChange itemsChange_;
  int burst_ = 0;
  bool changedInBurst_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  std::string tag_;
  bool locked_ = false;
  bool default_ = false;
  int tabIndex_ = 0;
  int charset_ = 0;
  int fontSize_ = 0;
  bool fontBold_ = false;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  int interval_ = 0;
  bool timerEnabled_ = true;
  Picture picture_;
  std::vector<std::pair<Event, Handler>> handlers_;
  std::vector<std::pair<Event, ItemHandler>> itemHandlers_;
};

}  // namespace sg::forms
