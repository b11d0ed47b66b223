// TForm8: the colour picker for skin authors. It runs the system's colour dialog and shows the
// chosen colour as the number skin files use. Closing it only hides it.
#pragma once

#include "config/program_files.h"
#include "platform/platform.h"
#include "ui/buttons.h"
#include "ui/edits.h"
#include "ui/forms.h"

class TForm8 : public ui::TForm {
 public:
  TForm8(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files);
  ~TForm8() override;

  ui::TEdit* Edit1;                   // the chosen colour's number; empty at start
  ui::TButton* Button1;               // "Выбрать цвет"
  platform::ColorDialog ColorDialog1;  // starts on the colour chosen last, black at first

  void Button1Click(ui::TComponent* sender);

 private:
  platform::Platform& platform_;
  config::ProgramFiles& files_;
};

extern TForm8* Form8;
