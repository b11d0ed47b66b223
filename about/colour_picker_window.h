// TForm8: the colour picker window.
#pragma once

#include "platform/platform.h"
#include "ui/forms.h"

class TForm8 : public ui::TForm {
 public:
  TForm8(ui::TComponent* owner, platform::Platform& platform);
  ~TForm8() override;

 private:
  platform::Platform& platform_;
};

extern TForm8* Form8;
