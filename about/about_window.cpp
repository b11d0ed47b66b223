#include "about/about_window.h"

#include <algorithm>

#include "about/colour_picker_window.h"

TForm6* Form6 = nullptr;

namespace {

constexpr ui::TColor kBackground = 10774016;  // red 0, green 102, blue 164
constexpr ui::TColor kSilver = 0xC0C0C0;
constexpr ui::TColor kMoneyGreen = 0xC0DCC0;

// Fonts are given in points; these are the pixel heights 19, 21, 15 and 11 on a 96 dpi screen.
constexpr int k19px = 14, k21px = 16, k15px = 11, k11px = 8;

constexpr const char* kAuthorHint = "Дашмир Северов";

// One paragraph a line; the memo wraps them to its width.
const char* const kCredits[] = {
    "Эту программу я написал почти целиком сам, вечерами и по выходным, начиная с первой версии, "
    "которая умела только показывать время.",
    "",
    "Многие помогли мне советами и испытаниями: находили ошибки, придумывали новые функции, рисовали "
    "первые скины и терпеливо ставили каждую пробную сборку. Всем им огромное спасибо - без них часы "
    "не стали бы такими.",
    "",
    "Почти все картинки программы (фоны, значки, кнопки и скин по умолчанию) нарисованы мной. "
    "Пожалуйста, не используйте их в других программах без моего разрешения.",
    "",
    "При создании программы не использовались чужие компоненты: всё, что вы видите, сделано с нуля.",
    "",
    "Если вы рисуете свой скин, утилита ниже поможет подобрать номера цветов.",
};

// The background picture in the window's own blue: the picture's light and shade over the
// colour, so the silver labels stay readable on any picture.
ui::Image Tinted(const ui::Image& picture, ui::TColor colour) {
  ui::Image out = picture;
  const std::uint32_t r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
  for (auto& p : out.pixels) {
    const std::uint32_t pr = (p >> 16) & 0xFF, pg = (p >> 8) & 0xFF, pb = p & 0xFF;
    p = ((pr * r / 255) << 16) | ((pg * g / 255) << 8) | (pb * b / 255);
  }
  return out;
}

}  // namespace

TForm6::TForm6(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files)
    : ui::TForm(owner), platform_(platform), files_(files) {
  Form6 = this;
  Name = "Form6";
  SetCaption("Об авторе");
  SetBorderStyle(ui::TBorderStyle::bsDialog);
  Position = ui::TPosition::poDesktopCenter;
  SetColor(kBackground);
  // Room around the texts and an 8-pixel margin all round: fonts drawn at a larger scale come
  // out a little wider and taller than the scale alone makes them.
  SetClientWidth(210);
  SetClientHeight(250);

  Image1 = new ui::TImage(this);
  Image1->SetParent(this);
  Image1->SetAlign(ui::TAlign::alClient);
  Image1->Stretch = true;

  auto label = [this](int left, int top, const char* text, int size) {
    auto* l = new ui::TLabel(this);
    l->SetParent(this);
    l->Transparent = true;
    l->SetFont({"Arial", size, kSilver, true});
    l->SetCaption(text);
    l->SetLeft(left);
    l->SetTop(top);
    return l;
  };
  Label1 = label(40, 0, "Horavo v3.0", k19px);
  Label4 = label(40, 24, "Classic Edition", k21px);
  Label4->SetFontName("Staccato222 BT");
  // Where that font is missing a wider one stands in: the label then moves left as far as it
  // must to keep the margin on the right that the other texts keep on the left.
  Label4->SetLeft(std::max(8, std::min(40, ClientWidth() - 8 - Label4->Width())));
  Label2 = label(8, 48, "Автор....................Dashmir", k15px);
  Label3 = label(8, 72, "Число..................25.08.2005", k15px);
  for (auto* l : {Label2, Label3}) l->SetHint(kAuthorHint);

  Memo1 = new ui::TMemo(this);
  Memo1->SetParent(this);
  Memo1->SetBounds(8, 96, 194, 113);
  Memo1->SetReadOnly(true);
  Memo1->SetScrollBars(ui::TScrollStyle::ssVertical);
  Memo1->SetColor(kMoneyGreen);
  Memo1->SetFont({"Arial", k11px, ui::clBlack, false});
  Memo1->SetLines({std::begin(kCredits), std::end(kCredits)});

  Button1 = new ui::TButton(this);
  Button1->SetParent(this);
  Button1->SetBounds(8, 216, 194, 25);
  Button1->SetFont({"Arial", k11px, ui::clOlive, false});
  Button1->SetCaption("Запуск утилиты для скиноделов");
  Button1->OnClick = [this](ui::TComponent* sender) { Button1Click(sender); };
}

TForm6::~TForm6() {
  if (Form6 == this) Form6 = nullptr;
}

void TForm6::ShowWithBackground(const ui::Image& background) {
  Show();
  BringToFront();
  Image1->SetPicture(Tinted(background, kBackground));
}

void TForm6::Button1Click(ui::TComponent*) {
  // There is one colour picker; showing it again only brings it to the front.
  if (!Form8) return;
  Form8->Show();
  Form8->BringToFront();
}
