// Date and time texts written with the user's pictures ("HH:mm:ss", "dd.MM.yyyy", ...): the
// display shows them, the event store keeps them, and events are matched by comparing them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct DateTime;

// One part of a picture: a field (letter and how often it is repeated) or literal text.
struct PictureElement {
  char field;           // one of d M y h H m s t, or '\0' for literal text
  std::size_t count;    // how often the field letter is repeated
  std::string literal;  // the text of a literal part, quotes removed
};
std::vector<PictureElement> SplitPicture(const std::string& picture);

// Formats with a Windows-style picture: d dd ddd dddd, M MM MMM MMMM, y yy yyyy, h hh H HH,
// m mm, s ss, t tt, text in single quotes taken literally; any other character is copied.
std::string FormatPicture(const std::string& picture, const DateTime& t);

// Parse what FormatPicture writes with the same picture: numbers of one or two digits (a
// year of one or two digits in 2000..2099), day and month names, AM/PM marks and quoted
// literals. Nothing when the text does not fit the picture or names no real date (time), or
// a day name that is not that date's.
// ParseDate needs a day, month and year and gives midnight of that date; ParseTime gives the
// hour, minute and second (0 for those the picture lacks) on the default date.
// A time picture with 12-hour fields and neither an AM/PM mark nor a 24-hour field cannot tell
// the halves of the day apart ("h:mm:ss" writes 8:00:00 at 08:00 and at 20:00). ParseTime reads
// such a picture's hours as 24-hour (UnambiguousTimePicture), and events store their times so.
std::optional<DateTime> ParseDate(const std::string& picture, const std::string& text);
std::optional<DateTime> ParseTime(const std::string& picture, const std::string& text);

// `picture` with its 12-hour fields made 24-hour where it cannot tell the halves of the day
// apart (see above); any other picture as it is.
std::string UnambiguousTimePicture(const std::string& picture);

// Days since 1970-01-01 of a calendar date (proleptic Gregorian), and the date of such a count
// at midnight, with its day of the week.
std::int64_t DaysFromCivil(int year, int month, int day);
DateTime CivilFromDays(std::int64_t days);

// Day of the week of a calendar date, 0 = Sunday (also for a month that does not exist).
int DayOfWeek(int year, int month, int day);
int DaysInMonth(int year, int month);

}  // namespace platform
