#include "platform/startup_marks.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

enum class State { kUnread, kOff, kOn };
State state = State::kUnread;
std::FILE* out = nullptr;

}  // namespace

void StartupMark(const char* what) {
  if (state != State::kOff) StartupMark(std::string(), what);
}

void StartupMark(const std::string& subject, const char* what) {
  if (state == State::kOff) return;
  if (state == State::kUnread) {
    const char* path = std::getenv("HORAVO_STARTUP_MARKS");
    out = path && *path ? std::fopen(path, "ab") : nullptr;
    state = out ? State::kOn : State::kOff;
    if (!out) return;
  }
  const auto since1970 = std::chrono::system_clock::now().time_since_epoch();
  const double ms = std::chrono::duration<double, std::milli>(since1970).count();
  std::fprintf(out, "%.3f\t%s%s%s\n", ms, subject.c_str(), subject.empty() ? "" : " ", what);
  // Written at once: the program may be ended by the tool right after it shows.
  std::fflush(out);
}

void ResetStartupMarks() {
  if (out) std::fclose(out);
  out = nullptr;
  state = State::kUnread;
}

}  // namespace platform
