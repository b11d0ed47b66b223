// Opening the calendar with 10,000 stored events of every rule: the bold days of the months the
// month control asks for with three months shown (five, with the partly shown ones) and the
// list of one day.
#include <benchmark/benchmark.h>

#include "app/forms.h"
#include "calendar/calendar_days.h"
#include "tests/bench/bench_program.h"

namespace {

// 10,000 events: one-time ones over a year, monthly, weekday and daily ones, birthdays.
void WriteMixedEvents(const bench::fs::path& dir) {
  std::string list, detail;
  for (int i = 0; i < bench::kEvents; ++i) {
    const std::string n = std::to_string(i * 7 + 3);
    const platform::DateTime day = platform::CivilFromDays(platform::DaysFromCivil(2026, 6, 1) + i % 365);
    const std::string date = platform::FormatPicture("dd.MM.yyyy", day);
    const std::string time = platform::FormatPicture("HH:mm:ss", platform::DateTime{2000, 1, 1, i % 24, i % 60, 0});
    list += n + "\r\n";
    detail += "[" + n + "]\r\ntime=" + time + "\r\ndate=" + date + "\r\n";
    switch (i % 10) {
      case 9:
        detail += "type=6\r\nBrith?=1\r\n";
        break;
      case 8:
        detail += "type=0\r\nperiod=2\r\n";
        break;
      case 6:
      case 7:
        detail += "type=5\r\nperiod=4\r\nMon=1\r\nTue=0\r\nWed=1\r\nThu=0\r\nFri=0\r\nSat=0\r\nSun=0\r\n";
        break;
      case 4:
      case 5:
        detail += "type=1\r\npathtofile=C:\\Tools\\e" + n + ".bat\r\nperiod=3\r\n";
        break;
      default:
        detail += "type=" + std::to_string(i % 4) + "\r\nperiod=1\r\n";
    }
  }
  bench::Write(dir / "Gear/Events.txt", list);
  bench::Write(dir / "Gear/gear.ini", detail);
}

class CalendarProgram : public bench::InstalledProgram {
 public:
  CalendarProgram() : InstalledProgram("calendar") { WriteMixedEvents(Path()); }
};

void BM_OpenCalendar(benchmark::State& state) {
  static CalendarProgram program;
  std::size_t listed = 0;
  for (auto _ : state) {
    Form1->OpenCalendar();
    TCalendarForm* calendar = Form1->calendarWindow();
    auto bits = calendar->MonthCalendar1->DayStates(2026, 11, 5);
    benchmark::DoNotOptimize(bits);
    listed = calendar->Entries().size();
    calendar->Close();
  }
  state.counters["listed"] = double(listed);
}
BENCHMARK(BM_OpenCalendar)->Unit(benchmark::kMillisecond);

// The parts of an opening: one read of the store, the bold days, the day's list.
class CalendarFolder : public bench::EventFolder {
 public:
  CalendarFolder() : EventFolder("calendar-parts") { WriteMixedEvents(Path()); }
};
const calendar::Pictures kPictures{"HH:mm:ss", "dd.MM.yyyy"};

void BM_ReadEvents(benchmark::State& state) {
  static CalendarFolder folder;
  events::EventStore store(folder.AppDir());
  for (auto _ : state) benchmark::DoNotOptimize(calendar::ReadEvents(store));
}
BENCHMARK(BM_ReadEvents)->Unit(benchmark::kMillisecond);

void BM_BoldDays(benchmark::State& state) {
  static CalendarFolder folder;
  events::EventStore store(folder.AppDir());
  const calendar::StoredEvents events = calendar::ReadEvents(store);
  for (auto _ : state) benchmark::DoNotOptimize(calendar::BoldDays(events, 2026, 11, 5, kPictures));
}
BENCHMARK(BM_BoldDays)->Unit(benchmark::kMillisecond);

void BM_DayList(benchmark::State& state) {
  static CalendarFolder folder;
  events::EventStore store(folder.AppDir());
  const calendar::StoredEvents events = calendar::ReadEvents(store);
  const platform::DateTime day = platform::CivilFromDays(platform::DaysFromCivil(2026, 12, 7));
  for (auto _ : state) benchmark::DoNotOptimize(calendar::DayList(store, events, day, kPictures));
}
BENCHMARK(BM_DayList)->Unit(benchmark::kMillisecond);

}  // namespace
