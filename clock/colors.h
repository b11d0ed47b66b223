// Colour texts of skin files: numbers and colour names.
#pragma once

#include <optional>
#include <string>

#include "ui/types.h"

namespace clockface {

// A system colour of the user interface: the colour number that names the system's colour
// `index` (COLOR_BTNFACE and the like). Such numbers are negative; the Win32 backend draws them
// with the system's current colour.
constexpr ui::TColor SystemColor(int index) { return ui::TColor(0x80000000u | unsigned(index)); }

// The colour of a name: "clBlack" ... "clMedGray", the system colour names ("clBtnFace",
// "clWindowText", ...), "clNone" and "clDefault"; any letter case. Nothing for other texts.
std::optional<ui::TColor> ColorOfName(const std::string& name);

// A colour text as skin files write it: a colour name, a decimal integer, or "$" and up to eight
// hexadecimal digits, the number being 0x00BBGGRR (red in the low byte); a sign may precede
// either number. Anything else raises config::NotAnInteger(text).
ui::TColor StringToColor(const std::string& text);

}  // namespace clockface
