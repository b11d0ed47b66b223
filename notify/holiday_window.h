// TForm5: the holiday window. Borderless, always on top, near the bottom right of the screen.
// It fades in from fully transparent, stays opaque for six seconds, fades out and closes by
// itself; a double click keeps it. A close picture at the top right lights up under the pointer.
#pragma once

#include "platform/platform.h"
#include "ui/extctrls.h"
#include "ui/forms.h"
#include "ui/panels.h"
#include "ui/richedit.h"
#include "ui/stdctrls.h"

class TForm5 : public ui::TForm {
 public:
  TForm5(ui::TComponent* owner, platform::Platform& platform);
  ~TForm5() override;

  ui::TPanel* Panel1;
  ui::TLabel* Label1;
  ui::TImage* Image1;  // the close picture
  ui::TImage* Image2;  // the close picture under the pointer, at the same place
  ui::TRichEdit* RichEdit1;
  ui::TTimer* Timer1;

  // The fade: 0 before the first step, 1 fading in, 2 holding and fading out.
  int fadeState = 0;

  void Timer1Timer(ui::TComponent* sender);
  void Image1MouseMove(ui::TComponent* sender, ui::TShiftState shift, int x, int y);
  void Panel1MouseMove(ui::TComponent* sender, ui::TShiftState shift, int x, int y);
  void Image2Click(ui::TComponent* sender);
  void Panel1DblClick(ui::TComponent* sender);
  void Panel1MouseDown(ui::TComponent* sender, ui::TMouseButton button, ui::TShiftState shift, int x, int y);

 private:
  platform::Platform& platform_;
};

extern TForm5* Form5;

// The text the holiday window shows when no holiday text could be loaded.
extern const char* const kHolidayErrorText;
