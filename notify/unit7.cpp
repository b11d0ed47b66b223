#include "notify/unit7.h"

TForm7* Form7 = nullptr;

TForm7::TForm7(ui::TComponent* owner, platform::Platform& platform) : ui::TForm(owner), platform_(platform) {
  Form7 = this;
  Name = "Form7";
}

TForm7::~TForm7() {
  if (Form7 == this) Form7 = nullptr;
}
