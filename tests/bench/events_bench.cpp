// The event scheduler with 10 and with 10,000 stored events: one time refresh of the clock when
// none of them is due (the cost every second carries; it should not grow with the events), the
// scan alone, and RefreshBase, which reads the time and date of every event from the detail file.
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

// The list and detail files of `count` daily events at 12:00:00.
void WriteEvents(const fs::path& dir, int count) {
  std::string list, detail;
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i * 7 + 3);
    list += n + "\r\n";
    detail += "[" + n + "]\r\ntime=12:00:00\r\ndate=07.12.2026\r\ntype=1\r\npathtofile=C:\\Tools\\event" + n +
              ".bat\r\nperiod=2\r\n";
  }
  Write(dir / "Gear/Events.txt", list);
  Write(dir / "Gear/gear.ini", detail);
}

// A program folder with 10,000 daily events at 12:00:00 and a whole program started in it at
// 09:05:07 over the fake platform and the headless widget set.
class Installed {
 public:
  Installed() {
    dir_ = fs::temp_directory_path() / ("horavo-events-bench-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    Write(dir_ / "Horavo.exe", "MZ");
    Write(dir_ / "resources/images.dll", "MZ");
    Write(dir_ / "Skins/default/skin.ini", "[skin]\r\nNameOfSkin=default\r\n");
    Write(dir_ / "Skins/default/main.bmp", resources::EncodeBmp(ui::Image(180, 70, 0x334455)));
    for (const char* name : {"close_default", "close_undermouse", "close_click", "minim_default", "minim_undermouse",
                             "minim_click"})
      Write(dir_ / "Skins/default" / (std::string(name) + ".bmp"), resources::EncodeBmp(ui::Image(11, 11, 0x808080)));
    fs::create_directories(dir_ / "Cfg");
    WriteEvents(dir_, kEvents);

    platform_ = std::make_unique<platform::FakePlatform>(system_);
    platform_->fakeProcess().exePath = dir_.string() + "/Horavo.exe";
    auto& clock = platform_->fakeClock();
    clock.Set(2026, 12, 7, 9, 5, 7);
    widgets_ = std::make_unique<ui::HeadlessWidgetSet>([&clock] { return clock.Millis(); },
                                                       [&clock](std::uint64_t ms) { clock.SetMillis(ms); });
    program_ = std::make_unique<app::Program>(*platform_, *widgets_);
    program_->Start();
  }
  // What went wrong at start, if anything did.
  // Replaces the stored events by `count` others and loads them as the settings window does
  // when it closes.
  void Store(int count) {
    if (count == stored_) return;
    WriteEvents(dir_, count);
    Form1->scheduler.LoadList();
    Form1->RefreshBase();
    stored_ = count;
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
  int stored_ = kEvents;
};

// The program with `count` stored events loaded.
void Install(int count) {
  static Installed installed;
  installed.Store(count);
  if (Form1->scheduler.Times().size() != std::size_t(count)) {
    std::fprintf(stderr, "the program did not load the events:\n%s", installed.Errors().c_str());
    std::abort();
  }
}

void BM_TimeRefreshNoneDue(benchmark::State& state) {
  Install(int(state.range(0)));
  for (auto _ : state) Form1->RefreshTime();
}
BENCHMARK(BM_TimeRefreshNoneDue)->Arg(10)->Arg(kEvents)->Unit(benchmark::kMicrosecond);

void BM_ScanNoneDue(benchmark::State& state) {
  Install(int(state.range(0)));
  const platform::DateTime now = Form1->Platform().clock().Now();
  for (auto _ : state) Form1->ScanEvents(now);
}
BENCHMARK(BM_ScanNoneDue)->Arg(10)->Arg(kEvents)->Unit(benchmark::kMicrosecond);

void BM_RefreshBaseOf10000Events(benchmark::State& state) {
  Install(kEvents);
  for (auto _ : state) Form1->RefreshBase();
}
BENCHMARK(BM_RefreshBaseOf10000Events)->Unit(benchmark::kMillisecond);

}  // namespace
