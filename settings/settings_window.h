// TForm2: the settings and event editor window.
#pragma once

#include "config/program_files.h"
#include "platform/platform.h"
#include "ui/forms.h"

class TForm2 : public ui::TForm {
 public:
  TForm2(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files);
  ~TForm2() override;

 private:
  platform::Platform& platform_;
  config::ProgramFiles& files_;
};

extern TForm2* Form2;
