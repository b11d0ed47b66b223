// Rich Text Format as far as the program's text boxes need it without a native rich-text
// control: reading a document's plain text, and writing plain text as a small document.
// Texts are cp1251 byte strings with CR LF line ends.
#pragma once

#include <cstdint>
#include <string>

#include "ui/types.h"

namespace ui::rtf {

// True when `bytes` is a Rich Text document (it starts with "{\rtf", blanks allowed before).
bool IsRichText(const std::string& bytes);

// The text a reader sees: paragraphs and line breaks become CR LF, "\tab" a tab, "\'xx" the
// byte xx, "\uN" the cp1251 character of code point N ('?' when cp1251 has none) with its
// substitute characters skipped; font, colour and style tables, pictures, "\*" destinations
// and every other control word are left out. The paragraph mark that ends the document (which
// rich-text controls always write) adds no line. Unbalanced or truncated input reads up to
// where it stops.
std::string ToPlainText(const std::string& rtf);

// A Rich Text document showing `text` in `font` (face, size, colour, bold, underline), cp1251
// declared, each line a paragraph.
// ToPlainText of the result gives `text` back (with its line ends as CR LF).
std::string FromPlainText(const std::string& text, const TFont& font);

// The cp1251 byte of a Unicode code point, or 0 when cp1251 has none.
unsigned char Cp1251FromCodePoint(std::uint32_t codePoint);

}  // namespace ui::rtf
