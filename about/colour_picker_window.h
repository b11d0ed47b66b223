// TForm8: the colour picker window.
#pragma once

#include "config/program_files.h"
#include "platform/platform.h"
#include "ui/forms.h"

class TForm8 : public ui::TForm {
 public:
  TForm8(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files);
  ~TForm8() override;

 private:
  platform::Platform& platform_;
  config::ProgramFiles& files_;
};

extern TForm8* Form8;
