#include "settings/settings_window.h"

#include <cstdlib>

#include "config/settings.h"
#include "events/list_file.h"
#include "events/scheduler.h"
#include "resources/jpeg.h"
#include "ui/application.h"

TForm2* Form2 = nullptr;

namespace {

constexpr int kEventPageWidth = 717;
constexpr int kSettingsPageWidth = 493;
constexpr int kHeight = 430;
constexpr ui::TColor kColor = 15384215;
// The settings page is reached by narrowing the window this many times by this much.
constexpr int kNarrowSteps = 32;
constexpr int kNarrowStep = 7;

constexpr const char* kViewCaption = "Настройки -  Режим: Просмотр";
constexpr const char* kRecordCaption = "Настройки - Режим: Запись";
constexpr const char* kLibraryMissing = "Не найдена библиотека resourcesimages.dll! Переустановите программу";

}  // namespace

TForm2::TForm2(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files,
               events::EventStore& store, events::Scheduler& scheduler, SettingsLinks links)
    : ui::TForm(owner),
      platform_(platform),
      files_(files),
      store_(store),
      scheduler_(scheduler),
      links_(std::move(links)) {
  Form2 = this;
  BuildFrame();
  BuildEditor();
  BuildEventList();
  BuildExchangeButtons();
  BuildSettingsPages();

  // Construction: cleared paths, the library, the generator, the backgrounds, the pictures.
  configPath.clear();
  gearIniPath.clear();
  emailAddress.clear();
  imageLib_ = platform_.NewResourceLibrary();
  const bool libraryLoaded = imageLib_->Load("resources\\images.dll");
  numbers_ = settings::NumberGenerator(settings::NumberGenerator::SeedFrom(platform_.clock().Now()));

  // The backgrounds wait until the window is first shown (LoadBackgrounds): decoded, they
  // would take megabytes of a program that may never open this window.

  if (!libraryLoaded) {
    platform_.dialogs().ShowMessageBox(kLibraryMissing, ui::Application().Title(),
                                       ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
    platform_.process().Exit(0);
    std::abort();  // Exit never returns
  }
  BitBtn5->SetGlyph(LibraryPicture("EXIT"));
  BitBtn4->SetGlyph(LibraryPicture("ADDEVENT"));
  BitBtn6->SetGlyph(LibraryPicture("DELEVENT"));
  SpeedButton1->SetGlyph(LibraryPicture("SPEAKER"));
  BitBtn1->SetGlyph(LibraryPicture("BROWSE"));
  ImportButton->SetGlyph(LibraryPicture("BROWSE"));
  ExportButton->SetGlyph(LibraryPicture("OKEVENT"));
  BitBtn2->SetGlyph(LibraryPicture("RUNFILETEST"));
  BitBtn7->SetGlyph(LibraryPicture("FOTO"));
  BitBtn9->SetGlyph(LibraryPicture("MAIL"));
  Image4->SetPicture(LibraryPicture("DATE"));
  Image3->SetPicture(LibraryPicture("TIME"));
  ImageList1->Add(LibraryPicture("PL"));
  ImageList1->Add(LibraryPicture("CONFIG"));
  PageControl1->UpdateTabs();
}

void TForm2::LoadBackgrounds() {
  if (backgroundsLoaded_) return;
  backgroundsLoaded_ = true;
  auto decode = [this](const char* name) {
    const auto bytes = platform_.programResources().Data(name);
    if (!bytes) return ui::Image{};
    return resources::DecodeJpeg(*bytes).value_or(ui::Image{});
  };
  bigBackground = decode("GRADIENTBIG");
  smallBackground = decode("GRADIENTSMALL");
  smallBottomBackground = decode("GRADIENTSMALLBOTTOM");
  Image2->SetPicture(bigBackground);
  Image20->SetPicture(bigBackground);
  Image5->SetPicture(smallBackground);
  Image6->SetPicture(smallBackground);
  for (ui::TImage* image : PageBackgrounds) image->SetPicture(smallBottomBackground);
  BlendIntoBackgrounds();
}

TForm2::~TForm2() {
  store_.Unsubscribe(storeListener_);
  if (imageLib_ && imageLib_->Loaded()) imageLib_->Release();
  if (Form2 == this) Form2 = nullptr;
}

ui::Image TForm2::LibraryPicture(const char* name) {
  if (!imageLib_ || !imageLib_->Loaded()) return {};
  return imageLib_->Bitmap(name).value_or(ui::Image{});
}

void TForm2::BuildFrame() {
  using namespace std::placeholders;
  Name = "Form2";
  SetBorderStyle(ui::TBorderStyle::bsDialog);
  SystemMenu = false;
  Position = ui::TPosition::poScreenCenter;
  SetBounds(0, 0, kEventPageWidth, kHeight);
  SetColor(kColor);
  ShowHint = true;
  SetCaption(kViewCaption);

  ImageList1 = new ui::TImageList(this);
  ImageList1->Name = "ImageList1";
  PageControl1 = new ui::TPageControl(this);
  PageControl1->Name = "PageControl1";
  PageControl1->SetParent(this);
  PageControl1->SetAlign(ui::TAlign::alClient);
  PageControl1->SetImages(ImageList1);
  TabSheet1 = new ui::TTabSheet(this);
  TabSheet1->Name = "TabSheet1";
  TabSheet1->SetPageControl(PageControl1);
  TabSheet1->SetCaption("Добавить событие");
  TabSheet1->SetImageIndex(0);
  TabSheet2 = new ui::TTabSheet(this);
  TabSheet2->Name = "TabSheet2";
  TabSheet2->SetPageControl(PageControl1);
  TabSheet2->SetCaption("Настройки");
  TabSheet2->SetImageIndex(1);
  PageControl1->SetActivePageIndex(0);
  PageControl1->OnChange = std::bind(&TForm2::PageControl1Change, this, _1);

  OnCreate = std::bind(&TForm2::FormCreate, this, _1);
  OnShow = std::bind(&TForm2::FormShow, this, _1);
  OnClose = std::bind(&TForm2::FormClose, this, _1, _2);
}

void TForm2::FormCreate(ui::TComponent*) {
  gearIniPath = files_.Path("Gear\\gear.ini");
  configPath = files_.Path("Cfg\\Clock_config.ini");
  configIni = std::make_unique<config::Settings>(configPath);
  gearIni = std::make_unique<config::TIniFile>(gearIniPath);
  // Loading writes each missing key back with its default: one rewrite of the file for all of
  // them, not one per key.
  config::TIniWriteBatch defaults(files_.Config());
  LoadSettingsPage(1, 1);  // the autostart state
  const std::string listPath = files_.Path("Gear\\Events.txt");
  storedCodes = events::LoadListFile(listPath);
  shownCodes = storedCodes;  // the same file: one read
  listFilter = 8;
  // The settings page's controls, with the event list filled between the screen-corner option
  // and the title-bar option.
  LoadSettingsPage(2, 12);
  EventRefresh();
  LoadSettingsPage(14, 21);
  defaults.Commit();
}

void TForm2::FormShow(ui::TComponent*) {
  // Lines worked out before the window was hidden may have gone by.
  Timer1->SetEnabled(true);
  Timer1Timer(Timer1);
  LoadBackgrounds();
  SkinPreview();  // a broken preview picture throws and leaves the caption as it was
  SetCaption(BitBtn4->Caption() == "OK" ? kRecordCaption : kViewCaption);
}

void TForm2::ShowEventPage() {
  PageControl1->SetActivePageIndex(0);
  SetWidth(kEventPageWidth);
  Show();
}

void TForm2::ShowSettingsPage() {
  PageControl1->SetActivePageIndex(1);
  SetWidth(kSettingsPageWidth);
  Show();
}

void TForm2::PageControl1Change(ui::TComponent*) {
  if (PageControl1->ActivePageIndex() == 1) {
    if (ConfigIni().ReadText("Clock", "SlowResize", "1") == "1") {
      for (int i = 0; i < kNarrowSteps; ++i) SetWidth(Width() - kNarrowStep);
    } else {
      SetWidth(kSettingsPageWidth);
    }
  } else {
    SetWidth(kEventPageWidth);
  }
}

void TForm2::BitBtn5Click(ui::TComponent*) {
  Close();
  if (links_.trayIconVisible && !links_.trayIconVisible()) {
    if (links_.minimize) links_.minimize();
    if (links_.restore) links_.restore();
  }
}

void TForm2::BitBtn10Click(ui::TComponent* sender) { BitBtn5Click(sender); }

void TForm2::FormClose(ui::TComponent*, ui::TCloseAction&) {
  Timer1->SetEnabled(false);
  // The main window's caption option and the scheduler's lists, so the events added or
  // deleted here are scanned from now on. A step that fails (a damaged value, a missing list)
  // is reported and the other still runs; the window closes either way, and so does the
  // program when it closes the window on its way out.
  ui::Application().Guard([this] {
    const int showInTitle = ConfigIni().ReadInt("Clock", "showIntitle", 0);
    if (links_.setShowInTitle) links_.setShowInTitle(showInTitle);
  });
  ui::Application().Guard([this] {
    scheduler_.LoadList();
    scheduler_.Reload();
  });
}
