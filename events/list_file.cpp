#include "events/list_file.h"

#include "platform/files.h"

namespace events {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::vector<std::string> LoadListFile(const std::string& path) {
  auto text = platform::ReadFile(path);
  if (!text) throw platform::CannotOpen(path);
  return SplitLines(*text);
}

void SaveListFile(const std::string& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  platform::WriteFileAtomically(path, text);
}

}  // namespace events
