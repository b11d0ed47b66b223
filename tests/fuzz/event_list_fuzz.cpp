// The event list: any text splits into lines that hold no line end and, written back one per
// line, split into the same lines again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "events/list_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto lines = events::SplitLines(text);
  std::string written;
  for (const auto& line : lines) {
    if (line.find_first_of("\r\n") != std::string::npos) std::abort();
    written += line + "\r\n";
  }
  if (events::SplitLines(written) != lines) std::abort();
  return 0;
}
