// What a screen reader reads for the clock face, built from the texts the face shows, and when
// a change of it is worth announcing: the reading changes every second (every 10 ms with the
// stopwatch), a listener hears of it when its minute or its mode changes.
#pragma once

#include <string>

namespace clockface {

struct FaceReading {
  // The three number labels as shown (hours, minutes, seconds; or the stopwatch's counters).
  std::string first, second, third;
  bool showsThird = true;  // the skin shows the seconds
  // The date label as shown: the date, a countdown, or the uptime.
  std::string dateLine;
  bool stopwatch = false;
  bool uptime = false;
};

// "12:05:09 08.12.2026"; "Секундомер 0:12:05"; "12:05:09, Время работы Windows 3:04:05".
std::string FaceName(const FaceReading& reading);

// The part of the reading that is announced: the mode and, outside the stopwatch, the hour and
// minute. An announcement is due when it differs from the last one announced.
std::string FaceAnnouncementKey(const FaceReading& reading);

}  // namespace clockface
