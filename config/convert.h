// Conversions of stored setting texts, with the error texts users see in the error message box.
#pragma once

#include <stdexcept>
#include <string>

namespace config {

class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The conversion errors users see, naming the text that failed.
EConvertError NotAnInteger(const std::string& text);  // "Значение '<text>' не является целым числом"
EConvertError NotADate(const std::string& text);      // "Значение '<text>' не является датой"
EConvertError NotATime(const std::string& text);      // "Значение '<text>' не является временем"

// A decimal integer: optional sign, digits, surrounding blanks allowed. Anything else (empty,
// hexadecimal, trailing text, out of the 32-bit range) raises NotAnInteger(text).
int StrToInt(const std::string& text);

}  // namespace config
