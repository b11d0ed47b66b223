// The event page's "Импорт..." and "Экспорт...": calendar (.ics) and contact (.vcf) files in,
// the listed events out as a calendar.
#include "events/event_import.h"
#include "settings/settings_window.h"
#include "ui/application.h"

namespace {

constexpr int kLeft = 4, kWidth = 324, kTop = 338, kHeight = 28;

ui::TBitBtn* Button(TForm2* form, const char* name, const char* caption, int left, int width) {
  auto* b = new ui::TBitBtn(form);
  b->Name = name;
  b->SetParent(form->TabSheet1);
  b->SetBounds(left, kTop, width, kHeight);
  b->SetCaption(caption);
  return b;
}

const std::vector<platform::FileFilter>& ExchangeFilters() {
  static const std::vector<platform::FileFilter> filters = {
      {"Календари и контакты (*.ics, *.vcf)", "*.ics;*.vcf"},
      {"Календари (*.ics)", "*.ics"},
      {"Контакты (*.vcf)", "*.vcf"},
  };
  return filters;
}

}  // namespace

void TForm2::BuildExchangeButtons() {
  // The list gives the room of one row of buttons under it to them.
  ListView1->SetBounds(kLeft, 32, kWidth, kTop - 4 - 32);
  ImportButton = Button(this, "ImportButton", "Импорт...", kLeft, kWidth / 2 - 2);
  ImportButton->OnClick = [this](ui::TComponent*) { ImportEvents(); };
  ExportButton = Button(this, "ExportButton", "Экспорт...", kLeft + kWidth / 2 + 2, kWidth / 2 - 2);
  ExportButton->OnClick = [this](ui::TComponent*) { ExportEvents(); };
}

events::ExchangeContext TForm2::ExchangeContext() {
  platform::Clock& clock = platform_.clock();
  return {clock.Now(),
          {clock.LongTimeFormat(), clock.ShortDateFormat()},
          events::LocalZoneConversion(platform_.timeZones()),
          {}};
}

void TForm2::ImportEvents() {
  platform::OpenFileOptions options;
  options.filters = ExchangeFilters();
  options.fileMustExist = true;
  options.pathMustExist = true;
  options.hideReadOnly = true;
  const auto path = platform_.commonDialogs().OpenFile(options);
  if (!path) return;
  const std::string& title = ui::Application().Title();
  try {
    const events::ImportSummary summary = events::ImportFile(store_, &scheduler_, *path, ExchangeContext());
    EventRefresh();
    platform_.dialogs().ShowMessageBox(summary.Message(), title, ui::MB_OK_FLAG | ui::MB_ICONINFORMATION_FLAG);
  } catch (const std::exception& e) {
    platform_.dialogs().ShowMessageBox(e.what(), title, ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
  }
}

void TForm2::ExportEvents() {
  platform::OpenFileOptions options;
  options.filters = {ExchangeFilters()[1]};
  options.fileName = "Horavo.ics";
  options.defaultExtension = "ics";
  options.pathMustExist = true;
  options.hideReadOnly = true;
  const auto path = platform_.commonDialogs().SaveFile(options);
  if (!path) return;
  // The events the list shows now, under its filter.
  std::vector<std::string> numbers;
  for (int i = 0; i < ListView1->ItemCount(); ++i) numbers.push_back(ListView1->Item(i).Caption());
  const std::string& title = ui::Application().Title();
  try {
    const events::ExportSummary summary = events::ExportFile(store_, numbers, *path, ExchangeContext());
    platform_.dialogs().ShowMessageBox(summary.Message(), title, ui::MB_OK_FLAG | ui::MB_ICONINFORMATION_FLAG);
  } catch (const std::exception& e) {
    platform_.dialogs().ShowMessageBox(e.what(), title, ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
  }
}
