// TForm2: the settings and event editor window. Its page "Добавить событие" holds the event list
// (settings/event_list.cpp) and the event editor (settings/event_editor.cpp); its page "Настройки"
// holds the program's settings (settings/settings_pages.cpp). The frame, its pages and its life
// cycle are in settings/settings_window.cpp.
#pragma once

#include <functional>
#include <string>

#include "config/program_files.h"
#include "platform/platform.h"
#include "ui/comctrls.h"
#include "ui/forms.h"

namespace events {
class EventStore;
class Scheduler;
}  // namespace events

// What the settings window asks of the rest of the program. The program wires each call to the
// window or engine that does it, so this window includes no other window.
struct SettingsLinks {
  // The main clock window.
  std::function<bool()> trayIconVisible;         // the program is hidden in the notification area
  std::function<void()> minimize, restore;       // Minimize / Restore
  std::function<void()> skinRefresh;             // SkinRefresh: apply [Clock] "skin"
  std::function<void(int alpha)> setTransparency; // opacity 255 - alpha, alpha blending on
  std::function<void(int)> setHideNulls;         // hideNulls
  std::function<void(int)> setShowInTitle;       // showInTitle
  // The notice windows, for "Тест!": each loads its text from the file and is shown.
  std::function<void(const std::string& file)> showReminder, showBirthday, showHoliday;
  // The About window, with the large background picture.
  std::function<void(const ui::Image& background)> showAbout;
};

class TForm2 : public ui::TForm {
 public:
  TForm2(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files,
         events::EventStore& store, events::Scheduler& scheduler, SettingsLinks links);
  ~TForm2() override;

  // ---- Frame (settings/settings_window.cpp) ----
  ui::TPageControl* PageControl1;  // fills the window: the event page and the settings page
  ui::TTabSheet* TabSheet1;        // "Добавить событие": the event list and the event editor
  ui::TTabSheet* TabSheet2;        // "Настройки": the settings pages

  // ---- Event editor (settings/event_editor.cpp) ----

  // ---- Event list (settings/event_list.cpp) ----

  // ---- Settings pages (settings/settings_pages.cpp) ----

 private:
  // Each part creates its own controls; the frame calls them in this order during construction.
  void BuildEditor();
  void BuildEventList();
  void BuildSettingsPages();

  platform::Platform& platform_;
  config::ProgramFiles& files_;
  events::EventStore& store_;
  events::Scheduler& scheduler_;
  SettingsLinks links_;
};

extern TForm2* Form2;
