// Changes the event editor and the event list make to the store: what recording an event
// writes (its side file, then its keys in the stored order) and removing an event with the
// side file of its own type.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "events/event_store.h"

namespace events {

using KeyValues = std::vector<std::pair<std::string, std::string>>;

// What recording `event` writes, in order: the side file (types 5 and 6; empty path for the
// others), then the keys of its section.
struct EventWrite {
  std::string sideFile;
  std::string sideText;
  KeyValues keys;
};
EventWrite PlanEventWrite(const EventRecord& event, const std::string& appDir);

// Removes a listed event: the side file of its stored type ("5": "notes\", "6": "days\", named
// by the file-name part of "pathtotxt" or "pathtobirthday", default "0"), its section, and
// the first line of the list equal to `number`; the other lines keep their order. Returns
// the list as saved.
std::vector<std::string> RemoveEvent(EventStore& store, const std::string& number);

// `list` without its first entry equal to `number`; false when there was none.
bool RemoveFirst(std::vector<std::string>& list, const std::string& number);

}  // namespace events
