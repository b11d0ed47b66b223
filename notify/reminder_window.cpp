#include "notify/reminder_window.h"

#include "clock/media_player.h"
#include "events/one_time_events.h"
#include "notify/notices.h"
#include "platform/files.h"

using namespace std::placeholders;

TForm3* Form3 = nullptr;

TForm3::TForm3(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files,
               events::EventStore& store, events::Scheduler& scheduler)
    : ui::TForm(owner), platform_(platform), files_(files), store_(store), scheduler_(scheduler) {
  Form3 = this;
  Name = "Form3";
  SetCaption("Напоминание");
  const notify::NoteFrame frame = notify::BuildNoteFrame(*this, "Вы просили напомнить...", 405, 182);
  Panel1 = frame.panel;
  Label1 = frame.heading;

  RichEdit1 = new ui::TRichEdit(this);
  RichEdit1->SetBounds(12, 34, 381, 104);
  RichEdit1->SetFont({"Tahoma", 9, ui::clBlack, false});
  RichEdit1->SetReadOnly(true);
  RichEdit1->SetScrollBars(ui::TScrollStyle::ssVertical);
  RichEdit1->SetParent(Panel1);

  BitBtn1 = new ui::TBitBtn(this);
  BitBtn1->SetParent(Panel1);
  BitBtn1->SetBounds(84, 146, 110, 28);
  BitBtn1->SetFont({"Tahoma", 8, ui::clBlack, false});
  BitBtn1->SetCaption("Понял...");
  BitBtn1->SetDefault(true);
  BitBtn1->Cancel = true;
  // It takes the focus when it opens, on its text, so that a screen reader reads the reminder.
  FocusOnShow = true;
  SetActiveControl(RichEdit1);

  BitBtn2 = new ui::TBitBtn(this);
  BitBtn2->SetParent(Panel1);
  BitBtn2->SetBounds(211, 146, 110, 28);
  BitBtn2->SetFont({"Tahoma", 8, ui::clBlack, false});
  BitBtn2->SetCaption("Отложить");

  PopupMenu1 = new ui::TPopupMenu(this);
  for (const events::SnoozeChoice& choice : events::kSnoozeChoices) {
    auto* item = new ui::TMenuItem(this);
    item->Caption = choice.caption;
    const int minutes = choice.minutes;
    item->OnClick = [this, minutes](ui::TComponent*) { Snooze(minutes); };
    PopupMenu1->Items()->Add(item);
  }

  Panel1->OnMouseDown = std::bind(&TForm3::Panel1MouseDown, this, _1, _2, _3, _4, _5);
  RichEdit1->OnMouseDown = std::bind(&TForm3::RichEdit1MouseDown, this, _1, _2, _3, _4, _5);
  BitBtn1->OnClick = std::bind(&TForm3::BitBtn1Click, this, _1);
  BitBtn2->OnClick = std::bind(&TForm3::BitBtn2Click, this, _1);
}

TForm3::~TForm3() {
  if (Form3 == this) Form3 = nullptr;
}

void TForm3::ShowReminder(const std::string& textFile) {
  Show();
  files_.MediaPlayer().PlayFile(files_.Path("Sound\\Beep.wav"));
  BitBtn1->SetGlyph(files_.LibraryPicture("OK"));
  text_ = platform::ReadFile(textFile).value_or("");
  RichEdit1->LoadFromFile(textFile);
}

void TForm3::Snooze(int minutes) {
  platform::Clock& clock = platform_.clock();
  const events::OneTimeEvent reminder{"5", events::SnoozedUntil(clock, clock.NowZoned(), minutes), text_};
  events::AddOneTimeEvent(store_, scheduler_, reminder, clock.LongTimeFormat(), clock.ShortDateFormat());
  Close();
}

void TForm3::Panel1MouseDown(ui::TComponent*, ui::TMouseButton button, ui::TShiftState, int, int) {
  notify::DragAndSnap(*this, button, 30);
}

void TForm3::RichEdit1MouseDown(ui::TComponent*, ui::TMouseButton button, ui::TShiftState, int, int) {
  notify::DragAndSnap(*this, button, 60);
}

void TForm3::BitBtn1Click(ui::TComponent*) { Close(); }

void TForm3::BitBtn2Click(ui::TComponent*) {
  const ui::TPoint below = BitBtn2->ClientToScreen({0, BitBtn2->Height()});
  PopupMenu1->PopupComponent = BitBtn2;
  PopupMenu1->Popup(below.x, below.y);
}
