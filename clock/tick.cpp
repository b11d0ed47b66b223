// The clock tick: time and date labels, leading zeros, fade-in, tray hint.
#include "app/unit1.h"
#include "config/convert.h"

void TForm1::RefreshDate() {
  std::string date = DateText();
  if (Label1->Caption() != date) Label1->SetCaption(date);
}

void TForm1::RefreshTime() {
  TrayIcon1->SetHint("Время " + TimeText() + " | Число " + DateText());
  platform::DateTime now = platform_.clock().Now();
  Label2->SetCaption(std::to_string(now.hour));
  Label3->SetCaption(std::to_string(now.minute));
  Label4->SetCaption(std::to_string(now.second));
}

void TForm1::Timer1Timer(ui::TComponent*) {
  if (clockMode == 1) RefreshTime();
  if (fadingIn == 1) {
    RefreshTime();
    int target = 255 - alphaLevel;
    if (AlphaBlendValue() < target) {
      SetAlphaBlend(true);
      SetAlphaBlendValue(AlphaBlendValue() + 1);
    }
    if (AlphaBlendValue() >= target) {
      fadingIn = 0;
      clockMode = 1;
      Timer1->SetInterval(1000);
    }
  }
  auto pad = [](ui::TLabel* label, bool zero) {
    int value = config::StrToInt(label->Caption());
    if (value < 10 && zero) label->SetCaption("0" + label->Caption());
  };
  pad(Label2, !(hideNulls == 1 && hideHourNulls == 1));
  pad(Label3, hideNulls != 1);
  pad(Label4, hideNulls != 1);
}
