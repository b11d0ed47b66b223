#include "platform/fake/fake_platform.h"

namespace platform {

std::optional<CommandReply> FakeCommandLink::HandOver(const std::string& request) {
  handedOver.push_back(request);
  if (!system_.listener || listening) return std::nullopt;
  // A copy of the listener: the answer may stop the listening copy.
  const auto listener = system_.listener;
  return listener(request);
}

void FakeCommandLink::Listen(std::function<CommandReply(const std::string&)> answer) {
  if (answer) {
    system_.listener = std::move(answer);
    listening = true;
  } else if (listening) {
    system_.listener = nullptr;
    listening = false;
  }
}

namespace {

DateTime Shifted(const DateTime& t, int minutes) {
  const std::int64_t serial =
      DaysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second + std::int64_t(minutes) * 60;
  DateTime out = CivilFromDays(serial / 86400 - (serial % 86400 < 0 ? 1 : 0));
  const std::int64_t rest = ((serial % 86400) + 86400) % 86400;
  out.hour = int(rest / 3600);
  out.minute = int(rest / 60 % 60);
  out.second = int(rest % 60);
  out.millisecond = t.millisecond;
  return out;
}

}  // namespace

DateTime FakeTimeZoneRules::LocalFromUtc(const DateTime& utc) { return Shifted(utc, offsetMinutes); }
DateTime FakeTimeZoneRules::UtcFromLocal(const DateTime& local) { return Shifted(local, -offsetMinutes); }

}  // namespace platform
