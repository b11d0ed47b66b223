// TForm4: the birthday window.
#pragma once

#include "platform/platform.h"
#include "ui/forms.h"

class TForm4 : public ui::TForm {
 public:
  TForm4(ui::TComponent* owner, platform::Platform& platform);
  ~TForm4() override;

 private:
  platform::Platform& platform_;
};

extern TForm4* Form4;
