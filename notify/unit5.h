// TForm5: the holiday window.
#pragma once

#include "platform/platform.h"
#include "ui/forms.h"

class TForm5 : public ui::TForm {
 public:
  TForm5(ui::TComponent* owner, platform::Platform& platform);
  ~TForm5() override;

 private:
  platform::Platform& platform_;
};

extern TForm5* Form5;
