#include "about/colour_picker_window.h"

#include "about/colour_number.h"

TForm8* Form8 = nullptr;

namespace {
constexpr ui::TColor kMoneyGreen = 0xC0DCC0;  // red 192, green 220, blue 192
}  // namespace

TForm8::TForm8(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files)
    : ui::TForm(owner), ColorDialog1(platform.commonDialogs()), platform_(platform), files_(files) {
  Form8 = this;
  Name = "Form8";
  SetCaption("Определение цвета");
  SetBorderStyle(ui::TBorderStyle::bsDialog);
  Position = ui::TPosition::poDesktopCenter;
  SetColor(kMoneyGreen);
  SetClientWidth(273);
  SetClientHeight(71);

  Edit1 = new ui::TEdit(this);
  Edit1->SetParent(this);
  Edit1->SetBounds(8, 8, 257, 21);

  Button1 = new ui::TButton(this);
  Button1->SetParent(this);
  Button1->SetBounds(80, 40, 105, 25);
  Button1->SetCaption("Выбрать цвет");
  Button1->SetDefault(true);
  Button1->OnClick = [this](ui::TComponent* sender) { Button1Click(sender); };
}

TForm8::~TForm8() {
  if (Form8 == this) Form8 = nullptr;
}

void TForm8::Button1Click(ui::TComponent*) {
  if (!ColorDialog1.Execute()) return;
  Edit1->SetText(about::ColourNumberText(ColorDialog1.Color));
}
