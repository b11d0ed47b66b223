// TForm3: the text reminder window. Borderless, always on top, centred on the screen; the
// heading, the reminder's text, the confirm button and the button that puts the reminder off
// on one panel. Pressing the panel or the text drags the window, which then snaps to the
// screen's edges and corners.
#pragma once

#include <string>

#include "config/program_files.h"
#include "events/event_store.h"
#include "events/scheduler.h"
#include "platform/platform.h"
#include "ui/buttons.h"
#include "ui/forms.h"
#include "ui/menus.h"
#include "ui/panels.h"
#include "ui/richedit.h"
#include "ui/stdctrls.h"

class TForm3 : public ui::TForm {
 public:
  TForm3(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files,
         events::EventStore& store, events::Scheduler& scheduler);
  ~TForm3() override;

  ui::TPanel* Panel1;        // the window's surface, carrying everything else
  ui::TLabel* Label1;        // the heading "Вы просили напомнить..."
  ui::TRichEdit* RichEdit1;  // the reminder's text
  ui::TBitBtn* BitBtn1;      // "Понял...": closes the window
  ui::TBitBtn* BitBtn2;      // "Отложить": opens PopupMenu1 under itself
  ui::TPopupMenu* PopupMenu1;  // the snooze choices, as events::kSnoozeChoices

  // Shows the window for a fired reminder: plays the chime through the program's media
  // player, puts the "OK" picture on the confirm button and loads the text from `textFile`
  // (rich text, or plain text). Errors (a file that cannot be loaded) propagate to the caller.
  // The file's bytes are kept for a snooze: a fired one-time reminder's file may be deleted
  // while the window shows it.
  void ShowReminder(const std::string& textFile);
  // Puts the reminder shown off by `minutes` of real time (events::kSnoozeTillTomorrow: to
  // the same time tomorrow): a new one-time reminder with the same text is stored and
  // scanned, and the window closes. A store that cannot be written raises its
  // error and leaves the window open.
  void Snooze(int minutes);

  void Panel1MouseDown(ui::TComponent* sender, ui::TMouseButton button, ui::TShiftState shift, int x, int y);
  void RichEdit1MouseDown(ui::TComponent* sender, ui::TMouseButton button, ui::TShiftState shift, int x, int y);
  void BitBtn1Click(ui::TComponent* sender);
  void BitBtn2Click(ui::TComponent* sender);

 private:
  platform::Platform& platform_;
  config::ProgramFiles& files_;
  events::EventStore& store_;
  events::Scheduler& scheduler_;
  std::string text_;  // the shown reminder's file, byte for byte
};

extern TForm3* Form3;
