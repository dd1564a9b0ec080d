// Captions cut to fit their controls, and the scale that the window font sets for the layout.
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "qt/caption_fit.h"
#include "qt/form_window.h"
#include "qt/layout_scale.h"
#include "qt_windows.h"

namespace sg::test {
namespace {

TEST(CaptionFit, ACaptionThatFitsStaysWholeAndALongOneIsCutWithItsTooltip) {
  QtWindows w;  // the application
  QPushButton button;
  button.setFont(qt::windowFont());
  button.resize(60, 20);
  qt::setFittedCaption(&button, QStringLiteral("OK"));
  EXPECT_EQ(button.text(), QStringLiteral("OK"));
  EXPECT_TRUE(button.toolTip().isEmpty());
  qt::setFittedCaption(&button, QStringLiteral("&Angekreuzte Eintraege entfernen"));
  EXPECT_TRUE(button.text().endsWith(QChar(0x2026)));
  EXPECT_EQ(button.toolTip(), QStringLiteral("Angekreuzte Eintraege entfernen"));  // without the accelerator
  // Made wide enough, the same caption shows whole again.
  button.resize(600, 20);
  qt::refitCaption(&button);
  EXPECT_EQ(button.text(), QStringLiteral("&Angekreuzte Eintraege entfernen"));
  EXPECT_TRUE(button.toolTip().isEmpty());
}

TEST(CaptionFit, ALabelKeepsWholeLinesThatFitAndCutsTheRest) {
  QtWindows w;
  QFontMetrics fm(qt::windowFont());
  const QString text = QStringLiteral("first line\nsecond line\nthird line");
  auto heightOf = [&](const QString& t) { return fm.boundingRect(QRect(0, 0, 200, 1000), Qt::TextWordWrap, t).height(); };
  const int twoLines = heightOf(QStringLiteral("first line\nsecond line")), threeLines = heightOf(text);
  QString two = qt::elidedToFit(text, fm, 200, twoLines, true);
  EXPECT_TRUE(two.startsWith(QStringLiteral("first line\nsecond"))) << two.toStdString();
  EXPECT_TRUE(two.endsWith(QChar(0x2026)));
  EXPECT_EQ(qt::elidedToFit(text, fm, 200, threeLines, true), text);
  EXPECT_LE(qt::elidedToFit(QStringLiteral("abc"), fm, 0, fm.height(), false).size(), 1);
}

TEST(LayoutScale, TheScaleFollowsTheFontAndNeverShrinksTheDesign) {
  QtWindows w;
  QFont small = qt::windowFont();
  small.setPixelSize(8);
  EXPECT_EQ(qt::layoutScaleFor(small).x, 1.0);
  EXPECT_EQ(qt::layoutScaleFor(small).y, 1.0);
  QFont big = qt::windowFont();
  big.setPixelSize(22);
  qt::LayoutScale s = qt::layoutScaleFor(big);
  EXPECT_GT(s.x, 1.5);
  EXPECT_GT(s.y, 1.5);
  // Edges scale as positions do, so neighbouring controls still meet.
  EXPECT_EQ(s.toPixelsX(1500) + (s.toPixelsX(3000) - s.toPixelsX(1500)), s.toPixelsX(3000));
  qt::DialogUnits units = qt::dialogUnits(big);
  EXPECT_GT(units.charWidth, qt::kDesignCharWidth);
}

}  // namespace
}  // namespace sg::test
