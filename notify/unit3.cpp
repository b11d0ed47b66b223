#include "notify/unit3.h"

TForm3* Form3 = nullptr;

TForm3::TForm3(ui::TComponent* owner, platform::Platform& platform) : ui::TForm(owner), platform_(platform) {
  Form3 = this;
  Name = "Form3";
}

TForm3::~TForm3() {
  if (Form3 == this) Form3 = nullptr;
}

void TForm3::ShowReminder(const std::string& textFile) {
  // Filled in with the reminder window's controls.
  (void)textFile;
  Show();
}
