// Captions that fit their controls: a caption longer than its control (a long translation, say)
// is cut with an ellipsis and shown whole as the control's tooltip, so it never runs into the
// control beside it.
#pragma once
#include <QString>

class QWidget;
class QFontMetrics;

namespace sg::qt {

// The part of text that fits width x height pixels with an ellipsis, or text itself when it fits.
QString elidedToFit(const QString& text, const QFontMetrics& fm, int width, int height, bool wrap);

// Shows a caption on a label, check box, option button, button or frame, fitted to its size.
void setFittedCaption(QWidget* widget, const QString& caption);
// Fits the caption last set again, after the control was resized.
void refitCaption(QWidget* widget);
// The room for a caption inside the widget, in pixels.
int captionRoom(const QWidget* widget);

}  // namespace sg::qt
