// Birthdays from contact files (.vcf, versions 3.0 and 4.0): each contact's BDAY with its name.
#pragma once

#include <string>
#include <vector>

#include "events/ical.h"

namespace events {

struct ContactBirthday {
  std::string name;  // cp1251
  int year = 0;      // 0: the contact's card gives no year
  int month = 0, day = 0;
};

// The contacts among `blocks` that have a name and a readable birthday ("19850412",
// "1985-04-12", "--0412", "--04-12", a date with a time after it). `undated` counts those
// whose BDAY is there but names no day (a text, a year alone).
std::vector<ContactBirthday> ReadBirthdays(const std::vector<ical::Component>& blocks, int& undated);

}  // namespace events
