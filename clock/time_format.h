// Date and time texts in the user's formats: the display shows them and the event store keeps
// them, and events are matched by comparing such texts.
#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"

namespace clockface {

// Formats with a Windows-style picture: d dd ddd dddd, M MM MMM MMMM, y yy yyyy, h hh H HH,
// m mm, s ss, t tt, text in single quotes taken literally; any other character is copied.
std::string FormatPicture(const std::string& picture, const platform::DateTime& t);

// Parses a date written with a short-date picture (numeric fields only); nothing when the text
// does not fit the picture or names no real date.
std::optional<platform::DateTime> ParseDate(const std::string& picture, const std::string& text);

// Day of the week of a calendar date, 0 = Sunday.
int DayOfWeek(int year, int month, int day);
int DaysInMonth(int year, int month);

}  // namespace clockface
