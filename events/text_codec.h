// The program keeps its texts in code page 1251; files exchanged with other programs
// (calendars, contacts) are UTF-8. These convert between the two.
#pragma once

#include <string>

namespace events {

// UTF-8 as cp1251: a character cp1251 lacks becomes '?', a byte that is no valid UTF-8 is
// taken as the cp1251 byte it is (a file saved in the old code page reads as written).
std::string Cp1251FromUtf8(const std::string& utf8);
// cp1251 as UTF-8; the one unassigned byte (0x98) becomes U+FFFD.
std::string Utf8FromCp1251(const std::string& text);

}  // namespace events
