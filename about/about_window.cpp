#include "about/about_window.h"

TForm6* Form6 = nullptr;

TForm6::TForm6(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files)
    : ui::TForm(owner), platform_(platform), files_(files) {
  Form6 = this;
  Name = "Form6";
}

TForm6::~TForm6() {
  if (Form6 == this) Form6 = nullptr;
}
