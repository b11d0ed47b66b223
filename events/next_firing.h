// When an event fires: the scheduler's rules (once, daily, monthly, weekdays) as pure
// functions of the event's stored keys and a moment. The scan, the report of missed events and
// the event list's "next time" line all answer from here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/ini.h"
#include "events/event_store.h"
#include "platform/platform.h"

namespace events {

// What decides when one event fires, as stored.
struct FiringRule {
  std::string time;    // "time", in the user's long time format
  std::string date;    // "date", in the user's short date format
  std::string period;  // "1" once, "2" daily, "3" monthly, "4" weekdays; anything else never
  std::array<bool, 7> weekdays{true, true, true, true, true, true, true};  // Monday first
  bool active = true;  // "active" is not "0"
};

// The text an event's time is stored as: `t` written with the user's time picture, on the
// 24-hour clock where that picture cannot tell the halves of the day apart.
std::string StoredTimeText(const std::string& timePicture, const platform::DateTime& t);
// The second of the day (0 to 86399) a stored time stands for: the one moment StoredTimeText
// writes that text for, its first second where the picture has no seconds. Nothing when the
// text is not written that way. The scan and the next-firing line both ask this, so an event
// fires once a day at most, in the second the line names.
std::optional<int> StoredSecondOfDay(const std::string& storedTime, const std::string& timePicture);
// The second of the day of a moment.
int SecondOfDay(const platform::DateTime& t);

// The rule of `number` with the scheduler's defaults for missing keys.
FiringRule ReadFiringRule(const config::TIniSnapshot& detail, const std::string& number);
FiringRule ReadFiringRule(const EventStore& store, const std::string& number);

// The monthly rule: true when the day of the month of `storedDate` (written with the short
// date picture) is `dayOfMonth`. A date that does not parse raises config::EConvertError.
bool MonthlyRuleHolds(const std::string& storedDate, const std::string& shortDatePicture, int dayOfMonth);

// Seconds counted linearly (0 = 1970-01-01 00:00:00), for distances between moments.
std::int64_t SerialSecond(const platform::DateTime& t);
// The moment of a serial second, with its day of the week; milliseconds are 0.
platform::DateTime FromSerialSecond(std::int64_t serial);

// True when the event fires in the second `at` (its time of day, its day): the scan's test.
// An unparsable date of a monthly event raises config::EConvertError, as the scan expects.
bool FiresAt(const FiringRule& rule, const platform::DateTime& at, const std::string& timePicture,
             const std::string& datePicture);

// The first second at or after `from` in which the event fires; nothing when it never will
// (inactive, a one-time moment already past, a time or date that does not parse, no weekday).
std::optional<platform::DateTime> NextFiring(const FiringRule& rule, const platform::DateTime& from,
                                             const std::string& timePicture, const std::string& datePicture);

// The seconds from `first` to `last` (both included) in which the event fires, oldest first;
// at most `limit` of them. `total`, when given, receives how many there are in all.
// An inactive event fires in none.
std::vector<platform::DateTime> FiringsBetween(const FiringRule& rule, const platform::DateTime& first,
                                               const platform::DateTime& last, const std::string& timePicture,
                                               const std::string& datePicture, std::size_t limit,
                                               std::size_t* total = nullptr);

// How many seconds from `first` to `last` (both included) the event fires in: the total of
// FiringsBetween, worked out without visiting each day, so spans of years cost little.
std::size_t CountFiringsBetween(const FiringRule& rule, const platform::DateTime& first, const platform::DateTime& last,
                                const std::string& timePicture, const std::string& datePicture);

}  // namespace events
