#include "qt/caption_fit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVariant>

namespace sg::qt {

namespace {
const char* const kFullCaption = "sgFullCaption";
}

QString elidedToFit(const QString& text, const QFontMetrics& fm, int width, int height, bool wrap) {
  auto fits = [&](const QString& t) {
    if (!wrap) return fm.horizontalAdvance(t) <= width;
    QRect need = fm.boundingRect(QRect(0, 0, std::max(1, width), 100000), Qt::TextWordWrap, t);
    return need.width() <= width && need.height() <= height;
  };
  if (fits(text)) return text;
  if (!wrap) return fm.elidedText(text, Qt::ElideRight, std::max(0, width));
  // The longest beginning that fits with the ellipsis; fitting only shrinks as text grows.
  const QString ellipsis = QStringLiteral("\u2026");
  qsizetype lo = 0, hi = text.size();
  while (lo < hi) {
    qsizetype mid = (lo + hi + 1) / 2;
    if (fits(text.left(mid).trimmed() + ellipsis)) lo = mid;
    else hi = mid - 1;
  }
  return text.left(lo).trimmed() + ellipsis;
}

int captionRoom(const QWidget* w) {
  int room = w->width();
  if (qobject_cast<const QPushButton*>(w)) room -= 8;  // the button's border and a little air
  else if (qobject_cast<const QGroupBox*>(w)) room -= 16;
  else if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w))
    room -= w->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
            w->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
  return room;
}

void refitCaption(QWidget* w) {
  QVariant stored = w->property(kFullCaption);
  if (!stored.isValid()) return;
  const QString full = stored.toString();
  QFontMetrics fm(w->font());
  auto* label = qobject_cast<QLabel*>(w);
  QString shown = elidedToFit(full, fm, captionRoom(w), label ? w->height() : 100000, label != nullptr);
  if (label) label->setText(shown);
  else if (auto* b = qobject_cast<QAbstractButton*>(w)) b->setText(shown);
  else if (auto* g = qobject_cast<QGroupBox*>(w)) g->setTitle(shown);
  QString plain = QString(full).remove('&');
  w->setToolTip(shown == full ? QString() : plain);
}

void setFittedCaption(QWidget* w, const QString& caption) {
  w->setProperty(kFullCaption, caption);
  refitCaption(w);
}

}  // namespace sg::qt
