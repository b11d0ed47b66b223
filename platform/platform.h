// Operating-system services behind small interfaces. The Windows build implements them with
// the Win32 API (platform/win32); tests use recording fakes (platform/fake).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/command_link.h"
#include "platform/date_text.h"
#include "platform/time_zones.h"
#include "platform/values.h"

namespace platform {

// Local date and time; dayOfWeek 0 = Sunday.
struct DateTime {
  int year = 2000, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
  int dayOfWeek = 6;
  friend bool operator==(const DateTime&, const DateTime&) = default;
};

// A local time read together with its distance from UTC (local minus UTC, in seconds).
struct ZonedTime {
  DateTime local;
  int utcOffset = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime Now() = 0;
  // The local time and its UTC offset as one reading: a change of the offset (summer time)
  // never pairs the old local time with the new offset.
  virtual ZonedTime NowZoned() { return {Now(), 0}; }
  // The UTC offset the zone's rules give at a moment in seconds since 1970-01-01 UTC.
  virtual int UtcOffsetAt(std::int64_t /*utcSecond*/) { return 0; }
  // Milliseconds since the system started (wraps after 49.7 days, as the system's counter does).
  virtual std::uint32_t TickCount() = 0;
  // The user's long time and short date pictures, for example "HH:mm:ss" and "dd.MM.yyyy".
  virtual std::string LongTimeFormat() = 0;
  virtual std::string ShortDateFormat() = 0;

  // A time of day and a date as texts in the user's formats, and back again. Parsing gives
  // nothing for a text that does not fit the format or names no real time or date; a parsed
  // time carries the date 2000-01-01, a parsed date the time 0:00:00.
  std::string TimeText(const DateTime& t) { return FormatPicture(LongTimeFormat(), t); }
  std::string DateText(const DateTime& t) { return FormatPicture(ShortDateFormat(), t); }
  std::optional<DateTime> ParseTime(const std::string& text) { return platform::ParseTime(LongTimeFormat(), text); }
  std::optional<DateTime> ParseDate(const std::string& text) { return platform::ParseDate(ShortDateFormat(), text); }
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Flags and result are those of the system's message box (MB_ICONERROR, IDOK, ...).
  virtual int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;
};

class Process {
 public:
  virtual ~Process() = default;
  // Full path of the running executable.
  virtual std::string ExePath() = 0;
  // Creates the named mutex with initial ownership; false when it already exists or fails.
  virtual bool CreateSingleInstanceMutex(const std::string& name) = 0;
  // Ends the process at once with `code` (the fake throws ProcessExit instead).
  [[noreturn]] virtual void Exit(int code) = 0;
};

// Thrown by a fake Process::Exit so tests can watch the program end.
struct ProcessExit {
  int code;
};

class ResourceLibrary {
 public:
  virtual ~ResourceLibrary() = default;
  // Loads the library; `relativePath` resolves under the program directory.
  virtual bool Load(const std::string& relativePath) = 0;
  virtual bool Loaded() const = 0;
  // A bitmap by name; nothing when the library is not loaded or lacks that name.
  virtual std::optional<Image> Bitmap(const std::string& name) = 0;
  virtual void Release() = 0;
};

class ProgramResources {
 public:
  virtual ~ProgramResources() = default;
  // Raw bytes of a resource compiled into the program (for example a JPEG), or nothing.
  virtual std::optional<std::string> Data(const std::string& name) = 0;
};

// Sound: tones and sound files.
class Sound {
 public:
  virtual ~Sound() = default;
  // Sounds a tone of `frequency` Hz for `durationMs` and returns when it has ended; both are
  // first held to what the system accepts (ClampBeep in sound_limits.h).
  virtual void Beep(int frequency, int durationMs) = 0;
  // Opens the sound file at `path`, closing the file still open (which stops it), and starts
  // playing it; returns at once while it plays. Throws MediaError carrying the media layer's
  // own text when the file cannot be opened or played, or when its name holds a double quote.
  virtual void PlayFile(const std::string& path) = 0;
};

class MediaError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Any application's top-level window, as the system names it; 0 is no window.
using WindowHandle = std::uintptr_t;

// The windows of the desktop: which one the user works in, and their captions.
class Desktop {
 public:
  virtual ~Desktop() = default;
  // The window the user works in now; 0 when there is none.
  virtual WindowHandle ForegroundWindow() = 0;
  // Whether the window is still open; false for 0.
  virtual bool WindowExists(WindowHandle window) = 0;
  // The whole caption of a window; empty for 0 or a window that is gone.
  virtual std::string WindowCaption(WindowHandle window) = 0;
  // Sets a window's caption; 0 and windows that are gone are left alone.
  virtual void SetWindowCaption(WindowHandle window, const std::string& caption) = 0;
  // Gives a window its own caption back. It is the program's last word on that window (the
  // program may end right after), so a busy application is waited for longer than by the
  // caption set each second.
  virtual void RestoreWindowCaption(WindowHandle window, const std::string& caption) {
    SetWindowCaption(window, caption);
  }
};

// The notification area of the task bar. The record has the layout of the system's 488-byte
// notification-icon record with 32-bit handles, so the Windows build passes it on as it is.
struct NotifyIconData {
  std::uint32_t cbSize;
  std::uint32_t hWnd;  // the window that receives the callback message
  std::uint32_t uID;   // tells the icons of one window apart
  std::uint32_t uFlags;
  std::uint32_t uCallbackMessage;
  std::uint32_t hIcon;
  char szTip[128];
  std::uint32_t dwState;
  std::uint32_t dwStateMask;
  char szInfo[256];
  std::uint32_t uTimeout;
  char szInfoTitle[64];
  std::uint32_t dwInfoFlags;
};
static_assert(sizeof(NotifyIconData) == 488, "the system's notification-icon record is 488 bytes");

// Requests and record flags (the system's NIM_* and NIF_* values).
constexpr unsigned kNotifyAdd = 0;
constexpr unsigned kNotifyModify = 1;
constexpr unsigned kNotifyDelete = 2;
constexpr std::uint32_t kNotifyFlagMessage = 1;
constexpr std::uint32_t kNotifyFlagIcon = 2;
constexpr std::uint32_t kNotifyFlagTip = 4;
constexpr std::uint32_t kNotifyFlagInfo = 0x10;  // a balloon: szInfo, szInfoTitle, uTimeout, dwInfoFlags
constexpr std::uint32_t kNotifyInfoIcon = 1;     // the balloon's information icon (dwInfoFlags)

class NotifyArea {
 public:
  virtual ~NotifyArea() = default;
  // Adds, changes or removes the icon that `data` names; false when the system refused.
  virtual bool Notify(unsigned request, const NotifyIconData& data) = 0;
  // A native icon showing `picture`, its bottom-left colour transparent; the program's own
  // icon for an empty picture. 0 when none can be made.
  virtual std::uint32_t MakeIcon(const Image& picture) = 0;
  // Releases an icon MakeIcon made; the program's own icon and 0 are left alone.
  virtual void FreeIcon(std::uint32_t icon) = 0;
};

// Shell and session services of the event actions.

// The system's show commands for a started program (SW_* values).
constexpr int kShowNormal = 1;

// Opening files, programs and addresses the way the system's shell does.
class Shell {
 public:
  virtual ~Shell() = default;
  // Asks the shell to perform `verb` ("open") on `file` with the command-line `parameters`
  // and the working `directory` (empty texts mean none), the program's main window as the
  // owner of any message the shell shows. Returns at once with the shell's result code:
  // greater than 32 when the request was accepted.
  virtual int Execute(const std::string& verb, const std::string& file, const std::string& parameters,
                      const std::string& directory, int showCommand) = 0;
  // Opens a document with the program the system has for its kind, at the user's request. False
  // when it could not: no such program, a missing file, or an opener that gave up at once (a
  // launcher finding no browser ends with an error code in its first moments).
  virtual bool OpenDocument(const std::string& file) { return Execute("open", file, "", "", kShowNormal) > 32; }
};

// Log-off flags (the system's EWX_* values).
constexpr unsigned kLogOffPlain = 0;
constexpr unsigned kLogOffForce = 4;

// Ending the user's session or the system.
class Session {
 public:
  virtual ~Session() = default;
  // Opens the program's own process token for adjusting and querying privileges; false when
  // the system refuses.
  virtual bool OpenProcessToken() = 0;
  // Looks up the shutdown privilege on this computer and enables it in the token opened last;
  // returns the system's last error after the adjustment (0 when it was granted).
  virtual unsigned long EnableShutdownPrivilege() = 0;
  // Logs the user off with `flags` (kLogOffPlain, or with kLogOffForce).
  virtual void LogOff(unsigned flags) = 0;
  // Asks the system to restart (`reboot`) or power off this computer after a countdown of
  // `timeoutSeconds` during which it shows `message`; `force` closes applications without
  // asking them. Returns at once; the outcome is not reported.
  virtual void RequestShutdown(const std::string& message, int timeoutSeconds, bool force, bool reboot) = 0;
};

// The longest shutdown countdown the system accepts: ten years, in seconds.
constexpr int kMaxShutdownTimeoutSeconds = 315360000;

// The system's file, picture and colour dialogs. Each is modal to the program and returns
// nothing when the user cancels it (or the system could not show it).
struct FileFilter {
  std::string name;     // "Звуковые файлы"
  std::string pattern;  // "*.wav;*.mp3"
  friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

struct OpenFileOptions {
  std::vector<FileFilter> filters;
  int filterIndex = 1;      // the filter chosen at first, counted from 1
  std::string initialDir;   // empty: the system's choice
  std::string fileName;     // the name the dialog starts with
  bool fileMustExist = false;
  bool pathMustExist = false;
  bool hideReadOnly = false;  // no "open as read-only" box
  bool resizable = false;
  bool noPlacesBar = false;   // no bar of places at the left
  std::string defaultExtension;  // a save dialog adds it ("ics") to a name typed without one
  friend bool operator==(const OpenFileOptions&, const OpenFileOptions&) = default;
};

// The picture formats the program can show, first all of them together, then each.
const std::vector<FileFilter>& StandardPictureFilters();

class CommonDialogs {
 public:
  virtual ~CommonDialogs() = default;
  // The full path of the file the user chose.
  virtual std::optional<std::string> OpenFile(const OpenFileOptions& options) = 0;
  // The full path of the file the user chose to write; an existing file is replaced only
  // after the user confirmed it.
  virtual std::optional<std::string> SaveFile(const OpenFileOptions& options) = 0;
  // The same for a picture file; without filters of its own it offers StandardPictureFilters.
  virtual std::optional<std::string> OpenPicture(const OpenFileOptions& options) = 0;
  // The colour the user chose, starting on `start`.
  virtual std::optional<TColor> ChooseColor(TColor start) = 0;
};

// A colour dialog that starts on the colour chosen last (black at first).
class ColorDialog {
 public:
  explicit ColorDialog(CommonDialogs& dialogs) : dialogs_(dialogs) {}
  TColor Color = 0;
  // Shows the dialog; true and Color set when the user confirmed, false and Color kept when not.
  bool Execute() {
    auto chosen = dialogs_.ChooseColor(Color);
    if (!chosen) return false;
    Color = *chosen;
    return true;
  }

 private:
  CommonDialogs& dialogs_;
};

// String values of the keys that start programs when the user logs on
// (Software\Microsoft\Windows\CurrentVersion\Run), for all users of the computer or for the
// current one. The key is opened, never created. A refusal is a result, never an exception.
enum class RunKeyScope { kMachine, kUser };

enum class RegistryResult {
  kOk,
  kValueMissing,  // read or delete of a value that is not there
  kKeyMissing,    // the run key does not exist
  kAccessDenied,  // no right to open the key for this
  kFailed,        // any other refusal
};

class AutostartRegistry {
 public:
  virtual ~AutostartRegistry() = default;
  virtual RegistryResult Read(RunKeyScope scope, const std::string& name, std::string& value) = 0;
  virtual RegistryResult Write(RunKeyScope scope, const std::string& name, const std::string& value) = 0;
  virtual RegistryResult Delete(RunKeyScope scope, const std::string& name) = 0;
};

// One monitor of the desktop, in the screen's pixels (the primary monitor's top-left corner is
// 0, 0; a monitor left of or above it has negative coordinates).
struct MonitorArea {
  TRect bounds;  // the whole monitor
  TRect work;    // the part that task bars and other docked bars leave free
  bool primary = false;
  int dpi = 96;
  friend bool operator==(const MonitorArea&, const MonitorArea&) = default;
};

class Monitors {
 public:
  virtual ~Monitors() = default;
  // Every monitor attached now, the primary one among them.
  virtual std::vector<MonitorArea> List() = 0;
};

// All services of one running program.
class Platform {
 public:
  virtual ~Platform() = default;
  virtual Clock& clock() = 0;
  virtual Dialogs& dialogs() = 0;
  virtual Process& process() = 0;
  // A new, unloaded library handle; each window that loads the library holds its own.
  virtual std::unique_ptr<ResourceLibrary> NewResourceLibrary() = 0;
  virtual ProgramResources& programResources() = 0;
  virtual NotifyArea& notifyArea() = 0;
  virtual Sound& sound() = 0;
  virtual Desktop& desktop() = 0;
  virtual Shell& shell() = 0;
  virtual Session& session() = 0;
  virtual CommonDialogs& commonDialogs() = 0;
  virtual AutostartRegistry& autostartRegistry() = 0;
  virtual Monitors& monitors() = 0;
  virtual TimeZones& timeZones() = 0;
  virtual CommandLink& commandLink() = 0;
};

}  // namespace platform
