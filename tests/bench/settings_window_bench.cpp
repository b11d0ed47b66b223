// The settings window with 10,000 stored events: committing an addition in the event editor
// (the new event's side file, its keys in one rewrite of the detail file, the list file and
// the list's refresh; each round adds one more event to the store), rebuilding the event list,
// and deleting an event from it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/forms.h"
#include "app/program.h"
#include "platform/fake/fake_platform.h"
#include "resources/bitmap_file.h"
#include "ui/headless/headless.h"

namespace {

namespace fs = std::filesystem;
constexpr int kEvents = 10000;

void Write(const fs::path& path, const std::string& content) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

// A program folder with 10,000 events of every type but birthdays, and a whole program
// started in it over the fake platform and the headless widget set.
class Installed {
 public:
  Installed() {
    dir_ = fs::temp_directory_path() / ("horavo-editor-bench-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    Write(dir_ / "Horavo.exe", "MZ");
    Write(dir_ / "resources/images.dll", "MZ");
    Write(dir_ / "Skins/default/skin.ini", "[skin]\r\nNameOfSkin=default\r\n");
    Write(dir_ / "Skins/default/main.bmp", resources::EncodeBmp(ui::Image(180, 70, 0x334455)));
    Write(dir_ / "Skins/default/Preview.bmp", resources::EncodeBmp(ui::Image(160, 70, 0x445566)));
    Write(dir_ / "Cfg/Clock_config.ini", "[Clock]\r\nRunTray=0\r\n");
    fs::create_directories(dir_ / "notes");
    fs::create_directories(dir_ / "days");
    std::string list, detail;
    for (int i = 0; i < kEvents; ++i) {
      const std::string n = std::to_string(i * 7 + 3);
      list += n + "\r\n";
      detail += "[" + n + "]\r\ntime=12:00:00\r\ndate=07.12.2026\r\ntype=" + std::to_string(i % 6) +
                "\r\npathtofile=C:\\Tools\\event" + n + ".bat\r\nperiod=2\r\n";
    }
    Write(dir_ / "Gear/Events.txt", list);
    Write(dir_ / "Gear/gear.ini", detail);

    platform_ = std::make_unique<platform::FakePlatform>(system_);
    platform_->fakeProcess().exePath = dir_.string() + "/Horavo.exe";
    auto& clock = platform_->fakeClock();
    clock.Set(2026, 12, 7, 9, 5, 7);
    widgets_ = std::make_unique<ui::HeadlessWidgetSet>([&clock] { return clock.Millis(); },
                                                       [&clock](std::uint64_t ms) { clock.SetMillis(ms); });
    program_ = std::make_unique<app::Program>(*platform_, *widgets_);
    program_->Start();
  }
  std::string Errors() const {
    std::string text;
    for (const auto& shown : platform_->fakeDialogs().shown) text += shown.text + "\n";
    return text;
  }
  ~Installed() {
    program_.reset();
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

 private:
  fs::path dir_;
  platform::FakeSystem system_;
  std::unique_ptr<platform::FakePlatform> platform_;
  std::unique_ptr<ui::HeadlessWidgetSet> widgets_;
  std::unique_ptr<app::Program> program_;
};

TForm2& Install() {
  static Installed installed;
  if (!Form2 || Form2->storedCodes.size() < std::size_t(kEvents)) {
    std::fprintf(stderr, "the settings window did not load the events:\n%s", installed.Errors().c_str());
    std::abort();
  }
  return *Form2;
}

void BM_CommitAdditionWith10000Events(benchmark::State& state) {
  TForm2& w = Install();
  w.ShowEventPage();
  w.PageControl2->SetActivePageIndex(5);
  w.RichEdit1->SetText("Позвонить");
  for (auto _ : state) {
    state.PauseTiming();
    w.BitBtn4Click(w.BitBtn4);  // begin: a new number
    state.ResumeTiming();
    w.BitBtn4Click(w.BitBtn4);  // commit
  }
  state.counters["events"] = double(w.storedCodes.size());
}
BENCHMARK(BM_CommitAdditionWith10000Events)->Unit(benchmark::kMillisecond);

// The event list rebuilt from the store: the list file, one parse of the detail file, the rows.
void BM_EventRefreshWith10000Events(benchmark::State& state) {
  TForm2& w = Install();
  for (auto _ : state) w.EventRefresh();
  state.counters["rows"] = double(w.ListView1->ItemCount());
}
BENCHMARK(BM_EventRefreshWith10000Events)->Unit(benchmark::kMillisecond);

// Deleting one reminder from the list: its note, its section, its list line, its scanning and
// the list rebuilt. Each round first adds the reminder it deletes, untimed.
void BM_DeleteEventWith10000Events(benchmark::State& state) {
  TForm2& w = Install();
  w.ShowEventPage();
  w.PageControl2->SetActivePageIndex(5);
  w.RichEdit1->SetText("Позвонить");
  for (auto _ : state) {
    state.PauseTiming();
    w.BitBtn4Click(w.BitBtn4);
    w.BitBtn4Click(w.BitBtn4);
    w.ListView1->SetItemIndex(w.ListView1->ItemCount() - 1);
    state.ResumeTiming();
    w.EventDel();
  }
  state.counters["events"] = double(w.storedCodes.size());
}
BENCHMARK(BM_DeleteEventWith10000Events)->Unit(benchmark::kMillisecond);

}  // namespace
