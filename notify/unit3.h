// TForm3: the text reminder window.
#pragma once

#include "platform/platform.h"
#include "ui/forms.h"

class TForm3 : public ui::TForm {
 public:
  TForm3(ui::TComponent* owner, platform::Platform& platform);
  ~TForm3() override;

 private:
  platform::Platform& platform_;
};

extern TForm3* Form3;
