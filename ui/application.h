// TApplication: the widget set in use, the forms, the main form, the message loop and the
// standard error message box for exceptions that reach a handler's caller.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/startup_marks.h"
#include "ui/widgetset.h"

namespace ui {

class TForm;

// Shows a message box; returns the button id. Supplied by the program (through its platform).
using MessageBoxFn = std::function<int(const std::string& text, const std::string& caption, unsigned flags)>;

class TApplication {
 public:
  TApplication(WidgetSet& widgets, MessageBoxFn messageBox);
  ~TApplication();

  WidgetSet& Widgets() { return widgets_; }

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);

  // Constructs a form; the first form created becomes the main form. The form's own
  // construction runs its creation handler (see TForm::DoCreate).
  template <class F, class... Args>
  F* CreateForm(Args&&... args) {
    auto form = std::make_unique<F>(std::forward<Args>(args)...);
    F* raw = form.get();
    platform::StartupMark(raw->Name, "constructed");
    Adopt(std::move(form));
    raw->DoCreate();
    platform::StartupMark(raw->Name, "created");
    return raw;
  }
  TForm* MainForm() const { return mainForm_; }
  const std::vector<std::unique_ptr<TForm>>& Forms() const { return forms_; }

  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  void ProcessMessages() { widgets_.ProcessMessages(); }

  // Shows an exception in the standard error message box (error icon, OK).
  void ShowException(const std::exception& e);
  // Runs `fn`; an exception it raises is shown and swallowed, as for any event handler.
  bool Guard(const std::function<void()>& fn);

  int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags);

  // Destroys all forms in reverse order of creation (the end of the program).
  void DestroyForms();

  // Hides the whole program: every shown form goes off the screen (and with the last one the
  // task-bar entry) and is remembered; Restore shows the remembered forms again.
  void Minimize();
  void Restore();
  bool Minimized() const { return !minimizedForms_.empty(); }

  // Hooks on the messages of the application's own window, keyed by their owner (hooking the
  // same key again replaces its hook). MainWindowMessage runs them in turn until one returns
  // true (handled), which stops the window's own processing; the backend calls it.
  using MainWindowHook = std::function<bool(TMessage&)>;
  void HookMainWindow(const void* key, MainWindowHook hook);
  void UnhookMainWindow(const void* key);
  bool MainWindowMessage(TMessage& message);

 private:
  void Adopt(std::unique_ptr<TForm> form);

  WidgetSet& widgets_;
  MessageBoxFn messageBox_;
  std::string title_;
  std::vector<std::unique_ptr<TForm>> forms_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  std::vector<TForm*> minimizedForms_;
  std::vector<std::pair<const void*, MainWindowHook>> hooks_;
};

// What the system tells every running program through its top-level windows: the computer
// goes to sleep or wakes up, the system time was changed, the session ends (log off, shutdown).
enum class SystemNotice { kNone, kSuspending, kResumed, kTimeChanged, kSessionEnding };
// The notice a message of the application's window carries (the system's message numbers).
SystemNotice SystemNoticeOf(const TMessage& message);

// The running application; set while a TApplication exists.
TApplication& Application();
bool HasApplication();

// Message box flags and results (the values of the Windows API).
constexpr unsigned MB_OK_FLAG = 0x0;
constexpr unsigned MB_OKCANCEL_FLAG = 0x1;
constexpr unsigned MB_YESNO_FLAG = 0x4;
constexpr unsigned MB_ICONERROR_FLAG = 0x10;
constexpr unsigned MB_ICONQUESTION_FLAG = 0x20;
constexpr unsigned MB_ICONWARNING_FLAG = 0x30;
constexpr unsigned MB_ICONINFORMATION_FLAG = 0x40;
constexpr int ID_OK = 1;
constexpr int ID_CANCEL = 2;
constexpr int ID_YES = 6;
constexpr int ID_NO = 7;

}  // namespace ui
