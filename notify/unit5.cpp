#include "notify/unit5.h"

TForm5* Form5 = nullptr;

TForm5::TForm5(ui::TComponent* owner, platform::Platform& platform) : ui::TForm(owner), platform_(platform) {
  Form5 = this;
  Name = "Form5";
}

TForm5::~TForm5() {
  if (Form5 == this) Form5 = nullptr;
}
