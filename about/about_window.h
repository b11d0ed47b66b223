// TForm6: the About window.
#pragma once

#include "platform/platform.h"
#include "ui/forms.h"

class TForm6 : public ui::TForm {
 public:
  TForm6(ui::TComponent* owner, platform::Platform& platform);
  ~TForm6() override;

 private:
  platform::Platform& platform_;
};

extern TForm6* Form6;
