#include "notify/birthday_window.h"

#include "clock/media_player.h"
#include "notify/notices.h"
#include "resources/picture.h"
#include "ui/application.h"

using namespace std::placeholders;

TForm4* Form4 = nullptr;

namespace {
constexpr ui::TColor kPanelColor = 0xE8F0FF;    // a warm, light peach
constexpr ui::TColor kHeadingColor = 0x30209A;  // deep red
}  // namespace

const char* const kNoMailProgramText = "Не удалось открыть почтовую программу для поздравления: ";

TForm4::TForm4(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files)
    : ui::TForm(owner), platform_(platform), files_(files) {
  Form4 = this;
  Name = "Form4";
  SetCaption("День рождения");
  SetBorderStyle(ui::TBorderStyle::bsNone);
  SetFormStyle(ui::TFormStyle::fsStayOnTop);
  Position = ui::TPosition::poDesktopCenter;
  SetClientWidth(504);
  SetClientHeight(193);

  Panel1 = new ui::TPanel(this);
  Panel1->SetParent(this);
  Panel1->SetAlign(ui::TAlign::alClient);
  Panel1->SetColor(kPanelColor);
  Panel1->SetBevelWidth(2);

  Image2 = new ui::TImage(this);
  Image2->SetParent(Panel1);
  Image2->SetBounds(10, 10, 128, 128);
  Image2->SetPicture(notify::ProgramPicture(platform_, "BIRTHDAY"));

  Image1 = new ui::TImage(this);
  Image1->SetParent(Panel1);
  Image1->SetBounds(10, 10, 128, 128);
  Image1->Stretch = true;

  Label1 = new ui::TLabel(this);
  Label1->SetParent(Panel1);
  Label1->SetFont({"Tahoma", 10, kHeadingColor, true});
  Label1->SetCaption("Сегодня отмечает свой день рождения...");
  Label1->SetLeft(148);
  Label1->SetTop(10);

  RichEdit1 = new ui::TRichEdit(this);
  RichEdit1->SetBounds(148, 34, 268, 112);
  RichEdit1->SetFont({"Tahoma", 9, ui::clBlack, false});
  RichEdit1->SetReadOnly(true);
  RichEdit1->SetScrollBars(ui::TScrollStyle::ssVertical);
  RichEdit1->SetParent(Panel1);

  Image3 = new ui::TImage(this);
  Image3->SetParent(Panel1);
  Image3->SetBounds(424, 8, 72, 176);
  Image3->Transparent = true;
  Image3->SetPicture(notify::ProgramPicture(platform_, "BIRTHDAYDECOR"));

  BitBtn1 = new ui::TBitBtn(this);
  BitBtn1->SetParent(Panel1);
  BitBtn1->SetBounds(148, 155, 76, 28);
  BitBtn1->SetFont({"Tahoma", 8, ui::clBlack, false});
  BitBtn1->SetCaption("Ага...");
  BitBtn1->SetDefault(true);
  BitBtn1->Cancel = true;

  BitBtn2 = new ui::TBitBtn(this);
  BitBtn2->SetParent(Panel1);
  BitBtn2->SetBounds(230, 155, 186, 28);
  BitBtn2->SetFont({"Tahoma", 8, ui::clBlack, false});
  BitBtn2->SetCaption("Отправить поздравление");

  ui::TMouseEvent drag = std::bind(&TForm4::Panel1MouseDown, this, _1, _2, _3, _4, _5);
  for (ui::TControl* c : std::initializer_list<ui::TControl*>{Panel1, Label1, Image1, Image2, Image3, RichEdit1})
    c->OnMouseDown = drag;
  BitBtn1->OnClick = std::bind(&TForm4::BitBtn1Click, this, _1);
  BitBtn2->OnClick = std::bind(&TForm4::BitBtn2Click, this, _1);
}

TForm4::~TForm4() {
  if (Form4 == this) Form4 = nullptr;
}

void TForm4::ShowBirthday(const std::string& textFile, const std::string& email) {
  BitBtn1->SetGlyph(files_.LibraryPicture("OK"));
  BitBtn2->SetGlyph(files_.LibraryPicture("MAIL2"));
  Show();
  greetingAddress = email;
  files_.MediaPlayer().PlayFile(files_.Path("Sound\\Beep.wav"));
  RichEdit1->LoadFromFile(textFile);
}

void TForm4::AddBirthday(const std::string& textFile, const std::string& email) {
  const std::string shown = RichEdit1->Text();
  RichEdit1->LoadFromFile(textFile);
  RichEdit1->SetText(RichEdit1->Text() + " а также " + shown + " " + email);
}

void TForm4::ShowPhoto(const std::string& pictureFile) { Image1->SetPicture(resources::LoadPictureFile(pictureFile)); }

void TForm4::Panel1MouseDown(ui::TComponent*, ui::TMouseButton button, ui::TShiftState, int, int) {
  notify::DragAndSnap(*this, button, 30);
}

void TForm4::BitBtn1Click(ui::TComponent*) { Close(); }

void TForm4::BitBtn2Click(ui::TComponent*) {
  // Without an address the mail program opens a message to fill in; when the shell cannot open
  // one at all (none installed or none set for "mailto:"), the user is told.
  const std::string target = "mailto:" + greetingAddress;
  if (platform_.shell().Execute("open", target, "", "", platform::kShowNormal) > 32) return;
  const std::string caption = ui::HasApplication() ? ui::Application().Title() : std::string();
  platform_.dialogs().ShowMessageBox(kNoMailProgramText + target, caption, ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
}
