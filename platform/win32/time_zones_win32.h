// The system's time zones on Windows: the list and rules from the registry, the conversions
// by the system's own functions.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

class Win32TimeZones : public TimeZones {
 public:
  std::vector<TimeZone> List() override;
  std::optional<DateTime> LocalToUniversal(const DateTime& local) override;
  std::optional<DateTime> UniversalToLocal(const DateTime& universal) override;
  std::optional<DateTime> UniversalToZone(const std::string& id, const DateTime& universal) override;

 private:
  void Load();
  bool loaded_ = false;
  std::vector<TimeZone> zones_;
  std::map<std::string, std::string> rules_;  // id -> the 44 bytes of its "TZI" value
};

}  // namespace platform
