// Conversions of stored setting texts, with the error texts users see in the error message box.
#pragma once

#include <stdexcept>
#include <string>

namespace config {

class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A decimal integer: optional sign, digits, surrounding blanks allowed. Anything else (empty,
// hexadecimal, trailing text, out of the 32-bit range) raises
// EConvertError "'<text>' is not a valid integer value".
int StrToInt(const std::string& text);

}  // namespace config
