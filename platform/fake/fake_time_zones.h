// A small table of zones with real summer-time rules, for tests. The computer's own zone is
// `localZone` (Moscow time unless a test says otherwise).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/time_zones.h"

namespace platform {

class FakeTimeZones : public TimeZones {
 public:
  FakeTimeZones();
  std::vector<TimeZone> List() override { return zones; }
  std::optional<DateTime> LocalToUniversal(const DateTime& local) override;
  std::optional<DateTime> UniversalToLocal(const DateTime& universal) override;
  std::optional<DateTime> UniversalToZone(const std::string& id, const DateTime& universal) override;

  std::vector<TimeZone> zones;
  std::map<std::string, ZoneRule> rules;
  std::string localZone = "Russian Standard Time";
};

}  // namespace platform
