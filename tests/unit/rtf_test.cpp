// Reading the text of Rich Text documents (as rich-text controls write them) and writing
// plain text as a document.
#include <gtest/gtest.h>

#include <string>

#include "ui/rtf.h"

namespace {

using ui::rtf::FromPlainText;
using ui::rtf::IsRichText;
using ui::rtf::ToPlainText;

TEST(RtfTest, ReadsTheTextOfWhatTheRichEditControlWrites) {
  // The shape of a saved document: tables and generator in groups, one paragraph per line,
  // cp1251 letters as \'xx, formatting words between them, and a final paragraph mark.
  const std::string saved =
      "{\\rtf1\\ansi\\ansicpg1251\\deff0\\nouicompat\\deflang1049{\\fonttbl{\\f0\\fnil\\fcharset204 Tahoma;}"
      "{\\f1\\fswiss\\fcharset0 Arial;}}\r\n"
      "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
      "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
      "\\pard\\f0\\fs18\\'cf\\'ee\\'e7\\'e4\\'f0\\'e0\\'e2\\'eb\\'ff\\'e5\\'ec \\b\\cf1\\'c8\\'e2\\'e0\\'ed\\'e0\\b0\\cf0 "
      "!\\par\r\n"
      "\\f1 Tab\\tab end\\line next\\par\r\n"
      "}\r\n";
  EXPECT_EQ(ToPlainText(saved), "Поздравляем Ивана!\r\nTab\tend\r\nnext");
}

TEST(RtfTest, UnicodeEscapesBecomeCp1251AndSkipTheirSubstitutes) {
  // \u with its one substitute (default \uc1), a negative value, two substitutes after \uc2,
  // a substitute given as \'xx, and a character cp1251 lacks.
  EXPECT_EQ(ToPlainText("{\\rtf1 \\u1046?\\u1105?}"), "Жё");
  EXPECT_EQ(ToPlainText("{\\rtf1 \\u-3?x}"), "?x");  // U+FFFD has no cp1251 byte
  EXPECT_EQ(ToPlainText("{\\rtf1 {\\uc2 \\u8470??}N}"), "№N");
  EXPECT_EQ(ToPlainText("{\\rtf1 \\u171\\'ab\\u187\\'bb}"), "«»");
  EXPECT_EQ(ToPlainText("{\\rtf1 \\uc0\\u8212 a}"), "—a");
}

TEST(RtfTest, HiddenGroupsAndEscapesAreHandled) {
  EXPECT_EQ(ToPlainText("{\\rtf1 a{\\*\\unknowndest b{c}}d}"), "ad");
  EXPECT_EQ(ToPlainText("{\\rtf1 {\\info{\\title T}{\\author A}}x}"), "x");
  // A field shows its result, not its instruction.
  EXPECT_EQ(ToPlainText("{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt site}}}"), "site");
  EXPECT_EQ(ToPlainText("{\\rtf1 \\{braces\\} \\\\ back\\~nb\\_dash}"), "{braces} \\ back\xA0nb-dash");
  EXPECT_EQ(ToPlainText("{\\rtf1 \\emdash\\endash\\bullet\\lquote\\rquote}"), "\x97\x96\x95\x91\x92");
  // Binary data is skipped by its length, whatever bytes it holds.
  EXPECT_EQ(ToPlainText("{\\rtf1 a{\\pict\\bin3 }{}b}c}"), "ac");
  EXPECT_EQ(ToPlainText(std::string("{\\rtf1 a\\bin4 ") + "\x01{}\\" + "b}"), "ab");
}

TEST(RtfTest, BrokenInputReadsUpToWhereItStops) {
  EXPECT_EQ(ToPlainText("{\\rtf1 abc"), "abc");
  EXPECT_EQ(ToPlainText("{\\rtf1 ab\\'c"), "ab");
  EXPECT_EQ(ToPlainText("{\\rtf1 a}}}b"), "a");
  EXPECT_EQ(ToPlainText("{\\rtf1 \\"), "");
  EXPECT_EQ(ToPlainText("no group at all"), "");
  EXPECT_EQ(ToPlainText(std::string(100000, '{') + "\\rtf1 deep"), "deep");
}

TEST(RtfTest, TellsRichTextFromPlainText) {
  EXPECT_TRUE(IsRichText("{\\rtf1\\ansi x}"));
  EXPECT_TRUE(IsRichText("\r\n {\\rtf1 x}"));
  EXPECT_FALSE(IsRichText("{\\rt"));
  EXPECT_FALSE(IsRichText("Просто текст {\\rtf1}"));
  EXPECT_FALSE(IsRichText(""));
}

TEST(RtfTest, WrittenDocumentsReadBackAsTheirText) {
  const ui::TFont font{"Tahoma", 9, ui::clBlack, true};
  for (const std::string text : {"", "Поздравляем!", "a\r\nb", "a\nb\rc", "tab\there", "{x}\\y", "end\r\n",
                                 "\r\n\r\n", "№ «ёлка» — €"}) {
    std::string doc = FromPlainText(text, font);
    ASSERT_TRUE(IsRichText(doc)) << doc;
    std::string expected;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r' || text[i] == '\n') {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        expected += "\r\n";
      } else {
        expected += text[i];
      }
    }
    EXPECT_EQ(ToPlainText(doc), expected) << doc;
  }
  std::string doc = FromPlainText("Ёлка", font);
  EXPECT_NE(doc.find("\\ansicpg1251"), std::string::npos);
  EXPECT_NE(doc.find("\\fcharset204 Tahoma;"), std::string::npos);
  EXPECT_NE(doc.find("\\fs18\\b \\'a8\\'eb\\'ea\\'e0\\par"), std::string::npos) << doc;
  for (unsigned char c : doc) EXPECT_LT(c, 0x80) << "a document is 7-bit text";
}

TEST(RtfTest, WrittenDocumentsCarryFaceSizeColourAndStyle) {
  std::string doc = FromPlainText("Напоминание", {"Arial", 10, 0x800000, true, true});
  EXPECT_NE(doc.find("\\fcharset204 Arial;"), std::string::npos) << doc;
  EXPECT_NE(doc.find("{\\colortbl ;\\red0\\green0\\blue128;}"), std::string::npos) << doc;
  EXPECT_NE(doc.find("\\cf1\\f0\\fs20\\ul\\b \\'cd"), std::string::npos) << doc;
  EXPECT_EQ(ToPlainText(doc), "Напоминание");
  // A system colour has no fixed value: the text is written black.
  doc = FromPlainText("x", {"Tahoma", 8, -16, false, false});
  EXPECT_NE(doc.find("\\red0\\green0\\blue0;"), std::string::npos) << doc;
  EXPECT_NE(doc.find("\\fs16 x"), std::string::npos) << doc;
}

TEST(RtfTest, Cp1251CodePoints) {
  EXPECT_EQ(ui::rtf::Cp1251FromCodePoint(0x0410), 0xC0);  // А
  EXPECT_EQ(ui::rtf::Cp1251FromCodePoint(0x044F), 0xFF);  // я
  EXPECT_EQ(ui::rtf::Cp1251FromCodePoint(0x0401), 0xA8);  // Ё
  EXPECT_EQ(ui::rtf::Cp1251FromCodePoint(0x0451), 0xB8);  // ё
  EXPECT_EQ(ui::rtf::Cp1251FromCodePoint(0x2116), 0xB9);  // №
  EXPECT_EQ(ui::rtf::Cp1251FromCodePoint(0x20AC), 0x88);  // €
  EXPECT_EQ(ui::rtf::Cp1251FromCodePoint('A'), 'A');
  EXPECT_EQ(ui::rtf::Cp1251FromCodePoint(0x00E9), 0);  // é: not in cp1251
  EXPECT_EQ(ui::rtf::Cp1251FromCodePoint(0x1F600), 0);
}

}  // namespace
