// The system's SYSTEMTIME and the program's DateTime hold the same fields. The day of the week
// read back is worked out from the date: some of the system's calls leave it undefined.
#pragma once

#include <windows.h>

#include "platform/date_text.h"
#include "platform/platform.h"

namespace platform::win32 {

inline SYSTEMTIME ToSystemTime(const DateTime& t) {
  SYSTEMTIME s{};
  s.wYear = WORD(t.year);
  s.wMonth = WORD(t.month);
  s.wDay = WORD(t.day);
  s.wDayOfWeek = WORD(t.dayOfWeek);
  s.wHour = WORD(t.hour);
  s.wMinute = WORD(t.minute);
  s.wSecond = WORD(t.second);
  s.wMilliseconds = WORD(t.millisecond);
  return s;
}

inline DateTime FromSystemTime(const SYSTEMTIME& s) {
  return {s.wYear, s.wMonth, s.wDay, s.wHour, s.wMinute, s.wSecond, s.wMilliseconds,
          DayOfWeek(s.wYear, s.wMonth, s.wDay)};
}

}  // namespace platform::win32
