#include "tests/unit/program_fixture.h"

#include <filesystem>

#include <cstdio>
#include <fstream>

#include "resources/bitmap_file.h"

namespace testing_support {

std::string SolidBitmap(int width, int height, std::uint32_t rgb) {
  return resources::EncodeBmp(ui::Image(width, height, rgb));
}

EventsProgramTest::EventsProgramTest() {
  std::filesystem::create_directories(dir.Path() / "notes");
  std::filesystem::create_directories(dir.Path() / "days");
}

ProgramTest::ProgramTest() {
  platform = std::make_unique<platform::FakePlatform>(system);
  platform->fakeProcess().exePath = dir.Str() + "Horavo.exe";
  platform->fakeClock().Set(2026, 12, 7, 9, 5, 7);
  auto& clock = platform->fakeClock();
  widgets = std::make_unique<ui::HeadlessWidgetSet>([&clock] { return clock.Millis(); },
                                                    [&clock](std::uint64_t ms) { clock.SetMillis(ms); });
  InstallProgram();
}

ProgramTest::~ProgramTest() { program.reset(); }

void ProgramTest::InstallProgram() {
  dir.Write("Horavo.exe", "MZ");
  dir.Write("resources/images.dll", "MZ");
  dir.Write("Gear/Events.txt", "");
  dir.Write("Skins/default/skin.ini", "[skin]\r\nNameOfSkin=default\r\n");
  dir.Write("Skins/default/main.bmp", SolidBitmap(180, 70, 0x334455));
  dir.Write("Skins/default/Preview.bmp", SolidBitmap(160, 70, 0x445566));
  for (const char* name : {"close_default", "close_undermouse", "close_click", "minim_default", "minim_undermouse",
                           "minim_click"})
    dir.Write(std::string("Skins/default/") + name + ".bmp", SolidBitmap(11, 11, 0x808080));
  std::filesystem::create_directories(dir.Path() / "Cfg");
  // The greeting address window reads its domain lists at start.
  dir.Write("Cfg/ru_domens.txt", "mail\r\nyandex\r\n");
  dir.Write("Cfg/com_domens.txt", "gmail\r\nhotmail\r\n");
}

std::optional<int> ProgramTest::Start() {
  program = std::make_unique<app::Program>(*platform, *widgets);
  try {
    program->Start();
  } catch (const platform::ProcessExit& e) {
    return e.code;
  }
  return std::nullopt;
}

void ProgramTest::RewindFadeIn() { Form1->SetAlphaBlendValue(1); }

void ProgramTest::CloseMainWindow() { Form1->SystemCommand(ui::SC_CLOSE_COMMAND); }

void ProgramTest::EndInstance() {
  program.reset();
  system.mutexes.clear();
}

void ProgramTest::SetClock(int year, int month, int day, int h, int m, int s, int ms) {
  platform->fakeClock().Set(year, month, day, h, m, s, ms);
}

void ProgramTest::AdvanceTo(int h, int m, int s, int ms) {
  auto now = platform->fakeClock().Now();
  platform::FakeClock target;
  target.Set(now.year, now.month, now.day, h, m, s, ms);
  if (target.wallMs <= platform->fakeClock().wallMs) target.wallMs += 86'400'000;
  Advance(std::uint64_t(target.wallMs - platform->fakeClock().wallMs));
}

std::vector<std::string> ProgramTest::Opened() const {
  std::vector<std::string> files;
  for (const auto& call : platform->fakeShell().calls) files.push_back(call.file);
  return files;
}

std::string Hms(const platform::DateTime& t) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  return text;
}

void ExpectShellOpen(const platform::ShellCall& call, const std::string& file, const std::string& parameters,
                     const std::string& directory) {
  EXPECT_EQ(call.verb, "open");
  EXPECT_EQ(call.file, file);
  EXPECT_EQ(call.parameters, parameters);
  EXPECT_EQ(call.directory, directory);
  EXPECT_EQ(call.showCommand, platform::kShowNormal);
}

}  // namespace testing_support
