#include "clock/face_name.h"

namespace clockface {

namespace {
const char* const kStopwatch = "Секундомер ";
const char* const kUptime = "Время работы Windows ";
}  // namespace

std::string FaceName(const FaceReading& r) {
  std::string numbers = r.first + ":" + r.second;
  if (r.showsThird || r.stopwatch) numbers += ":" + r.third;
  if (r.stopwatch) return kStopwatch + numbers;
  if (r.uptime) return numbers + ", " + kUptime + r.dateLine;
  return r.dateLine.empty() ? numbers : numbers + " " + r.dateLine;
}

std::string FaceAnnouncementKey(const FaceReading& r) {
  if (r.stopwatch) return kStopwatch;
  return (r.uptime ? kUptime : "") + r.first + ":" + r.second;
}

}  // namespace clockface
