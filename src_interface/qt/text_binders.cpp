// Binders of the controls with text: text boxes and combo boxes (drop-down lists, and drop-downs
// with an edit field).
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <algorithm>

#include "qt/binder.h"
#include "qt/event_hook.h"

namespace sg::qt {
namespace {

using forms::Event;
using forms::Prop;
using forms::Style;

// Puts a text into an edit field. When the model rewrote what the user just typed (a character
// refused, a number normalised), the cursor stays where the user was typing, moved back by what
// was removed; otherwise it goes to the end.
void putText(QLineEdit& edit, const QString& text, bool duringUserEdit) {
  if (edit.text() == text) return;
  if (!duringUserEdit) {
    edit.setText(text);
    return;
  }
  const int cursor = edit.cursorPosition();
  const int shrink = static_cast<int>(edit.text().size() - text.size());
  edit.setText(text);
  edit.setCursorPosition(std::clamp(cursor - shrink, 0, static_cast<int>(text.size())));
}

class TextBoxBinder : public Binder {
 public:
  TextBoxBinder(forms::Control& c, QLineEdit* edit, WindowActions& a) : Binder(c, edit, a), edit_(edit) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [this](const QString& s) {
      fromUser([&](forms::Control& c) { c.setText(encoded(s)); });
    });
    new EventHook(edit, [this](QEvent* e) {
      if (isLostFocus(e)) fromUser([](forms::Control& c) { c.fire(Event::LostFocus); });
    });
  }

 protected:
  void show(Prop p) override {
    if (p == Prop::Text) putText(*edit_, decoded(control()->text()), inUserAction());
    else if (p == Prop::Locked) edit_->setReadOnly(control()->locked());
  }

 private:
  QLineEdit* edit_;
};

class ComboBinder : public Binder {
 public:
  ComboBinder(forms::Control& c, QComboBox* combo, WindowActions& a) : Binder(c, combo, a), combo_(combo) {
    QObject::connect(combo, &QComboBox::activated, combo, [this](int i) { picked(i); });
    if (QLineEdit* edit = combo->lineEdit()) {
      QObject::connect(edit, &QLineEdit::textEdited, combo, [this](const QString& s) {
        fromUser([&](forms::Control& c) { c.setText(encoded(s)); });
      });
    }
    new EventHook(combo, [this](QEvent* e) {
      if (isLostFocus(e)) fromUser([](forms::Control& c) { c.fire(Event::LostFocus); });
    });
  }

 protected:
  void show(Prop p) override {
    forms::Control& c = *control();
    switch (p) {
      case Prop::Items: {
        showItems(
            combo_->count(), [&](int i) { combo_->setItemText(i, decoded(c.list(i))); },
            [&](int i) { combo_->insertItem(i, decoded(c.list(i))); }, [&](int i) { combo_->removeItem(i); },
            [&] {
              QStringList items;
              for (const auto& s : c.items()) items << decoded(s);
              combo_->clear();
              combo_->addItems(items);
            });
        if (combo_->currentIndex() != c.listIndex()) combo_->setCurrentIndex(c.listIndex());
        if (combo_->isEditable()) combo_->setEditText(decoded(c.text()));
        break;
      }
      case Prop::ListIndex:
        if (combo_->currentIndex() != c.listIndex()) combo_->setCurrentIndex(c.listIndex());
        if (combo_->isEditable()) putText(*combo_->lineEdit(), decoded(c.text()), inUserAction());
        break;
      case Prop::Text:
        if (combo_->isEditable()) putText(*combo_->lineEdit(), decoded(c.text()), inUserAction());
        break;
      default: break;
    }
  }

 private:
  void picked(int i) {
    fromUser([&](forms::Control& c) {
      if (i < 0 || i >= c.listCount()) return;
      c.setListIndex(i);
      // Picking the item that is already selected, after typing over it, brings its text back.
      if (c.hasEditField() && c.listIndex() == i && c.text() != c.list(i)) c.setText(c.list(i));
    });
    // The list shows the model's choice even when a handler refused or changed the pick.
    if (forms::Control* c = control()) {
      Echo echo(*this);
      if (combo_->currentIndex() != c->listIndex()) combo_->setCurrentIndex(c->listIndex());
      if (combo_->isEditable()) putText(*combo_->lineEdit(), decoded(c->text()), false);
    }
  }

  QComboBox* combo_;
};

}  // namespace

std::unique_ptr<Binder> makeTextBinder(forms::Control& control, QWidget* parent, WindowActions& actions) {
  if (control.kind() == forms::Kind::TextBox) {
    auto* edit = new QLineEdit(parent);
    return std::make_unique<TextBoxBinder>(control, edit, actions);
  }
  auto* combo = new QComboBox(parent);
  if (control.style() == Style::Standard) {
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
  }
  return std::make_unique<ComboBinder>(control, combo, actions);
}

}  // namespace sg::qt
