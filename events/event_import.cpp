#include "events/event_import.h"

#include <chrono>
#include <random>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "config/ini.h"
#include "events/list_file.h"
#include "events/store_changes.h"
#include "events/text_codec.h"
#include "events/vcard.h"
#include "platform/files.h"

namespace events {

namespace {

std::function<unsigned()> Generator(const std::function<unsigned()>& draw) {
  if (draw) return draw;
  auto engine = std::make_shared<std::minstd_rand>(
      unsigned(std::random_device{}()) ^ unsigned(std::chrono::steady_clock::now().time_since_epoch().count()));
  return [engine] { return unsigned((*engine)()); };
}

// A value as a settings file stores it so that it reads back unchanged (see config::TIniFile).
std::string StoredForm(std::string value) {
  for (char& c : value)
    if (c == '\r' || c == '\n') c = ' ';
  if (value.empty()) return value;
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  const bool edgeBlank = blank(value.front()) || blank(value.back());
  const bool ownQuotes = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
  return edgeBlank || ownQuotes ? '"' + value + '"' : value;
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::vector<std::string> ListOrEmpty(const EventStore& store) {
  try {
    return store.LoadList();
  } catch (const platform::FileError&) {
    return {};
  }
}

std::string SideText(const EventStore& store, const config::TIniSnapshot& detail, const std::string& number,
                     const std::string& type) {
  const bool reminder = type == "5";
  const std::string stored = detail.ReadString(number, reminder ? "pathtotxt" : "pathtobirthday",
                                               reminder ? kDefaultReminderFile : kDefaultCelebrationFile);
  const std::string path = store.SideFilePath(reminder ? SideFolder::kNotes : SideFolder::kDays, stored);
  return path.empty() ? std::string() : platform::ReadFile(path).value_or("");
}

ImportPlan PlanContacts(const EventStore& store, const std::vector<ical::Component>& blocks, const ExchangeContext& c) {
  ImportPlan plan;
  const std::vector<ContactBirthday> found = ReadBirthdays(blocks, plan.undated);
  // The birthdays stored already, by name and day.
  std::set<std::string> stored;
  const config::TIniSnapshot detail = store.Snapshot();
  for (const std::string& number : ListOrEmpty(store)) {
    if (detail.ReadString(number, "type", kDefaultType) != "6") continue;
    const auto date = platform::ParseDate(c.pictures.date, detail.ReadString(number, "date", kDefaultDate));
    if (!date) continue;
    stored.insert(Trimmed(PlainSideText(SideText(store, detail, number, "6"))) + "\n" + std::to_string(date->month) + "." +
                  std::to_string(date->day));
  }
  for (const ContactBirthday& b : found) {
    if (!stored.insert(b.name + "\n" + std::to_string(b.month) + "." + std::to_string(b.day)).second) {
      ++plan.known;
      continue;
    }
    platform::DateTime at = NextYearly(b.month, b.day, c.now);
    ImportedEvent out;
    out.record.type = "6";
    out.record.birthday = true;
    out.record.time = platform::FormatPicture(c.pictures.time, at);
    out.record.date = platform::FormatPicture(c.pictures.date, at);
    out.record.sideText = CelebrationRichText(b.name);
    plan.events.push_back(std::move(out));
  }
  return plan;
}

}  // namespace

std::string ImportSummary::Message() const {
  std::string text = "Импортировано: " + std::to_string(imported) + ". Пропущено: " + std::to_string(counts.Skipped());
  std::string parts;
  auto part = [&](const char* name, int count) {
    if (count > 0) parts += (parts.empty() ? "" : ", ") + std::string(name) + ": " + std::to_string(count);
  };
  part("прошло", counts.past);
  part("повторение не поддерживается", counts.unsupported);
  part("уже есть", counts.known);
  part("без даты", counts.undated);
  if (!parts.empty()) text += " (" + parts + ")";
  return text + ".";
}

std::string ExportSummary::Message() const {
  std::string text = "Экспортировано: " + std::to_string(exported) + ".";
  if (skipped > 0) text += " Пропущено повреждённых: " + std::to_string(skipped) + ".";
  return text;
}

ImportPlan PlanImport(const EventStore& store, const std::string& bytes, const std::string& fileName,
                      const ExchangeContext& context) {
  std::vector<ical::Component> blocks;
  try {
    blocks = ical::Parse(bytes);
    bool cards = false, calendars = false;
    for (const ical::Component& block : blocks) {
      cards |= block.name == "VCARD";
      calendars |= block.name == "VCALENDAR";
    }
    if (!cards && !calendars)
      throw ical::ParseError(blocks.empty() ? 1 : blocks.front().line, "нет ни BEGIN:VCALENDAR, ни BEGIN:VCARD");
    if (cards) return PlanContacts(store, blocks, context);
    std::set<std::string> uids;
    const config::TIniSnapshot detail = store.Snapshot();
    for (const std::string& number : ListOrEmpty(store))
      if (std::string uid = detail.ReadString(number, "uid", ""); !uid.empty()) uids.insert(std::move(uid));
    return ReadCalendar(blocks, context.now, context.pictures, context.time, uids);
  } catch (const ical::ParseError& e) {
    throw ExchangeError("Ошибка в файле " + fileName + " строка " + std::to_string(e.Line()) + ": " + e.what());
  }
}

std::vector<std::string> CommitImport(EventStore& store, Scheduler* scheduler, const std::vector<ImportedEvent>& events,
                                      const std::function<unsigned()>& draw) {
  if (events.empty()) return {};
  std::vector<std::string> list = ListOrEmpty(store);
  // A number must be free in the list and among the sections left behind, since the new
  // sections are added to the detail file as they are.
  std::vector<std::string> taken = list;
  for (std::string& name : config::TIniFile(store.DetailPath()).ReadSections()) taken.push_back(std::move(name));
  std::unordered_set<std::string> used(taken.begin(), taken.end());
  const std::function<unsigned()> generator = Generator(draw);
  const std::vector<std::string> none;

  const std::optional<std::string> oldDetail = platform::ReadFile(store.DetailPath());
  if (!oldDetail && platform::FileExists(store.DetailPath())) throw platform::CannotWrite(store.DetailPath());
  std::string detail = oldDetail.value_or("");
  if (!detail.empty() && detail.back() != '\n' && detail.back() != '\r') detail += "\r\n";

  std::vector<std::string> numbers, sideFiles;
  std::vector<std::pair<std::string, std::string>> sideTexts;
  numbers.reserve(events.size());
  const EventStore::ChangeBatch batch(store);
  try {
    for (const ImportedEvent& imported : events) {
      EventRecord record = imported.record;
      do record.number = NewEventNumber(none, generator);
      while (!used.insert(record.number).second);
      EventWrite plan = PlanEventWrite(record, store.AppDir());
      if (!imported.uid.empty()) plan.keys.emplace_back("uid", imported.uid);
      if (!imported.active) plan.keys.emplace_back("active", "0");
      if (!plan.sideFile.empty()) {
        sideFiles.push_back(plan.sideFile);
        sideTexts.emplace_back(plan.sideFile, std::move(plan.sideText));
      }
      detail.append("[").append(record.number).append("]\r\n");
      for (const auto& [key, value] : plan.keys) detail.append(key).append("=").append(StoredForm(value)).append("\r\n");
      numbers.push_back(record.number);
    }
    // The side files first, in one batch: a cut-short import leaves no listed event without one.
    platform::WriteFilesAtomically(sideTexts);
    platform::WriteFileAtomically(store.DetailPath(), detail);
    try {
      list.insert(list.end(), numbers.begin(), numbers.end());
      store.SaveList(list);
    } catch (...) {
      try {
        if (oldDetail)
          platform::WriteFileAtomically(store.DetailPath(), *oldDetail);
        else
          platform::RemoveFile(store.DetailPath());
      } catch (...) {
      }
      throw;
    }
  } catch (...) {
    for (const std::string& file : sideFiles) platform::RemoveFile(file);
    throw;
  }
  if (scheduler) {
    // Many at once: one fresh read of the list and its times costs less than adding each.
    if (numbers.size() > 64) {
      scheduler->LoadList();
      scheduler->Reload();
    } else {
      for (const std::string& number : numbers) scheduler->Add(number);
    }
  }
  return numbers;
}

ImportSummary ImportFile(EventStore& store, Scheduler* scheduler, const std::string& path, const ExchangeContext& context) {
  const std::optional<std::string> bytes = platform::ReadFile(path);
  if (!bytes) throw ExchangeError(platform::CannotOpen(path).what());
  ImportSummary summary;
  summary.counts = PlanImport(store, *bytes, path, context);
  summary.imported = int(CommitImport(store, scheduler, summary.counts.events, context.draw).size());
  summary.counts.events.clear();
  return summary;
}

std::string WithUids(const std::string& ini, const std::vector<std::pair<std::string, std::string>>& uids) {
  std::unordered_map<std::string, std::string> wanted(uids.begin(), uids.end());
  std::unordered_set<std::string> seen;
  // Where each wanted section's last entry line ends, and the uid to put there.
  std::vector<std::pair<std::size_t, std::string>> inserts;
  const std::string* current = nullptr;
  std::size_t lastFilledEnd = std::string::npos;
  bool lastHasEnd = true;
  auto close = [&] {
    if (current && lastFilledEnd != std::string::npos)
      inserts.emplace_back(lastFilledEnd, (lastHasEnd ? "" : "\r\n") + std::string("uid=") + StoredForm(*current) + "\r\n");
    current = nullptr;
  };
  std::size_t i = 0;
  while (i < ini.size()) {
    std::size_t end = ini.find_first_of("\r\n", i);
    std::size_t next = end == std::string::npos ? ini.size() : end + 1;
    if (end != std::string::npos && ini[end] == '\r' && next < ini.size() && ini[next] == '\n') ++next;
    const std::string line(config::TrimBlanks(std::string_view(ini).substr(i, (end == std::string::npos ? ini.size() : end) - i)));
    if (!line.empty() && line.front() == '[') {
      close();
      const std::size_t closing = line.find(']');
      const std::string name(config::TrimBlanks(line.substr(1, closing == std::string::npos ? std::string::npos : closing - 1)));
      if (auto found = wanted.find(name); found != wanted.end() && seen.insert(name).second) {
        current = &found->second;
        lastFilledEnd = next;
        lastHasEnd = end != std::string::npos;
      }
    } else if (current && !line.empty()) {
      lastFilledEnd = next;
      lastHasEnd = end != std::string::npos;
    }
    i = next;
  }
  close();
  std::string out;
  out.reserve(ini.size() + inserts.size() * 48);
  std::size_t copied = 0;
  for (const auto& [at, text] : inserts) {
    out.append(ini, copied, at - copied).append(text);
    copied = at;
  }
  out.append(ini, copied, std::string::npos);
  // Sections the file lacks get one of their own at the end.
  for (const auto& [number, uid] : uids)
    if (!seen.count(number)) {
      if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += "\r\n";
      out += "[" + number + "]\r\nuid=" + StoredForm(uid) + "\r\n";
      seen.insert(number);
    }
  return out;
}

ExportSummary ExportFile(EventStore& store, const std::vector<std::string>& numbers, const std::string& path,
                         const ExchangeContext& context) {
  const std::function<unsigned()> generator = Generator(context.draw);
  auto newUid = [&] {
    static const char* const kHex = "0123456789abcdef";
    std::string uid;
    for (int i = 0; i < 16; ++i) uid += kHex[generator() % 16];
    return uid + "@horavo";
  };
  const config::TIniSnapshot detail = store.Snapshot();
  const ExportedCalendar calendar = ExportCalendar(
      detail, numbers, [&](const std::string& number, const std::string& type) { return SideText(store, detail, number, type); },
      context.pictures, context.now, context.time, newUid);
  if (!calendar.newUids.empty()) {
    // The UIDs are kept before the file is written: a file whose events the store cannot
    // recognise again would bring them in twice.
    const std::optional<std::string> old = platform::ReadFile(store.DetailPath());
    if (!old) throw platform::CannotWrite(store.DetailPath());
    platform::WriteFileAtomically(store.DetailPath(), WithUids(*old, calendar.newUids));
  }
  platform::WriteFileAtomically(path, calendar.text);
  return {calendar.exported, calendar.skipped};
}

}  // namespace events
