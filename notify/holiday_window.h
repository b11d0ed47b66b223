// TForm5: the holiday window. Borderless, always on top, near the bottom right of the screen.
// It fades in from fully transparent, stays opaque for six seconds, fades out and closes by
// itself; a double click keeps it. A close picture at the top right lights up under the pointer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "config/program_files.h"
#include "platform/platform.h"
#include "ui/extctrls.h"
#include "ui/forms.h"
#include "ui/panels.h"
#include "ui/richedit.h"
#include "ui/stdctrls.h"

class TForm5 : public ui::TForm {
 public:
  TForm5(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files);
  ~TForm5() override;

  ui::TPanel* Panel1;        // the window's surface, carrying everything else
  ui::TLabel* Label1;        // the heading
  ui::TImage* Image1;        // the close picture
  ui::TImage* Image2;        // the close picture under the pointer, at the same place
  ui::TRichEdit* RichEdit1;  // the holiday text
  ui::TTimer* Timer1;        // the fade steps

  // The fade: 0 before the first step, 1 fading in, 2 holding and fading out.
  int fadeState = 0;

  // The first holiday of the day: shows the window, then loads the text from `textFile` (a
  // text that cannot be loaded leaves the window showing its error text).
  void ShowHoliday(const std::string& textFile);
  // Each further holiday of the day: its text, " а также " and the texts shown so far.
  void AddHoliday(const std::string& textFile);

  // One fade step; a step made while the window is hidden stops the timer (see CatchUpFade).
  void Timer1Timer(ui::TComponent* sender);
  void Image1MouseMove(ui::TComponent* sender, ui::TShiftState shift, int x, int y);
  void Panel1MouseMove(ui::TComponent* sender, ui::TShiftState shift, int x, int y);
  void Image2Click(ui::TComponent* sender);
  void Panel1DblClick(ui::TComponent* sender);
  void Panel1MouseDown(ui::TComponent* sender, ui::TMouseButton button, ui::TShiftState shift, int x, int y);

 private:
  void FadeStep();
  // The fade runs from program start whether or not the window shows, but a hidden window
  // has no need of steps every 10 or 100 ms: its timer stops, and the steps it would have
  // made meanwhile are made at once before the window is shown.
  void CatchUpFade();

  platform::Platform& platform_;
  config::ProgramFiles& files_;
  std::optional<std::uint32_t> pausedAt_;  // the system's millisecond count at the paused step
};

extern TForm5* Form5;

// The text the holiday window shows when no holiday text could be loaded.
extern const char* const kHolidayErrorText;
