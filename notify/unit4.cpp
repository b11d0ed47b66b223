#include "notify/unit4.h"

TForm4* Form4 = nullptr;

TForm4::TForm4(ui::TComponent* owner, platform::Platform& platform) : ui::TForm(owner), platform_(platform) {
  Form4 = this;
  Name = "Form4";
}

TForm4::~TForm4() {
  if (Form4 == this) Form4 = nullptr;
}
