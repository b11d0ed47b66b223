// TSpinEdit: a number field with up and down arrows. Its Text is what the field shows; an
// arrow steps the number by Increment within MinValue..MaxValue.
#pragma once

#include "ui/edits.h"

namespace ui {

class TSpinEdit : public TEdit {
 public:
  explicit TSpinEdit(TComponent* owner);

  // Equal limits (the default, 0 and 0) set no limit.
  int MinValue() const { return minValue_; }
  int MaxValue() const { return maxValue_; }
  void SetMinValue(int value) { minValue_ = value; }
  void SetMaxValue(int value) { maxValue_ = value; }
  int Increment = 1;

  // The text as a whole number (blanks around it allowed); MinValue when it is none.
  int Value() const;
  // Shows `value` (kept within the limits) as the text; raises OnChange when the text changes.
  void SetValue(int value);

  // Input entry point: the user clicked the up (or down) arrow. A read-only field stays.
  void ArrowClicked(bool up);

 protected:
  std::unique_ptr<WinControlPeer> CreatePeer(WidgetSet& widgets) override;

 private:
  int Limited(long long value) const;
  int minValue_ = 0;
  int maxValue_ = 0;
};

}  // namespace ui
