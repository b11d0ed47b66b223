// The gallery's list view with a few events, check boxes and grid lines, and a time and a date
// picker with their quick menus. With HORAVO_GALLERY_ROWS set the list gets that many more
// rows, and the time the filling took is appended to the file HORAVO_GALLERY_LOG names.
#include "tests/gallery/gallery_lists.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

#include "ui/datetimepicker.h"
#include "ui/listview.h"
#include "ui/menus.h"
#include "ui/stdctrls.h"

namespace {

ui::TPopupMenu* Menu(ui::TComponent* owner, std::initializer_list<const char*> captions) {
  auto* menu = new ui::TPopupMenu(owner);
  for (const char* caption : captions) {
    auto* item = new ui::TMenuItem(menu);
    item->Caption = caption;
    menu->Items()->Add(item);
  }
  return menu;
}

ui::TLabel* Label(ui::TWinControl* area, const char* caption, int left, int top) {
  auto* label = new ui::TLabel(area);
  label->SetCaption(caption);
  label->SetParent(area);
  label->SetBounds(left, top, label->Width(), label->Height());
  return label;
}

void FillTimedRows(ui::TListView* list) {
  const char* rows = std::getenv("HORAVO_GALLERY_ROWS");
  int count = rows ? std::atoi(rows) : 0;
  if (count <= 0) return;
  auto start = std::chrono::steady_clock::now();
  list->BeginUpdate();
  for (int i = 0; i < count; ++i)
    list->AddItem(std::to_string(10000 + i), {"Сигнал", "12:00:00", "01.02.2003"}, i % 3 != 0);
  list->EndUpdate();
  double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  if (const char* log = std::getenv("HORAVO_GALLERY_LOG"))
    std::ofstream(log, std::ios::app) << "list view: " << count << " rows filled in " << ms << " ms\n";
}

}  // namespace

void BuildListGallery(ui::TWinControl* area) {
  const int width = area->Width() > 0 ? area->Width() : 320;
  const int height = area->Height() > 0 ? area->Height() : 300;

  auto* list = new ui::TListView(area);
  list->SetBounds(8, 8, width - 16, height - 80);
  list->AddColumn("Код", 58, 58, 70);
  list->AddColumn("Тип", 145, 70, 145);
  list->AddColumn("Время", 65, 65, 75);
  list->AddColumn("Число", 70, 70, 70);
  list->SetGridLines(true);
  list->SetRowSelect(true);
  list->SetCheckboxes(true);
  list->SetHotTrack(true);
  list->SetHint("Список событий");
  list->SetPopupMenu(Menu(area, {"Тест!", "Показать..."}));
  list->SetParent(area);
  list->AddItem("48213", {"Сигнал", "07:30:00", "12.05.2026"}, true);
  list->AddItem("1507", {"Напоминание текстом", "13:45:00", "12.05.2026"}, true);
  list->AddItem("93310", {"Выключение", "23:30:00", "31.12.2026"}, false);
  list->AddItem("777", {"Любой файл", "09:00:00", "01.06.2026"}, true);
  list->AddItem("20480", {"Завершение сеанса", "18:00:00", "15.05.2026"}, false);
  list->SetItemIndex(1);
  FillTimedRows(list);

  const int row = height - 60;
  Label(area, "Время", 8, row + 4);
  auto* timePicker = new ui::TDateTimePicker(area);
  timePicker->SetKind(ui::TDateTimeKind::dtkTime);
  timePicker->SetBounds(60, row, 100, 21);
  timePicker->SetPopupMenu(Menu(area, {"+1 минута", "+5 минуты", "+1 час", "+12 часов"}));
  timePicker->SetParent(area);
  timePicker->SetDateTime({2026, 5, 12, 20, 0, 0, 0, 2});

  Label(area, "Число", 8, row + 34);
  auto* datePicker = new ui::TDateTimePicker(area);
  datePicker->SetKind(ui::TDateTimeKind::dtkDate);
  datePicker->SetBounds(60, row + 30, 100, 21);
  datePicker->SetPopupMenu(Menu(area, {"Сегодня", "Завтра", "Через день", "Через 2 дня", "Через неделю"}));
  datePicker->SetParent(area);
  datePicker->SetDateTime({2026, 5, 12, 20, 0, 0, 0, 2});
}
