#include "config/settings.h"

#include "config/convert.h"

namespace config {

int Settings::ReadInt(const std::string& section, const std::string& key, int defaultValue) const {
  return StrToInt(ReadString(section, key, std::to_string(defaultValue)));
}

bool Settings::ReadFlag(const std::string& section, const std::string& key, bool defaultValue) const {
  return ReadString(section, key, defaultValue ? "1" : "0") == "1";
}

}  // namespace config
