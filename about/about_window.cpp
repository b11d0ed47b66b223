#include "about/about_window.h"

TForm6* Form6 = nullptr;

TForm6::TForm6(ui::TComponent* owner, platform::Platform& platform) : ui::TForm(owner), platform_(platform) {
  Form6 = this;
  Name = "Form6";
}

TForm6::~TForm6() {
  if (Form6 == this) Form6 = nullptr;
}
