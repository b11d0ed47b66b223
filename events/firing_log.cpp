#include "events/firing_log.h"

#include <cstdio>

#include "events/list_file.h"
#include "platform/files.h"

namespace events {

namespace {

std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  return text;
}

}  // namespace

std::string FiringLogLine(const platform::DateTime& at, const std::string& number, const std::string& typeName,
                          const std::string& outcome) {
  char moment[48];
  std::snprintf(moment, sizeof moment, "%02d.%02d.%04d\t%02d:%02d:%02d", at.day, at.month, at.year, at.hour,
                at.minute, at.second);
  return std::string(moment) + "\t" + OneLine(number) + "\t" + OneLine(typeName) + "\t" + OneLine(outcome);
}

std::string AppendCapped(const std::string& log, const std::string& line, std::size_t cap) {
  std::vector<std::string> lines = SplitLines(log);
  lines.push_back(line);
  const std::size_t first = lines.size() > cap ? lines.size() - cap : 0;
  std::string out;
  for (std::size_t i = first; i < lines.size(); ++i) out += lines[i] + "\r\n";
  return out;
}

void FiringLog::Append(const platform::DateTime& at, const std::string& number, const std::string& typeName,
                       const std::string& outcome) const {
  const std::string old = platform::ReadFile(path_).value_or("");
  platform::WriteFileAtomically(path_, AppendCapped(old, FiringLogLine(at, number, typeName, outcome)));
}

}  // namespace events
