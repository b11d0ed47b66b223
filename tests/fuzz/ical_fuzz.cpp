// Calendar and contact files: any bytes parse or fail with a line-numbered error, never crash;
// whatever parses maps to events and birthdays; any text survives escaping and folding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "events/ical.h"
#include "events/ical_events.h"
#include "events/text_codec.h"
#include "events/vcard.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    const auto blocks = events::ical::Parse(text);
    int undated = 0;
    events::ReadBirthdays(blocks, undated);
    platform::DateTime now;
    now.year = 2026;
    now.month = 12;
    now.day = 8;
    events::TimeConversion shift{[](const platform::DateTime& t) { return t; }, [](const platform::DateTime& t) { return t; }};
    events::ReadCalendar(blocks, now, {}, shift, {});
  } catch (const events::ical::ParseError& e) {
    if (e.Line() < 1) std::abort();
  }

  // A text of cp1251 bytes (the one unassigned byte aside), its line ends as CR LF.
  std::string value;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\x98') continue;
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      value += "\r\n";
    } else {
      value += c;
    }
  }
  events::ical::Writer w;
  w.Line("BEGIN:X");
  w.Text("T", value);
  w.Line("END:X");
  for (std::size_t start = 0, end; (end = w.Result().find("\r\n", start)) != std::string::npos; start = end + 2)
    if (end - start > 75) std::abort();
  const auto back = events::ical::Parse(w.Result());
  if (back.size() != 1 || !back[0].Find("T") || events::ical::UnescapeText(back[0].Find("T")->value) != value) std::abort();
  return 0;
}
