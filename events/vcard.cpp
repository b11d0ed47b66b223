#include "events/vcard.h"

#include "platform/date_text.h"

namespace events {

namespace {

bool ReadDigits(const std::string& text, std::size_t at, std::size_t count, int& value) {
  value = 0;
  if (at + count > text.size()) return false;
  for (std::size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

// A BDAY value as year (0 when left out), month and day; false when it names no day.
bool ReadBirthday(std::string value, ContactBirthday& out) {
  if (const std::size_t t = value.find('T'); t != std::string::npos) value.resize(t);
  std::string digits;
  bool noYear = value.rfind("--", 0) == 0;
  for (char c : noYear ? value.substr(2) : value)
    if (c != '-') digits += c;
  if (noYear && digits.size() == 4) {
    out.year = 0;
  } else if (!noYear && digits.size() == 8) {
    if (!ReadDigits(digits, 0, 4, out.year)) return false;
    digits = digits.substr(4);
  } else {
    return false;
  }
  if (!ReadDigits(digits, 0, 2, out.month) || !ReadDigits(digits, 2, 2, out.day)) return false;
  if (out.month < 1 || out.month > 12 || out.day < 1) return false;
  // Without a year, 29 February is a day that exists.
  return out.day <= platform::DaysInMonth(out.year ? out.year : 2000, out.month);
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::vector<ContactBirthday> ReadBirthdays(const std::vector<ical::Component>& blocks, int& undated) {
  std::vector<ContactBirthday> found;
  for (const ical::Component& card : blocks) {
    if (card.name != "VCARD") continue;
    const ical::Property* bday = card.Find("BDAY");
    if (!bday) continue;
    ContactBirthday b;
    if (const ical::Property* fn = card.Find("FN")) b.name = Trimmed(ical::UnescapeText(fn->value));
    if (b.name.empty())
      if (const ical::Property* n = card.Find("N")) {
        // "Family;Given;Additional;Prefix;Suffix": given name first, as people are called.
        const auto parts = ical::SplitList(n->value, ';');
        for (std::size_t i : {std::size_t(1), std::size_t(0)})
          if (i < parts.size() && !Trimmed(ical::UnescapeText(parts[i])).empty())
            b.name += (b.name.empty() ? "" : " ") + Trimmed(ical::UnescapeText(parts[i]));
      }
    if (b.name.empty() || !ReadBirthday(Trimmed(ical::UnescapeText(bday->value)), b)) {
      ++undated;
      continue;
    }
    found.push_back(std::move(b));
  }
  return found;
}

}  // namespace events
