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

}  // namespace platform
