// The start-up announcements: Timer2 of the main window runs this once, 800 ms after start.
// It hides the program to the tray if so configured, then announces the birthdays and
// holidays dated today in the birthday and holiday windows.
#include "app/forms.h"
#include "events/event_store.h"
#include "notify/notices.h"
#include "resources/picture.h"

void TForm1::Timer2Timer(ui::TComponent*) {
  // A start-up that failed before the settings were open has nothing to announce.
  if (!configIni || !gearIni || !Form4 || !Form5) {
    Timer2->SetEnabled(false);
    return;
  }
  if (configIni->ReadString("Clock", "RunTray", "1") == "1") N6Click(this);
  Timer2->SetEnabled(false);
  int birthdays = 0;
  int holidays = 0;
  const std::string today = DateText();
  // A failure (a side file, the photo or the chime that cannot be loaded) ends the
  // announcements here; the application shows it, and what is shown stays.
  for (const std::string& number : eventNames) {
    auto read = [&](const char* key, const std::string& defaultValue) {
      return gearIni->ReadString(number, key, defaultValue);
    };
    if (read("type", events::kDefaultType) != "6") continue;
    if (read("date", events::kDefaultDate) != today) continue;
    if (TrayIcon1->Visible()) Restore();
    BringToFront();

    const std::string sideFile =
        appDir + "days\\" +
        events::FileNamePart(read("pathtobirthday", appDir + "days\\" + events::kDefaultCelebrationFile));
    ui::TRichEdit* birthdayText = Form4->RichEdit1;
    if (birthdays > 0 && read("Brith?", "0") == "1") {
      const std::string old = birthdayText->Text();
      birthdayText->LoadFromFile(sideFile);
      birthdayText->SetText(birthdayText->Text() + " а также " + old + " " + read("Email", ""));
    }
    if (birthdays == 0 && read("Brith?", "0") == "1") {
      Form4->BitBtn1->SetGlyph(notify::LibraryPicture("OK"));
      Form4->BitBtn2->SetGlyph(notify::LibraryPicture("MAIL2"));
      ++birthdays;
      Form4->Show();
      Form4->greetingAddress = read("Email", "");
      MediaPlayer1->PlayFile(appDir + "Sound\\Beep.wav");
      birthdayText->LoadFromFile(sideFile);
    }
    // Every event of the day may bring a photo; the last one wins. "0" is what a missing key
    // reads as, and stands for no photo like an empty value.
    const std::string photo = read("Foto", "0");
    if (!photo.empty() && photo != "0") Form4->Image1->SetPicture(resources::LoadPictureFile(photo));

    if (configIni->ReadString("Clock", "ShowHolydays", "1") == "1") {
      ui::TRichEdit* holidayText = Form5->RichEdit1;
      if (holidays > 0 && read("Brith?", "0") == "0") {
        const std::string old = holidayText->Text();
        holidayText->LoadFromFile(sideFile);
        holidayText->SetText(holidayText->Text() + " а также " + old);
      }
      if (holidays == 0 && read("Brith?", "0") == "0") {
        ++holidays;
        Form5->Show();
        holidayText->LoadFromFile(sideFile);
      }
    }
  }
}
