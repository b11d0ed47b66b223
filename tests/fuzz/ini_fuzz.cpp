// Settings texts: the parser against a plain reference reader, and a model of what each change
// must do (the written key reads back, every other entry reads as before), all on memory.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/ini.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}
char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }
bool Same(std::string_view a, std::string_view b) {
  a = Trim(a);
  b = Trim(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

// The documented rules, written as plainly as possible.
std::string ReferenceRead(std::string_view content, std::string_view section, std::string_view key,
                          const std::string& fallback) {
  bool inTarget = false;
  for (std::size_t begin = 0; begin < content.size();) {
    std::size_t end = content.find_first_of("\r\n", begin);
    if (end == std::string_view::npos) end = content.size();
    const std::string_view line = content.substr(begin, end - begin);
    begin = end + (content.substr(end, 2) == "\r\n" ? 2 : 1);

    const std::string_view text = Trim(line);
    if (text.empty()) continue;
    if (text[0] == '[' && text.find(']') != std::string_view::npos) {
      if (inTarget) return fallback;  // only the first section of the name counts
      inTarget = Same(text.substr(1, text.find(']') - 1), section);
      continue;
    }
    if (!inTarget || text[0] == ';') continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || Trim(line.substr(0, equals)).empty()) continue;
    if (!Same(line.substr(0, equals), key)) continue;
    std::string_view value = Trim(line.substr(equals + 1));
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
      value = value.substr(1, value.size() - 2);
    return std::string(value.substr(0, 2047));
  }
  return fallback;
}

const char* const kNames[] = {"A", "a", " A\t", "B", "1", "123", "k", "K", "key", "[x", "x]", ";c", "k=v", "", " "};

std::string Name(FuzzedDataProvider& in) {
  if (in.ConsumeBool()) return kNames[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kNames) - 1)];
  return in.ConsumeRandomLengthString(6);
}

void Check(bool ok, const char* what) {
  if (!ok) {
    fprintf(stderr, "broken: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  std::string content = in.ConsumeRandomLengthString(1024);
  const std::string fallback = "\x01missing";
  std::vector<std::pair<std::string, std::string>> probes;

  for (int step = 0; step < 6 && in.remaining_bytes() > 0; ++step) {
    const int op = in.ConsumeIntegralInRange(0, 2);
    const std::string section = Name(in), key = Name(in);
    probes.emplace_back(section, key);
    const std::vector<std::string> before = config::detail::ReadManyFromText(content, probes, fallback);
    for (std::size_t i = 0; i < probes.size(); ++i)
      Check(before[i] == ReferenceRead(content, probes[i].first, probes[i].second, fallback),
            "read differs from the reference");

    std::string next, written;
    if (op == 0) {
      const std::string value = in.ConsumeRandomLengthString(64);
      written = value.substr(0, 2047);
      try {
        next = config::detail::TextWithValue(content, section, key, value);
      } catch (const std::invalid_argument&) {
        continue;
      }
      Check(config::detail::SectionInText(next, section), "written section");
    } else if (op == 1) {
      next = config::detail::TextWithoutKey(content, section, key);
    } else {
      next = config::detail::TextWithoutSection(content, section);
      Check(!config::detail::SectionInText(next, section), "erased section");
      Check(next.size() <= content.size(), "erasing grows the text");
    }
    // The changed entry reads as the change says; every other one as before.
    const std::vector<std::string> after = config::detail::ReadManyFromText(next, probes, fallback);
    for (std::size_t i = 0; i < probes.size(); ++i) {
      const auto& [s, k] = probes[i];
      if (Same(s, section) && Same(k, key))
        Check(after[i] == (op == 0 ? written : fallback), op == 0 ? "written value" : "deleted key");
      else if (Same(s, section) && op == 2)
        Check(after[i] == fallback, "entry of an erased section");
      else
        Check(after[i] == before[i], "another entry changed");
    }
    content = std::move(next);
  }
  return 0;
}
