// Turns the bytes of a control's texts into characters and back, with the code page that the
// control's font character-set code names (0 and 1: the platform's own text, UTF-8 here).
#pragma once
#include <QString>
#include <string>

namespace sg::qt {

// The code page a character-set code stands for ("UTF-8", "windows-1251", ...).
const char* codePageName(int charset);

QString decodeText(const std::string& bytes, int charset);
// Characters the code page cannot hold become '?'.
std::string encodeText(const QString& text, int charset);

// CR LF, a lone CR and LF each end a line of a caption or message as shown.
QString withLineBreaks(QString text);

}  // namespace sg::qt
