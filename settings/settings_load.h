// Loading the settings page from the configuration file when the settings window is created.
//
// The steps run in a fixed order. Each step reads its key at the moment it runs and sets its
// control only as its rule says; a control that changes runs its change handler, which writes
// the value back (so a missing key is stored with its default).
#pragma once

#include <span>
#include <string>

#include "config/ini.h"

namespace settings {

enum class LoadRule {
  Autostart,        // checked when the run lists hold the program (no key of the file)
  Position,         // the slider's position is the value as a decimal integer
  CheckIfOne,       // checked when the value is "1"
  UncheckIfZero,    // unchecked when the value is "0"
  UncheckIfOne,     // unchecked when the value is "1"
  Text,             // the control's text is the value
  TextUnlessEmpty,  // the control's text is the value, unless the value is empty
  EventList,        // the event list is filled (no key of the file)
};

struct LoadStep {
  const char* control;  // designer name of the control
  const char* section;
  const char* key;
  const char* defaultValue;
  bool defaultUnderAppDir;  // a relative value (the default too) lies under the program folder
  LoadRule rule;
};

// Every step, in the order they run.
std::span<const LoadStep> SettingsLoadSteps();

// What the steps do to the window.
class LoadTarget {
 public:
  virtual ~LoadTarget() = default;
  virtual void LoadAutostart(const std::string& control) = 0;
  virtual void SetChecked(const std::string& control, bool checked) = 0;
  virtual void SetText(const std::string& control, const std::string& text) = 0;
  virtual void SetPosition(const std::string& control, int position) = 0;
  virtual void FillEventList() = 0;
  // The step's stored value cannot be converted as its rule needs: the control was left as it
  // was. Reported once per step; the following steps still run.
  virtual void BadValue(const LoadStep& step, const std::string& value) = 0;
};

// Runs `steps` in order against `ini`. A value that is not a decimal integer where the rule
// needs one goes to the target's BadValue and sets nothing.
void RunLoadSteps(std::span<const LoadStep> steps, const config::TIniFile& ini, const std::string& appDir,
                  LoadTarget& target);

// The message that names a stored value a loading step could not convert.
std::string BadValueMessage(const LoadStep& step, const std::string& value);

}  // namespace settings
