#include "app/program.h"

#include "app/forms.h"
#include "clock/media_player.h"
#include "config/program_files.h"
#include "events/actions.h"
#include "events/event_store.h"
#include "events/event_types.h"
#include "events/firing_log.h"
#include "events/scheduler.h"
#include "platform/files.h"
#include "platform/startup_marks.h"

namespace app {

Program::Program(platform::Platform& platform, ui::WidgetSet& widgets) : platform_(platform) {
  platform::StartupMark("program entered");
  application_ = std::make_unique<ui::TApplication>(
      widgets, [&platform](const std::string& text, const std::string& caption, unsigned flags) {
        return platform.dialogs().ShowMessageBox(text, caption, flags);
      });
  application_->SetTitle("Horavo");

  const std::string appDir = platform::DirectoryOf(platform_.process().ExePath());
  mediaPlayer_ = std::make_unique<clockface::TMediaPlayer>(nullptr, platform_.sound());
  files_ = std::make_unique<config::ProgramFiles>(appDir, platform_.NewResourceLibrary(), *mediaPlayer_);
  store_ = std::make_unique<events::EventStore>(appDir);
  actions_ = std::make_unique<events::Actions>(platform_, *store_, files_->Config(),
                                               [this](const std::string& file) { ShowReminder(file); });
  scheduler_ = std::make_unique<events::Scheduler>(*store_, files_->Config(),
                                                   [this](const std::string& number) { actions_->Run(number); });
  // Each firing is logged with the type it had when it fired (a one-time event may be removed
  // right after).
  firingLog_ = std::make_unique<events::FiringLog>(files_->Path("Gear\\log.txt"));
  scheduler_->OnFired = [this](const std::string& number, const platform::DateTime& at, const std::string& error) {
    const std::string type = store_->Read(number, "type", events::kDefaultType);
    // A birthday or holiday is announced at start; its daily pass through the scan does nothing.
    if (type == "6") return;
    firingLog_->Append(at, number, events::TypeName(type), error.empty() ? events::kFiringOk : error);
  };
  // A restart or power-off on its way is shown on the clock face, brought back from the tray.
  actions_->OnCountdownStarted = [this] {
    if (!main_) return;
    main_->BringBack();
    main_->RefreshDate();
  };
}

Program::~Program() { platform_.commandLink().Listen({}); }

CommandAnswer Program::RunCommand(const Command& command) {
  CommandServices services{*store_, scheduler_.get(), *actions_, platform_.clock(),
                           events::LocalZoneConversion(platform_.timeZones()),
                           [this] {
                             if (main_) main_->RefreshDate();
                           }};
  return app::RunCommand(command, services);
}

void Program::Start() {
  auto& app = *application_;
  main_ = app.CreateForm<TForm1>(nullptr, platform_, *files_, *scheduler_, *actions_, *store_);
  settings_ = app.CreateForm<TForm2>(nullptr, platform_, *files_, *store_, *scheduler_, SettingsWindowLinks());
  reminder_ = app.CreateForm<TForm3>(nullptr, platform_, *files_, *store_, *scheduler_);
  birthday_ = app.CreateForm<TForm4>(nullptr, platform_, *files_);
  holiday_ = app.CreateForm<TForm5>(nullptr, platform_, *files_);
  about_ = app.CreateForm<TForm6>(nullptr, platform_, *files_);
  app.CreateForm<TForm7>(nullptr, platform_, *files_);
  app.CreateForm<TForm8>(nullptr, platform_, *files_);
  main_->SetWindowsClosedWithMain({settings_, reminder_, birthday_, holiday_});
  // The missed events window is made when there is first something to report; from then on it
  // closes with the clock too.
  main_->missedWindow = [this] {
    if (!missed_) {
      missed_ = application_->CreateForm<TForm9>(nullptr, platform_, *files_, *store_, *scheduler_, MissedWindowLinks{
          [this](const std::string& file) {
            if (reminder_) reminder_->ShowReminder(file);
          }});
      CloseLateWindowsWithMain();
    }
    return missed_;
  };
  // The calendar is made when it is first opened.
  main_->calendarWindow = [this] {
    if (!calendar_) {
      calendar_ = application_->CreateForm<TCalendarForm>(nullptr, platform_, *files_, *store_, CalendarWindowLinks());
      CloseLateWindowsWithMain();
    }
    return calendar_;
  };
  main_->Show();
  platform::StartupMark("Form1 shown");
  // The start-up second's events are examined now that every window they may need exists.
  main_->StartScanning();
  // From now on this copy carries out the commands later starts hand over.
  platform_.commandLink().Listen([this](const std::string& request) {
    const ParsedCommand parsed = ParseCommandLine(DecodeArguments(request));
    // What the command changes in the store shows in an open settings window at once.
    const int listener = store_->Subscribe([this] {
      if (settings_ && settings_->Visible()) settings_->EventRefresh();
    });
    const CommandAnswer answer = parsed.error ? *parsed.error : RunCommand(parsed.command);
    store_->Unsubscribe(listener);
    return platform::CommandReply{answer.code, answer.text};
  });
}

void Program::CloseLateWindowsWithMain() {
  std::vector<ui::TForm*> windows{settings_, reminder_, birthday_, holiday_};
  if (missed_) windows.push_back(missed_);
  if (calendar_) windows.push_back(calendar_);
  main_->SetWindowsClosedWithMain(std::move(windows));
}

CalendarLinks Program::CalendarWindowLinks() {
  CalendarLinks links;
  links.addOnDay = [this](const platform::DateTime& day) {
    if (!settings_) return;
    settings_->ShowEventPage();
    // An addition under way keeps what the user entered; only the date changes.
    if (!settings_->Recording()) settings_->BitBtn4Click(nullptr);
    settings_->DateTimePicker2->SetDate(day);
  };
  links.showEvent = [this](const std::string& number) {
    if (!settings_) return;
    settings_->ShowEventPage();
    if (settings_->Recording()) return;  // the addition under way is left alone
    // The list view that holds the event, then its row, as a click on it shows it.
    const bool celebration = store_->Read(number, "type", events::kDefaultType) == "6";
    ui::TSpeedButton* view = celebration ? settings_->SpeedButton6 : settings_->SpeedButton5;
    view->SetDown(true);
    if (celebration) settings_->SpeedButton6Click(view);
    else settings_->SpeedButton5Click(view);
    ui::TListView& list = *settings_->ListView1;
    for (int i = 0; i < list.ItemCount(); ++i) {
      if (list.Item(i).Caption() != number) continue;
      list.SetItemIndex(i);
      settings_->ListView1Click(&list);
      break;
    }
  };
  return links;
}

SettingsLinks Program::SettingsWindowLinks() {
  SettingsLinks links;
  links.trayIconVisible = [this] { return main_->TrayIcon1->Visible(); };
  links.minimize = [this] { main_->Minimize(); };
  links.restore = [this] { main_->Restore(); };
  links.skinRefresh = [this] { main_->SkinRefresh(); };
  links.setTransparency = [this](int alpha) {
    main_->SetAlphaBlend(true);
    main_->SetAlphaBlendValue(255 - alpha);
  };
  links.setHideNulls = [this](int value) { main_->hideNulls = value; };
  links.setShowInTitle = [this](int value) { main_->SetShowInTitle(value); };
  // The windows made after the settings window are looked up when the link is used.
  links.showReminder = [this](const std::string& file) {
    if (reminder_) reminder_->ShowReminder(file);
  };
  links.showBirthday = [this](const std::string& file) {
    if (birthday_) birthday_->ShowBirthday(file, birthday_->greetingAddress);
  };
  links.showHoliday = [this](const std::string& file) {
    if (holiday_) holiday_->ShowHoliday(file);
  };
  links.showAbout = [this](const ui::Image& background) {
    if (about_) about_->ShowWithBackground(background);
  };
  links.citiesChanged = [this] {
    if (main_) main_->ReloadCities();
  };
  return links;
}

void Program::ShowReminder(const std::string& textFile) {
  // A reminder that cannot be shown must not count as fired (nor be cleaned up as fired).
  if (!main_ || !reminder_) throw events::ActionUnavailable("the reminder window does not exist yet");
  main_->BringBack();
  reminder_->ShowReminder(textFile);
}

void Program::Run() { application_->Run(); }

int RunProgram(platform::Platform& platform, ui::WidgetSet& widgets, const std::vector<std::string>& args) {
  const ParsedCommand parsed = ParseCommandLine(args);
  platform::CommandLink& link = platform.commandLink();
  if (parsed.error) {
    link.Report(parsed.error->text + "\r\n\r\n" + kUsageText, true);
    return parsed.error->code;
  }
  const CommandKind kind = parsed.command.kind;
  if (kind == CommandKind::kHelp) {
    link.Report(kUsageText, false);
    return kExitOk;
  }
  if (kind != CommandKind::kNone) {
    if (const auto reply = link.HandOver(EncodeArguments(args))) {
      link.Report(reply->text, reply->code != kExitOk);
      return reply->code;
    }
  }
  Program program(platform, widgets);
  if (kind != CommandKind::kNone) {
    const CommandAnswer answer = program.RunCommand(parsed.command);
    link.Report(answer.text, answer.code != kExitOk);
    if (answer.code != kExitOk || !StartsProgramAfter(kind)) return answer.code;
  }
  try {
    program.Start();
    program.Run();
  } catch (const std::exception& e) {
    program.Application().ShowException(e);
  }
  return 0;
}

}  // namespace app
