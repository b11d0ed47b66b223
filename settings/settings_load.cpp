#include "settings/settings_load.h"

#include <array>

#include "config/convert.h"
#include "config/program_files.h"

namespace settings {

namespace {

constexpr const char* kShutdownMessage = "Ой! Сломалось что-то :))";
constexpr const char* kBeep = "Sound\\Beep.wav";

constexpr std::array<LoadStep, 21> kSteps{{
    {"CheckBox5", "", "", "", false, LoadRule::Autostart},
    {"TrackBar1", "TranspConfig", "Alpha", "0", false, LoadRule::Position},
    {"CheckBox2", "Position", "Save", "1", false, LoadRule::CheckIfOne},
    {"Edit4", "AckConfig", "MidnightAck", "0", false, LoadRule::Text},
    {"Edit6", "AckConfig", "HourAck", "0", false, LoadRule::Text},
    {"Edit7", "AckConfig", "MinAck", "0", false, LoadRule::Text},
    {"CSpinEdit2", "Shutdown", "timeout", "80", false, LoadRule::Text},
    {"CheckBox3", "Shutdown", "ForceEx", "0", false, LoadRule::CheckIfOne},
    {"CheckBox6", "Clock", "KillTask", "0", false, LoadRule::CheckIfOne},
    {"CheckBox7", "Clock", "ShowHolydays", "1", false, LoadRule::UncheckIfZero},
    {"Memo1", "Shutdown", "comment", kShutdownMessage, false, LoadRule::Text},
    {"CheckBox4", "Clock", "StickCon", "1", false, LoadRule::CheckIfOne},
    {"ListView1", "", "", "", false, LoadRule::EventList},
    {"CheckBox8", "Clock", "showIntitle", "0", false, LoadRule::CheckIfOne},
    {"CheckBox10", "Clock", "HideNulls", "0", false, LoadRule::UncheckIfOne},
    {"CheckBox9", "Clock", "SlowResize", "1", false, LoadRule::UncheckIfZero},
    {"CheckBox11", "Clock", "RunTray", "1", false, LoadRule::CheckIfOne},
    {"Edit8", "AckConfig", "MidnightFileAck", kBeep, true, LoadRule::TextUnlessEmpty},
    {"Edit9", "AckConfig", "HourFileAck", kBeep, true, LoadRule::TextUnlessEmpty},
    {"Edit10", "AckConfig", "MinFileAck", kBeep, true, LoadRule::TextUnlessEmpty},
    {"CheckBox12", "Clock", "ReportMissed", "1", false, LoadRule::UncheckIfZero},
}};

}  // namespace

std::span<const LoadStep> SettingsLoadSteps() { return kSteps; }

void RunLoadSteps(std::span<const LoadStep> steps, const config::TIniFile& ini, const std::string& appDir,
                  LoadTarget& target) {
  for (const auto& step : steps) {
    const std::string control = step.control;
    auto value = [&] {
      if (!step.defaultUnderAppDir) return ini.ReadString(step.section, step.key, step.defaultValue);
      // A file under the program folder is stored relative to it and shown in full.
      return config::FullPathIn(appDir, ini.ReadString(step.section, step.key, step.defaultValue));
    };
    switch (step.rule) {
      case LoadRule::Autostart: target.LoadAutostart(control); break;
      case LoadRule::EventList: target.FillEventList(); break;
      case LoadRule::Position: {
        const std::string text = value();
        int position = 0;
        try {
          position = config::StrToInt(text);
        } catch (const config::EConvertError&) {
          target.BadValue(step, text);
          break;
        }
        target.SetPosition(control, position);
        break;
      }
      case LoadRule::CheckIfOne:
        if (value() == "1") target.SetChecked(control, true);
        break;
      case LoadRule::UncheckIfZero:
        if (value() == "0") target.SetChecked(control, false);
        break;
      case LoadRule::UncheckIfOne:
        if (value() == "1") target.SetChecked(control, false);
        break;
      case LoadRule::Text: target.SetText(control, value()); break;
      case LoadRule::TextUnlessEmpty:
        if (auto text = value(); !text.empty()) target.SetText(control, text);
        break;
    }
  }
}

std::string BadValueMessage(const LoadStep& step, const std::string& value) {
  return "Значение \"" + value + "\" ключа " + step.key + " в разделе [" + step.section +
         "] файла настроек не является допустимым числом. Оно не загружено.";
}

}  // namespace settings
