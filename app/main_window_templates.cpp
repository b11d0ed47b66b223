// The quick power-off templates of the menu "Шаблоны..." / "Выключение...".
#include "app/forms.h"
#include "app/main_window.h"
#include "events/one_time_events.h"
#include "events/shutdown_templates.h"

void TForm1::BindTemplates() {
  std::size_t next = 0;
  for (ui::TMenuItem* item : N13->Items()) {
    // The items stand in the order of the template table, separators included.
    const events::ShutdownTemplate& t = events::kShutdownTemplates.at(next++);
    if (item->IsSeparator()) continue;
    const int minutes = t.minutes;
    item->OnClick = [this, minutes](ui::TComponent*) { SchemeAdd(minutes); };
  }
}

void TForm1::SchemeAdd(int minutes) {
  if (!events::TemplateOffset(minutes)) return;
  // Stored as a one-time event of its own, past the settings window: an addition the user has
  // open there stays as it is, and the power-off never waits on its questions. The store tells
  // an open event list.
  platform::Clock& clock = platform_.clock();
  const platform::DateTime at = events::MinutesAfter(clock.Now(), minutes);
  events::AddOneTimeEvent(store, scheduler, {"4", at, ""}, clock.LongTimeFormat(), clock.ShortDateFormat());
  AnnouncePowerOff(clock.TimeText(at));
}

void TForm1::AnnouncePowerOff(const std::string& time) {
  const std::string text = "Компьютер будет выключен в " + time;
  const std::string& title = ui::Application().Title();
  if (TrayIcon1->Visible() && TrayIcon1->ShowBalloon(title, text)) return;
  platform_.dialogs().ShowMessageBox(text, title, ui::MB_OK_FLAG | ui::MB_ICONINFORMATION_FLAG);
}
