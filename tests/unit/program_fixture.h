// A whole program instance over the headless backend and the fake platform, in a temporary
// program folder laid out like the one users unpack.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/forms.h"
#include "app/program.h"
#include "events/event_store.h"
#include "platform/fake/fake_platform.h"
#include "tests/unit/temp_dir.h"
#include "ui/headless/headless.h"

namespace testing_support {

// One user's machine: a program folder and the state all program instances share.
class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest();
  ~ProgramTest() override;

  // Lays out the folder users unpack: library, event list, default skin.
  void InstallProgram();
  // Starts a program instance; returns the exit code if the start ended the process.
  std::optional<int> Start();
  // Ends the running instance and lets its single-instance lock go, so that another one can
  // start on this machine.
  void EndInstance();
  // Sets the fake clock to that moment (the timers keep their due times).
  void SetClock(int year, int month, int day, int h, int m, int s, int ms = 500);
  // Moves the clock on to h:m:s.ms of the same day, or of the next day when that moment is not
  // later than now, firing the timers on the way.
  void AdvanceTo(int h, int m, int s, int ms = 500);
  // The files the shell was asked to open, in order.
  std::vector<std::string> Opened() const;
  // Closes the main window the way the user does (the system close command).
  void CloseMainWindow();
  void Advance(std::uint64_t ms) { widgets->Advance(ms); }
  // The settings window gives the clock its final opacity while it is created, so the start-up
  // fade-in ends on its first step. This puts the opacity back where the fade-in starts, so a
  // test can watch the steps.
  void RewindFadeIn();
  std::string Config() const { return dir.Read("Cfg/Clock_config.ini").value_or(""); }

  TempDir dir;
  platform::FakeSystem system;
  std::unique_ptr<platform::FakePlatform> platform;
  std::unique_ptr<ui::HeadlessWidgetSet> widgets;
  std::unique_ptr<app::Program> program;
};

// A program folder that also has the folders of the events' side files ("notes", "days").
class EventsProgramTest : public ProgramTest {
 protected:
  EventsProgramTest();
  events::EventStore Store() const { return events::EventStore(dir.Str()); }
  // Stores an event as the editor's addition does; other keys keep the record's defaults.
  void StoreEvent(const std::string& number, const std::string& type, const std::string& time,
                  const std::string& date, const std::string& period, const std::string& file = "",
                  const std::string& sideText = "") {
    events::EventRecord e;
    e.number = number;
    e.type = type;
    e.time = time;
    e.date = date;
    e.period = period;
    e.pathToFile = file;
    e.sideText = sideText;
    Store().AddEvent(e);
  }
};

// A small valid bitmap file of one colour.
std::string SolidBitmap(int width, int height, std::uint32_t rgb);

// The time of day as "hh:mm:ss".
std::string Hms(const platform::DateTime& t);

// Checks a shell call the program makes: the verb "open", the given file, parameters and
// working directory, a normal window.
void ExpectShellOpen(const platform::ShellCall& call, const std::string& file, const std::string& parameters,
                     const std::string& directory);

}  // namespace testing_support
