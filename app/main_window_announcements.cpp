// The start-up announcements: Timer2 of the main window runs this once, 800 ms after start.
// It hides the program to the tray if so configured, then announces the birthdays and
// holidays dated today, and switched on, in the birthday and holiday windows.
#include "app/forms.h"
#include "events/event_store.h"

void TForm1::Timer2Timer(ui::TComponent*) {
  // A start-up that ended before the windows were made has nothing to announce.
  if (!Form4 || !Form5) {
    Timer2->SetEnabled(false);
    return;
  }
  config::Settings& config = files.Config();
  // A reminder due in the first second or so has already brought the program forward: going
  // to the tray now would hide it before it was read.
  const bool reminderShown = Form3 && Form3->Visible();
  if (config.ReadFlag("Clock", "RunTray", true) && !reminderShown) N6Click(this);
  Timer2->SetEnabled(false);
  announced_ = true;
  int birthdays = 0;
  int holidays = 0;
  const std::string today = DateText();
  // A failure (a side file, the photo or the chime that cannot be loaded) ends the
  // announcements here; the application shows it, and what is shown stays.
  // A copy: a nested tick could change the scan's list while a window loads its text.
  const std::vector<std::string> names = scheduler.Names();
  for (const std::string& number : names) {
    auto read = [&](const char* key, const std::string& defaultValue) {
      return files.Gear().ReadString(number, key, defaultValue);
    };
    if (read("type", events::kDefaultType) != "6") continue;
    if (read("date", events::kDefaultDate) != today) continue;
    // Switched off in the event list: neither announced nor offered for a greeting.
    if (!events::IsActive(read("active", "1"))) continue;
    BringBack();

    const std::string days = appDir + "days\\";
    const std::string sideFile =
        days + events::FileNamePart(read("pathtobirthday", days + events::kDefaultCelebrationFile));
    const bool birthday = read("Brith?", "0") == "1";
    if (birthday) {
      if (birthdays++ == 0)
        Form4->ShowBirthday(sideFile, read("Email", ""));
      else
        Form4->AddBirthday(sideFile, read("Email", ""));
    }
    // Every event of the day may bring a photo; the last one wins. "0" is what a missing key
    // reads as, and stands for no photo like an empty value.
    const std::string photo = read("Foto", "0");
    if (!photo.empty() && photo != "0") Form4->ShowPhoto(photo);

    const bool holiday = read("Brith?", "0") == "0";
    if (holiday && config.ReadFlag("Clock", "ShowHolydays", true)) {
      if (holidays++ == 0)
        Form5->ShowHoliday(sideFile);
      else
        Form5->AddHoliday(sideFile);
    }
  }
  // Missed events are reported after the day's birthdays and holidays.
  ReportMissed();
}
