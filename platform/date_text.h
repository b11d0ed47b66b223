// Date and time texts written with the user's pictures ("HH:mm:ss", "dd.MM.yyyy", ...): the
// display shows them, the event store keeps them, and events are matched by comparing them.
#pragma once

#include <optional>
#include <string>

namespace platform {

struct DateTime;

// Formats with a Windows-style picture: d dd ddd dddd, M MM MMM MMMM, y yy yyyy, h hh H HH,
// m mm, s ss, t tt, text in single quotes taken literally; any other character is copied.
std::string FormatPicture(const std::string& picture, const DateTime& t);

// Parses a date written with a short-date picture (numeric fields only); nothing when the text
// does not fit the picture or names no real date. The time of day of the result is 0:00:00.
std::optional<DateTime> ParseDate(const std::string& picture, const std::string& text);

// Parses a time of day written with a time picture. Hours, minutes and seconds take one or two
// digits whatever the picture's width; the AM/PM mark may be left out (the hour then counts
// from 0 to 23) and blanks around the text are ignored. Nothing when the text does not fit or
// names no real time. The date of the result is 2000-01-01 (as a default DateTime has it).
std::optional<DateTime> ParseTime(const std::string& picture, const std::string& text);

// Day of the week of a calendar date, 0 = Sunday (also for a month that does not exist).
int DayOfWeek(int year, int month, int day);
int DaysInMonth(int year, int month);

}  // namespace platform
