// TForm3: the text reminder window. Borderless, always on top, centred on the screen; the
// heading, the reminder's text and the confirm button on one panel. Pressing the panel or
// the text drags the window, which then snaps to the screen's edges and corners.
#pragma once

#include <string>

#include "config/program_files.h"
#include "platform/platform.h"
#include "ui/buttons.h"
#include "ui/forms.h"
#include "ui/panels.h"
#include "ui/richedit.h"
#include "ui/stdctrls.h"

class TForm3 : public ui::TForm {
 public:
  TForm3(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files);
  ~TForm3() override;

  ui::TPanel* Panel1;        // the window's surface, carrying everything else
  ui::TLabel* Label1;        // the heading "Вы просили напомнить..."
  ui::TRichEdit* RichEdit1;  // the reminder's text
  ui::TBitBtn* BitBtn1;      // "Понял...": closes the window

  // Shows the window for a fired reminder: plays the chime through the program's media
  // player, puts the "OK" picture on the confirm button and loads the text from `textFile`
  // (rich text, or plain text). Errors (a file that cannot be loaded) propagate to the caller.
  void ShowReminder(const std::string& textFile);

  void Panel1MouseDown(ui::TComponent* sender, ui::TMouseButton button, ui::TShiftState shift, int x, int y);
  void RichEdit1MouseDown(ui::TComponent* sender, ui::TMouseButton button, ui::TShiftState shift, int x, int y);
  void BitBtn1Click(ui::TComponent* sender);

 private:
  platform::Platform& platform_;
  config::ProgramFiles& files_;
};

extern TForm3* Form3;
