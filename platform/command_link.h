// What connects the program with the outside when it is started with a command: the copy of
// the program that runs already, the console of whoever started it, and the system's rules of
// universal and local time that the files it reads and writes need.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/date_text.h"

namespace platform {

struct DateTime;

struct CommandReply {
  int code = 0;
  std::string text;
  friend bool operator==(const CommandReply&, const CommandReply&) = default;
};

class CommandLink {
 public:
  virtual ~CommandLink() = default;
  // Hands `request` to the copy of the program that runs already and waits for its reply;
  // nothing when no copy runs.
  virtual std::optional<CommandReply> HandOver(const std::string& request) = 0;
  // Makes this copy the one that answers requests, on the program's own thread; an empty
  // function stops it.
  virtual void Listen(std::function<CommandReply(const std::string& request)> answer) = 0;
  // Shows a command's outcome to whoever started the program: on the console it was started
  // from when there is one, otherwise in a message box.
  virtual void Report(const std::string& text, bool error) = 0;
};

}  // namespace platform
