// Captions are decoded with the code page that their control's character-set code names.
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "qt/charset_codec.h"
#include "qt_windows.h"

namespace sg::test {
namespace {

using qt::decodeText;
using qt::encodeText;

TEST(Charsets, SingleByteCodePagesDecodeAndEncodeBack) {
  const std::string cyrillic = "\xCF\xF0\xE8\xE2\xE5\xF2";  // windows-1251
  EXPECT_EQ(decodeText(cyrillic, 204), QString::fromUtf8("Привет"));
  EXPECT_EQ(encodeText(QString::fromUtf8("Привет"), 204), cyrillic);
  EXPECT_EQ(decodeText("\xB3\xF3\xEA", 238), QString::fromUtf8("łóę"));  // windows-1250
  EXPECT_EQ(decodeText("\xE1", 161), QString::fromUtf8("α"));            // windows-1253
  EXPECT_EQ(decodeText("\xA1", 222), QString::fromUtf8("ก"));            // windows-874
  // A character the code page lacks becomes a question mark rather than a wrong byte.
  EXPECT_EQ(encodeText(QString::fromUtf8("Я€ж"), 204), "\xDF\x88\xE6");
  EXPECT_EQ(encodeText(QString::fromUtf8("Ω"), 204), "?");
}

TEST(Charsets, ThePlatformsOwnTextIsUtf8AndForeignBytesAreReadAsWestern) {
  EXPECT_EQ(decodeText("Caf\xC3\xA9", 0), QString::fromUtf8("Café"));
  EXPECT_EQ(decodeText("Caf\xC3\xA9", 1), QString::fromUtf8("Café"));
  EXPECT_EQ(decodeText("Caf\xE9", 0), QString::fromUtf8("Café"));
  EXPECT_EQ(encodeText(QString::fromUtf8("Café"), 0), "Caf\xC3\xA9");
  EXPECT_EQ(decodeText("", 204), QString());
}

TEST(Charsets, AControlsCaptionIsDecodedAgainWhenItsCharsetChanges) {
  QtWindows w;
  registerProbe(w.registry, {{.kind = forms::Kind::CommandButton, .name = "b", .caption = "\xCF\xF3\xF1\xEA",
                              .left = 120, .top = 120, .width = 1500, .height = 375}});
  w.open("Probe");
  auto& button = w.widget<QPushButton>("Probe", "b");
  EXPECT_NE(button.text(), QString::fromUtf8("Пуск"));
  w.c("Probe", "b").setCharset(204);
  EXPECT_EQ(button.text(), QString::fromUtf8("Пуск"));
}

}  // namespace
}  // namespace sg::test
