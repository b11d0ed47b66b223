// The program's events as calendar events (.ics) and back: which event becomes which VEVENT,
// and which VEVENT becomes which event. Texts on this side are cp1251; the calendar text is
// UTF-8. Files, numbers and the store's commit are left to the caller (events/event_import.h).
#pragma once

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "config/ini.h"
#include "events/event_store.h"
#include "events/ical.h"
#include "platform/platform.h"

namespace events {

// The user's time and date pictures, with which the store keeps times and dates.
struct StoredPictures {
  std::string time = "HH:mm:ss";
  std::string date = "dd.MM.yyyy";
};

// Local time from universal time and back, as the system's time-zone rules give it.
struct TimeConversion {
  std::function<platform::DateTime(const platform::DateTime& utc)> localFromUtc;
  std::function<platform::DateTime(const platform::DateTime& local)> utcFromLocal;
};
// The conversions of this computer's own zone; a moment the zones cannot convert stays as it is.
TimeConversion LocalZoneConversion(platform::TimeZones& zones);

// The rich text a note written in the event editor gets for plain `text`: a reminder's, and a
// birthday's or holiday's.
std::string ReminderRichText(const std::string& text);
std::string CelebrationRichText(const std::string& text);

// The plain text of a stored side file (rich text or not).
std::string PlainSideText(const std::string& stored);

// Reads the side file of a reminder ("5") or a celebration ("6"); empty when it is missing.
using SideFileReader = std::function<std::string(const std::string& number, const std::string& type)>;

struct ExportedCalendar {
  std::string text;  // UTF-8, CR LF
  int exported = 0;
  int skipped = 0;  // damaged: an unknown type, a time or date that does not read
  // Events that had no "uid" yet, with the one the export gave them, to be stored.
  std::vector<std::pair<std::string, std::string>> newUids;
};

// A calendar of the events `numbers` names, read from `detail`. `now` (local) stamps it;
// `newUid` makes a UID for an event that has none.
ExportedCalendar ExportCalendar(const config::TIniSnapshot& detail, const std::vector<std::string>& numbers,
                                const SideFileReader& sideText, const StoredPictures& pictures,
                                const platform::DateTime& now, const TimeConversion& time,
                                const std::function<std::string()>& newUid);

// One event to be stored: its record (no number yet), its UID, and whether it is switched off.
struct ImportedEvent {
  EventRecord record;
  std::string uid;
  bool active = true;
};

// What a calendar or contact file gives, and what it held that was left out.
struct ImportPlan {
  std::vector<ImportedEvent> events;
  int past = 0;         // one-time moments already gone
  int unsupported = 0;  // repetitions the program has no period for
  int known = 0;        // a UID already stored or met before in the file; a contact stored already
  int undated = 0;      // contacts without a name or a readable birthday
  int Skipped() const { return past + unsupported + known + undated; }
};

// The VEVENTs of the VCALENDARs among `blocks` as events, at `now` (local). Yearly events
// dated before today are moved to their next day on or after it, so that they are announced.
// `knownUids` are those in the store. A DTSTART, RRULE or TRIGGER that cannot be read
// throws ical::ParseError.
ImportPlan ReadCalendar(const std::vector<ical::Component>& blocks, const platform::DateTime& now,
                        const StoredPictures& pictures, const TimeConversion& time, const std::set<std::string>& knownUids);

// The date of the next day on or after `today` with the month and day given (29 February: the
// next leap year's).
platform::DateTime NextYearly(int month, int day, const platform::DateTime& today);

}  // namespace events
