#include "settings/settings_window.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files)
    : ui::TForm(owner), platform_(platform), files_(files) {
  Form2 = this;
  Name = "Form2";
}

TForm2::~TForm2() {
  if (Form2 == this) Form2 = nullptr;
}
