// A settings file with typed readers. Each read names its own default and goes to the file at
// the moment it is made, so a value another window (or the user, by hand) changed counts at once.
#pragma once

#include <string>

#include "config/ini.h"

namespace config {

class Settings : public TIniFile {
 public:
  using TIniFile::TIniFile;

  // The stored text, or `defaultValue` when the key is missing.
  std::string ReadText(const std::string& section, const std::string& key, const std::string& defaultValue) const {
    return ReadString(section, key, defaultValue);
  }
  // The stored decimal integer, or `defaultValue` when the key is missing. A stored text that
  // is not a decimal integer raises EConvertError.
  int ReadInt(const std::string& section, const std::string& key, int defaultValue) const;
  // A flag is on when its text is exactly "1"; any other text is off. A missing key reads as
  // `defaultValue`.
  bool ReadFlag(const std::string& section, const std::string& key, bool defaultValue) const;
};

}  // namespace config
