#include "clock/colors.h"

#include <cstdint>

#include "config/convert.h"

namespace clockface {
namespace {

struct NamedColor {
  const char* name;
  ui::TColor color;
};

// The colour names of the classic component library, with its values.
const NamedColor kColors[] = {
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    // System colours, by the system's colour index.
    {"clScrollBar", SystemColor(0)},
    {"clBackground", SystemColor(1)},
    {"clActiveCaption", SystemColor(2)},
    {"clInactiveCaption", SystemColor(3)},
    {"clMenu", SystemColor(4)},
    {"clWindow", SystemColor(5)},
    {"clWindowFrame", SystemColor(6)},
    {"clMenuText", SystemColor(7)},
    {"clWindowText", SystemColor(8)},
    {"clCaptionText", SystemColor(9)},
    {"clActiveBorder", SystemColor(10)},
    {"clInactiveBorder", SystemColor(11)},
    {"clAppWorkSpace", SystemColor(12)},
    {"clHighlight", SystemColor(13)},
    {"clHighlightText", SystemColor(14)},
    {"clBtnFace", SystemColor(15)},
    {"clBtnShadow", SystemColor(16)},
    {"clGrayText", SystemColor(17)},
    {"clBtnText", SystemColor(18)},
    {"clInactiveCaptionText", SystemColor(19)},
    {"clBtnHighlight", SystemColor(20)},
    {"cl3DDkShadow", SystemColor(21)},
    {"cl3DLight", SystemColor(22)},
    {"clInfoText", SystemColor(23)},
    {"clInfoBk", SystemColor(24)},
    {"clHotLight", SystemColor(26)},
    {"clGradientActiveCaption", SystemColor(27)},
    {"clGradientInactiveCaption", SystemColor(28)},
    {"clMenuHighlight", SystemColor(29)},
    {"clMenuBar", SystemColor(30)},
    // Special values: "no colour" and "the control's default colour".
    {"clNone", 0x1FFFFFFF},
    {"clDefault", 0x20000000},
};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool SameText(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return i == a.size() && !b[i];
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = Lower(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::optional<ui::TColor> ColorOfName(const std::string& name) {
  for (const NamedColor& entry : kColors)
    if (SameText(name, entry.name)) return entry.color;
  return std::nullopt;
}

ui::TColor StringToColor(const std::string& text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  const std::string trimmed = text.substr(begin, end - begin);
  if (auto named = ColorOfName(trimmed)) return *named;

  std::size_t i = 0;
  bool negative = false;
  if (i < trimmed.size() && (trimmed[i] == '-' || trimmed[i] == '+')) negative = trimmed[i++] == '-';
  if (i < trimmed.size() && trimmed[i] == '$') {
    // Hexadecimal: up to 32 bits, so "$8000000F" is the system colour it spells.
    ++i;
    const std::size_t digits = trimmed.size() - i;
    std::uint32_t value = 0;
    bool valid = digits >= 1 && digits <= 8;
    for (; valid && i < trimmed.size(); ++i) {
      int d = HexDigit(trimmed[i]);
      if (d < 0) valid = false;
      value = value << 4 | std::uint32_t(d);
    }
    if (!valid) throw config::NotAnInteger(text);
    return ui::TColor(negative ? 0u - value : value);
  }
  try {
    return config::StrToInt(trimmed);
  } catch (const config::EConvertError&) {
    // The message names the text as it was written, blanks included.
    throw config::NotAnInteger(text);
  }
}

}  // namespace clockface
