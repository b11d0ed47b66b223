// The firing log "Gear\log.txt": one line for each event the scheduler fired, newest last,
// so that a user can tell whether an event ran while nobody watched. The file keeps the last
// kFiringLogLines lines, and no more than kFiringLogBytes bytes, and is rewritten whole and
// atomically at each firing: the size bound keeps that rewrite short whatever the file held.
#pragma once

#include <cstddef>
#include <string>

#include "platform/platform.h"

namespace events {

inline constexpr std::size_t kFiringLogLines = 1000;
inline constexpr std::size_t kFiringLogBytes = 256 * 1024;
// What the log says of an action that ran without an error.
inline constexpr const char* kFiringOk = "ok";

// One line, without its line end: "dd.MM.yyyy<TAB>HH:mm:ss<TAB>number<TAB>type name<TAB>outcome".
// Tabs and line breaks inside the fields become spaces, so one firing is always one line.
std::string FiringLogLine(const platform::DateTime& at, const std::string& number, const std::string& typeName,
                          const std::string& outcome);

// `log` (lines ended by CR LF, LF or CR) with `line` added last, each line ended by CR LF:
// only the last `cap` lines are kept, and only as many of them as fit in `capBytes` bytes, the
// oldest dropped first. A line longer than `capBytes` (with its line end) is cut to fit.
std::string AppendCapped(const std::string& log, const std::string& line, std::size_t cap = kFiringLogLines,
                         std::size_t capBytes = kFiringLogBytes);

class FiringLog {
 public:
  explicit FiringLog(std::string path) : path_(std::move(path)) {}
  const std::string& Path() const { return path_; }
  // Adds a line; the file is replaced atomically, so a write cut short leaves the log as it
  // was. Raises platform::FileError when the file cannot be written.
  void Append(const platform::DateTime& at, const std::string& number, const std::string& typeName,
              const std::string& outcome) const;

 private:
  std::string path_;
};

}  // namespace events
