#include "about/colour_picker_window.h"

TForm8* Form8 = nullptr;

TForm8::TForm8(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files)
    : ui::TForm(owner), platform_(platform), files_(files) {
  Form8 = this;
  Name = "Form8";
}

TForm8::~TForm8() {
  if (Form8 == this) Form8 = nullptr;
}
