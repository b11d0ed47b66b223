// Plain line lists on disk (the event list file): one entry per line, CR LF line ends.
#pragma once

#include <string>
#include <vector>

namespace events {

// Splits text into lines at CR LF, LF or CR; a final line end adds no empty entry.
std::vector<std::string> SplitLines(const std::string& text);
// Loads a list file; throws platform::CannotOpen(path) when it is missing.
std::vector<std::string> LoadListFile(const std::string& path);
// Saves a list atomically, each entry followed by CR LF.
void SaveListFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace events
