// What the benchmarks share: a program folder holding many stored events, and a whole program
// started in it over the fake platform and the headless widget set.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/program.h"
#include "platform/fake/fake_platform.h"
#include "resources/bitmap_file.h"
#include "ui/headless/headless.h"

namespace bench {

namespace fs = std::filesystem;
constexpr int kEvents = 10000;

inline void Write(const fs::path& path, const std::string& content) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

// The list and detail files of `count` daily events at 12:00:00, of every type but birthdays.
inline void WriteEvents(const fs::path& dir, int count) {
  std::string list, detail;
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i * 7 + 3);
    list += n + "\r\n";
    detail += "[" + n + "]\r\ntime=12:00:00\r\ndate=07.12.2026\r\ntype=" + std::to_string(i % 6) +
              "\r\npathtofile=C:\\Tools\\event" + n + ".bat\r\nperiod=2\r\n";
  }
  Write(dir / "Gear/Events.txt", list);
  Write(dir / "Gear/gear.ini", detail);
}

// A folder of the system's temporary folder, named after `name` and this process, with
// 10,000 stored events; removed with the object.
class EventFolder {
 public:
  explicit EventFolder(const std::string& name)
      : dir_(fs::temp_directory_path() / ("horavo-" + name + "-bench-" + std::to_string(::getpid()))) {
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "notes");
    fs::create_directories(dir_ / "days");
    WriteEvents(dir_, kEvents);
  }
  ~EventFolder() {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  EventFolder(const EventFolder&) = delete;
  EventFolder& operator=(const EventFolder&) = delete;
  const fs::path& Path() const { return dir_; }
  std::string AppDir() const { return dir_.string() + "/"; }

 private:
  fs::path dir_;
};

// The program installed in an event folder (a default skin, the clock kept on the screen) and
// started at 09:05:07 on 07.12.2026.
class InstalledProgram {
 public:
  explicit InstalledProgram(const std::string& name) : folder_(name) {
    const fs::path& dir = folder_.Path();
    Write(dir / "Horavo.exe", "MZ");
    Write(dir / "resources/images.dll", "MZ");
    Write(dir / "Skins/default/skin.ini", "[skin]\r\nNameOfSkin=default\r\n");
    Write(dir / "Skins/default/main.bmp", resources::EncodeBmp(ui::Image(180, 70, 0x334455)));
    Write(dir / "Skins/default/Preview.bmp", resources::EncodeBmp(ui::Image(160, 70, 0x445566)));
    for (const char* picture : {"close_default", "close_undermouse", "close_click", "minim_default",
                                "minim_undermouse", "minim_click"})
      Write(dir / "Skins/default" / (std::string(picture) + ".bmp"), resources::EncodeBmp(ui::Image(11, 11, 0x808080)));
    Write(dir / "Cfg/Clock_config.ini", "[Clock]\r\nRunTray=0\r\n");

    platform_ = std::make_unique<platform::FakePlatform>(system_);
    platform_->fakeProcess().exePath = dir.string() + "/Horavo.exe";
    auto& clock = platform_->fakeClock();
    clock.Set(2026, 12, 7, 9, 5, 7);
    widgets_ = std::make_unique<ui::HeadlessWidgetSet>([&clock] { return clock.Millis(); },
                                                       [&clock](std::uint64_t ms) { clock.SetMillis(ms); });
    program_ = std::make_unique<app::Program>(*platform_, *widgets_);
    program_->Start();
  }
  ~InstalledProgram() { program_.reset(); }

  const fs::path& Path() const { return folder_.Path(); }
  // What went wrong at start, if anything did.
  std::string Errors() const {
    std::string text;
    for (const auto& shown : platform_->fakeDialogs().shown) text += shown.text + "\n";
    return text;
  }

 private:
  EventFolder folder_;
  platform::FakeSystem system_;
  std::unique_ptr<platform::FakePlatform> platform_;
  std::unique_ptr<ui::HeadlessWidgetSet> widgets_;
  std::unique_ptr<app::Program> program_;
};

}  // namespace bench
