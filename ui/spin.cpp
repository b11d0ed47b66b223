#include "ui/spin.h"

#include <charconv>
#include <climits>

namespace ui {

TSpinEdit::TSpinEdit(TComponent* owner) : TEdit(owner) { SetText("0"); }

int TSpinEdit::Limited(long long value) const {
  if (minValue_ != maxValue_) {
    if (value < minValue_) return minValue_;
    if (value > maxValue_) return maxValue_;
  }
  if (value < INT_MIN) return INT_MIN;
  if (value > INT_MAX) return INT_MAX;
  return int(value);
}

int TSpinEdit::Value() const {
  const std::string& text = Text();
  std::size_t begin = text.find_first_not_of(' '), end = text.find_last_not_of(' ');
  if (begin == std::string::npos) return minValue_;
  const char* first = text.data() + begin;
  const char* last = text.data() + end + 1;
  if (*first == '+') ++first;
  int value = 0;
  auto [stop, error] = std::from_chars(first, last, value);
  if (error != std::errc() || stop != last) return minValue_;
  return value;
}

void TSpinEdit::SetValue(int value) { SetText(std::to_string(Limited(value))); }

void TSpinEdit::ArrowClicked(bool up) {
  if (ReadOnly() || !EnabledInTree()) return;
  SetValue(Limited(static_cast<long long>(Value()) + (up ? Increment : -static_cast<long long>(Increment))));
}

std::unique_ptr<WinControlPeer> TSpinEdit::CreatePeer(WidgetSet& widgets) { return widgets.CreateSpinEditPeer(*this); }

}  // namespace ui
