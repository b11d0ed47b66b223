#include "events/actions.h"

#include "config/convert.h"
#include "events/scheduler.h"
#include "ui/application.h"

namespace events {

namespace {

const char* const kDefaultShutdownComment =
    "Сейчас произойдет запланированное завершение работы системы. Пожалуйста, сохраните все "
    "несохраненые данные. Инициатор завершения - Horavo v3.0";

}  // namespace

Actions::Actions(platform::Platform& platform, const EventStore& store, const config::Settings& settings,
                 ShowReminder showReminder)
    : platform_(platform), store_(store), settings_(settings), showReminder_(std::move(showReminder)) {}

void Actions::Run(const std::string& number) {
  // The type is read for each test: an action may change the store before the next one.
  auto type = [&] { return store_.Read(number, "type", kDefaultType); };

  if (type() == "0") {
    const int ms = config::StrToInt(store_.Read(number, "ms", kDefaultMs));
    const int hz = config::StrToInt(store_.Read(number, "hz", kDefaultHz));
    platform_.sound().Beep(hz, ms);
  }
  if (type() == "1") {
    const std::string path = store_.Read(number, "pathtofile", kDefaultPathToFile);
    platform_.shell().Execute("open", FileNamePart(path), "", DirectoryPart(path), platform::kShowNormal);
  }
  if (type() == "2") Shutdown(1);
  if (type() == "3") Shutdown(2);
  if (type() == "4") Shutdown(3);
  if (type() == "5") {
    const std::string notes = store_.AppDir() + "notes\\";
    const std::string stored = store_.Read(number, "pathtotxt", notes + kDefaultReminderFile);
    if (!showReminder_) throw ActionUnavailable("no window shows reminders");
    showReminder_(notes + FileNamePart(stored));
  }
}

void Actions::Shutdown(int mode) {
  platform::Session& session = platform_.session();
  auto message = [this](const char* text) {
    const std::string caption = ui::HasApplication() ? ui::Application().Title() : std::string();
    platform_.dialogs().ShowMessageBox(text, caption, ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
  };
  // The right to end the system; a refusal is reported and the request is made all the same.
  if (!session.OpenProcessToken()) message("OpenProcessToken");
  if (session.EnableShutdownPrivilege() != 0) message("AdjustTokenPrivileges");

  auto forceEx = [this] { return settings_.ReadText("Shutdown", "ForceEx", "0"); };
  if (mode == 1) {
    if (forceEx() == "1") session.LogOff(platform::kLogOffPlain | platform::kLogOffForce);
    if (forceEx() == "0") session.LogOff(platform::kLogOffPlain);
  }
  if (mode == 2 || mode == 3) {
    const int timeout = settings_.ReadInt("Shutdown", "timeout", 50);
    // Only "1" forces: any other value leaves the applications free to ask about their data.
    const bool force = forceEx() == "1";
    const std::string comment = settings_.ReadText("Shutdown", "Comment", kDefaultShutdownComment);
    session.RequestShutdown(comment, timeout, force, mode == 2);
    const platform::ZonedTime now = platform_.clock().NowZoned();
    countdown_ = StartCountdown(mode == 2, timeout, now.local, now.utcOffset);
    if (countdown_ && OnCountdownStarted) OnCountdownStarted();
  }
}

void Actions::AbortShutdown() {
  countdown_.reset();
  platform_.shell().Execute("open", "shutdown.exe", " -a", "", platform::kShowNormal);
}

}  // namespace events
