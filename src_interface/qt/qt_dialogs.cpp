#include "qt/qt_dialogs.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "qt/charset_codec.h"

namespace sg::qt {

QString messageText(const std::string& text) { return withLineBreaks(decodeText(text, 0)); }

platform::Answer QtDialogs::message(const std::string& text, const std::string& title,
                                    platform::Icon icon, platform::Buttons buttons) {
  using platform::Icon;
  QMessageBox box;
  box.setWindowTitle(decodeText(title, 0));
  box.setText(messageText(text));
  box.setTextFormat(Qt::PlainText);
  switch (icon) {
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::Error: box.setIcon(QMessageBox::Critical); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
  }
  if (buttons == platform::Buttons::YesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    // The close box of a question counts as its last button, as on the classic desktop.
    box.setEscapeButton(QMessageBox::No);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
  }
  if (hook_) {
    auto hook = hook_;
    QTimer::singleShot(0, &box, [hook, &box] { hook(box); });
  }
  ++depth_;
  box.exec();
  --depth_;
  QAbstractButton* pressed = box.clickedButton();
  if (buttons == platform::Buttons::YesNo)
    return pressed == box.button(QMessageBox::Yes) ? platform::Answer::Yes : platform::Answer::No;
  return platform::Answer::OK;
}

}  // namespace sg::qt
