// Calendar and contact files: the text layer (folding, escapes, blocks), every event type and
// period out and back in, files in the shapes other calendars write, and an import that is one
// commit of the store.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

#include "events/event_import.h"
#include "events/ical.h"
#include "events/text_codec.h"
#include "events/vcard.h"
#include "platform/fake/fake_platform.h"
#include "platform/files.h"
#include "tests/unit/temp_dir.h"

using events::ExchangeContext;
using events::ImportedEvent;
using events::ImportPlan;
using testing_support::TempDir;

namespace {

platform::DateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  platform::DateTime t;
  t.year = y;
  t.month = mo;
  t.day = d;
  t.hour = h;
  t.minute = mi;
  t.second = s;
  t.dayOfWeek = platform::DayOfWeek(y, mo, d);
  return t;
}

// A UTF-8 calendar from lines written in the sources' code page, joined by CR LF.
std::string Utf8Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return events::Utf8FromCp1251(text);
}

class ExchangeTest : public ::testing::Test {
 protected:
  ExchangeTest() : store(dir.Str()) {
    dir.Write("Gear/Events.txt", "");
    std::filesystem::create_directories(dir.Path() / "notes");
    std::filesystem::create_directories(dir.Path() / "days");
    context.now = At(2026, 12, 8, 10, 0, 0);
    context.time = events::LocalZoneConversion(zones);
    context.draw = [this] { return (next = next * 1103515245u + 12345u) >> 8; };
  }

  ImportPlan Plan(const std::string& utf8) { return events::PlanImport(store, utf8, "f.ics", context); }
  // Every key of every listed event, by number, with the side file's plain text under "text".
  std::vector<std::map<std::string, std::string>> Events(events::EventStore& s) {
    std::vector<std::map<std::string, std::string>> all;
    for (const std::string& number : s.LoadList()) {
      std::map<std::string, std::string> keys;
      for (const char* key : {"time", "date", "type", "Brith?", "Foto", "Email", "pathtofile", "ms", "hz", "period",
                              "Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun", "active"})
        keys[key] = s.Read(number, key, "<none>");
      const std::string type = keys["type"];
      if (type == "5" || type == "6") {
        const auto folder = type == "5" ? events::SideFolder::kNotes : events::SideFolder::kDays;
        keys["text"] = events::PlainSideText(
            platform::ReadFile(s.SideFilePath(folder, s.Read(number, type == "5" ? "pathtotxt" : "pathtobirthday", "")))
                .value_or("<missing>"));
      }
      all.push_back(keys);
    }
    return all;
  }

  TempDir dir;
  events::EventStore store;
  platform::FakeTimeZones zones;  // Moscow, UTC+3 all year
  ExchangeContext context;
  unsigned next = 100;
};

TEST(TextCodecTest, EveryCp1251ByteGoesToUtf8AndBack) {
  std::string all;
  for (int b = 1; b < 256; ++b)
    if (b != 0x98) all += char(b);
  EXPECT_EQ(events::Cp1251FromUtf8(events::Utf8FromCp1251(all)), all);
  EXPECT_EQ(events::Utf8FromCp1251("Ёж"), "\xD0\x81\xD0\xB6");
  // A character cp1251 lacks, a stray byte, a byte-order mark.
  EXPECT_EQ(events::Cp1251FromUtf8("\xE4\xB8\xAD" "a\xFF" "\xEF\xBB\xBF" "b"), "?a\xFF" "b");
}

TEST(CalendarTextTest, LongLinesFoldAtSeventyFiveOctetsNeverInsideACharacterAndUnfoldBack) {
  events::ical::Writer w;
  const std::string text = std::string(40, 'x') + std::string(60, '\xE6') + "; a, b\\c\r\nd";  // 'ж'
  w.Line("BEGIN:VCALENDAR");
  w.Text("X-LONG", text);
  w.Line("END:VCALENDAR");
  const std::string out = w.Result();
  std::size_t start = 0;
  for (std::size_t end; (end = out.find("\r\n", start)) != std::string::npos; start = end + 2) {
    EXPECT_LE(end - start, 75u);
    EXPECT_NE(static_cast<unsigned char>(out[start + (out[start] == ' ')]) & 0xC0, 0x80u) << "a character was split";
  }
  const auto blocks = events::ical::Parse(out);
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(events::ical::UnescapeText(blocks[0].Find("X-LONG")->value), text);
}

TEST(CalendarTextTest, ParametersQuotedListsGroupsAndBareLineFeeds) {
  const auto blocks = events::ical::Parse(
      "BEGIN:VCARD\nitem1.TEL;TYPE=\"cell,voice\";PREF=1:+7 900\nfn:A\\, B\\; C\nEND:VCARD\n");
  const auto& card = blocks.at(0);
  EXPECT_EQ(card.Find("TEL")->Param("TYPE"), "cell,voice");
  EXPECT_EQ(card.Find("TEL")->Param("PREF"), "1");
  EXPECT_EQ(events::ical::UnescapeText(card.Find("FN")->value), "A, B; C");
}

TEST_F(ExchangeTest, MalformedFilesNameTheLineAndStoreNothing) {
  const struct {
    const char* text;
    int line;
  } cases[] = {
      {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20270101T100000\r\nEND:VCALENDAR\r\n", 4},
      {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20270101T100000\r\nEND:VEVENT\r\n", 4},
      {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART 20270101\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n", 3},
      {"SUMMARY:x\r\nBEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n", 1},
      {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20271341T100000\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n", 3},
      {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:no start\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n", 2},
      {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20270101T100000\r\nRRULE:COUNT=2\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n", 4},
      {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20270101T100000\r\nBEGIN:VALARM\r\nTRIGGER:-PTxM\r\n"
       "END:VALARM\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n", 5},
      {"hello\r\n", 1},
      {"", 1},
  };
  for (const auto& c : cases) {
    dir.Write("bad.ics", c.text);
    try {
      events::ImportFile(store, nullptr, dir.Str() + "bad.ics", context);
      ADD_FAILURE() << c.text;
    } catch (const events::ExchangeError& e) {
      EXPECT_NE(std::string(e.what()).find("строка " + std::to_string(c.line) + ":"), std::string::npos)
          << e.what() << "\n" << c.text;
      EXPECT_EQ(std::string(e.what()).rfind("Ошибка в файле ", 0), 0u);
    }
    EXPECT_EQ(dir.Read("Gear/Events.txt").value(), "");
    EXPECT_FALSE(dir.Exists("Gear/gear.ini"));
  }
}

// One event of every type and period, with the keys the editor writes.
void StoreEveryKind(events::EventStore& s) {
  auto add = [&](const char* number, const char* type, const char* period, auto fill) {
    events::EventRecord e;
    e.number = number;
    e.type = type;
    e.period = period;
    e.time = "07:30:15";
    e.date = "15.01.2027";
    fill(e);
    s.AddEvent(e);
  };
  auto none = [](events::EventRecord&) {};
  add("1", "0", "1", [](events::EventRecord& e) { e.hz = "440"; e.ms = "300"; });
  add("2", "1", "2", [](events::EventRecord& e) { e.pathToFile = "C:\\Музыка\\a;b,c.mp3"; });
  add("3", "2", "3", none);
  add("4", "3", "4", [](events::EventRecord& e) { e.weekdays = {true, false, true, false, false, false, true}; });
  add("5", "4", "4", none);  // no weekday ticked
  add("6", "5", "1", [](events::EventRecord& e) {
    e.sideText = events::ReminderRichText("Позвонить маме; купить хлеб, молоко\r\nвторая строка");
  });
  add("7", "6", "2", [](events::EventRecord& e) {
    e.birthday = true;
    e.sideText = events::CelebrationRichText("Иван Петров");
    e.foto = "C:\\photo.jpg";
    e.email = "ivan@mail.ru";
  });
  add("8", "6", "2", [](events::EventRecord& e) { e.sideText = events::CelebrationRichText("День рыбака"); });
  s.Write("3", "active", "0");
}

TEST_F(ExchangeTest, EveryTypeAndPeriodComesBackWholeIntoAnEmptyStore) {
  StoreEveryKind(store);
  const auto summary = events::ExportFile(store, store.LoadList(), dir.Str() + "out.ics", context);
  EXPECT_EQ(summary.exported, 8);
  // Each event got its UID in the store, so a second export writes the same UIDs.
  const std::string uid = store.Read("6", "uid", "");
  EXPECT_FALSE(uid.empty());
  const std::string file = dir.Read("out.ics").value();
  EXPECT_NE(file.find("UID:" + uid + "\r\n"), std::string::npos);
  EXPECT_NE(file.find("RRULE:FREQ=WEEKLY;BYDAY=MO,WE,SU"), std::string::npos);
  EXPECT_NE(file.find("RRULE:FREQ=MONTHLY;BYMONTHDAY=15"), std::string::npos);
  EXPECT_NE(file.find("DTSTART;VALUE=DATE:20270115"), std::string::npos);
  EXPECT_NE(file.find("ACTION:AUDIO"), std::string::npos);
  EXPECT_NE(file.find("X-HORAVO-ACTION:POWEROFF"), std::string::npos);
  EXPECT_NE(file.find(events::Utf8FromCp1251("SUMMARY:Позвонить маме\\; купить хлеб\\, молоко\r\n")), std::string::npos);
  events::ExportFile(store, store.LoadList(), dir.Str() + "again.ics", context);
  EXPECT_EQ(store.Read("6", "uid", ""), uid);

  TempDir fresh;
  fresh.Write("Gear/Events.txt", "");
  std::filesystem::create_directories(fresh.Path() / "notes");
  std::filesystem::create_directories(fresh.Path() / "days");
  events::EventStore other(fresh.Str());
  const auto imported = events::ImportFile(other, nullptr, dir.Str() + "out.ics", context);
  EXPECT_EQ(imported.Message(), "Импортировано: 8. Пропущено: 0.");
  EXPECT_EQ(Events(other), Events(store));
  EXPECT_EQ(other.Read(other.LoadList()[5], "uid", ""), uid);

  // The same file again brings nothing twice.
  const auto twice = events::ImportFile(other, nullptr, dir.Str() + "out.ics", context);
  EXPECT_EQ(twice.Message(), "Импортировано: 0. Пропущено: 8 (уже есть: 8).");
  EXPECT_EQ(other.LoadList().size(), 8u);
}

TEST_F(ExchangeTest, FilesOfOtherCalendarsInTheirOwnShapes) {
  // Folded lines, escapes, a zone with summer time, UTC, an all-day yearly event, an alarm
  // before the start, repetitions the program has no period for, a past moment.
  const std::string file = Utf8Lines({
      "BEGIN:VCALENDAR", "PRODID:-//Web//Calendar//EN", "VERSION:2.0",
      "BEGIN:VTIMEZONE", "TZID:Europe/Berlin",
      "BEGIN:DAYLIGHT", "TZOFFSETFROM:+0100", "TZOFFSETTO:+0200", "DTSTART:19700329T020000",
      "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU", "END:DAYLIGHT",
      "BEGIN:STANDARD", "TZOFFSETFROM:+0200", "TZOFFSETTO:+0100", "DTSTART:19701025T030000",
      "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU", "END:STANDARD", "END:VTIMEZONE",
      // Summer in Berlin: 10:00 is 08:00 UTC, 11:00 here.
      "BEGIN:VEVENT", "UID:berlin-summer", "DTSTART;TZID=Europe/Berlin:20270710T100000",
      "SUMMARY:Встреча\\, важная\\; не опоздать", "DESCRIP", " TION:Комната 5", "END:VEVENT",
      // Winter in Berlin: 10:00 is 09:00 UTC, 12:00 here; the alarm 15 minutes before.
      "BEGIN:VEVENT", "UID:berlin-winter", "DTSTART;TZID=\"Europe/Berlin\":20270110T100000", "SUMMARY:Зима",
      "BEGIN:VALARM", "ACTION:DISPLAY", "TRIGGER:-PT15M", "END:VALARM", "END:VEVENT",
      "BEGIN:VEVENT", "UID:utc-daily", "DTSTART:20261209T210000Z", "RRULE:FREQ=DAILY;WKST=MO", "SUMMARY:Daily",
      "END:VEVENT",
      "BEGIN:VEVENT", "UID:bday", "DTSTART;VALUE=DATE:19850412", "DTEND;VALUE=DATE:19850413",
      "RRULE:FREQ=YEARLY;BYMONTH=4", "SUMMARY:Анна", "END:VEVENT",
      "BEGIN:VEVENT", "UID:every-other", "DTSTART:20270101T100000", "RRULE:FREQ=WEEKLY;INTERVAL=2", "END:VEVENT",
      "BEGIN:VEVENT", "UID:counted", "DTSTART:20270101T100000", "RRULE:FREQ=DAILY;COUNT=5", "END:VEVENT",
      "BEGIN:VEVENT", "UID:setpos", "DTSTART:20270101T100000", "RRULE:FREQ=MONTHLY;BYDAY=MO;BYSETPOS=1", "END:VEVENT",
      "BEGIN:VEVENT", "UID:gone", "DTSTART:20261201T100000", "END:VEVENT",
      // The alarm of a weekly Monday event on the Sunday before moves its weekday.
      "BEGIN:VEVENT", "UID:weekly", "DTSTART:20270104T090000", "RRULE:FREQ=WEEKLY;BYDAY=MO,FR", "BEGIN:VALARM",
      "ACTION:DISPLAY", "TRIGGER;RELATED=START:-P1DT1H", "END:VALARM", "END:VEVENT",
      "END:VCALENDAR"});
  const ImportPlan plan = Plan(file);
  EXPECT_EQ(plan.past, 1);
  EXPECT_EQ(plan.unsupported, 3);
  ASSERT_EQ(plan.events.size(), 5u);
  std::map<std::string, events::EventRecord> by;
  for (const ImportedEvent& e : plan.events) by[e.uid] = e.record;

  EXPECT_EQ(by["berlin-summer"].time, "11:00:00");
  EXPECT_EQ(by["berlin-summer"].date, "10.07.2027");
  EXPECT_EQ(by["berlin-summer"].type, "5");
  EXPECT_EQ(events::PlainSideText(by["berlin-summer"].sideText), "Встреча, важная; не опоздать\r\nКомната 5");
  EXPECT_EQ(by["berlin-winter"].time, "11:45:00");
  EXPECT_EQ(by["utc-daily"].time, "00:00:00");
  EXPECT_EQ(by["utc-daily"].date, "10.12.2026");
  EXPECT_EQ(by["utc-daily"].period, "2");
  EXPECT_EQ(by["bday"].type, "6");
  EXPECT_TRUE(by["bday"].birthday);
  EXPECT_EQ(by["bday"].date, "12.04.2027");  // the next one from today
  EXPECT_EQ(events::PlainSideText(by["bday"].sideText), "Анна");
  EXPECT_EQ(by["weekly"].time, "08:00:00");
  EXPECT_EQ(by["weekly"].period, "4");
  EXPECT_EQ(by["weekly"].weekdays, (std::array<bool, 7>{false, false, false, true, false, false, true}));

  events::ImportSummary summary;
  summary.imported = 5;
  summary.counts = plan;
  EXPECT_EQ(summary.Message(), "Импортировано: 5. Пропущено: 4 (прошло: 1, повторение не поддерживается: 3).");
}

TEST_F(ExchangeTest, SeedFilesOfSeveralProducersImport) {
  const struct {
    const char* file;
    const char* message;
  } cases[] = {
      {"web_calendar.ics", "Импортировано: 2. Пропущено: 1 (повторение не поддерживается: 1)."},
      {"desktop_mail.ics", "Импортировано: 1. Пропущено: 2 (повторение не поддерживается: 2)."},
      {"phone.ics", "Импортировано: 1. Пропущено: 1 (прошло: 1)."},
      {"own_export.ics", "Импортировано: 4. Пропущено: 0."},
      {"contacts_v3.vcf", "Импортировано: 2. Пропущено: 0."},
      {"contacts_v4.vcf", "Импортировано: 2. Пропущено: 1 (без даты: 1)."},
  };
  for (const auto& c : cases) {
    const std::string path = std::string(HORAVO_SOURCE_DIR) + "/tests/fuzz/seeds/" + c.file;
    EXPECT_EQ(events::ImportFile(store, nullptr, path, context).Message(), c.message) << c.file;
  }
  // Times of zones the files define, each alarm before its start.
  std::vector<std::string> moments;
  for (const auto& e : Events(store))
    if (e.at("type") == "5") moments.push_back(e.at("time") + " " + e.at("date"));
  EXPECT_EQ(moments, (std::vector<std::string>{"10:30:00 10.07.2027", "10:45:00 15.01.2027", "15:00:00 01.03.2027"}));
}

TEST_F(ExchangeTest, AUidMetTwiceInOneFileComesInOnce) {
  const std::string event = "BEGIN:VEVENT\r\nUID:same\r\nDTSTART:20270101T100000\r\nSUMMARY:x\r\nEND:VEVENT\r\n";
  const ImportPlan plan = Plan("BEGIN:VCALENDAR\r\n" + event + event + "END:VCALENDAR\r\n");
  EXPECT_EQ(plan.events.size(), 1u);
  EXPECT_EQ(plan.known, 1);
}

TEST_F(ExchangeTest, BirthdaysOfContactsWithAndWithoutAYearOnceEach) {
  const std::string cards = Utf8Lines({
      "BEGIN:VCARD", "VERSION:3.0", "FN:Пётр Сидоров", "N:Сидоров;Пётр;;;", "BDAY:1980-03-15", "END:VCARD",
      "BEGIN:VCARD", "VERSION:4.0", "FN:Ольга", "BDAY:--1231", "END:VCARD",
      "BEGIN:VCARD", "VERSION:4.0", "N:Smith;John;;;", "BDAY:19700101T000000Z", "END:VCARD",
      "BEGIN:VCARD", "VERSION:4.0", "FN:Без даты", "BDAY;VALUE=text:circa 1800", "END:VCARD",
      "BEGIN:VCARD", "VERSION:3.0", "FN:Нет дня рождения", "END:VCARD"});
  dir.Write("c.vcf", cards);
  const auto first = events::ImportFile(store, nullptr, dir.Str() + "c.vcf", context);
  EXPECT_EQ(first.Message(), "Импортировано: 3. Пропущено: 1 (без даты: 1).");
  const auto stored = Events(store);
  ASSERT_EQ(stored.size(), 3u);
  EXPECT_EQ(stored[0].at("text"), "Пётр Сидоров");
  EXPECT_EQ(stored[0].at("date"), "15.03.2027");
  EXPECT_EQ(stored[0].at("Brith?"), "1");
  EXPECT_EQ(stored[0].at("Email"), "");
  EXPECT_EQ(stored[1].at("date"), "31.12.2026");
  EXPECT_EQ(stored[2].at("text"), "John Smith");
  EXPECT_EQ(stored[2].at("date"), "01.01.2027");
  // The same contacts again: stored already by name and day.
  const auto again = events::ImportFile(store, nullptr, dir.Str() + "c.vcf", context);
  EXPECT_EQ(again.Message(), "Импортировано: 0. Пропущено: 4 (уже есть: 3, без даты: 1).");
}

TEST_F(ExchangeTest, AFailedWriteInTheMiddleTakesBackEverythingTheImportWrote) {
  dir.Write("Gear/Events.txt", "1\r\n");
  dir.Write("Gear/gear.ini", "[1]\r\ntime=01:00:00\r\ntype=2\r\n");
  const std::string file =
      "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:a\r\nDTSTART:20270101T100000\r\nSUMMARY:x\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nUID:b\r\nDTSTART:20270102T100000\r\nSUMMARY:y\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
  dir.Write("in.ics", file);
  const auto writable = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;
  struct Step {
    const char* what;
    std::function<void()> refuse, allow;
  };
  // A missing folder refuses the side files; a read-only file refuses its rewrite.
  const Step steps[] = {
      {"side file", [&] { std::filesystem::remove_all(dir.Path() / "notes"); },
       [&] { std::filesystem::create_directories(dir.Path() / "notes"); }},
      {"detail file", [&] { std::filesystem::permissions(dir.Path() / "Gear/gear.ini", std::filesystem::perms::owner_read); },
       [&] { std::filesystem::permissions(dir.Path() / "Gear/gear.ini", writable); }},
      {"list file", [&] { std::filesystem::permissions(dir.Path() / "Gear/Events.txt", std::filesystem::perms::owner_read); },
       [&] { std::filesystem::permissions(dir.Path() / "Gear/Events.txt", writable); }},
  };
  for (const Step& step : steps) {
    step.refuse();
    EXPECT_THROW(events::ImportFile(store, nullptr, dir.Str() + "in.ics", context), platform::FileError) << step.what;
    step.allow();
    EXPECT_EQ(dir.Read("Gear/Events.txt").value(), "1\r\n") << step.what;
    EXPECT_EQ(dir.Read("Gear/gear.ini").value(), "[1]\r\ntime=01:00:00\r\ntype=2\r\n") << step.what;
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path() / "notes")) << step.what;
  }
  // Then it goes through, and the listeners hear of it once.
  int notified = 0;
  store.Subscribe([&] { ++notified; });
  EXPECT_EQ(events::ImportFile(store, nullptr, dir.Str() + "in.ics", context).imported, 2);
  EXPECT_EQ(notified, 1);
  EXPECT_EQ(store.LoadList().size(), 3u);
  EXPECT_EQ(store.Read("1", "time", ""), "01:00:00");
}

TEST(WithUidsTest, AddsTheKeyToTheFirstSectionOfEachNumberKeepingEveryOtherByte) {
  const std::string ini = "; note\r\n[1]\r\ntime=1\r\n\r\n[2]\ntype=5\n[1]\r\nx=y\r\n[3]\r\ntype=0";
  EXPECT_EQ(events::WithUids(ini, {{"1", "a"}, {"3", "c"}, {"9", " z"}}),
            "; note\r\n[1]\r\ntime=1\r\nuid=a\r\n\r\n[2]\ntype=5\n[1]\r\nx=y\r\n[3]\r\ntype=0\r\nuid=c\r\n[9]\r\nuid=\" z\"\r\n");
}

}  // namespace
