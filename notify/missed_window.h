// TForm9: the missed events window. Lists the firings that fell into a time the program did not
// run them (the computer slept, the clock was closed or set forward), oldest first, with the
// look of the reminder window: borderless, on top, centred, dragged by its surface.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "config/program_files.h"
#include "events/event_store.h"
#include "events/scheduler.h"
#include "platform/platform.h"
#include "ui/buttons.h"
#include "ui/forms.h"
#include "ui/listview.h"
#include "ui/panels.h"
#include "ui/stdctrls.h"

// What the missed events window asks of the rest of the program.
struct MissedWindowLinks {
  // Shows a reminder's text (its side file) in the reminder window.
  std::function<void(const std::string& textFile)> showReminder;
};

class TForm9 : public ui::TForm {
 public:
  TForm9(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files, events::EventStore& store,
         events::Scheduler& scheduler, MissedWindowLinks links);
  ~TForm9() override;

  ui::TPanel* Panel1;        // the window's surface
  ui::TLabel* Label1;        // the heading "Пропущенные события"
  ui::TListView* ListView1;  // "Когда", "Тип", "Событие"
  ui::TBitBtn* BitBtn1;      // "Показать": a reminder's text in the reminder window
  ui::TBitBtn* BitBtn2;      // "Удалить": removes a one-time event from the store
  ui::TBitBtn* BitBtn3;      // "Закрыть"

  // Lists `missed` and shows the window. While it is open the rows are added to those it
  // shows; a closed window starts afresh. Firings not listed are counted in a last row
  // "… и ещё N".
  void AddMissed(const events::MissedEvents& missed);

  void ListView1Click(ui::TComponent* sender);
  void BitBtn1Click(ui::TComponent* sender);
  void BitBtn2Click(ui::TComponent* sender);
  void BitBtn3Click(ui::TComponent* sender);
  void Panel1MouseDown(ui::TComponent* sender, ui::TMouseButton button, ui::TShiftState shift, int x, int y);

 private:
  struct Row {
    std::string when, typeName, text;  // the three columns
    std::string number, type, period;
  };
  // What a row shows for one firing, read from the store now.
  Row RowOf(const events::MissedFiring& firing);
  // The list from rows_ and older_; the first row selected.
  void Fill();
  // The buttons that apply to the selected row.
  void EnableButtons();
  const Row* SelectedRow() const;

  platform::Platform& platform_;
  config::ProgramFiles& files_;
  events::EventStore& store_;
  events::Scheduler& scheduler_;
  MissedWindowLinks links_;
  std::vector<Row> rows_;
  std::size_t older_ = 0;
};

extern TForm9* Form9;
