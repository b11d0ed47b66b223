// Rules behind the settings page and the colour picker: colour numbers, autostart, loading order.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "about/colour_number.h"
#include "config/convert.h"
#include "settings/autostart.h"
#include "settings/settings_load.h"
#include "platform/fake/fake_platform.h"

namespace {

TEST(ColourNumber, RedPlusGreenTimes256PlusBlueTimes65536) {
  EXPECT_EQ(about::ColourNumber(128, 128, 0), 32896u);  // olive, the skins' default time colour
  EXPECT_EQ(about::ColourNumber(0, 0, 255), 16711680u);
  EXPECT_EQ(about::ColourNumber(255, 255, 255), 16777215u);
  EXPECT_EQ(about::ColourNumber(0, 0, 0), 0u);
  EXPECT_EQ(about::ColourNumber(0, 102, 164), 10774016u);
  EXPECT_EQ(about::ColourNumber(-5, 300, 0), 65280u);
}

TEST(ColourNumber, TextOfAColourIsPlainDecimalOfItsRgbBits) {
  EXPECT_EQ(about::ColourNumberText(ui::clOlive), "32896");
  EXPECT_EQ(about::ColourNumberText(0xFF0000), "16711680");
  EXPECT_EQ(about::ColourNumberText(ui::clWhite), "16777215");
  EXPECT_EQ(about::ColourNumberText(ui::clBlack), "0");
  // Bits above the colour never show up as a sign or a huge number.
  EXPECT_EQ(about::ColourNumberText(ui::TColor(0x80FFFFFFu)), "16777215");
}

using platform::RunKeyScope;
constexpr auto kMachine = RunKeyScope::kMachine;
constexpr auto kUser = RunKeyScope::kUser;
const std::string kDir = "C:\\Program Files\\Часы\\";

std::string Value(platform::FakeAutostartRegistry& registry, RunKeyScope scope) {
  auto it = registry.values.find({scope, "Horavo v3.0"});
  return it == registry.values.end() ? "(none)" : it->second;
}

TEST(Autostart, OnWhenEitherListHoldsTheProgramsFixedFileName) {
  platform::FakeAutostartRegistry lists;
  EXPECT_FALSE(settings::AutostartOn(lists, kDir));
  lists.values[{kMachine, "Horavo v3.0"}] = kDir + "Horavo.exe";
  EXPECT_TRUE(settings::AutostartOn(lists, kDir));
  lists.values.clear();
  lists.values[{kUser, "Horavo v3.0"}] = "c:\\program files\\ЧАСЫ\\HORAVO.EXE";
  EXPECT_TRUE(settings::AutostartOn(lists, kDir));
  // Another folder, another file name or another value name is not this program.
  lists.values.clear();
  lists.values[{kMachine, "Horavo v3.0"}] = "D:\\Old\\Horavo.exe";
  lists.values[{kUser, "Horavo v3.0"}] = kDir + "clock.exe";
  lists.values[{kUser, "Horavo"}] = kDir + "Horavo.exe";
  EXPECT_FALSE(settings::AutostartOn(lists, kDir));
}

TEST(Autostart, SwitchingOnWritesTheKeyThatHoldsTheValueElseThePreferredOne) {
  struct Case {
    const char* what;
    std::map<RunKeyScope, std::string> held;
    std::set<RunKeyScope> refused;
    RunKeyScope preferred;
    RunKeyScope written;
  };
  const std::string old = "D:\\Old\\Horavo.exe";  // a value of the program's name, not this copy
  const Case cases[] = {
      {"nothing held", {}, {}, kUser, kUser},
      {"nothing held, once for every user", {}, {}, kMachine, kMachine},
      {"an old per-machine value", {{kMachine, old}}, {}, kUser, kMachine},
      {"an old per-user value", {{kUser, old}}, {}, kMachine, kUser},
      {"the user key refused", {}, {kUser}, kUser, kMachine},
      {"the machine key refused", {}, {kMachine}, kMachine, kUser},
      {"an old per-machine value without rights", {{kMachine, old}}, {kMachine}, kUser, kUser},
  };
  for (const Case& c : cases) {
    platform::FakeAutostartRegistry lists;
    for (const auto& [scope, value] : c.held) lists.values[{scope, "Horavo v3.0"}] = value;
    lists.readOnly = c.refused;
    const auto result = settings::SetAutostart(lists, kDir, true, c.preferred);
    EXPECT_TRUE(result.on && result.asked) << c.what;
    EXPECT_EQ(result.scope, c.written) << c.what;
    EXPECT_EQ(Value(lists, c.written), kDir + "Horavo.exe") << c.what;
    const RunKeyScope other = c.written == kMachine ? kUser : kMachine;
    EXPECT_EQ(Value(lists, other), c.held.count(other) ? c.held.at(other) : "(none)") << c.what;
  }
}

TEST(Autostart, BothListsRefusedReportsTheStoredState) {
  platform::FakeAutostartRegistry lists;
  lists.readOnly = {kMachine, kUser};
  auto result = settings::SetAutostart(lists, kDir, true);
  EXPECT_FALSE(result.on);
  EXPECT_FALSE(result.asked);
  EXPECT_EQ(std::count_if(lists.calls.begin(), lists.calls.end(), [](auto& c) { return c.op == 'w'; }), 2);
  EXPECT_TRUE(lists.values.empty());
}

TEST(Autostart, SwitchingOffRemovesOnlyThisProgramsValues) {
  platform::FakeAutostartRegistry lists;
  lists.values[{kMachine, "Horavo v3.0"}] = kDir + "Horavo.exe";
  lists.values[{kUser, "Horavo v3.0"}] = kDir + "Horavo.exe";
  lists.values[{kUser, "Other"}] = "other.exe";
  auto result = settings::SetAutostart(lists, kDir, false);
  EXPECT_FALSE(result.on);
  EXPECT_TRUE(result.asked);
  EXPECT_EQ(lists.values.size(), 1u);
  // Another copy's value stays; nothing stored anywhere is no refusal and touches no key.
  lists.values[{kMachine, "Horavo v3.0"}] = "D:\\Old\\Horavo.exe";
  lists.readOnly = {kMachine, kUser};
  lists.calls.clear();
  EXPECT_TRUE(settings::SetAutostart(lists, kDir, false).asked);
  EXPECT_EQ(std::count_if(lists.calls.begin(), lists.calls.end(), [](auto& c) { return c.op != 'r'; }), 0);
  EXPECT_EQ(lists.values.size(), 2u);
}

TEST(Autostart, TheScopeToKeepIsTheMachineKeyOnlyWhenItHoldsTheValue) {
  platform::FakeAutostartRegistry lists;
  EXPECT_EQ(settings::AutostartScope(lists, kUser), kUser);
  lists.values[{kUser, "Horavo v3.0"}] = kDir + "Horavo.exe";
  EXPECT_EQ(settings::AutostartScope(lists, kUser), kUser);
  lists.values[{kMachine, "Horavo v3.0"}] = "D:\\Old\\Horavo.exe";
  EXPECT_EQ(settings::AutostartScope(lists, kUser), kMachine);
  EXPECT_TRUE(std::all_of(lists.calls.begin(), lists.calls.end(), [](auto& c) { return c.op == 'r'; }));
}

TEST(Autostart, AMachineValueThatCannotBeRemovedKeepsAutostartOn) {
  platform::FakeAutostartRegistry lists;
  lists.values[{kMachine, "Horavo v3.0"}] = kDir + "Horavo.exe";
  lists.values[{kUser, "Horavo v3.0"}] = kDir + "Horavo.exe";
  lists.readOnly = {kMachine};
  auto result = settings::SetAutostart(lists, kDir, false);
  EXPECT_TRUE(result.on);
  EXPECT_FALSE(result.asked);
  EXPECT_EQ(Value(lists, kUser), "(none)");
  EXPECT_NE(settings::AutostartRefusedMessage(false), settings::AutostartRefusedMessage(true));
}

// The loading steps as they reach the window.
class RecordingTarget : public settings::LoadTarget {
 public:
  std::vector<std::string> log;
  void LoadAutostart(const std::string& control) override { log.push_back(control + " autostart"); }
  void SetChecked(const std::string& control, bool checked) override {
    log.push_back(control + (checked ? " checked" : " unchecked"));
  }
  void SetText(const std::string& control, const std::string& text) override { log.push_back(control + " = " + text); }
  void SetPosition(const std::string& control, int position) override {
    log.push_back(control + " @ " + std::to_string(position));
  }
  void FillEventList() override { log.push_back("event list"); }
  void BadValue(const settings::LoadStep& step, const std::string& value) override {
    log.push_back(std::string(step.key) + " bad: " + value);
  }
};

class SettingsLoad : public ::testing::Test {
 protected:
  std::filesystem::path dir = std::filesystem::temp_directory_path() /
                              ("horavo_load_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
  void SetUp() override { std::filesystem::create_directories(dir); }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::string Ini(const std::string& text) {
    auto path = (dir / "Clock_config.ini").string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  std::vector<std::string> Load(const std::string& text) {
    RecordingTarget target;
    settings::RunLoadSteps(settings::SettingsLoadSteps(), config::TIniFile(Ini(text)), "C:\\H\\", target);
    return target.log;
  }
};

TEST_F(SettingsLoad, MissingFileGivesTheDefaultsInTheirOrder) {
  const std::vector<std::string> want = {
      "CheckBox5 autostart",
      "TrackBar1 @ 0",
      "CheckBox2 checked",
      "Edit4 = 0",
      "Edit6 = 0",
      "Edit7 = 0",
      "CSpinEdit2 = 80",
      "Memo1 = Ой! Сломалось что-то :))",
      "CheckBox4 checked",
      "event list",
      "CheckBox11 checked",
      "Edit8 = C:\\H\\Sound\\Beep.wav",
      "Edit9 = C:\\H\\Sound\\Beep.wav",
      "Edit10 = C:\\H\\Sound\\Beep.wav",
  };
  EXPECT_EQ(Load(""), want);
}

TEST_F(SettingsLoad, StoredValuesReachTheirControlsOnlyAsEachRuleSays) {
  const std::vector<std::string> want = {
      "CheckBox5 autostart",
      "TrackBar1 @ 200",
      "Edit4 = 2600",
      "Edit6 = 2000",
      "Edit7 = 100",
      "CSpinEdit2 = 5",
      "CheckBox3 checked",
      "CheckBox6 checked",
      "CheckBox7 unchecked",
      "Memo1 = Пока",
      "event list",
      "CheckBox8 checked",
      "CheckBox10 unchecked",
      "CheckBox9 unchecked",
      "Edit9 = D:\\hour.wav",
  };
  EXPECT_EQ(Load("[TranspConfig]\r\nAlpha=200\r\n[Position]\r\nSave=0\r\n"
                 "[AckConfig]\r\nMidnightAck=2600\r\nHourAck=2000\r\nMinAck=100\r\n"
                 "MidnightFileAck=\r\nHourFileAck=D:\\hour.wav\r\nMinFileAck=\r\n"
                 "[Shutdown]\r\ntimeout=5\r\nForceEx=1\r\nComment=Пока\r\n"
                 "[Clock]\r\nKillTask=1\r\nShowHolydays=0\r\nStickCon=0\r\nshowIntitle=1\r\n"
                 "HideNulls=1\r\nSlowResize=0\r\nRunTray=0\r\n"),
            want);
}

TEST_F(SettingsLoad, FlagsCompareAsExactText) {
  auto log = Load("[Position]\r\nSave=01\r\n[Clock]\r\nShowHolydays=no\r\nHideNulls= 1 \r\nRunTray=yes\r\n");
  auto has = [&](const std::string& line) { return std::find(log.begin(), log.end(), line) != log.end(); };
  EXPECT_FALSE(has("CheckBox2 checked"));
  EXPECT_FALSE(has("CheckBox7 unchecked"));
  EXPECT_TRUE(has("CheckBox10 unchecked"));  // the reader strips the blanks around a value
  EXPECT_FALSE(has("CheckBox11 checked"));
}

TEST_F(SettingsLoad, AValueANumericStepCannotConvertIsReportedOnceAndTheOtherStepsRun) {
  const std::vector<std::string> defaults = Load("");
  int numeric = 0;
  for (const settings::LoadStep& step : settings::SettingsLoadSteps()) {
    if (step.rule != settings::LoadRule::Position) continue;
    ++numeric;
    for (const std::string garbage : {"half", "99999999999", "12abc", ""}) {
      const auto log =
          Load("[" + std::string(step.section) + "]\r\n" + step.key + "=" + garbage + "\r\n");
      // The step's own line is replaced by the report; every other step is as without the key.
      std::vector<std::string> want;
      for (const std::string& line : defaults)
        want.push_back(line.rfind(std::string(step.control) + " @ ", 0) == 0 ? std::string(step.key) + " bad: " + garbage
                                                                             : line);
      EXPECT_EQ(log, want) << step.key << "=" << garbage;
    }
  }
  EXPECT_GE(numeric, 1);
  const auto message = settings::BadValueMessage(settings::SettingsLoadSteps()[1], "abc");
  EXPECT_NE(message.find("Alpha"), std::string::npos);
  EXPECT_NE(message.find("[TranspConfig]"), std::string::npos);
  EXPECT_NE(message.find("\"abc\""), std::string::npos);
}

}  // namespace
