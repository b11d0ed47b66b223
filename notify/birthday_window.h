// TForm4: the birthday window. Borderless, always on top, centred on the desktop; on one panel
// a built-in picture with the person's photo over it, the heading, the birthday text, a
// decoration, the confirm button and the button that starts a greeting e-mail.
#pragma once

#include <string>

#include "platform/platform.h"
#include "ui/buttons.h"
#include "ui/forms.h"
#include "ui/panels.h"
#include "ui/richedit.h"
#include "ui/stdctrls.h"

class TForm4 : public ui::TForm {
 public:
  TForm4(ui::TComponent* owner, platform::Platform& platform);
  ~TForm4() override;

  ui::TPanel* Panel1;
  ui::TImage* Image2;  // the built-in picture
  ui::TImage* Image1;  // the person's photo, stretched over the built-in picture
  ui::TLabel* Label1;
  ui::TRichEdit* RichEdit1;
  ui::TImage* Image3;  // the decoration at the right
  ui::TBitBtn* BitBtn1;
  ui::TBitBtn* BitBtn2;

  // The address the greeting e-mail goes to; empty until an announcement sets it.
  std::string greetingAddress;

  // Pressing the panel, the heading, the pictures or the text drags the window, then snaps it.
  void Panel1MouseDown(ui::TComponent* sender, ui::TMouseButton button, ui::TShiftState shift, int x, int y);
  void BitBtn1Click(ui::TComponent* sender);
  // Opens "mailto:" + the greeting address in the user's mail program; the window stays.
  void BitBtn2Click(ui::TComponent* sender);

 private:
  platform::Platform& platform_;
};

extern TForm4* Form4;
