// TForm7: the greeting address window.
#pragma once

#include "platform/platform.h"
#include "ui/forms.h"

class TForm7 : public ui::TForm {
 public:
  TForm7(ui::TComponent* owner, platform::Platform& platform);
  ~TForm7() override;

 private:
  platform::Platform& platform_;
};

extern TForm7* Form7;
