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

std::string AppendCapped(const std::string& log, const std::string& line, std::size_t cap, std::size_t capBytes) {
  // Only lines wholly inside the last capBytes bytes can be kept; a line that reaches further
  // back is longer than the room left. So a huge log is split no further than its tail.
  std::size_t start = 0;
  if (log.size() > capBytes) {
    start = log.size() - capBytes;
    const char before = log[start - 1];
    if (before == '\r' && log[start] == '\n') {
      ++start;
    } else if (before != '\r' && before != '\n') {
      start = log.find_first_of("\r\n", start);
      if (start == std::string::npos) start = log.size();
      else start += log.compare(start, 2, "\r\n") == 0 ? 2 : 1;
    }
  }
  std::vector<std::string> lines = SplitLines(log.substr(start));
  lines.push_back(line);
  const std::size_t longest = capBytes > 2 ? capBytes - 2 : 0;
  // The newest line is always kept (cut where it is too long); older ones while they fit.
  std::size_t first = lines.size(), bytes = 0;
  while (first > 0 && lines.size() - first < cap) {
    std::string& candidate = lines[first - 1];
    if (candidate.size() > longest) candidate.resize(longest);
    if (first < lines.size() && bytes + candidate.size() + 2 > capBytes) break;
    bytes += candidate.size() + 2;
    --first;
  }
  std::string out;
  out.reserve(bytes);
  for (std::size_t i = first; i < lines.size(); ++i) out.append(lines[i]).append("\r\n");
  return out;
}

void FiringLog::Append(const platform::DateTime& at, const std::string& number, const std::string& typeName,
                       const std::string& outcome) const {
  const std::string old = platform::ReadFile(path_).value_or("");
  platform::WriteFileAtomically(path_, AppendCapped(old, FiringLogLine(at, number, typeName, outcome)));
}

}  // namespace events
