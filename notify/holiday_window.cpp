#include "notify/holiday_window.h"

#include <utility>

#include "notify/notices.h"

using namespace std::placeholders;

TForm5* Form5 = nullptr;

const char* const kHolidayErrorText =
    "Внимание: произошла ошибка! \r\nНазвание праздника не может \r\nбыть отображено.";

namespace {
constexpr ui::TColor kPanelColor = 0xFFF2EA;    // a light, cool blue
constexpr ui::TColor kHeadingColor = 0x783214;  // navy
}  // namespace

TForm5::TForm5(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files)
    : ui::TForm(owner), platform_(platform), files_(files) {
  Form5 = this;
  Name = "Form5";
  SetCaption("Праздник");
  SetBorderStyle(ui::TBorderStyle::bsNone);
  SetFormStyle(ui::TFormStyle::fsStayOnTop);
  SetBounds(821, 496, 195, 208);
  SetAlphaBlend(true);
  SetAlphaBlendValue(0);

  Panel1 = new ui::TPanel(this);
  Panel1->SetParent(this);
  Panel1->SetAlign(ui::TAlign::alClient);
  Panel1->SetColor(kPanelColor);
  Panel1->SetBevelWidth(2);

  Label1 = new ui::TLabel(this);
  Label1->SetParent(Panel1);
  ui::TFont heading{"Tahoma", 8, kHeadingColor, false};
  heading.underline = true;
  Label1->SetFont(heading);
  Label1->SetCaption("Сегодня знаменательный день!");
  Label1->SetLeft(8);
  Label1->SetTop(8);

  Image1 = new ui::TImage(this);
  Image1->SetParent(Panel1);
  Image1->SetBounds(175, 5, 14, 14);
  Image1->Transparent = true;
  Image1->SetPicture(notify::ProgramPicture(platform_, "HOLIDAYCLOSE"));

  Image2 = new ui::TImage(this);
  Image2->SetParent(Panel1);
  Image2->SetBounds(175, 5, 14, 14);
  Image2->Transparent = true;
  Image2->SetPicture(notify::ProgramPicture(platform_, "HOLIDAYCLOSEHOT"));
  Image2->Hide();

  RichEdit1 = new ui::TRichEdit(this);
  RichEdit1->SetParent(Panel1);
  RichEdit1->SetBounds(8, 28, 179, 172);
  RichEdit1->SetFont({"Tahoma", 9, ui::clBlack, false});
  RichEdit1->SetEnabled(false);
  RichEdit1->SetText(kHolidayErrorText);

  Timer1 = new ui::TTimer(this);
  Timer1->SetInterval(100);

  Timer1->OnTimer = std::bind(&TForm5::Timer1Timer, this, _1);
  Image1->OnMouseMove = std::bind(&TForm5::Image1MouseMove, this, _1, _2, _3, _4);
  Panel1->OnMouseMove = std::bind(&TForm5::Panel1MouseMove, this, _1, _2, _3, _4);
  Label1->OnMouseMove = Panel1->OnMouseMove;
  Image2->OnClick = std::bind(&TForm5::Image2Click, this, _1);
  Panel1->OnDblClick = std::bind(&TForm5::Panel1DblClick, this, _1);
  Label1->OnDblClick = Panel1->OnDblClick;
  Panel1->OnMouseDown = std::bind(&TForm5::Panel1MouseDown, this, _1, _2, _3, _4, _5);
  Label1->OnMouseDown = Panel1->OnMouseDown;
}

TForm5::~TForm5() {
  if (Form5 == this) Form5 = nullptr;
}

void TForm5::ShowHoliday(const std::string& textFile) {
  CatchUpFade();
  Show();
  RichEdit1->LoadFromFile(textFile);
}

void TForm5::AddHoliday(const std::string& textFile) {
  const std::string shown = RichEdit1->Text();
  RichEdit1->LoadFromFile(textFile);
  RichEdit1->SetText(RichEdit1->Text() + " а также " + shown);
}

void TForm5::Timer1Timer(ui::TComponent*) {
  FadeStep();
  if (!Visible() && Timer1->Enabled()) {
    Timer1->SetEnabled(false);
    pausedAt_ = platform_.clock().TickCount();
  }
}

void TForm5::CatchUpFade() {
  if (!pausedAt_) return;
  // Each interval that has passed since the paused step is one step, as the timer would have
  // made it; the part of an interval still running starts again from now.
  // The fade's last step stops the timer again.
  const std::uint32_t elapsed = platform_.clock().TickCount() - *std::exchange(pausedAt_, std::nullopt);
  Timer1->SetEnabled(true);
  for (std::uint64_t at = 0; Timer1->Enabled() && at + std::uint64_t(Timer1->Interval()) <= elapsed;) {
    at += std::uint64_t(Timer1->Interval());
    FadeStep();
  }
}

void TForm5::FadeStep() {
  if (fadeState == 0) {
    Timer1->SetInterval(10);
    fadeState = 1;
  }
  if (fadeState == 1) {
    SetAlphaBlendValue(AlphaBlendValue() + 1);
    if (AlphaBlendValue() >= 255) {
      Timer1->SetInterval(6000);
      fadeState = 2;
      return;
    }
  }
  if (fadeState == 2) {
    Timer1->SetInterval(100);
    SetAlphaBlendValue(AlphaBlendValue() - 1);
    if (AlphaBlendValue() <= 0) {
      Close();
      // The fade runs once. A window shown again later (a test run from the event list)
      // appears opaque and stays until it is closed.
      Timer1->SetEnabled(false);
      SetAlphaBlendValue(255);
    }
  }
}

void TForm5::Image1MouseMove(ui::TComponent*, ui::TShiftState, int, int) {
  Image1->Hide();
  Image2->Show();
}

void TForm5::Panel1MouseMove(ui::TComponent*, ui::TShiftState, int, int) {
  Image2->Hide();
  Image1->Show();
}

void TForm5::Image2Click(ui::TComponent*) { Close(); }

void TForm5::Panel1DblClick(ui::TComponent*) {
  SetAlphaBlendValue(255);
  Timer1->SetEnabled(false);
}

void TForm5::Panel1MouseDown(ui::TComponent*, ui::TMouseButton button, ui::TShiftState, int, int) {
  // Dragged with the left button; the holiday window does not snap.
  if (button == ui::TMouseButton::mbLeft) BeginMove();
}
