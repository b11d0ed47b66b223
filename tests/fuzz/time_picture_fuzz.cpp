// Date and time pictures: whatever the formatter writes with a picture, the parser reads with
// it, and what it reads is written the same way again.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "clock/time_format.h"

namespace {

void Check(bool ok, const char* what, const std::string& picture, const std::string& text) {
  if (ok) return;
  fprintf(stderr, "broken: %s\npicture [%s]\ntext [%s]\n", what, picture.c_str(), text.c_str());
  std::abort();
}

bool Has(const std::string& picture, const char* letters) {
  for (const auto& e : clockface::SplitPicture(picture))
    if (e.field != '\0' && std::string(letters).find(e.field) != std::string::npos) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  platform::DateTime t;
  t.year = in.ConsumeBool() ? in.ConsumeIntegralInRange(2000, 2099) : in.ConsumeIntegralInRange(1, 9999);
  t.month = in.ConsumeIntegralInRange(1, 12);
  t.day = in.ConsumeIntegralInRange(1, clockface::DaysInMonth(t.year, t.month));
  t.hour = in.ConsumeIntegralInRange(0, 23);
  t.minute = in.ConsumeIntegralInRange(0, 59);
  t.second = in.ConsumeIntegralInRange(0, 59);
  t.dayOfWeek = clockface::DayOfWeek(t.year, t.month, t.day);
  const std::string picture = in.ConsumeRandomLengthString(48);
  const std::string text = clockface::FormatPicture(picture, t);

  const bool fullDate = Has(picture, "d") && Has(picture, "M") && Has(picture, "y");
  // Fields of one letter run together ("mMH") can be read in more than one way; what is read
  // must write the same text again when the parse gives every field the picture has.
  const bool dateOnly = !Has(picture, "hHmst"), timeOnly = !Has(picture, "dMy");
  const bool thisCentury = t.year >= 2000 && t.year <= 2099;
  if (auto date = clockface::ParseDate(picture, text)) {
    const platform::DateTime again = *date;
    // Years of two digits stand for this century: a date outside it may read as another.
    if (dateOnly && thisCentury)
      Check(clockface::FormatPicture(picture, again) == text, "date read back writes another text", picture, text);
  } else {
    // Only a picture with a day, a month and a year can name a date, and two-digit years
    // stand for this century.
    bool dayNumber = false;
    for (const auto& e : clockface::SplitPicture(picture)) dayNumber |= e.field == 'd' && e.count <= 2;
    Check(!(dayNumber && fullDate && thisCentury), "written date not read", picture, text);
  }

  if (auto time = clockface::ParseTime(picture, text)) {
    const platform::DateTime again = *time;
    if (timeOnly)
      Check(clockface::FormatPicture(picture, again) == text, "time read back writes another text", picture, text);
  }

  // Texts from nowhere are read or refused, never more.
  const std::string other = in.ConsumeRemainingBytesAsString();
  clockface::ParseDate(picture, other);
  clockface::ParseTime(picture, other);
  return 0;
}
