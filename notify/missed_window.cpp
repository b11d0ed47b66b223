#include "notify/missed_window.h"

#include "clock/time_format.h"
#include "config/ini.h"
#include "events/list_file.h"
#include "events/store_changes.h"
#include "notify/notices.h"
#include "platform/files.h"
#include "ui/application.h"
#include "ui/rtf.h"

using namespace std::placeholders;

TForm9* Form9 = nullptr;

namespace {
// The first line of a reminder's text that is not blank; empty when there is none.
std::string FirstLine(const std::string& document) {
  const std::string text = ui::rtf::IsRichText(document) ? ui::rtf::ToPlainText(document) : document;
  for (const std::string& line : events::SplitLines(text))
    if (const std::string_view blankless = config::TrimBlanks(line); !blankless.empty()) return std::string(blankless);
  return {};
}
}  // namespace

TForm9::TForm9(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files,
               events::EventStore& store, events::Scheduler& scheduler, MissedWindowLinks links)
    : ui::TForm(owner),
      platform_(platform),
      files_(files),
      store_(store),
      scheduler_(scheduler),
      links_(std::move(links)) {
  Form9 = this;
  Name = "Form9";
  SetCaption("Пропущенные события");
  const notify::NoteFrame frame = notify::BuildNoteFrame(*this, "Пропущенные события", 520, 300);
  Panel1 = frame.panel;
  Label1 = frame.heading;

  ListView1 = new ui::TListView(this);
  ListView1->SetParent(Panel1);
  ListView1->SetBounds(12, 34, 496, 220);
  ListView1->SetFont({"Tahoma", 8, ui::clBlack, false});
  ListView1->AddColumn("Когда", 130);
  ListView1->AddColumn("Тип", 150);
  ListView1->AddColumn("Событие", 190);
  ListView1->SetGridLines(true);
  ListView1->SetRowSelect(true);

  auto button = [this](int left, const char* caption) {
    auto* b = new ui::TBitBtn(this);
    b->SetParent(Panel1);
    b->SetBounds(left, 264, 110, 28);
    b->SetFont({"Tahoma", 8, ui::clBlack, false});
    b->SetCaption(caption);
    return b;
  };
  BitBtn1 = button(83, "Показать");
  BitBtn2 = button(205, "Удалить");
  BitBtn3 = button(327, "Закрыть");
  BitBtn3->SetDefault(true);
  BitBtn3->Cancel = true;

  Panel1->OnMouseDown = std::bind(&TForm9::Panel1MouseDown, this, _1, _2, _3, _4, _5);
  ListView1->OnClick = std::bind(&TForm9::ListView1Click, this, _1);
  BitBtn1->OnClick = std::bind(&TForm9::BitBtn1Click, this, _1);
  BitBtn2->OnClick = std::bind(&TForm9::BitBtn2Click, this, _1);
  BitBtn3->OnClick = std::bind(&TForm9::BitBtn3Click, this, _1);
  EnableButtons();
}

TForm9::~TForm9() {
  if (Form9 == this) Form9 = nullptr;
}

TForm9::Row TForm9::RowOf(const events::MissedFiring& firing) {
  platform::Clock& clock = platform_.clock();
  Row row;
  row.when = clockface::FormatPicture(clock.ShortDateFormat(), firing.when) + " " +
             clockface::FormatPicture(clock.LongTimeFormat(), firing.when);
  row.typeName = events::TypeName(firing.type);
  row.number = firing.number;
  row.type = firing.type;
  row.period = firing.period;
  row.text = row.typeName;
  // A text that cannot be read leaves the type's name in its place.
  if (firing.type == "5") {
    const std::string file =
        store_.SideFilePath(events::SideFolder::kNotes,
                            store_.Read(firing.number, "pathtotxt", events::kDefaultReminderFile));
    std::optional<std::string> document;
    if (!file.empty()) document = platform::ReadFile(file);
    if (document) {
      if (std::string line = FirstLine(*document); !line.empty()) row.text = line;
    }
  } else if (firing.type == "1") {
    const std::string name = events::FileNamePart(store_.Read(firing.number, "pathtofile", events::kDefaultPathToFile));
    if (!name.empty()) row.text = name;
  }
  return row;
}

void TForm9::AddMissed(const events::MissedEvents& missed) {
  if (!Visible()) {
    rows_.clear();
    older_ = 0;
  }
  for (const events::MissedFiring& firing : missed.firings) rows_.push_back(RowOf(firing));
  older_ += missed.older;
  Fill();
  Show();
  BitBtn3->SetGlyph(files_.LibraryPicture("OK"));
}

void TForm9::Fill() {
  ListView1->BeginUpdate();
  ListView1->Clear();
  for (const Row& row : rows_) ListView1->AddItem(row.when, {row.typeName, row.text});
  if (older_ > 0) ListView1->AddItem("… и ещё " + std::to_string(older_));
  if (!rows_.empty()) ListView1->SetItemIndex(0);
  ListView1->EndUpdate();
  EnableButtons();
}

const TForm9::Row* TForm9::SelectedRow() const {
  const int at = ListView1->ItemIndex();
  if (at < 0 || std::size_t(at) >= rows_.size()) return nullptr;  // none, or the count row
  return &rows_[std::size_t(at)];
}

void TForm9::EnableButtons() {
  const Row* row = SelectedRow();
  BitBtn1->SetEnabled(row && row->type == "5");
  // Only a one-time event is removed: a repeating one comes again at its next time.
  BitBtn2->SetEnabled(row && row->period == "1");
}

void TForm9::ListView1Click(ui::TComponent*) { EnableButtons(); }

void TForm9::BitBtn1Click(ui::TComponent*) {
  const Row* row = SelectedRow();
  if (!row || row->type != "5" || !links_.showReminder) return;
  const std::string notes = store_.AppDir() + "notes\\";
  links_.showReminder(notes + events::FileNamePart(store_.Read(row->number, "pathtotxt", notes + events::kDefaultReminderFile)));
}

void TForm9::BitBtn2Click(ui::TComponent*) {
  const Row* row = SelectedRow();
  if (!row || row->period != "1") return;
  const std::string number = row->number;
  // As the event list removes an event: side file, section, list line; and out of the scan.
  events::RemoveEvent(store_, number);
  scheduler_.Remove(number);
  std::erase_if(rows_, [&](const Row& r) { return r.number == number; });
  Fill();
}

void TForm9::BitBtn3Click(ui::TComponent*) { Close(); }

void TForm9::Panel1MouseDown(ui::TComponent*, ui::TMouseButton button, ui::TShiftState, int, int) {
  notify::DragAndSnap(*this, button, 30);
}
