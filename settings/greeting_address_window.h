// TForm7: the greeting address window, a dialog that composes an e-mail address from a name,
// a domain and a suffix. The domains of two suffixes stand in two lists, read at creation
// from "Cfg\ru_domens.txt" (upper list, "RU") and "Cfg\com_domens.txt" (lower list, "COM").
#pragma once

#include <functional>
#include <string>

#include "config/program_files.h"
#include "platform/platform.h"
#include "ui/buttons.h"
#include "ui/edits.h"
#include "ui/forms.h"
#include "ui/stdctrls.h"

class TForm7 : public ui::TForm {
 public:
  TForm7(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files);
  ~TForm7() override;

  ui::TImage* Image10;     // the background; the event editor puts its own picture in
  ui::TImage* Image1;      // the picture beside the fields; the event editor puts "DELIVERY" in
  ui::TListBox* ListBox1;  // the "RU" domains
  ui::TButton* Button1;    // "RU": the suffix "ru"
  ui::TEdit* Edit1;        // name
  ui::TLabel* Label1;      // "@"
  ui::TEdit* Edit2;        // domain
  ui::TLabel* Label2;      // "."
  ui::TEdit* Edit3;        // suffix
  ui::TListBox* ListBox2;  // the "COM" domains
  ui::TButton* Button2;    // "COM": the suffix "com"
  ui::TButton* Button3;    // "Вот так!": confirms the address
  ui::TButton* Button4;    // "Никому не отошлём...": closes without an address

  // Receives the composed address when the user confirms it (the event editor stores it as
  // its pending greeting address); not raised when the window is closed otherwise.
  std::function<void(const std::string& address)> OnAddressChosen;

  void FormCreate(ui::TComponent* sender);
  void ListBox1Click(ui::TComponent* sender);
  void ListBox2Click(ui::TComponent* sender);
  void Button1Click(ui::TComponent* sender);
  void Button2Click(ui::TComponent* sender);
  void Button3Click(ui::TComponent* sender);
  void Button4Click(ui::TComponent* sender);

 private:
  platform::Platform& platform_;
  config::ProgramFiles& files_;
};

extern TForm7* Form7;
