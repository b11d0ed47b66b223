// Rules behind the settings page and the colour picker: colour numbers, autostart, loading order.
#include <gtest/gtest.h>

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

TEST(Autostart, SwitchingOnWritesTheMachineListAndDropsAUserDuplicate) {
  platform::FakeAutostartRegistry lists;
  lists.values[{kUser, "Horavo v3.0"}] = kDir + "Horavo.exe";
  auto result = settings::SetAutostart(lists, kDir, true);
  EXPECT_TRUE(result.on);
  EXPECT_TRUE(result.asked);
  EXPECT_EQ(lists.values.size(), 1u);
  EXPECT_EQ(Value(lists, kMachine), kDir + "Horavo.exe");
}

TEST(Autostart, MachineKeyRefusedOrMissingFallsBackToTheUserKey) {
  for (bool missing : {false, true}) {
    platform::FakeAutostartRegistry lists;
    (missing ? lists.missingKeys : lists.readOnly) = {kMachine};
    auto result = settings::SetAutostart(lists, kDir, true);
    EXPECT_TRUE(result.on && result.asked) << missing;
    EXPECT_EQ(Value(lists, kUser), kDir + "Horavo.exe");
    EXPECT_EQ(Value(lists, kMachine), "(none)");
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

TEST(Autostart, SwitchingOffRemovesFromBothLists) {
  platform::FakeAutostartRegistry lists;
  lists.values[{kMachine, "Horavo v3.0"}] = kDir + "Horavo.exe";
  lists.values[{kUser, "Horavo v3.0"}] = kDir + "Horavo.exe";
  lists.values[{kUser, "Other"}] = "other.exe";
  auto result = settings::SetAutostart(lists, kDir, false);
  EXPECT_FALSE(result.on);
  EXPECT_TRUE(result.asked);
  EXPECT_EQ(lists.values.size(), 1u);
  // Nothing stored anywhere is no refusal.
  lists.readOnly = {kMachine, kUser};
  EXPECT_TRUE(settings::SetAutostart(lists, kDir, false).asked);
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

TEST_F(SettingsLoad, ANonNumericTransparencyStopsTheLoadingWithTheConversionError) {
  RecordingTarget target;
  config::TIniFile ini(Ini("[TranspConfig]\r\nAlpha=half\r\n"));
  try {
    settings::RunLoadSteps(settings::SettingsLoadSteps(), ini, "C:\\H\\", target);
    FAIL() << "loaded";
  } catch (const config::EConvertError& e) {
    EXPECT_STREQ(e.what(), "Значение 'half' не является целым числом");
  }
  EXPECT_EQ(target.log, std::vector<std::string>{"CheckBox5 autostart"});
}

}  // namespace
