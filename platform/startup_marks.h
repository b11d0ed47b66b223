// Marks of the program's start, for measuring where its start-up time goes. When the environment
// variable HORAVO_STARTUP_MARKS names a file, each mark appends one line to it: the wall-clock
// time in milliseconds since 1970 (with fractions), a tab and the mark's name, so that a tool
// that started the program can set each mark against its own launch time. Without the variable
// a mark costs one test of a flag.
#pragma once

#include <string>

namespace platform {

void StartupMark(const char* what);
// "<subject> <what>", for example "Form2 created".
void StartupMark(const std::string& subject, const char* what);

// For tests: the variable is read again at the next mark.
void ResetStartupMarks();

}  // namespace platform
