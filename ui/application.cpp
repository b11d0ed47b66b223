#include "ui/application.h"

#include <algorithm>

#include "ui/forms.h"

namespace ui {

namespace {
TApplication* current = nullptr;
}

TApplication& Application() { return *current; }
bool HasApplication() { return current != nullptr; }

TApplication::TApplication(WidgetSet& widgets, MessageBoxFn messageBox)
    : widgets_(widgets), messageBox_(std::move(messageBox)) {
  current = this;
}

TApplication::~TApplication() {
  DestroyForms();
  if (current == this) current = nullptr;
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  widgets_.SetTitle(title);
}

void TApplication::Adopt(std::unique_ptr<TForm> form) {
  if (!mainForm_) mainForm_ = form.get();
  forms_.push_back(std::move(form));
}

void TApplication::Run() {
  if (terminated_) return;
  widgets_.Run();
}

void TApplication::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  widgets_.Terminate();
}

int TApplication::ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  return messageBox_ ? messageBox_(text, caption, flags) : ID_OK;
}

void TApplication::ShowException(const std::exception& e) {
  std::string text = e.what();
  if (!text.empty() && text.back() != '.') text += '.';
  ShowMessageBox(text, title_, MB_OK_FLAG | MB_ICONERROR_FLAG);
}

bool TApplication::Guard(const std::function<void()>& fn) {
  try {
    fn();
    return true;
  } catch (const std::exception& e) {
    ShowException(e);
  }
  return false;
}

void TApplication::DestroyForms() {
  minimizedForms_.clear();
  while (!forms_.empty()) {
    std::unique_ptr<TForm> last = std::move(forms_.back());
    forms_.pop_back();
    last->DoDestroy();
    if (last.get() == mainForm_) mainForm_ = nullptr;
    last.reset();
  }
}

void TApplication::Minimize() {
  // Forms hidden by an earlier Minimize stay remembered, so a second one loses none of them.
  for (const auto& form : forms_) {
    if (!form->Visible()) continue;
    if (std::find(minimizedForms_.begin(), minimizedForms_.end(), form.get()) == minimizedForms_.end())
      minimizedForms_.push_back(form.get());
    form->Hide();
  }
}

void TApplication::Restore() {
  std::vector<TForm*> shown = std::move(minimizedForms_);
  minimizedForms_.clear();
  for (TForm* form : shown) {
    // A form shown again runs handlers that may destroy other forms: show only those still here.
    bool alive = std::any_of(forms_.begin(), forms_.end(), [form](const auto& f) { return f.get() == form; });
    if (alive) form->Show();
  }
}

void TApplication::HookMainWindow(const void* key, MainWindowHook hook) {
  for (auto& entry : hooks_)
    if (entry.first == key) {
      entry.second = std::move(hook);
      return;
    }
  hooks_.emplace_back(key, std::move(hook));
}

void TApplication::UnhookMainWindow(const void* key) {
  std::erase_if(hooks_, [key](const auto& entry) { return entry.first == key; });
}

bool TApplication::MainWindowMessage(TMessage& message) {
  // A hook may add or remove hooks (its owner may even go): run a copy, skipping removed ones.
  auto hooks = hooks_;
  for (auto& [key, hook] : hooks) {
    bool still = std::any_of(hooks_.begin(), hooks_.end(), [k = key](const auto& e) { return e.first == k; });
    if (still && hook(message)) return true;
  }
  return false;
}

SystemNotice SystemNoticeOf(const TMessage& message) {
  constexpr unsigned kEndSession = 0x0016, kTimeChange = 0x001E, kPowerBroadcast = 0x0218;
  constexpr std::uintptr_t kSuspend = 0x4, kResumeSuspend = 0x7, kResumeAutomatic = 0x12;
  switch (message.Msg) {
    case kEndSession:
      // A zero WParam: the log-off or shutdown was cancelled, the program goes on.
      return message.WParam ? SystemNotice::kSessionEnding : SystemNotice::kNone;
    case kTimeChange:
      return SystemNotice::kTimeChanged;
    case kPowerBroadcast:
      if (message.WParam == kSuspend) return SystemNotice::kSuspending;
      if (message.WParam == kResumeSuspend || message.WParam == kResumeAutomatic) return SystemNotice::kResumed;
      return SystemNotice::kNone;
    default:
      return SystemNotice::kNone;
  }
}

}  // namespace ui
