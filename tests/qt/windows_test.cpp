// Every window of the system opens showing what its model holds, and its layout is tidy: no two
// visible controls overlap unless a frame holds the other, and every caption fits its control.
#include <QAbstractButton>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <gtest/gtest.h>

#include "qt/charset_codec.h"
#include "qt_windows.h"
#include "support/layout_check.h"
#include "support/working_folder.h"

namespace sg::test {
namespace {

using forms::Kind;

// The windows a user meets (the translation holder is never shown).
const std::vector<std::string> kWindows = {"Form1", "Form2", "Form3", "Form4", "Form5", "Form6"};

QString shownCaption(QWidget* w) {
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
  return {};
}

bool hasCaption(Kind k) {
  return k == Kind::Label || k == Kind::CheckBox || k == Kind::OptionButton ||
         k == Kind::CommandButton || k == Kind::Frame;
}

// Model visibility of a control, its frames included.
bool shownInModel(const forms::Form& f, const forms::Control& c) {
  for (const forms::Control* x = &c; x; x = x->container().empty() ? nullptr : f.find(x->container()))
    if (!x->visible()) return false;
  return true;
}

// Where a control lies in the window's client area, in pixels.
QRect placeInWindow(QWidget* w, QWidget* window) {
  return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
}

PixelRect pixels(const QRect& r) { return {r.left(), r.top(), r.right() + 1, r.bottom() + 1}; }

// Problems of the window as it now stands.
std::vector<std::string> layoutProblems(QtWindows& w, const std::string& name) {
  std::vector<std::string> out;
  forms::Form& f = *w.registry.find(name);
  qt::FormWindow& win = w.window(name);
  const QRect client(QPoint(0, 0), win.size());
  std::vector<PlacedControl> shown;
  for (const auto& c : f.controls()) {
    QWidget* widget = w.realization.widget(name, c->name());
    if (!widget || !widget->isVisibleTo(&win)) continue;
    QRect r = placeInWindow(widget, &win);
    if (!client.intersects(r)) continue;  // beyond the window's edge: never seen
    shown.push_back({c.get(), pixels(r)});
    if (!client.contains(r)) out.push_back(c->name() + " is cut by the window's edge");

    if (!hasCaption(c->kind()) || c->caption().empty()) continue;
    QFontMetrics fm(widget->font());
    const QString text = shownCaption(widget);
    if (c->kind() == Kind::Label) {
      QRect need = fm.boundingRect(QRect(0, 0, r.width(), 10000), Qt::TextWordWrap, text);
      if (need.width() > r.width() || need.height() > r.height())
        out.push_back(c->name() + " \"" + c->caption() + "\" does not fit its label");
      continue;
    }
    // A caption cut to fit shows its whole text as the tooltip.
    const QString full = qt::decodeText(c->caption(), c->charset());
    if (c->kind() != Kind::Label && text != full && widget->toolTip() != QString(full).remove('&'))
      out.push_back(c->name() + " is cut without its whole caption as a tooltip");
    int need = fm.horizontalAdvance(QString(text).remove('&'));
    if (c->kind() == Kind::CommandButton) need += 8;  // the button's border and a little air
    if (c->kind() == Kind::Frame) need += 16;
    if (c->kind() == Kind::CheckBox || c->kind() == Kind::OptionButton)
      need += widget->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
              widget->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    if (need > r.width() || fm.height() > r.height())
      out.push_back(c->name() + " \"" + c->caption() + "\" does not fit: needs " + std::to_string(need) +
                    " px, has " + std::to_string(r.width()));
  }
  for (auto& problem : overlapProblems(f, shown)) out.push_back(problem);
  return out;
}

TEST(Windows, EachOpensWithTheCaptionsAndStatesOfItsModel) {
  QtWindows w;
  w.open("Form1");
  for (const auto& name : kWindows) {
    forms::Form& f = w.open(name);
    qt::FormWindow& win = w.window(name);
    EXPECT_TRUE(win.isVisible()) << name;
    EXPECT_EQ(win.windowTitle(), qt::decodeText(f.caption(), 0)) << name;
    for (const auto& c : f.controls()) {
      QWidget* widget = w.realization.widget(name, c->name());
      if (c->kind() == Kind::Timer) continue;
      ASSERT_NE(widget, nullptr) << name << "." << c->name();
      EXPECT_EQ(widget->isVisibleTo(&win), shownInModel(f, *c)) << name << "." << c->name();
      EXPECT_EQ(widget->isEnabled(), c->enabled() && widget->parentWidget()->isEnabled())
          << name << "." << c->name();
      if (hasCaption(c->kind())) {
        QString caption = qt::decodeText(c->caption(), c->charset());
        if (c->kind() == Kind::Label) caption = qt::withLineBreaks(caption);
        // A caption too long for its control (hidden working fields have small boxes) is cut,
        // with its whole text in the tooltip.
        const QString shown = shownCaption(widget);
        if (shown != caption) {
          EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << name << "." << c->name();
          EXPECT_EQ(widget->toolTip(), QString(caption).remove('&')) << name << "." << c->name();
        }
      }
      if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        EXPECT_EQ(edit->text(), qt::decodeText(c->text(), c->charset())) << name << "." << c->name();
      }
      if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        EXPECT_EQ(combo->count(), c->listCount()) << name << "." << c->name();
        EXPECT_EQ(combo->currentIndex(), c->listIndex()) << name << "." << c->name();
      }
      if (auto* list = qobject_cast<QListWidget*>(widget)) {
        EXPECT_EQ(list->count(), c->listCount()) << name << "." << c->name();
      }
    }
  }
}

TEST(Windows, LayoutsAreTidyInEveryState) {
  QtWindows w;
  w.open("Form1");
  for (const auto& name : kWindows) {
    w.open(name);
    EXPECT_EQ(layoutProblems(w, name), std::vector<std::string>{}) << name << joined(layoutProblems(w, name));
  }
  // The main window wide, with each panel, and with the title's extra settings.
  forms::Form& f1 = *w.registry.find("Form1");
  f1.control("Command6").userClick();
  settle();
  EXPECT_EQ(layoutProblems(w, "Form1"), std::vector<std::string>{}) << "wide" << joined(layoutProblems(w, "Form1"));
  for (const char* panel : {"toggleI", "toggleL", "toggleR"}) {
    f1.control(panel).userClick();
    settle();
    auto problems = layoutProblems(w, "Form1");
    EXPECT_EQ(problems, std::vector<std::string>{}) << panel << joined(problems);
    f1.control(panel).userClick();
  }
  f1.control("Label14").fire(forms::Event::DblClick);
  settle();
  auto problems = layoutProblems(w, "Form1");
  EXPECT_EQ(problems, std::vector<std::string>{}) << "title double-click" << joined(problems);
}

// Translations longer than the English captions are cut to fit with an ellipsis, whole in the
// tooltip, and never run into the control beside them.
TEST(Windows, LongTranslationsAreCutToFitWithTheirTooltip) {
  writeFile("locale.txt",
            "Render\r\nBildberechnungsdurchfuehrung starten\r\n"
            "Select...\r\nAuswahlmoeglichkeitenuebersicht...\r\n"
            "Image settings\r\nBildeinstellungsmoeglichkeitenverwaltung\r\n"
            "Remove checked\r\nAngekreuzte Eintraege entfernen und vergessen\r\n"
            "Confirm\r\nBestaetigungsvorgang abschliessen\r\n"
            "Return to main screen\r\nZurueckkehren zum Hauptbildschirmfenster sofort\r\n");
  QtWindows w;
  w.open("Form1");
  for (const auto& name : kWindows) {
    w.open(name);
    EXPECT_EQ(layoutProblems(w, name), std::vector<std::string>{}) << name << joined(layoutProblems(w, name));
  }
  auto& render = w.widget<QAbstractButton>("Form1", "Command5");
  EXPECT_TRUE(render.text().endsWith(QChar(0x2026))) << render.text().toStdString();
  EXPECT_EQ(render.toolTip(), QStringLiteral("Bildberechnungsdurchfuehrung starten"));
  // The English caption of a control that fits has no tooltip.
  EXPECT_TRUE(w.widget<QAbstractButton>("Form1", "Command6").toolTip().isEmpty());
}

// The log window's labels change as the job goes: the longest texts they take (a hundred tasks
// finished, a task at 100%) are shown whole, beside each other, in every font and scale.
TEST(Windows, TheLogWindowsChangingTextsFitAsTheJobGoes) {
  QtWindows w;
  w.open("Form1");
  w.open("Form4");
  const std::vector<std::pair<const char*, const char*>> longest = {
      {"lbltask", "Task 100 of 100 completed at 23:59:59"},
      {"lblpercentagetask", "(Current task: 100%)"},
      {"lblpercentage", "100%"}};
  for (const auto& [name, text] : longest) w.c("Form4", name).setCaption(text);
  settle();
  EXPECT_EQ(layoutProblems(w, "Form4"), std::vector<std::string>{}) << joined(layoutProblems(w, "Form4"));
  for (const auto& [name, text] : longest)
    EXPECT_EQ(w.widget<QLabel>("Form4", name).text().toStdString(), text) << name;
}

// The log window's list shows its newest line as the job log grows, until the user scrolls up.
TEST(Windows, TheLogFollowsItsNewestLineUnlessScrolledUp) {
  QtWindows w;
  w.open("Form1");
  w.open("Form4");
  auto& list = w.widget<QListWidget>("Form4", "progresslist");
  forms::Control& log = w.c("Form4", "progresslist");
  auto grow = [&](int lines) {
    for (int i = 0; i < lines; ++i) log.addItem("line " + std::to_string(log.listCount()));
    settle();
  };
  grow(60);
  QScrollBar* bar = list.verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0);
  EXPECT_EQ(bar->value(), bar->maximum());
  grow(5);
  EXPECT_EQ(bar->value(), bar->maximum());
  bar->setValue(3);  // the user scrolls up to read
  grow(5);
  EXPECT_EQ(bar->value(), 3);
  bar->setValue(bar->maximum());  // and back down: following again
  grow(5);
  EXPECT_EQ(bar->value(), bar->maximum());
}

}  // namespace
}  // namespace sg::test
