// The binder of list boxes, plain or with a check box per item.
#include <QListWidget>
#include <QScrollBar>

#include "qt/binder.h"

namespace sg::qt {
namespace {

using forms::Event;
using forms::Prop;

class ListBinder : public Binder {
 public:
  ListBinder(forms::Control& c, QListWidget* list, WindowActions& a) : Binder(c, list, a), list_(list) {
    // The widget's own signals while the model's values are put into it are not the user's,
    // and ask for nothing to be shown again.
    QObject::connect(list, &QListWidget::currentRowChanged, list, [this](int row) {
      if (echoing()) return;
      fromUser([&](forms::Control& c) {
        if (row >= -1 && row < c.listCount()) c.setListIndex(row);
      });
      resync(Prop::ListIndex);
    });
    QObject::connect(list, &QListWidget::itemChanged, list, [this](QListWidgetItem* item) {
      if (echoing()) return;
      const int row = list_->row(item);
      const bool ticked = item->checkState() == Qt::Checked;
      fromUser([&](forms::Control& c) {
        if (row >= 0 && row < c.listCount()) c.setSelected(row, ticked);
      });
      resync(Prop::Selected);
    });
    // Scrolling away from the end stops a growing list from following its newest line.
    QObject::connect(list->verticalScrollBar(), &QScrollBar::valueChanged, list, [this](int value) {
      if (!refilling_) followEnd_ = value >= list_->verticalScrollBar()->maximum();
    });
    QObject::connect(list, &QListWidget::itemDoubleClicked, list, [this](QListWidgetItem*) {
      fromUser([](forms::Control& c) { c.fire(Event::DblClick); });
    });
  }

 protected:
  void show(Prop p) override {
    forms::Control& c = *control();
    switch (p) {
      case Prop::Items: {
        refilling_ = true;
        const int scrolled = list_->verticalScrollBar()->value();
        // One item set, inserted or removed is shown alone; anything else fills the list anew.
        showItems(
            list_->count(), [&](int i) { list_->item(i)->setText(decoded(c.list(i))); },
            [&](int i) { list_->insertItem(i, makeItem(c, i)); }, [&](int i) { delete list_->takeItem(i); },
            [&] {
              list_->clear();
              for (int i = 0; i < c.listCount(); ++i) list_->addItem(makeItem(c, i));
            });
        // A plain list without a chosen line (a log) shows its newest line as it grows.
        if (!checkable() && c.listIndex() < 0 && followEnd_) list_->scrollToBottom();
        else list_->verticalScrollBar()->setValue(scrolled);
        refilling_ = false;
        showIndex(c);
        break;
      }
      case Prop::ListIndex: showIndex(c); break;
      case Prop::Selected:
        if (!checkable()) break;
        for (int i = 0; i < c.listCount() && i < list_->count(); ++i) {
          Qt::CheckState want = c.selected(i) ? Qt::Checked : Qt::Unchecked;
          if (list_->item(i)->checkState() != want) list_->item(i)->setCheckState(want);
        }
        break;
      default: break;
    }
  }

 private:
  bool checkable() const { return control()->style() == forms::Style::Checkbox; }

  QListWidgetItem* makeItem(forms::Control& c, int i) {
    auto* item = new QListWidgetItem(decoded(c.list(i)));
    if (checkable()) {
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
      item->setCheckState(c.selected(i) ? Qt::Checked : Qt::Unchecked);
    }
    return item;
  }

  void showIndex(forms::Control& c) {
    if (list_->currentRow() != c.listIndex()) list_->setCurrentRow(c.listIndex());
    if (c.listIndex() < 0) list_->clearSelection();
    else if (QListWidgetItem* item = list_->item(c.listIndex())) list_->scrollToItem(item);
  }

  // A handler may refuse or redirect the user's choice; the widget then shows the model's.
  void resync(Prop p) {
    if (control()) modelChanged(p);
  }

  QListWidget* list_;
  bool followEnd_ = true;
  bool refilling_ = false;
};

}  // namespace

std::unique_ptr<Binder> makeListBinder(forms::Control& control, QWidget* parent, WindowActions& actions) {
  auto* list = new QListWidget(parent);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setUniformItemSizes(true);
  return std::make_unique<ListBinder>(control, list, actions);
}

}  // namespace sg::qt
