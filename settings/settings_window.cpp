#include "settings/settings_window.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files,
               events::EventStore& store, events::Scheduler& scheduler, SettingsLinks links)
    : ui::TForm(owner),
      platform_(platform),
      files_(files),
      store_(store),
      scheduler_(scheduler),
      links_(std::move(links)) {
  Form2 = this;
  Name = "Form2";
  PageControl1 = new ui::TPageControl(this);
  PageControl1->SetParent(this);
  PageControl1->SetAlign(ui::TAlign::alClient);
  TabSheet1 = new ui::TTabSheet(this);
  TabSheet1->SetPageControl(PageControl1);
  TabSheet1->SetCaption("Добавить событие");
  TabSheet2 = new ui::TTabSheet(this);
  TabSheet2->SetPageControl(PageControl1);
  TabSheet2->SetCaption("Настройки");
  BuildEditor();
  BuildEventList();
  BuildSettingsPages();
}

TForm2::~TForm2() {
  if (Form2 == this) Form2 = nullptr;
}
