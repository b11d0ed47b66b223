#include "events/store_changes.h"

#include <algorithm>

#include "config/convert.h"

namespace events {

namespace {

// The stored type as a number; a text that is no integer is no type that owns a side file.
int TypeNumber(const std::string& text) {
  try {
    return config::StrToInt(text);
  } catch (const config::EConvertError&) {
    return -1;
  }
}

}  // namespace

EventWrite PlanEventWrite(const EventRecord& e, const std::string& appDir) {
  EventWrite plan;
  KeyValues& keys = plan.keys;
  keys = {{"time", e.time}, {"date", e.date}, {"type", e.type}};
  if (e.type == "6" || e.type == "5") {
    const bool celebration = e.type == "6";
    plan.sideFile = appDir + (celebration ? "days\\" : "notes\\") + FileNamePart(e.number) + (celebration ? ".zqd" : ".zqt");
    plan.sideText = e.sideText;
  }
  if (e.type == "6") {
    keys.insert(keys.end(), {{"pathtobirthday", plan.sideFile},
                             {"Brith?", e.birthday ? "1" : "0"},
                             {"Foto", e.foto},
                             {"Email", e.email}});
  }
  if (e.type == "5") keys.emplace_back("pathtotxt", plan.sideFile);
  if (e.type == "1") keys.emplace_back("pathtofile", e.pathToFile);
  if (e.type == "0") keys.insert(keys.end(), {{"ms", e.ms}, {"hz", e.hz}});
  if (e.type != "6") {
    keys.emplace_back("period", e.period);
    if (e.period == "4")
      for (std::size_t d = 0; d < kWeekdayKeys.size(); ++d) keys.emplace_back(kWeekdayKeys[d], e.weekdays[d] ? "1" : "0");
  }
  return plan;
}

bool RemoveFirst(std::vector<std::string>& list, const std::string& number) {
  const auto found = std::find(list.begin(), list.end(), number);
  if (found == list.end()) return false;
  list.erase(found);
  return true;
}

std::vector<std::string> RemoveEvent(EventStore& store, const std::string& number) {
  const int type = TypeNumber(store.Read(number, "type", ""));
  const std::string sidePath = type == 5 ? store.Read(number, "pathtotxt", "0")
                               : type == 6 ? store.Read(number, "pathtobirthday", "0")
                                           : "";
  const EventStore::ChangeBatch batch(store);
  // The list line goes first: cut short after it, the event is gone and only unlisted leftovers
  // remain, which nothing reads; never a listed number without its keys.
  std::vector<std::string> list = store.LoadList();
  if (RemoveFirst(list, number)) store.SaveList(list);
  store.EraseSection(number);
  if (type == 5) store.DeleteSideFile(SideFolder::kNotes, sidePath);
  if (type == 6) store.DeleteSideFile(SideFolder::kDays, sidePath);
  return list;
}

}  // namespace events
