#include "settings/greeting_address_window.h"

#include "events/list_file.h"

using namespace std::placeholders;

TForm7* Form7 = nullptr;

TForm7::TForm7(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files)
    : ui::TForm(owner), platform_(platform), files_(files) {
  Form7 = this;
  Name = "Form7";
  SetCaption("Куда поздравление будем отсылать?");
  SetBorderStyle(ui::TBorderStyle::bsDialog);
  Position = ui::TPosition::poDesktopCenter;
  SetClientWidth(332);
  SetClientHeight(160);

  Image10 = new ui::TImage(this);
  Image10->SetParent(this);
  Image10->SetAlign(ui::TAlign::alClient);
  Image10->Stretch = true;

  Image1 = new ui::TImage(this);
  Image1->SetParent(this);
  Image1->SetBounds(34, 4, 48, 48);
  Image1->Transparent = true;

  const ui::TFont font{"Tahoma", 8, ui::clBlack, false};
  auto list = [&](int top) {
    auto* l = new ui::TListBox(this);
    l->SetParent(this);
    l->SetFont(font);
    l->SetBounds(126, top, 100, 46);
    l->SetItems({"Домен"});
    return l;
  };
  auto edit = [&](int left, int width) {
    auto* e = new ui::TEdit(this);
    e->SetParent(this);
    e->SetFont(font);
    e->SetBounds(left, 57, width, 21);
    return e;
  };
  auto label = [&](const char* caption, int left) {
    auto* l = new ui::TLabel(this);
    l->SetParent(this);
    l->SetFont({"Tahoma", 10, ui::clBlack, true});
    l->SetCaption(caption);
    l->SetLeft(left);
    l->SetTop(58);
    return l;
  };
  auto button = [&](const char* caption, int left, int top, int width) {
    auto* b = new ui::TButton(this);
    b->SetParent(this);
    b->SetFont(font);
    b->SetBounds(left, top, width, 25);
    b->SetCaption(caption);
    return b;
  };

  ListBox1 = list(6);
  Button1 = button("RU", 234, 16, 44);
  Edit1 = edit(8, 100);
  Label1 = label("@", 110);
  Edit2 = edit(126, 100);
  Label2 = label(".", 229);
  Edit3 = edit(236, 42);
  ListBox2 = list(83);
  Button2 = button("COM", 234, 93, 44);
  Button3 = button("Вот так!", 8, 131, 100);
  Button4 = button("Никому не отошлём...", 168, 131, 156);
  Button3->SetDefault(true);
  Button4->Cancel = true;

  ListBox1->OnClick = std::bind(&TForm7::ListBox1Click, this, _1);
  ListBox2->OnClick = std::bind(&TForm7::ListBox2Click, this, _1);
  Button1->OnClick = std::bind(&TForm7::Button1Click, this, _1);
  Button2->OnClick = std::bind(&TForm7::Button2Click, this, _1);
  Button3->OnClick = std::bind(&TForm7::Button3Click, this, _1);
  Button4->OnClick = std::bind(&TForm7::Button4Click, this, _1);
  OnCreate = std::bind(&TForm7::FormCreate, this, _1);
}

TForm7::~TForm7() {
  if (Form7 == this) Form7 = nullptr;
}

void TForm7::FormCreate(ui::TComponent*) {
  // A missing list fails the creation handler with the file-open error; the lists keep
  // their built-in item and the window still works.
  ListBox1->SetItems(events::LoadListFile(files_.Path("Cfg\\ru_domens.txt")));
  ListBox2->SetItems(events::LoadListFile(files_.Path("Cfg\\com_domens.txt")));
}

void TForm7::ListBox1Click(ui::TComponent*) { Edit2->SetText(ListBox1->SelectedText()); }

void TForm7::ListBox2Click(ui::TComponent*) { Edit2->SetText(ListBox2->SelectedText()); }

void TForm7::Button1Click(ui::TComponent*) { Edit3->SetText("ru"); }

void TForm7::Button2Click(ui::TComponent*) { Edit3->SetText("com"); }

void TForm7::Button3Click(ui::TComponent*) {
  const std::string address = Edit1->Text() + "@" + Edit2->Text() + "." + Edit3->Text();
  if (OnAddressChosen) OnAddressChosen(address);
  Close();
}

void TForm7::Button4Click(ui::TComponent*) { Close(); }
