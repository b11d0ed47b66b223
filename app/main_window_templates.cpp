// The quick power-off templates of the menu "Шаблоны..." / "Выключение...".
#include "app/forms.h"
#include "app/main_window.h"
#include "events/shutdown_templates.h"

void TForm1::BindTemplates() {
  std::size_t next = 0;
  for (ui::TMenuItem* item : N13->Items()) {
    // The items stand in the order of the template table, separators included.
    const events::ShutdownTemplate& t = events::kShutdownTemplates.at(next++);
    if (item->IsSeparator()) continue;
    const int minutes = t.minutes;
    item->OnClick = [this, minutes](ui::TComponent*) { SchemeAdd(minutes); };
  }
}

void TForm1::SchemeAdd(int minutes) {
  if (!Form2) return;
  ui::TComponent* add = Form2->BitBtn4;
  N8Click(N8);
  // An addition the user left pending is committed first, so nothing typed is lost, and the
  // template still gets an addition of its own.
  if (Form2->Recording()) {
    Form2->BitBtn4Click(add);
    // Declined at the commit's question: that addition stays on the screen, nothing is added.
    if (Form2->Recording()) return;
  }
  Form2->BitBtn4Click(add);
  Form2->PageControl2->SetActivePageIndex(4);
  // A template powers off once, whatever periodicity the editor showed before.
  Form2->RadioButton1->SetChecked(true);
  if (const auto offset = events::TemplateOffset(minutes)) Form2->AddTime(*offset);
  Form2->BitBtn4Click(add);
  // The commit left record mode only when it stored the event.
  const bool stored = !Form2->Recording();
  const std::string time = platform_.clock().TimeText(Form2->DateTimePicker1->DateTime());
  Form2->BitBtn5Click(Form2->BitBtn5);
  if (stored) AnnouncePowerOff(time);
}

void TForm1::AnnouncePowerOff(const std::string& time) {
  const std::string text = "Компьютер будет выключен в " + time;
  const std::string& title = ui::Application().Title();
  if (TrayIcon1->Visible() && TrayIcon1->ShowBalloon(title, text)) return;
  platform_.dialogs().ShowMessageBox(text, title, ui::MB_OK_FLAG | ui::MB_ICONINFORMATION_FLAG);
}
