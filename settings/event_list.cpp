// Stand-ins for the event list: the list control and the calls the frame and the editor make.
#include "events/list_file.h"
#include "settings/settings_window.h"

void TForm2::BuildEventList() {
  ListView1 = new ui::TListView(this);
  ListView1->Name = "ListView1";
  ListView1->SetParent(TabSheet1);
  ListView1->SetBounds(4, 32, 320, 336);
  SpeedButton5 = new ui::TSpeedButton(this);
  SpeedButton5->Name = "SpeedButton5";
  SpeedButton5->SetParent(TabSheet1);
  SpeedButton5->SetBounds(4, 4, 150, 24);
  SpeedButton5->SetCaption("Стандартные события");
  SpeedButton5->SetGroupIndex(1);
}

void TForm2::EventRefresh() { shownCodes = events::LoadListFile(files_.Path("Gear\\Events.txt")); }

void TForm2::EventDel() {}

void TForm2::Button2Click(ui::TComponent*) {
  EventRefresh();
  storedCodes = shownCodes;
}
