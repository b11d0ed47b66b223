// TForm3: the text reminder window.
#pragma once

#include <string>

#include "platform/platform.h"
#include "ui/forms.h"

class TForm3 : public ui::TForm {
 public:
  TForm3(ui::TComponent* owner, platform::Platform& platform);
  ~TForm3() override;

  // Shows the window for a fired reminder: plays the chime through the main window's media
  // player, puts the "OK" picture on the confirm button and loads the text from `textFile`
  // (rich text, or plain text). Errors (a file that cannot be loaded) propagate to the caller.
  void ShowReminder(const std::string& textFile);

 private:
  platform::Platform& platform_;
};

extern TForm3* Form3;
