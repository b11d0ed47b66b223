// Calendar and contact files in and out of the event store: an import is one commit (side
// files, then the detail file, then the list, each replaced atomically; on a failure all it
// wrote is taken back), an export one file.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "events/event_store.h"
#include "events/ical_events.h"
#include "events/scheduler.h"

namespace events {

// What an import or export needs besides the store: the moment, the user's pictures, time
// zones, and (for tests) the generator behind new event numbers and UIDs.
struct ExchangeContext {
  platform::DateTime now;
  StoredPictures pictures;
  TimeConversion time;
  std::function<unsigned()> draw;  // empty: the program's own generator
};

// A file that cannot be read or is no calendar or contact file; what() is the user's message.
// Nothing was stored.
class ExchangeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ImportSummary {
  int imported = 0;
  ImportPlan counts;  // its events are gone, its counters kept
  // "Импортировано: 12. Пропущено: 3 (прошло: 2, повторение не поддерживается: 1)."
  std::string Message() const;
};

// What the file's text gives for this store: a contact file (BEGIN:VCARD first) its birthdays
// not stored yet, a calendar its events whose UIDs are not stored yet. Throws ExchangeError
// naming `fileName` and the line for a malformed file.
ImportPlan PlanImport(const EventStore& store, const std::string& bytes, const std::string& fileName,
                      const ExchangeContext& context);

// Stores the planned events under new numbers in one commit, as one change of the store, and
// puts them into `scheduler`'s scan (when given). Returns the numbers. A failed write throws
// platform::FileError after everything written before it was taken back.
std::vector<std::string> CommitImport(EventStore& store, Scheduler* scheduler, const std::vector<ImportedEvent>& events,
                                      const std::function<unsigned()>& draw = {});

// Reads, plans and commits the file at `path`.
ImportSummary ImportFile(EventStore& store, Scheduler* scheduler, const std::string& path, const ExchangeContext& context);

struct ExportSummary {
  int exported = 0, skipped = 0;
  std::string Message() const;
};

// Writes the events `numbers` names (all listed events when empty is not wanted, pass the
// list) to `path` as a calendar; events without a UID get one, stored first (one rewrite of
// the detail file). Errors of the files throw platform::FileError.
ExportSummary ExportFile(EventStore& store, const std::vector<std::string>& numbers, const std::string& path,
                         const ExchangeContext& context);

// The detail file's text with "uid=<uid>" added to the first section of each number given;
// every other byte kept.
std::string WithUids(const std::string& ini, const std::vector<std::pair<std::string, std::string>>& uids);

}  // namespace events
