// TForm6: the About window. It shows the program's name, edition, author and release date, a
// short credits text, and opens the colour picker for skin authors. Closing it only hides it.
#pragma once

#include "config/program_files.h"
#include "platform/platform.h"
#include "ui/buttons.h"
#include "ui/forms.h"
#include "ui/stdctrls.h"

class TForm6 : public ui::TForm {
 public:
  TForm6(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files);
  ~TForm6() override;

  ui::TImage* Image1;    // background, stretched over the client area
  ui::TLabel* Label1;    // program name and version
  ui::TLabel* Label4;    // edition
  ui::TLabel* Label2;    // author; the hint gives the full name
  ui::TLabel* Label3;    // release date
  ui::TMemo* Memo1;      // credits, read-only
  ui::TButton* Button1;  // "Запуск утилиты для скиноделов"

  // Shows the window (without blocking the program) over `background`, which the settings
  // window gives each time it opens this one.
  void ShowWithBackground(const ui::Image& background);

  void Button1Click(ui::TComponent* sender);

 private:
  platform::Platform& platform_;
  config::ProgramFiles& files_;
};

extern TForm6* Form6;
