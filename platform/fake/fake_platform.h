// Recording fakes of the platform services for tests: a settable clock, message boxes that
// are logged and answered from a script, a process whose exit is an exception, and a resource
// library that exists when its file does.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/fake/fake_session.h"
#include "platform/fake/fake_time_zones.h"

namespace platform {

// wallMs is the local wall clock; UTC is it less utcOffset. Changes of the offset (summer time)
// can be set at once or laid down ahead, to happen when Advance carries real time across them;
// UtcOffsetAt knows the offset from now on (a past moment gets the current one).
class FakeClock : public Clock {
 public:
  DateTime Now() override;
  ZonedTime NowZoned() override { return {Now(), utcOffset}; }
  int UtcOffsetAt(std::int64_t utcSecond) override;
  std::uint32_t TickCount() override { return std::uint32_t(tickMs); }
  std::string LongTimeFormat() override { return longTimeFormat; }
  std::string ShortDateFormat() override { return shortDateFormat; }

  void Set(int year, int month, int day, int hour, int minute, int second, int millisecond = 0);
  // Moves the wall clock and the system tick forward together.
  void Advance(std::uint64_t ms);
  std::uint64_t Millis() const { return tickMs; }
  void SetMillis(std::uint64_t ms) { Advance(ms - tickMs); }
  // The zone's offset changes now: real time stays, the wall clock moves by the difference.
  void SetUtcOffset(int seconds);
  // The offset becomes `seconds` when the wall clock, at the offset in force before, reaches
  // the given moment (02:00:00 for summer time beginning at 2 o'clock).
  void ChangeOffsetAt(int year, int month, int day, int hour, int minute, int second, int seconds);
  // Seconds since 1970-01-01 UTC now.
  std::int64_t UtcSecond() const;

  std::string longTimeFormat = "HH:mm:ss";
  std::string shortDateFormat = "dd.MM.yyyy";
  std::uint64_t tickMs = 3'600'000;
  std::int64_t wallMs = 0;  // milliseconds since 2000-01-01 00:00:00
  int utcOffset = 0;        // seconds, local minus UTC

 private:
  struct OffsetChange {
    std::int64_t utcMs;  // since 2000-01-01 00:00:00 UTC
    int offset;
  };
  std::vector<OffsetChange> changes_;  // ascending, those still ahead
};

struct MessageBoxCall {
  std::string text, caption;
  unsigned flags;
};

class FakeDialogs : public Dialogs {
 public:
  int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
  std::vector<MessageBoxCall> shown;
  std::deque<int> answers;  // returned in order; 1 (OK) when empty
};

// State shared by all fake processes of one test: the named mutexes that exist, and the copy
// of the program that answers handed-over commands.
struct FakeSystem {
  std::set<std::string> mutexes;
  std::function<CommandReply(const std::string&)> listener;
};

// Commands handed over between the fake processes of one system, and what was reported.
class FakeCommandLink : public CommandLink {
 public:
  explicit FakeCommandLink(FakeSystem& system) : system_(system) {}
  std::optional<CommandReply> HandOver(const std::string& request) override;
  void Listen(std::function<CommandReply(const std::string&)> answer) override;
  void Report(const std::string& text, bool error) override { reports.push_back({error ? 1 : 0, text}); }

  std::vector<std::string> handedOver;
  std::vector<CommandReply> reports;  // code 1 for an error, 0 otherwise
  bool listening = false;

 private:
  FakeSystem& system_;
};

class FakeProcess : public Process {
 public:
  explicit FakeProcess(FakeSystem& system) : system_(system) {}
  std::string ExePath() override { return exePath; }
  bool CreateSingleInstanceMutex(const std::string& name) override;
  [[noreturn]] void Exit(int code) override;

  std::string exePath = "/tmp/Horavo.exe";
  std::vector<std::string> mutexRequests;
  std::optional<int> exitCode;

 private:
  FakeSystem& system_;
};

struct LibraryLog {
  std::vector<std::string> loads;
  int releases = 0;
};

class FakeResourceLibrary : public ResourceLibrary {
 public:
  FakeResourceLibrary(std::string programDir, LibraryLog& log) : programDir_(std::move(programDir)), log_(log) {}
  bool Load(const std::string& relativePath) override;
  bool Loaded() const override { return loaded_; }
  std::optional<Image> Bitmap(const std::string& name) override;
  void Release() override;

 private:
  std::string programDir_;
  LibraryLog& log_;
  bool loaded_ = false;
};

class FakeProgramResources : public ProgramResources {
 public:
  std::optional<std::string> Data(const std::string& name) override;
  std::map<std::string, std::string> data;
};

// Sound that is only recorded: each beep and each file started, with the clock's time then.
// A path listed in `failures` cannot be played and raises that text as the media layer would.
// With `beepsTakeTime` a beep moves the clock on by its duration, as a real one blocks. Tones
// are recorded as the system gets them, held to its limits (sound_limits.h); a file name with a
// double quote is refused, as by the real service.
struct BeepCall {
  int frequency;
  int durationMs;
  DateTime at;
};

struct PlayCall {
  std::string path;
  DateTime at;
};

class FakeSound : public Sound {
 public:
  explicit FakeSound(FakeClock& clock) : clock_(clock) {}
  void Beep(int frequency, int durationMs) override;
  void PlayFile(const std::string& path) override;

  std::vector<BeepCall> beeps;
  std::vector<PlayCall> played;
  std::map<std::string, std::string> failures;
  bool beepsTakeTime = false;

 private:
  FakeClock& clock_;
};

// A desktop of scripted windows: `windows` holds each open window's caption, `foreground` the
// one the user works in. Every caption set is logged, also for windows that are gone.
class FakeDesktop : public Desktop {
 public:
  WindowHandle ForegroundWindow() override { return foreground; }
  bool WindowExists(WindowHandle window) override { return windows.count(window) != 0; }
  std::string WindowCaption(WindowHandle window) override;
  void SetWindowCaption(WindowHandle window, const std::string& caption) override;

  std::map<WindowHandle, std::string> windows;
  WindowHandle foreground = 0;
  std::vector<std::pair<WindowHandle, std::string>> captionsSet;
};

// A notification area that behaves like the system's: an icon is added once, and only an
// icon it holds can be changed or removed. Every request is logged; `refuse` makes requests of
// a kind fail, as a busy or missing task bar would.
struct NotifyCall {
  unsigned request;
  NotifyIconData data;
};

class FakeNotifyArea : public NotifyArea {
 public:
  static constexpr std::uint32_t kProgramIcon = 1;

  bool Notify(unsigned request, const NotifyIconData& data) override;
  std::uint32_t MakeIcon(const Image& picture) override;
  void FreeIcon(std::uint32_t icon) override;

  // The task bar was re-created: it has forgotten every icon.
  void Restart() { shown.clear(); }
  // The icon the area holds for a window and id, or null.
  const NotifyIconData* Find(std::uint32_t hWnd, std::uint32_t uID) const;
  int Count(unsigned request) const;

  std::vector<NotifyCall> calls;
  std::set<unsigned> refuse;                 // requests that fail while listed
  std::vector<NotifyIconData> shown;         // the icons on the task bar
  std::vector<NotifyIconData> balloons;      // the balloons shown, in order
  std::map<std::uint32_t, Image> icons;  // icons made and not yet freed
  std::vector<std::uint32_t> freed;

 private:
  std::uint32_t nextIcon_ = 100;
};

// Dialogs answered from a script: each call is logged and takes the next answer of its kind;
// an empty script cancels.
struct FileDialogCall {
  bool picture;  // the picture dialog rather than the plain file dialog
  OpenFileOptions options;
  bool save = false;  // the save dialog
};

class FakeCommonDialogs : public CommonDialogs {
 public:
  std::optional<std::string> OpenFile(const OpenFileOptions& options) override;
  std::optional<std::string> OpenPicture(const OpenFileOptions& options) override;
  std::optional<std::string> SaveFile(const OpenFileOptions& options) override;
  std::optional<TColor> ChooseColor(TColor start) override;

  std::deque<std::optional<std::string>> fileAnswers;  // for both file dialogs, in order
  std::deque<std::optional<TColor>> colorAnswers;
  std::vector<FileDialogCall> fileCalls;
  std::vector<TColor> colorStarts;  // the colour each colour dialog started on
};

// Run keys held in memory. A scope listed in `missingKeys` has no run key; one listed in
// `readOnly` may be read but not changed, as for a user without administrator rights.
struct RegistryCall {
  char op;  // 'r', 'w' or 'd'
  RunKeyScope scope;
  std::string name, value;
  RegistryResult result;
};

class FakeAutostartRegistry : public AutostartRegistry {
 public:
  RegistryResult Read(RunKeyScope scope, const std::string& name, std::string& value) override;
  RegistryResult Write(RunKeyScope scope, const std::string& name, const std::string& value) override;
  RegistryResult Delete(RunKeyScope scope, const std::string& name) override;

  std::map<std::pair<RunKeyScope, std::string>, std::string> values;
  std::set<RunKeyScope> missingKeys;
  std::set<RunKeyScope> readOnly;
  std::vector<RegistryCall> calls;
};

// The names the real image library holds; the fake library answers these with a 16 x 16 picture.
const std::vector<std::string>& ImageLibraryNames();

// The monitors a test sets up; one 1024 x 768 monitor with no task bar unless it says otherwise.
class FakeMonitors : public Monitors {
 public:
  std::vector<MonitorArea> List() override { return monitors; }
  std::vector<MonitorArea> monitors{{{0, 0, 1024, 768}, {0, 0, 1024, 768}, true, 96}};
};

class FakePlatform : public Platform {
 public:
  explicit FakePlatform(FakeSystem& system) : process_(system), commandLink_(system) {}
  Clock& clock() override { return clock_; }
  Dialogs& dialogs() override { return dialogs_; }
  Process& process() override { return process_; }
  std::unique_ptr<ResourceLibrary> NewResourceLibrary() override;
  ProgramResources& programResources() override { return resources_; }
  NotifyArea& notifyArea() override { return notifyArea_; }
  FakeNotifyArea& fakeNotifyArea() { return notifyArea_; }
  Sound& sound() override { return sound_; }
  Desktop& desktop() override { return desktop_; }
  Shell& shell() override { return shell_; }
  Session& session() override { return session_; }
  FakeShell& fakeShell() { return shell_; }
  FakeSession& fakeSession() { return session_; }
  FakeSound& fakeSound() { return sound_; }
  FakeDesktop& fakeDesktop() { return desktop_; }
  CommonDialogs& commonDialogs() override { return commonDialogs_; }
  AutostartRegistry& autostartRegistry() override { return registry_; }
  Monitors& monitors() override { return monitors_; }
  CommandLink& commandLink() override { return commandLink_; }
  FakeCommandLink& fakeCommandLink() { return commandLink_; }
  FakeMonitors& fakeMonitors() { return monitors_; }
  TimeZones& timeZones() override { return timeZones_; }
  FakeTimeZones& fakeTimeZones() { return timeZones_; }
  FakeCommonDialogs& fakeCommonDialogs() { return commonDialogs_; }
  FakeAutostartRegistry& fakeRegistry() { return registry_; }

  FakeClock& fakeClock() { return clock_; }
  FakeDialogs& fakeDialogs() { return dialogs_; }
  FakeProcess& fakeProcess() { return process_; }
  FakeProgramResources& fakeResources() { return resources_; }
  LibraryLog libraryLog;

 private:
  FakeClock clock_;
  FakeDialogs dialogs_;
  FakeProcess process_;
  FakeProgramResources resources_;
  FakeNotifyArea notifyArea_;
  FakeSound sound_{clock_};
  FakeDesktop desktop_;
  FakeMonitors monitors_;
  FakeShell shell_;
  FakeSession session_;
  FakeCommonDialogs commonDialogs_;
  FakeAutostartRegistry registry_;
  FakeTimeZones timeZones_;
  FakeCommandLink commandLink_;
};

}  // namespace platform
