// TForm6: the About window.
#pragma once

#include "config/program_files.h"
#include "platform/platform.h"
#include "ui/forms.h"

class TForm6 : public ui::TForm {
 public:
  TForm6(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files);
  ~TForm6() override;

 private:
  platform::Platform& platform_;
  config::ProgramFiles& files_;
};

extern TForm6* Form6;
