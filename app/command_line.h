// The program's command line: "/remind", "/poweroff", "/abort", "/export", "/import", "/?"
// (switches in any case, "-" for "/" too), what each does to the store, and the answer the
// caller gets: a text and an exit code.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "events/actions.h"
#include "events/event_store.h"
#include "events/ical_events.h"
#include "events/scheduler.h"
#include "platform/platform.h"

namespace app {

enum class CommandKind { kNone, kRemind, kPowerOff, kAbort, kExport, kImport, kHelp };

struct Command {
  CommandKind kind = CommandKind::kNone;
  // /remind: a time of day (with `date`, or the next such moment), or `minutes` from now.
  bool relative = false;
  int hour = 0, minute = 0, second = 0;
  int minutes = 0;  // /remind +N, /poweroff N
  std::optional<platform::DateTime> date;
  std::string text;  // /remind
  std::string path;  // /export, /import
};

// Exit codes: done, a usage error, the store could not be written.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitStore = 2;

struct CommandAnswer {
  int code = kExitOk;
  std::string text;
  friend bool operator==(const CommandAnswer&, const CommandAnswer&) = default;
};

// The arguments after the program's name. No arguments give kNone; a usage error gives
// kNone with the answer to show (code kExitUsage) in `error`.
struct ParsedCommand {
  Command command;
  std::optional<CommandAnswer> error;
};
ParsedCommand ParseCommandLine(const std::vector<std::string>& args);

// The usage, shown for "/?" and after a usage error.
extern const char* const kUsageText;

// Whether the process goes on as a normal start after doing `kind` itself (the event it
// stored must be able to fire).
inline bool StartsProgramAfter(CommandKind kind) { return kind == CommandKind::kRemind || kind == CommandKind::kPowerOff; }

// The arguments as one text for another copy of the program, and back.
std::string EncodeArguments(const std::vector<std::string>& args);
std::vector<std::string> DecodeArguments(const std::string& data);

// What a command works on.
struct CommandServices {
  events::EventStore& store;
  events::Scheduler* scheduler;  // null: no scan to put a new event into
  events::Actions& actions;
  platform::Clock& clock;
  events::TimeConversion time;
  std::function<void()> shutdownAborted;  // the face forgets its countdown
};

// Carries out `command` at `now`.
CommandAnswer RunCommand(const Command& command, CommandServices& services);
// Parses and carries out the arguments a copy of the program handed over.
CommandAnswer AnswerArguments(const std::vector<std::string>& args, CommandServices& services);

}  // namespace app
