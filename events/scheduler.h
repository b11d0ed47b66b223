// Rules of the event scheduler that need no window: which seconds an event has fired in, and
// the monthly rule. The scan itself is TForm1::ScanEvents (events/scheduler.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "platform/platform.h"

namespace events {

// A calendar second as one number; equal only for the same second of the same day.
std::int64_t SecondOf(const platform::DateTime& t);

// The second in which each event fired last. Refreshes can fall into the same second many
// times (the fast ticks of the fade-in, a refresh run by a click, a refresh nested in a modal
// message box of an action); an event must fire once in its second, not once per refresh.
class FiredEvents {
 public:
  bool Contains(std::int64_t second, const std::string& number) const {
    auto it = fired_.find(number);
    return it != fired_.end() && it->second == second;
  }
  void Add(std::int64_t second, const std::string& number);

 private:
  std::unordered_map<std::string, std::int64_t> fired_;
  std::int64_t latest_ = 0;
};

// The monthly rule: true when the day of the month of `storedDate` (written with the short
// date picture) is `dayOfMonth`. A date that does not parse raises config::EConvertError.
bool MonthlyRuleHolds(const std::string& storedDate, const std::string& shortDatePicture, int dayOfMonth);

}  // namespace events
