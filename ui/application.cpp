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
  while (!forms_.empty()) {
    std::unique_ptr<TForm> last = std::move(forms_.back());
    forms_.pop_back();
    last->DoDestroy();
    if (last.get() == mainForm_) mainForm_ = nullptr;
    last.reset();
  }
}

}  // namespace ui
