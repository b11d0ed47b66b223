// The control gallery: one window with one of each control kind of the component library, with
// Russian texts and hints, for looking at the controls as the real system draws them. The
// end-to-end tests start it under Wine, take its picture and drive it. Never shipped.
//
// Every event a control raises is written into the read-only field at the bottom
// ("Событие: ..."), where the tests read it. At start the gallery writes gallery-report.txt
// beside itself: one line per captioned control, "kind needed=N width=W", where N is the width
// its caption and mark need, so the tests can tell that no caption is cut.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "platform/win32/cp1251.h"
#include "tests/gallery/gallery_lists.h"
#include "ui/application.h"
#include "ui/buttons.h"
#include "ui/checklst.h"
#include "ui/comctrls.h"
#include "ui/edits.h"
#include "ui/extctrls.h"
#include "ui/forms.h"
#include "ui/panels.h"
#include "ui/richedit.h"
#include "ui/spin.h"
#include "ui/stdctrls.h"
#include "ui/win32/win32_widgetset.h"

namespace {

constexpr std::uint32_t kSeeThrough = 0xFF00FF;  // the glyphs' bottom-left colour, left out
constexpr ui::TColor kBackground = 15384215;     // the settings window's colour

// A 16 x 16 glyph: a disc, a triangle pointing right, or a square, of one colour.
enum class Shape { disc, triangle, square };
ui::Image Glyph(Shape shape, std::uint32_t rgb) {
  ui::Image image(16, 16, kSeeThrough);
  for (int y = 1; y < 15; ++y)
    for (int x = 1; x < 15; ++x) {
      bool in = false;
      switch (shape) {
        case Shape::disc:
          in = (x - 7.5) * (x - 7.5) + (y - 7.5) * (y - 7.5) <= 36;
          break;
        case Shape::triangle:
          in = x >= 3 && x - 3 <= 2 * (y < 8 ? y - 1 : 14 - y);
          break;
        case Shape::square:
          in = x >= 3 && x <= 12 && y >= 3 && y <= 12;
          break;
      }
      if (in) image.At(x, y) = rgb;
    }
  return image;
}

// A picture for the framed image: a diagonal gradient with a frame of its own.
ui::Image Landscape() {
  ui::Image image(64, 40);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      std::uint32_t r = 40 + 3 * x, g = 90 + 3 * y, b = 200 - 2 * y;
      image.At(x, y) = (r << 16) | (g << 8) | b;
    }
  return image;
}

class TGalleryForm : public ui::TForm {
 public:
  TGalleryForm(ui::TComponent* owner, std::string folder) : ui::TForm(owner), folder_(std::move(folder)) {
    Name = "GalleryForm";
    SetCaption("Галерея элементов");
    SetBorderStyle(ui::TBorderStyle::bsDialog);
    Position = ui::TPosition::poScreenCenter;
    SetClientWidth(776);
    SetClientHeight(560);
    SetFont({"Tahoma", 8, ui::clBlack, false});
    SetColor(kBackground);

    // First: the handlers that run while the others are set up write into it.
    Status = new ui::TEdit(this);
    Status->SetBounds(8, 530, 760, 22);
    Status->SetReadOnly(true);
    Status->SetHint("Последнее событие");
    Status->SetParent(this);

    Images = new ui::TImageList(this);
    Images->Add(Glyph(Shape::disc, 0x2060C0));
    Images->Add(Glyph(Shape::triangle, 0x20A040));
    Images->Add(Glyph(Shape::square, 0xD07020));

    BuildPages();
    BuildBoxes();
    BuildSliders();
    BuildButtons();
    BuildTexts();
    BuildPictures();

    ListsArea = new ui::TPanel(this);
    ListsArea->Name = "ListsArea";
    ListsArea->SetBounds(438, 8, 330, 300);
    ListsArea->SetBevelOuter(ui::TBevelCut::bvNone);
    ListsArea->SetParent(this);
    BuildListGallery(ListsArea);

    Say("старт");
  }

  void Report(const std::string& path) {
    std::string out;
    for (ui::TControl* c : captioned_) {
      ui::TSize text = ui::Application().Widgets().MeasureText(c->Caption(), c->Font());
      int needed = text.cx + Decoration(c);
      out += c->Name + " needed=" + std::to_string(needed) + " width=" + std::to_string(c->Width()) + "\r\n";
    }
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
      std::fwrite(out.data(), 1, out.size(), f);
      std::fclose(f);
    }
  }

  ui::TImageList* Images;
  ui::TPageControl* PageControl1;
  ui::TPageControl* PageControl2;
  ui::TGroupBox* GroupBox1;
  ui::TGroupBox* GroupBox2;
  ui::TCheckBox* CheckBox1;
  ui::TCheckBox* CheckBox2;
  ui::TCheckBox* CheckBox3;
  ui::TRadioButton* RadioButton[4];
  ui::TRadioButton* RadioButton5;
  ui::TRadioButton* RadioButton6;
  ui::TCheckListBox* CheckListBox1;
  ui::TTrackBar* TrackBar1;
  ui::TLabel* TrackLabel;
  ui::TSpinEdit* CSpinEdit2;
  ui::TSpeedButton* SpeedButton1;
  ui::TSpeedButton* SpeedButton5;
  ui::TSpeedButton* SpeedButton6;
  ui::TBitBtn* BitBtn1;
  ui::TMemo* Memo1;
  ui::TPanel* ImagePanel;
  ui::TImage* Image1;
  ui::TRichEdit* RichEdit1;
  ui::TPanel* ListsArea;
  ui::TEdit* Status;

 private:
  // The width a control needs besides its caption's text.
  static int Decoration(const ui::TControl* c) {
    if (dynamic_cast<const ui::TCheckBox*>(c) || dynamic_cast<const ui::TRadioButton*>(c)) return 20;
    if (dynamic_cast<const ui::TGroupBox*>(c)) return 16;
    if (auto* b = dynamic_cast<const ui::TSpeedButton*>(c)) return (b->Glyph().Empty() ? 0 : b->Glyph().width + 4) + 8;
    if (auto* b = dynamic_cast<const ui::TBitBtn*>(c)) return (b->Glyph().Empty() ? 0 : b->Glyph().width + 4) + 12;
    return 0;
  }

  void Say(const std::string& what) { Status->SetText("Событие: " + what); }
  ui::TNotifyEvent Tell(const std::string& what) {
    return [this, what](ui::TComponent*) { Say(what); };
  }

  template <class T>
  T* Make(ui::TWinControl* parent, const std::string& name, int left, int top, int width, int height,
          const std::string& caption, const std::string& hint) {
    auto* c = new T(this);
    c->Name = name;
    c->SetBounds(left, top, width, height);
    c->SetCaption(caption);
    c->SetHint(hint);
    c->SetFont(Font());  // as Delphi's ParentFont would
    c->SetParent(parent);
    if (!caption.empty()) captioned_.push_back(c);
    return c;
  }

  void BuildPages() {
    PageControl1 = Make<ui::TPageControl>(this, "PageControl1", 8, 8, 420, 180, "", "Страницы с картинками");
    PageControl1->SetImages(Images);
    const char* captions[] = {"Добавить событие", "Настройки", "Прочие"};
    ui::TTabSheet* sheets[3];
    for (int i = 0; i < 3; ++i) {
      sheets[i] = new ui::TTabSheet(this);
      sheets[i]->Name = "TabSheet" + std::to_string(i + 1);
      sheets[i]->SetCaption(captions[i]);
      sheets[i]->SetImageIndex(i);
      sheets[i]->SetPageControl(PageControl1);
    }
    PageControl1->OnChange = [this](ui::TComponent*) {
      Say("PageControl1Change " + std::to_string(PageControl1->ActivePageIndex()));
    };

    GroupBox1 = Make<ui::TGroupBox>(sheets[0], "GroupBox1", 6, 4, 398, 138, "Периодичность и номер",
                                    "Как часто выполнять событие");
    const char* periods[] = {"В указанный день", "Каждый день", "Каждый месяц", "В указанные дни"};
    for (int i = 0; i < 4; ++i) {
      RadioButton[i] = Make<ui::TRadioButton>(GroupBox1, "RadioButton" + std::to_string(i + 1), 12, 22 + 26 * i, 180,
                                              20, periods[i], "Периодичность: " + std::string(periods[i]));
      RadioButton[i]->OnClick = Tell("RadioButton" + std::to_string(i + 1) + "Click");
    }
    RadioButton[0]->SetChecked(true);
    CheckListBox1 = Make<ui::TCheckListBox>(GroupBox1, "CheckListBox1", 200, 18, 186, 116, "", "Дни недели");
    CheckListBox1->SetItems({"Понедельник", "Вторник", "Среда", "Четверг", "Пятница", "Суббота", "Воскресенье"});
    CheckListBox1->SetChecked(0, true);
    CheckListBox1->SetChecked(4, true);
    CheckListBox1->OnClickCheck = [this](ui::TComponent*) {
      std::string marks;
      for (int i = 0; i < CheckListBox1->Count(); ++i) marks += CheckListBox1->Checked(i) ? '1' : '0';
      Say("CheckListBox1ClickCheck " + marks);
    };

    CheckBox3 = Make<ui::TCheckBox>(sheets[1], "CheckBox3", 12, 12, 260, 20, "Запускать вместе с Windows",
                                    "Автозапуск при входе в систему");
    CheckBox3->OnClick = Tell("CheckBox3Click");
    auto* note = new ui::TLabel(this);
    note->SetCaption("Подсказки есть у каждого элемента.");
    note->SetHint("Это надпись на странице");
    note->SetBounds(12, 12, 0, 0);
    note->SetParent(sheets[2]);
  }

  void BuildBoxes() {
    GroupBox2 = Make<ui::TGroupBox>(this, "GroupBox2", 8, 196, 420, 104, "Главное окно", "Настройки главного окна");
    CheckBox1 = Make<ui::TCheckBox>(GroupBox2, "CheckBox1", 12, 22, 300, 20, "Использовать прилипание к углам экрана",
                                    "Окно прилипает к краям экрана");
    CheckBox1->OnClick = [this](ui::TComponent*) { Say(std::string("CheckBox1Click ") + (CheckBox1->Checked() ? "1" : "0")); };
    CheckBox2 = Make<ui::TCheckBox>(GroupBox2, "CheckBox2", 12, 46, 300, 20, "Показывать нули перед цифрами ",
                                    "Ведущие нули в часах");
    CheckBox2->SetChecked(true);
    CheckBox2->OnClick = [this](ui::TComponent*) { Say(std::string("CheckBox2Click ") + (CheckBox2->Checked() ? "1" : "0")); };
    RadioButton5 = Make<ui::TRadioButton>(GroupBox2, "RadioButton5", 12, 72, 120, 20, "Сигнал", "Событие со звуком");
    RadioButton6 = Make<ui::TRadioButton>(GroupBox2, "RadioButton6", 140, 72, 160, 20, "Любой файл", "Событие с файлом");
    RadioButton6->SetChecked(true);
    RadioButton5->OnClick = Tell("RadioButton5Click");
    RadioButton6->OnClick = Tell("RadioButton6Click");
  }

  void BuildSliders() {
    auto* label = new ui::TLabel(this);
    label->SetCaption("Прозрачность");
    label->SetBounds(12, 310, 0, 0);
    label->SetParent(this);
    TrackBar1 = Make<ui::TTrackBar>(this, "TrackBar1", 8, 326, 220, 34, "", "Прозрачность часов");
    TrackBar1->SetRange(0, 200);
    TrackBar1->SetFrequency(5);
    TrackBar1->SetPosition(40);
    TrackLabel = new ui::TLabel(this);
    TrackLabel->SetBounds(232, 336, 0, 0);
    TrackLabel->SetParent(this);
    TrackLabel->SetCaption("40");
    TrackBar1->OnChange = [this](ui::TComponent*) {
      TrackLabel->SetCaption(std::to_string(TrackBar1->Position()));
      Say("TrackBar1Change " + std::to_string(TrackBar1->Position()));
    };

    auto* spinLabel = new ui::TLabel(this);
    spinLabel->SetCaption("Таймаут завершения работы");
    spinLabel->SetBounds(270, 310, 0, 0);
    spinLabel->SetParent(this);
    CSpinEdit2 = Make<ui::TSpinEdit>(this, "CSpinEdit2", 270, 330, 80, 22, "", "Секунды до завершения работы");
    CSpinEdit2->SetMinValue(0);
    CSpinEdit2->SetMaxValue(600);
    CSpinEdit2->SetText("80");
    CSpinEdit2->OnChange = [this](ui::TComponent*) { Say("CSpinEdit2Change " + CSpinEdit2->Text()); };
  }

  void BuildButtons() {
    SpeedButton5 = Make<ui::TSpeedButton>(this, "SpeedButton5", 8, 370, 150, 26, "Стандартные события",
                                          "Все события, кроме праздников");
    SpeedButton6 = Make<ui::TSpeedButton>(this, "SpeedButton6", 160, 370, 190, 26, "Дни рождения и праздники",
                                          "Только дни рождения и праздники");
    SpeedButton5->SetGlyph(Glyph(Shape::disc, 0x2060C0));
    SpeedButton6->SetGlyph(Glyph(Shape::square, 0xD07020));
    SpeedButton5->SetGroupIndex(1);
    SpeedButton6->SetGroupIndex(1);
    SpeedButton5->SetDown(true);
    SpeedButton5->OnClick = Tell("SpeedButton5Click");
    SpeedButton6->OnClick = Tell("SpeedButton6Click");
    SpeedButton1 = Make<ui::TSpeedButton>(this, "SpeedButton1", 356, 370, 26, 26, "", "Проиграть сигнал");
    SpeedButton1->SetGlyph(Glyph(Shape::triangle, 0x20A040));
    SpeedButton1->OnClick = Tell("SpeedButton1Click");

    BitBtn1 = Make<ui::TBitBtn>(this, "BitBtn1", 8, 402, 170, 28, "Добавить событие", "Картинка меняется по нажатию");
    BitBtn1->SetGlyph(Glyph(Shape::disc, 0x20A040));
    BitBtn1->OnClick = [this](ui::TComponent*) {
      adding_ = !adding_;
      BitBtn1->SetCaption(adding_ ? "OK" : "Добавить событие");
      BitBtn1->SetGlyph(adding_ ? Glyph(Shape::triangle, 0xC02020) : Glyph(Shape::disc, 0x20A040));
      // The reminder text goes to a file and comes back, as an event's note does.
      RichEdit1->SaveToFile(folder_ + "gallery-note.rtf");
      RichEdit1->LoadFromFile(folder_ + "gallery-note.rtf");
      Say(std::string("BitBtn1Click ") + (adding_ ? "OK" : "add"));
    };
  }

  void BuildTexts() {
    Memo1 = Make<ui::TMemo>(this, "Memo1", 8, 438, 250, 84, "", "Отредактируйте сообщение и нажмите ОК");
    Memo1->WantReturns = false;
    Memo1->SetScrollBars(ui::TScrollStyle::ssVertical);
    Memo1->SetText("Ой! Сломалось что-то :))");
    Memo1->OnChange = [this](ui::TComponent*) { Say("Memo1Change " + std::to_string(Memo1->Lines().size())); };

    RichEdit1 = Make<ui::TRichEdit>(this, "RichEdit1", 266, 402, 162, 120, "", "Текст напоминания");
    RichEdit1->SetFont({"Arial", 10, 0x800000, true});
    RichEdit1->SetScrollBars(ui::TScrollStyle::ssVertical);
    RichEdit1->SetText("Здесь вы можете ввести\r\nтекст напоминания.");
  }

  void BuildPictures() {
    ImagePanel = Make<ui::TPanel>(this, "ImagePanel", 438, 316, 160, 110, "", "Рамка с картинкой");
    ImagePanel->SetBevelOuter(ui::TBevelCut::bvLowered);
    ImagePanel->SetBevelInner(ui::TBevelCut::bvRaised);
    ImagePanel->SetBevelWidth(2);
    Image1 = new ui::TImage(this);
    Image1->Stretch = true;
    Image1->SetHint("Картинка растянута по рамке");
    Image1->SetParent(ImagePanel);
    Image1->SetAlign(ui::TAlign::alClient);
    Image1->SetPicture(Landscape());

    PageControl2 = Make<ui::TPageControl>(this, "PageControl2", 606, 316, 162, 110, "", "Вкладки снизу");
    PageControl2->SetTabPosition(ui::TTabPosition::tpBottom);
    const char* captions[] = {"Главное окно", "Звук"};
    for (int i = 0; i < 2; ++i) {
      auto* sheet = new ui::TTabSheet(this);
      sheet->SetCaption(captions[i]);
      sheet->SetPageControl(PageControl2);
      auto* label = new ui::TLabel(this);
      label->SetCaption(i == 0 ? "Страница окна" : "Страница звука");
      label->SetBounds(8, 8, 0, 0);
      label->SetParent(sheet);
    }
    PageControl2->OnChange = [this](ui::TComponent*) {
      Say("PageControl2Change " + std::to_string(PageControl2->ActivePageIndex()));
    };
  }

  std::string folder_;  // where the gallery lies, with a trailing separator
  std::vector<ui::TControl*> captioned_;
  bool adding_ = false;
};

std::string ExeFolder() {
  wchar_t path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring wide(path, n);
  std::size_t slash = wide.find_last_of(L"\\/");
  return platform::win32::NarrowCp1251(slash == std::wstring::npos ? L"" : wide.substr(0, slash + 1));
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::unique_ptr<ui::Win32WidgetSet> widgets = ui::CreateWin32WidgetSet();
  ui::TApplication app(*widgets, [](const std::string& text, const std::string& caption, unsigned flags) {
    return MessageBoxW(nullptr, platform::win32::WidenCp1251(text).c_str(),
                       platform::win32::WidenCp1251(caption).c_str(), flags);
  });
  app.SetTitle("Галерея элементов");
  auto* form = app.CreateForm<TGalleryForm>(nullptr, ExeFolder());
  form->Report(ExeFolder() + "gallery-report.txt");
  form->Show();
  app.Run();
  return 0;
}
