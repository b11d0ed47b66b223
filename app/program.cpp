#include "app/program.h"

#include "app/forms.h"

std::vector<ui::TForm*> OtherWindowsClosedWithMain() {
  std::vector<ui::TForm*> forms;
  for (ui::TForm* f : std::initializer_list<ui::TForm*>{Form2, Form3, Form4, Form5})
    if (f) forms.push_back(f);
  return forms;
}

namespace app {

Program::Program(platform::Platform& platform, ui::WidgetSet& widgets) : platform_(platform) {
  application_ = std::make_unique<ui::TApplication>(
      widgets, [&platform](const std::string& text, const std::string& caption, unsigned flags) {
        return platform.dialogs().ShowMessageBox(text, caption, flags);
      });
  application_->SetTitle("Horavo");
}

Program::~Program() = default;

void Program::Start() {
  auto& app = *application_;
  app.CreateForm<TForm1>(nullptr, platform_);
  app.CreateForm<TForm2>(nullptr, platform_);
  app.CreateForm<TForm3>(nullptr, platform_);
  app.CreateForm<TForm4>(nullptr, platform_);
  app.CreateForm<TForm5>(nullptr, platform_);
  app.CreateForm<TForm6>(nullptr, platform_);
  app.CreateForm<TForm7>(nullptr, platform_);
  app.CreateForm<TForm8>(nullptr, platform_);
  app.MainForm()->Show();
}

void Program::Run() { application_->Run(); }

int RunProgram(platform::Platform& platform, ui::WidgetSet& widgets) {
  Program program(platform, widgets);
  try {
    program.Start();
    program.Run();
  } catch (const std::exception& e) {
    program.Application().ShowException(e);
  }
  return 0;
}

}  // namespace app
