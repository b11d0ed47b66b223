// TForm4: the birthday window. Borderless, always on top, centred on the desktop; on one panel
// a built-in picture with the person's photo over it, the heading, the birthday text, a
// decoration, the confirm button and the button that starts a greeting e-mail.
#pragma once

#include <string>

#include "config/program_files.h"
#include "platform/platform.h"
#include "ui/buttons.h"
#include "ui/forms.h"
#include "ui/panels.h"
#include "ui/richedit.h"
#include "ui/stdctrls.h"

class TForm4 : public ui::TForm {
 public:
  TForm4(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files);
  ~TForm4() override;

  ui::TPanel* Panel1;        // the window's surface, carrying everything else
  ui::TImage* Image2;        // the built-in picture
  ui::TImage* Image1;        // the person's photo, stretched over the built-in picture
  ui::TLabel* Label1;        // the heading
  ui::TRichEdit* RichEdit1;  // the birthday text
  ui::TImage* Image3;        // the decoration at the right
  ui::TBitBtn* BitBtn1;      // "Ага...": closes the window
  ui::TBitBtn* BitBtn2;      // "Отправить поздравление": the greeting e-mail

  // The address the greeting e-mail goes to; empty until an announcement sets it.
  std::string greetingAddress;

  // The first birthday of the day: shows the window with its buttons' pictures, keeps the
  // greeting address, plays the chime and loads the text from `textFile`.
  void ShowBirthday(const std::string& textFile, const std::string& email);
  // Each further birthday of the day: its text comes first, followed by " а также ", the
  // texts shown so far and its e-mail address.
  void AddBirthday(const std::string& textFile, const std::string& email);
  // The photo of a birthday or holiday of the day, over the built-in picture.
  void ShowPhoto(const std::string& pictureFile);

  // Pressing the panel, the heading, the pictures or the text drags the window, then snaps it.
  void Panel1MouseDown(ui::TComponent* sender, ui::TMouseButton button, ui::TShiftState shift, int x, int y);
  void BitBtn1Click(ui::TComponent* sender);
  // Opens "mailto:" + the greeting address in the user's mail program; the window stays.
  void BitBtn2Click(ui::TComponent* sender);

 private:
  platform::Platform& platform_;
  config::ProgramFiles& files_;
};

extern TForm4* Form4;
