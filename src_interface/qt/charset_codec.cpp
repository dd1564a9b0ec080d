#include "qt/charset_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include "qt/code_page_tables.h"

namespace sg::qt {
namespace {

int singleByteCodePage(int charset) {
  switch (charset) {
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
  }
  return 0;
}

bool isPlatformText(int charset) { return charset == 0 || charset == 1; }

QString decodeSingleByte(const std::string& bytes, const char16_t* high) {
  QString out;
  out.reserve(static_cast<qsizetype>(bytes.size()));
  for (unsigned char b : bytes) out.append(b < 0x80 ? QChar(b) : QChar(high[b - 0x80]));
  return out;
}

std::string encodeSingleByte(const QString& text, const char16_t* high) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  for (QChar ch : text) {
    char16_t u = ch.unicode();
    if (u < 0x80) { out.push_back(static_cast<char>(u)); continue; }
    char b = '?';
    for (int i = 0; i < 128; ++i)
      if (high[i] == u && u != 0xFFFD) { b = static_cast<char>(0x80 + i); break; }
    out.push_back(b);
  }
  return out;
}

}  // namespace

const char* codePageName(int charset) {
  switch (singleByteCodePage(charset)) {
    case 874: return "windows-874";
    case 1250: return "windows-1250";
    case 1251: return "windows-1251";
    case 1253: return "windows-1253";
    case 1254: return "windows-1254";
    case 1255: return "windows-1255";
    case 1256: return "windows-1256";
    case 1257: return "windows-1257";
    case 1258: return "windows-1258";
  }
  switch (charset) {
    case 2: return "ISO-8859-1";
    case 77: return "macintosh";
    case 128: return "Shift_JIS";
    case 129: return "windows-949";
    case 130: return "Johab";
    case 134: return "GBK";
    case 136: return "Big5";
    case 255: return "IBM437";
  }
  return "UTF-8";
}

QString withLineBreaks(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar('\r'), QChar('\n'));
  return text;
}

QString decodeText(const std::string& bytes, int charset) {
  if (int cp = singleByteCodePage(charset)) return decodeSingleByte(bytes, singleByteHighHalf(cp));
  if (charset == 2) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  if (!isPlatformText(charset)) {
    QStringDecoder dec(codePageName(charset));
    if (dec.isValid()) return dec(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  }
  // The platform's own text is UTF-8; bytes that are not (a file written on a Western Windows
  // machine) are read as its code page instead of turning into replacement marks.
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString s = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (!utf8.hasError()) return s;
  return decodeSingleByte(bytes, singleByteHighHalf(1252));
}

std::string encodeText(const QString& text, int charset) {
  if (int cp = singleByteCodePage(charset)) return encodeSingleByte(text, singleByteHighHalf(cp));
  if (charset == 2) {
    std::string out;
    for (QChar ch : text) out.push_back(ch.unicode() < 0x100 ? static_cast<char>(ch.unicode()) : '?');
    return out;
  }
  if (!isPlatformText(charset)) {
    QStringEncoder enc(codePageName(charset));
    if (enc.isValid()) {
      QByteArray b = enc(text);
      return std::string(b.constData(), static_cast<size_t>(b.size()));
    }
  }
  QByteArray b = text.toUtf8();
  return std::string(b.constData(), static_cast<size_t>(b.size()));
}

}  // namespace sg::qt
