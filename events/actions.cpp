// The actions of fired events: a tone, opening a file, a text reminder, and the requests to
// log off, restart or power off; and the menu command that aborts a pending shutdown.
#include "app/forms.h"
#include "config/convert.h"
#include "events/event_store.h"
#include "ui/application.h"

namespace {

const char* const kDefaultShutdownComment =
    "Сейчас произойдет запланированное завершение работы системы. Пожалуйста, сохраните все "
    "несохраненые данные. Инициатор завершения - Horavo v3.0";

}  // namespace

void TForm1::SearchRun(const std::string& number) {
  const events::EventStore store(appDir);
  // The type is read for each test: an action may change the store before the next one.
  auto type = [&] { return store.Read(number, "type", events::kDefaultType); };

  if (type() == "0") {
    const int ms = config::StrToInt(store.Read(number, "ms", events::kDefaultMs));
    const int hz = config::StrToInt(store.Read(number, "hz", events::kDefaultHz));
    platform_.sound().Beep(hz, ms);
  }
  if (type() == "1") {
    const std::string path = store.Read(number, "pathtofile", events::kDefaultPathToFile);
    platform_.shell().Execute("open", events::FileNamePart(path), "", events::DirectoryPart(path),
                              platform::kShowNormal);
  }
  if (type() == "2") Shutdown(1);
  if (type() == "3") Shutdown(2);
  if (type() == "4") Shutdown(3);
  if (type() == "5") {
    if (TrayIcon1->Visible()) Restore();
    BringToFront();
    const std::string stored =
        store.Read(number, "pathtotxt", appDir + "notes\\" + events::kDefaultReminderFile);
    if (Form3) Form3->ShowReminder(appDir + "notes\\" + events::FileNamePart(stored));
  }
}

void TForm1::Shutdown(int mode) {
  platform::Session& session = platform_.session();
  auto message = [this](const char* text) {
    platform_.dialogs().ShowMessageBox(text, ui::Application().Title(), ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
  };
  // The right to end the system; a refusal is reported and the request is made all the same.
  if (!session.OpenProcessToken()) message("OpenProcessToken");
  if (session.EnableShutdownPrivilege() != 0) message("AdjustTokenPrivileges");

  if (mode == 1) {
    if (configIni->ReadString("Shutdown", "ForceEx", "0") == "1")
      session.LogOff(platform::kLogOffPlain | platform::kLogOffForce);
    if (configIni->ReadString("Shutdown", "ForceEx", "0") == "0") session.LogOff(platform::kLogOffPlain);
  }
  if (mode == 2 || mode == 3) {
    const int timeout = config::StrToInt(configIni->ReadString("Shutdown", "timeout", "50"));
    // Only "1" forces: any other value leaves the applications free to ask about their data.
    const bool force = configIni->ReadString("Shutdown", "ForceEx", "0") == "1";
    const std::string comment = configIni->ReadString("Shutdown", "Comment", kDefaultShutdownComment);
    session.RequestShutdown(comment, timeout, force, mode == 2);
  }
}

void TForm1::N11Click(ui::TComponent*) {
  platform_.shell().Execute("open", "shutdown.exe", " -a", "", platform::kShowNormal);
}
