// The settings page of the settings window, the About window and the colour picker, on a whole
// headless program.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "config/ini.h"
#include "config/program_files.h"
#include "platform/files.h"
#include "tests/unit/program_fixture.h"
#include "ui/application.h"

namespace {

using testing_support::ProgramTest;
using testing_support::SolidBitmap;

class SettingsPageTest : public ProgramTest {
 protected:
  void StartWith(const std::string& config) {
    if (!config.empty()) dir.Write("Cfg/Clock_config.ini", config);
    ASSERT_FALSE(Start());
  }
  std::string Key(const char* section, const char* key) {
    return config::TIniFile(dir.Str() + "Cfg/Clock_config.ini").ReadString(section, key, "(none)");
  }
  // Runs a handler the way the user's input does: an error ends it and is shown.
  void AsUser(const std::function<void()>& input) { program->Application().Guard(input); }
  std::vector<platform::MessageBoxCall>& Shown() { return platform->fakeDialogs().shown; }
  platform::FakeCommonDialogs& Dialogs() { return platform->fakeCommonDialogs(); }
  platform::FakeAutostartRegistry& Registry() { return platform->fakeRegistry(); }
  std::string RunValue(platform::RunKeyScope scope) {
    auto it = Registry().values.find({scope, "Horavo v3.0"});
    return it == Registry().values.end() ? "(none)" : it->second;
  }
};

TEST_F(SettingsPageTest, ThePageHoldsThreeGroupsWithTheirTabsAtTheBottom) {
  StartWith("");
  ASSERT_EQ(Form2->PageControl3->PageCount(), 4);
  EXPECT_EQ(Form2->PageControl3->TabPosition(), ui::TTabPosition::tpBottom);
  EXPECT_EQ(Form2->PageControl3->Pages(0)->Caption(), "Главное окно");
  EXPECT_EQ(Form2->PageControl3->Pages(1)->Caption(), "Звук");
  EXPECT_EQ(Form2->PageControl3->Pages(2)->Caption(), "Прочие");
  EXPECT_EQ(Form2->PageControl3->Pages(3)->Caption(), "Календарь");
  EXPECT_EQ(Form2->GroupBox4->Caption(), "Звук");
  EXPECT_EQ(Form2->TrackBar1->Max(), 200);
  EXPECT_EQ(Form2->TrackBar1->Frequency(), 5);
  EXPECT_EQ(Form2->CheckBox6->Caption(), "Удалять \"одноразовые\" события после их выполнения");
  EXPECT_EQ(Form2->CheckBox10->Caption(), "Показывать нули перед цифрами ");
  for (auto* b : {Form2->BitBtn11, Form2->BitBtn12, Form2->BitBtn13, Form2->BitBtn10})
    EXPECT_FALSE(b->Glyph().Empty()) << b->Caption();
}

TEST_F(SettingsPageTest, LoadingShowsTheDefaultsOfMissingKeys) {
  StartWith("");
  EXPECT_EQ(Form2->Memo1->Text(), "Ой! Сломалось что-то :))");
  EXPECT_EQ(Form2->CSpinEdit2->Text(), "80");
  EXPECT_EQ(Form2->Edit4->Text(), "0");
  EXPECT_EQ(Form2->Edit8->Text(), dir.Str() + "Sound\\Beep.wav");
  EXPECT_EQ(Form2->TrackBar1->Position(), 0);
  EXPECT_FALSE(Form1->AlphaBlend());
  EXPECT_TRUE(Form2->CheckBox2->Checked());
  EXPECT_TRUE(Form2->CheckBox4->Checked());
  EXPECT_TRUE(Form2->CheckBox7->Checked());
  EXPECT_TRUE(Form2->CheckBox9->Checked());
  EXPECT_TRUE(Form2->CheckBox10->Checked());
  EXPECT_TRUE(Form2->CheckBox11->Checked());
  for (auto* box : {Form2->CheckBox3, Form2->CheckBox5, Form2->CheckBox6, Form2->CheckBox8})
    EXPECT_FALSE(box->Checked()) << box->Caption();
}

TEST_F(SettingsPageTest, StoredValuesShowInTheirControls) {
  StartWith(
      "[Clock]\r\nHideNulls=1\r\nShowHolydays=0\r\nSlowResize=0\r\nRunTray=0\r\nStickCon=0\r\nKillTask=1\r\n"
      "showIntitle=1\r\n[Position]\r\nSave=0\r\n[Shutdown]\r\nForceEx=1\r\ntimeout=15\r\nComment=Пора\r\n"
      "[AckConfig]\r\nMidnightFileAck=\r\nHourAck=440\r\n");
  EXPECT_FALSE(Form2->CheckBox10->Checked());
  EXPECT_FALSE(Form2->CheckBox7->Checked());
  EXPECT_FALSE(Form2->CheckBox9->Checked());
  EXPECT_FALSE(Form2->CheckBox11->Checked());
  EXPECT_FALSE(Form2->CheckBox4->Checked());
  EXPECT_FALSE(Form2->CheckBox2->Checked());
  EXPECT_TRUE(Form2->CheckBox6->Checked());
  EXPECT_TRUE(Form2->CheckBox8->Checked());
  EXPECT_TRUE(Form2->CheckBox3->Checked());
  EXPECT_EQ(Form2->CSpinEdit2->Text(), "15");
  EXPECT_EQ(Form2->Memo1->Text(), "Пора");
  EXPECT_EQ(Form2->Edit6->Text(), "440");
  EXPECT_EQ(Form2->Edit8->Text(), "");  // an empty file setting keeps the field as designed
  EXPECT_EQ(Key("AckConfig", "MidnightFileAck"), "");
}

TEST_F(SettingsPageTest, EachCheckBoxWritesItsKeyTheMomentItChanges) {
  StartWith("");
  struct Case {
    ui::TCheckBox* box;
    const char* section;
    const char* key;
  };
  const Case cases[] = {
      {Form2->CheckBox4, "Clock", "StickCon"},    {Form2->CheckBox8, "Clock", "showIntitle"},
      {Form2->CheckBox2, "Position", "Save"},     {Form2->CheckBox7, "Clock", "ShowHolydays"},
      {Form2->CheckBox6, "Clock", "KillTask"},    {Form2->CheckBox11, "Clock", "RunTray"},
      {Form2->CheckBox3, "Shutdown", "ForceEx"},  {Form2->CheckBox9, "Clock", "SlowResize"},
      {Form2->CheckBox12, "Clock", "ReportMissed"},
  };
  for (const Case& c : cases) {
    const bool was = c.box->Checked();
    c.box->UserClick();
    EXPECT_EQ(Key(c.section, c.key), was ? "0" : "1") << c.key;
    c.box->UserClick();
    EXPECT_EQ(Key(c.section, c.key), was ? "1" : "0") << c.key;
  }
}

TEST_F(SettingsPageTest, LeadingZerosBoxStoresTheOppositeAndTheClockDropsThemAtTheNextTick) {
  SetClock(2026, 12, 7, 9, 5, 6);
  StartWith("");
  Form2->CheckBox10->UserClick();
  EXPECT_EQ(Key("Clock", "HideNulls"), "1");
  EXPECT_EQ(Form1->hideNulls, 1);
  Advance(1000);
  EXPECT_EQ(Form1->Label3->Caption(), "5");
  EXPECT_EQ(Form1->Label4->Caption(), "7");
  Form2->CheckBox10->UserClick();
  EXPECT_EQ(Key("Clock", "HideNulls"), "0");
  EXPECT_EQ(Form1->hideNulls, 0);
}

TEST_F(SettingsPageTest, TransparencySliderIsStoredAndAppliedToTheClock) {
  StartWith("");
  Form2->TrackBar1->UserMoved(200);
  EXPECT_EQ(Key("TranspConfig", "Alpha"), "200");
  EXPECT_TRUE(Form1->AlphaBlend());
  EXPECT_EQ(Form1->AlphaBlendValue(), 55);  // never fully invisible
  Form2->TrackBar1->UserMoved(0);
  EXPECT_EQ(Key("TranspConfig", "Alpha"), "0");
  EXPECT_EQ(Form1->AlphaBlendValue(), 255);
}

TEST_F(SettingsPageTest, AStoredTransparencyReachesTheClockBeforeItsFirstTick) {
  StartWith("[TranspConfig]\r\nAlpha=120\r\n");
  EXPECT_EQ(Form2->TrackBar1->Position(), 120);
  EXPECT_TRUE(Form1->AlphaBlend());
  EXPECT_EQ(Form1->AlphaBlendValue(), 135);
}

TEST_F(SettingsPageTest, TextFieldsAndTheTimeoutWriteTheirKeys) {
  StartWith("");
  Form2->Edit4->TextEdited("2700");
  Form2->Edit6->TextEdited("1900");
  Form2->Edit7->TextEdited("440");
  Form2->Edit9->TextEdited("D:\\hour.wav");
  Form2->CSpinEdit2->ArrowClicked(true);
  EXPECT_EQ(Key("AckConfig", "MidnightAck"), "2700");
  EXPECT_EQ(Key("AckConfig", "HourAck"), "1900");
  EXPECT_EQ(Key("AckConfig", "MinAck"), "440");
  EXPECT_EQ(Key("AckConfig", "HourFileAck"), "D:\\hour.wav");
  EXPECT_EQ(Key("Shutdown", "timeout"), "81");
}

TEST_F(SettingsPageTest, ShutdownMessageIsStoredOnlyByOkAndTakesNoLineBreak) {
  StartWith("[Shutdown]\r\nComment=Старое\r\n");
  EXPECT_FALSE(Form2->Memo1->AcceptsKey('\r'));
  Form2->Memo1->TextEdited("Новое\r\nсообщение");
  EXPECT_EQ(Key("Shutdown", "comment"), "Старое");
  Form2->Button1->Click();
  EXPECT_EQ(Key("Shutdown", "Comment"), Form2->Memo1->Text());
  EXPECT_EQ(Form2->Memo1->Text().find('\n'), std::string::npos);
  const std::string file = Config();
  EXPECT_EQ(file.find("Comment="), std::string::npos);  // the old entry went; "comment" took its place
  EXPECT_NE(file.find("comment=Новое"), std::string::npos);
}

TEST_F(SettingsPageTest, PitchFieldsAndTheTimeoutTakeOnlyNumbersThePlatformAccepts) {
  StartWith("[AckConfig]\r\nMidnightAck=2600\r\n[Shutdown]\r\ntimeout=30\r\n");
  for (const char* refused : {"abc", "26x", "-5", "+5", " 5", "32768", "99999", "100000000000000000000"})
    Form2->Edit4->TextEdited(refused);
  for (const char* refused : {"abc", "3 0", "-30", "1e9", "315360001", "100000000000000000000"})
    Form2->CSpinEdit2->TextEdited(refused);
  EXPECT_EQ(Form2->Edit4->Text(), "2600");
  EXPECT_EQ(Key("AckConfig", "MidnightAck"), "2600");
  EXPECT_EQ(Form2->CSpinEdit2->Text(), "30");
  EXPECT_EQ(Key("Shutdown", "timeout"), "30");

  // The highest tone, no tone, and an empty field while the user types anew.
  Form2->Edit4->TextEdited("32767");
  EXPECT_EQ(Key("AckConfig", "MidnightAck"), "32767");
  Form2->Edit6->TextEdited("");
  Form2->Edit6->TextEdited("0");
  EXPECT_EQ(Key("AckConfig", "HourAck"), "0");
  Form2->Edit7->TextEdited("40000");
  EXPECT_EQ(Form2->Edit7->Text(), "0");

  // The system's longest countdown, and no step below nothing.
  Form2->CSpinEdit2->TextEdited("315360000");
  EXPECT_EQ(Key("Shutdown", "timeout"), "315360000");
  Form2->CSpinEdit2->TextEdited("315360001");
  Form2->CSpinEdit2->ArrowClicked(true);
  EXPECT_EQ(Key("Shutdown", "timeout"), "315360000");
  Form2->CSpinEdit2->TextEdited("0");
  Form2->CSpinEdit2->ArrowClicked(false);
  EXPECT_EQ(Key("Shutdown", "timeout"), "0");
  EXPECT_TRUE(Shown().empty());
}

TEST_F(SettingsPageTest, BeepTestsSoundTheFieldsPitchAndRefuseAStoredNonNumber) {
  StartWith("[AckConfig]\r\nMidnightAck=2600\r\nHourAck=2000\r\nMinAck=x\r\n");
  Form2->SpeedButton2->Click();
  Form2->SpeedButton3->Click();
  auto& beeps = platform->fakeSound().beeps;
  ASSERT_EQ(beeps.size(), 2u);
  EXPECT_EQ(beeps[0].frequency, 2600);
  EXPECT_EQ(beeps[0].durationMs, 1000);
  EXPECT_EQ(beeps[1].frequency, 2000);
  const std::size_t before = Shown().size();  // the clock's own reading of "x" at start
  AsUser([] { Form2->SpeedButton4->Click(); });
  EXPECT_EQ(beeps.size(), 2u);
  ASSERT_EQ(Shown().size(), before + 1);
  EXPECT_EQ(Shown().back().text, "Значение 'x' не является целым числом.");
}

TEST_F(SettingsPageTest, SoundFileDialogFillsTheFieldAndTheTestPlaysIt) {
  StartWith("");
  Dialogs().fileAnswers = {std::string("C:\\Музыка\\полночь.mp3"), std::nullopt};
  Form2->Button3->Click();
  ASSERT_EQ(Dialogs().fileCalls.size(), 1u);
  const auto& filters = Dialogs().fileCalls[0].options.filters;
  ASSERT_EQ(filters.size(), 1u);
  EXPECT_EQ(filters[0].name, "Звук(*.wav;*.mp3;*.ogg;*.wma;*.mid)");
  EXPECT_EQ(filters[0].pattern, "*.wav;*.mp3;*.ogg;*.wma;*.mid");
  EXPECT_EQ(Form2->Edit8->Text(), "C:\\Музыка\\полночь.mp3");
  EXPECT_EQ(Key("AckConfig", "MidnightFileAck"), "C:\\Музыка\\полночь.mp3");
  Form2->Button4->Click();  // cancelled
  EXPECT_EQ(Form2->Edit9->Text(), dir.Str() + "Sound\\Beep.wav");

  Form2->Button6->Click();
  ASSERT_EQ(platform->fakeSound().played.size(), 1u);
  EXPECT_EQ(platform->fakeSound().played[0].path, "C:\\Музыка\\полночь.mp3");
}

TEST_F(SettingsPageTest, ASoundFileInTheProgramFolderIsStoredRelativeToItAndPlayedFromIt) {
  StartWith("[AckConfig]\r\nHourFileAck=Sound\\chime.wav\r\n");
  // The field shows where the file is; the key holds it relative to the folder.
  EXPECT_EQ(Form2->Edit9->Text(), dir.Str() + "Sound\\chime.wav");
  EXPECT_EQ(Key("AckConfig", "HourFileAck"), "Sound\\chime.wav");
  EXPECT_EQ(Key("AckConfig", "MidnightFileAck"), "Sound\\Beep.wav");  // the default, written back
  Dialogs().fileAnswers = {dir.Str() + "Sound\\Бой.wav"};
  Form2->Button5->Click();
  EXPECT_EQ(Key("AckConfig", "MinFileAck"), "Sound\\Бой.wav");
  // Typed without the folder: played from the folder all the same.
  Form2->Edit8->TextEdited("Sound\\полночь.wav");
  EXPECT_EQ(Key("AckConfig", "MidnightFileAck"), "Sound\\полночь.wav");
  Form2->Button6->Click();
  ASSERT_EQ(platform->fakeSound().played.size(), 1u);
  EXPECT_EQ(platform->fakeSound().played[0].path, dir.Str() + "Sound\\полночь.wav");
}

TEST(SoundPathRules, InsideTheFolderRelativeElsewhereAsWritten) {
  const std::string folder = "C:\\Программы\\Horavo\\";
  const std::pair<const char*, const char*> stored[] = {
      {"C:\\Программы\\Horavo\\Sound\\Beep.wav", "Sound\\Beep.wav"},
      {"c:\\ПРОГРАММЫ\\horavo\\Sound\\Beep.wav", "Sound\\Beep.wav"},  // letter case aside
      {"C:/Программы/Horavo/Sound/a.wav", "Sound/a.wav"},
      {"C:\\Программы\\Horavo2\\a.wav", "C:\\Программы\\Horavo2\\a.wav"},  // a sibling folder
      {"C:\\Программы\\Horavo\\..\\a.wav", "C:\\Программы\\Horavo\\..\\a.wav"},
      {"C:\\Программы\\Horavo\\Sound\\..\\..\\a.wav", "C:\\Программы\\Horavo\\Sound\\..\\..\\a.wav"},
      {"C:\\Программы\\Horavo\\", "C:\\Программы\\Horavo\\"},
      {"D:\\Музыка\\a.mp3", "D:\\Музыка\\a.mp3"},
      {"Sound\\Beep.wav", "Sound\\Beep.wav"},
      {"", ""},
  };
  for (const auto& [path, expected] : stored) EXPECT_EQ(config::StoredPathIn(folder, path), expected) << path;
  const std::pair<const char*, std::string> full[] = {
      {"Sound\\Beep.wav", folder + "Sound\\Beep.wav"},
      {"D:\\Музыка\\a.mp3", "D:\\Музыка\\a.mp3"},
      {"\\\\server\\share\\a.wav", "\\\\server\\share\\a.wav"},
      {"\\a.wav", "\\a.wav"},
      {"", ""},
  };
  for (const auto& [path, expected] : full) EXPECT_EQ(config::FullPathIn(folder, path), expected) << path;
}

TEST_F(SettingsPageTest, ASoundFileThatCannotBeOpenedGivesTheMediaErrorWithTheKeyKept) {
  StartWith("");
  const std::string missing = "C:\\нет\\такого.wav";
  platform->fakeSound().failures[missing] =
      "Cannot find the specified file. Make sure the path and filename are correct.";
  Form2->Edit10->TextEdited(missing);
  AsUser([] { Form2->Button8->Click(); });
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_EQ(Shown()[0].text, "Cannot find the specified file. Make sure the path and filename are correct.");
  EXPECT_EQ(Key("AckConfig", "MinFileAck"), missing);
}

class SkinChooserTest : public SettingsPageTest {
 protected:
  SkinChooserTest() {
    dir.Write("Skins/default/skin.ini", "[skin]\r\nNameOfSkin=default\r\nAuthor=Сам\r\n");
    dir.Write("Skins/blue/skin.ini", "[Skin]\r\nNameOfSkin=blue\r\nAuthor=Художник\r\nFormWidth=200\r\n");
    dir.Write("Skins/blue/Preview.bmp", SolidBitmap(20, 10, 0x0000FF));
    dir.Write("Skins/odd/skin.ini", "[skin]\r\nNameOfSkin=other\r\n");
  }
  void Choose(const std::string& folder) {
    Dialogs().fileAnswers = {dir.Str() + "Skins\\" + folder + "\\skin.ini"};
    AsUser([] { Form2->BitBtn11->Click(); });
  }
};

TEST_F(SkinChooserTest, PreviewOnShowingNamesTheCurrentSkin) {
  StartWith("");
  EXPECT_FALSE(Form2->Label31->Visible());
  Form2->Show();
  EXPECT_TRUE(Form2->Label31->Visible());
  EXPECT_EQ(Form2->Label31->Caption(), "default");
  EXPECT_EQ(Form2->Label33->Caption(), "Сам");
  EXPECT_EQ(Form2->Image1->Picture().width, 160);
  EXPECT_EQ(Form2->previewSkinIniPath, dir.Str() + "Skins\\default\\skin.ini");
}

TEST_F(SkinChooserTest, ChosenSkinIsStoredByItsNameShownAndApplied) {
  StartWith("");
  Choose("blue");
  const auto& options = Dialogs().fileCalls.at(0).options;
  EXPECT_EQ(options.initialDir, dir.Str() + "Skins");
  EXPECT_EQ(options.fileName, "skin.ini");
  ASSERT_EQ(options.filters.size(), 1u);
  EXPECT_EQ(options.filters[0].pattern, "skin.ini");
  EXPECT_TRUE(options.fileMustExist && options.pathMustExist && options.hideReadOnly && options.resizable &&
              options.noPlacesBar);
  EXPECT_TRUE(Shown().empty());
  EXPECT_EQ(Key("Clock", "skin"), "blue");
  EXPECT_EQ(Form2->Label31->Caption(), "blue");
  EXPECT_EQ(Form2->Label33->Caption(), "Художник");
  EXPECT_EQ(Form2->Image1->Picture().width, 20);
  EXPECT_EQ(Form1->skinName, "blue");
  EXPECT_EQ(Form1->Width(), 200);
}

// A skin the clock could not load is refused with a message, and nothing is stored.
TEST_F(SkinChooserTest, ASkinWhoseDescriptionCannotBeReadIsRefused) {
  StartWith("");
  // Named unlike its folder: there is no Skins\other\skin.ini.
  Choose("odd");
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_EQ(Shown()[0].text, "Скин \"other\" не выбран: не удалось прочитать файл " + dir.Str() +
                                 "Skins\\other\\skin.ini. Имя скина (NameOfSkin) должно совпадать с именем его папки.");
  // A "skin.ini" that is no file the program can read.
  std::filesystem::create_directories(dir.Str() + "Skins/locked/skin.ini");
  Choose("locked");
  ASSERT_EQ(Shown().size(), 2u);
  EXPECT_EQ(Shown()[1].text, "Не удалось прочитать файл " + dir.Str() + "Skins\\locked\\skin.ini. Скин не выбран.");

  EXPECT_EQ(Key("Clock", "skin"), "(none)");
  EXPECT_FALSE(Form2->Label31->Visible());
  EXPECT_EQ(Form1->skinName, "default");
}

TEST_F(SkinChooserTest, ASkinWithoutPicturesIsTakenWithTheDefaultSkinsAndNoPreview) {
  dir.Write("Skins/bare/skin.ini", "[skin]\r\nNameOfSkin=bare\r\nForm=face.bmp\r\nFormWidth=150\r\n");
  StartWith("");
  Form2->Show();
  Choose("bare");
  EXPECT_TRUE(Shown().empty()) << Shown()[0].text;
  EXPECT_EQ(Key("Clock", "skin"), "bare");
  EXPECT_EQ(Form1->skinName, "bare");
  EXPECT_EQ(Form1->Width(), 150);
  EXPECT_EQ(Form1->Image1->Picture().width, 180);  // the default skin's face
  EXPECT_EQ(Form2->Label31->Caption(), "bare");
  EXPECT_TRUE(Form2->Image1->Picture().Empty());
  // Shown again later, the page says the same without an error.
  Form2->Close();
  Form2->Show();
  EXPECT_TRUE(Shown().empty()) << Shown()[0].text;
  EXPECT_TRUE(Form2->Image1->Picture().Empty());
}

TEST_F(SkinChooserTest, ASkinThatFailsToApplyIsNotKept) {
  dir.Write("Skins/bad/skin.ini", "[skin]\r\nNameOfSkin=bad\r\nFormWidth=150\r\nTimeColor=olive\r\n");
  StartWith("[Clock]\r\nskin=blue\r\n");
  ASSERT_EQ(Form1->Width(), 200);
  Choose("bad");
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_NE(Shown()[0].text.find("'olive'"), std::string::npos) << Shown()[0].text;
  EXPECT_EQ(Key("Clock", "skin"), "blue");
  EXPECT_EQ(Form1->skinName, "blue");
  EXPECT_EQ(Form1->Width(), 200);
  EXPECT_EQ(Form1->Label2->Font().color, ui::clOlive);
}

TEST_F(SkinChooserTest, CancelledChooserChangesNothing) {
  StartWith("");
  AsUser([] { Form2->BitBtn11->Click(); });
  EXPECT_EQ(Key("Clock", "skin"), "(none)");
  EXPECT_TRUE(Shown().empty());
}

TEST_F(SkinChooserTest, MissingSkinFileShowsUnknownNameAndAuthor) {
  StartWith("[Clock]\r\nskin=gone\r\n");
  Shown().clear();  // the clock's own skin loading reports the missing skin's pictures
  dir.Write("Skins/gone/Preview.bmp", SolidBitmap(8, 8, 0));
  Form2->Show();
  EXPECT_EQ(Form2->Label31->Caption(), "Неизвестен");
  EXPECT_EQ(Form2->Label33->Caption(), "Неизвестен");
}

// The run keys held and refused, as letters: "m" the per-machine key, "u" the per-user key.
struct KeyCase {
  const char* held;
  const char* refused;
  const char* heldAfterChange;  // the keys holding the program after the user clicked the box
};
constexpr KeyCase kKeyCases[] = {
    {"", "", "u"},    {"", "m", "u"},    {"", "u", "m"},    {"", "mu", ""},
    {"u", "", ""},    {"u", "m", ""},    {"u", "u", "u"},   {"u", "mu", "u"},
    {"m", "", ""},    {"m", "m", "m"},   {"m", "u", ""},    {"m", "mu", "m"},
    {"mu", "", ""},   {"mu", "m", "m"},  {"mu", "u", "u"},  {"mu", "mu", "mu"},
};

class AutostartPageTest : public SettingsPageTest {
 protected:
  static std::set<platform::RunKeyScope> Scopes(const std::string& letters) {
    std::set<platform::RunKeyScope> scopes;
    if (letters.find('m') != std::string::npos) scopes.insert(platform::RunKeyScope::kMachine);
    if (letters.find('u') != std::string::npos) scopes.insert(platform::RunKeyScope::kUser);
    return scopes;
  }
  void Hold(const KeyCase& c) {
    Registry().values.clear();
    for (auto scope : Scopes(c.held)) Registry().values[{scope, "Horavo v3.0"}] = dir.Str() + "Horavo.exe";
    Registry().readOnly = Scopes(c.refused);
    Registry().calls.clear();
  }
  std::string Held() {
    std::string letters;
    if (RunValue(platform::RunKeyScope::kMachine) != "(none)") letters += "m";
    if (RunValue(platform::RunKeyScope::kUser) != "(none)") letters += "u";
    return letters;
  }
  bool Changed() {
    return std::any_of(Registry().calls.begin(), Registry().calls.end(), [](auto& c) { return c.op != 'r'; });
  }
};

TEST_F(AutostartPageTest, AStartShowsWhatTheRunKeysHoldAndWritesNothing) {
  for (const KeyCase& c : kKeyCases) {
    Hold(c);
    StartWith("");
    const std::string what = std::string("held '") + c.held + "' refused '" + c.refused + "'";
    EXPECT_EQ(Form2->CheckBox5->Checked(), *c.held != '\0') << what;
    EXPECT_EQ(Held(), c.held) << what;
    EXPECT_FALSE(Changed()) << what;
    EXPECT_TRUE(Shown().empty()) << what;
    EndInstance();
  }
}

TEST_F(AutostartPageTest, AUsersChangeWritesOnlyTheKeysThatHoldTheValue) {
  for (const KeyCase& c : kKeyCases) {
    Hold(c);
    StartWith("");
    const std::string what = std::string("held '") + c.held + "' refused '" + c.refused + "'";
    const bool wasOn = *c.held != '\0';
    Form2->CheckBox5->UserClick();
    EXPECT_EQ(Held(), c.heldAfterChange) << what;
    const bool nowOn = *c.heldAfterChange != '\0';
    EXPECT_EQ(Form2->CheckBox5->Checked(), nowOn) << what;
    // Not done as asked: said once, with the box showing what the keys hold.
    EXPECT_EQ(Shown().size(), nowOn == wasOn ? 1u : 0u) << what;
    if (!Shown().empty()) {
      EXPECT_EQ(Shown()[0].text.find(wasOn ? "Не удалось отключить" : "Не удалось включить"), 0u) << what;
    }
    Shown().clear();
    EndInstance();
  }
}

TEST_F(AutostartPageTest, SwitchedOffAndOnAgainTheValueReturnsToItsKey) {
  const auto machine = platform::RunKeyScope::kMachine, user = platform::RunKeyScope::kUser;
  Registry().values[{machine, "Horavo v3.0"}] = dir.Str() + "Horavo.exe";
  StartWith("");
  Form2->CheckBox5->UserClick();
  EXPECT_EQ(Held(), "");
  Form2->CheckBox5->UserClick();
  EXPECT_EQ(RunValue(machine), dir.Str() + "Horavo.exe");  // an administrator's start for every user
  EXPECT_EQ(RunValue(user), "(none)");
  EndInstance();

  Registry().values.clear();
  Registry().values[{user, "Horavo v3.0"}] = dir.Str() + "Horavo.exe";
  StartWith("");
  Form2->CheckBox5->UserClick();
  Form2->CheckBox5->UserClick();
  EXPECT_EQ(Held(), "u");
}

TEST_F(SettingsPageTest, AutostartRefusedByBothKeysSaysSoAndKeepsTheStoredState) {
  const auto machine = platform::RunKeyScope::kMachine, user = platform::RunKeyScope::kUser;
  StartWith("");
  Registry().readOnly = {machine, user};
  Form2->CheckBox5->UserClick();
  EXPECT_FALSE(Form2->CheckBox5->Checked());
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_NE(Shown()[0].text.find("Не удалось включить запуск вместе с Windows"), std::string::npos);
  EXPECT_EQ(Shown()[0].flags, ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
  EXPECT_EQ(RunValue(machine), "(none)");
  EXPECT_EQ(RunValue(user), "(none)");
}

TEST_F(SettingsPageTest, AutostartLoadsFromEitherKey) {
  Registry().values[{platform::RunKeyScope::kUser, "Horavo v3.0"}] = dir.Str() + "Horavo.exe";
  Registry().readOnly = {platform::RunKeyScope::kMachine};
  StartWith("");
  EXPECT_TRUE(Form2->CheckBox5->Checked());
  EXPECT_TRUE(Shown().empty());
  EndInstance();
  Registry().values.clear();
  Registry().values[{platform::RunKeyScope::kMachine, "Horavo v3.0"}] = "D:\\elsewhere\\Horavo.exe";
  StartWith("");
  EXPECT_FALSE(Form2->CheckBox5->Checked());
}

TEST_F(SettingsPageTest, AnUnconvertibleTransparencyIsReportedOnceAndTheRestStillLoads) {
  dir.Write("Gear/Events.txt", "5\r\n");
  dir.Write("Gear/gear.ini", "[5]\r\ntime=10:00:00\r\ndate=07.12.2026\r\ntype=0\r\nperiod=2\r\n");
  for (const std::string value : {"abc", "99999999999"}) {
    StartWith("[TranspConfig]\r\nAlpha=" + value +
              "\r\n[Shutdown]\r\ncomment=Сохранено\r\ntimeout=15\r\n[Clock]\r\nHideNulls=1\r\nRunTray=0\r\n");
    ASSERT_EQ(Shown().size(), 1u) << value;
    EXPECT_NE(Shown()[0].text.find("Alpha"), std::string::npos) << Shown()[0].text;
    EXPECT_NE(Shown()[0].text.find("\"" + value + "\""), std::string::npos) << Shown()[0].text;
    EXPECT_EQ(Key("TranspConfig", "Alpha"), value);  // nothing written for it
    EXPECT_EQ(Form2->TrackBar1->Position(), 0);
    EXPECT_FALSE(Form1->AlphaBlend());
    EXPECT_EQ(Form2->Memo1->Text(), "Сохранено");
    EXPECT_EQ(Form2->CSpinEdit2->Text(), "15");
    EXPECT_FALSE(Form2->CheckBox10->Checked());
    EXPECT_EQ(Form2->ListView1->ItemCount(), 1);
    EXPECT_EQ(Form2->Edit8->Text(), dir.Str() + "Sound\\Beep.wav");
    // "ОК" keeps the stored comment, not the design text.
    Form2->Button1->Click();
    EXPECT_EQ(Key("Shutdown", "comment"), "Сохранено");
    Shown().clear();
    EndInstance();
  }
}

TEST_F(SettingsPageTest, VisitSiteOpensTheHelpPageInTheProgramFolder) {
  StartWith("");
  Form2->BitBtn13->Click();
  ASSERT_EQ(platform->fakeShell().calls.size(), 1u);
  testing_support::ExpectShellOpen(platform->fakeShell().calls[0], dir.Str() + "Help\\index.html", "", "");
  EXPECT_TRUE(Shown().empty());
  // The system cannot open it: said in Russian with the error icon, naming the file and why.
  platform->fakeShell().result = 31;  // no program for web pages
  dir.Write("Help/index.html", "<html></html>");
  Form2->BitBtn13->Click();
  platform->fakeShell().result = 2;  // the file is gone
  std::filesystem::remove(dir.Str() + "Help/index.html");
  Form2->BitBtn13->Click();
  ASSERT_EQ(Shown().size(), 2u);
  const std::string help = dir.Str() + "Help\\index.html";
  EXPECT_EQ(Shown()[0].text, "Не удалось открыть справку: " + help + "\r\nВ системе нет программы для просмотра веб-страниц.");
  EXPECT_EQ(Shown()[1].text, "Не удалось открыть справку: " + help + "\r\nФайл не найден.");
  for (const auto& box : Shown()) EXPECT_EQ(box.flags, ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
}

// ---- About window and colour picker

TEST_F(SettingsPageTest, AboutOpensWithoutBlockingOverTheLargeBackgroundEachTime) {
  platform->fakeResources().data["GRADIENTBIG"] =
      platform::ReadFile(std::string(HORAVO_ART_DIR) + "/jpeg/GRADIENTBIG.jpg").value_or("");
  StartWith("");
  EXPECT_FALSE(Form6->Visible());
  Form2->BitBtn12->Click();
  EXPECT_TRUE(Form6->Visible());
  EXPECT_FALSE(Form6->Image1->Picture().Empty());
  EXPECT_EQ(Form6->Image1->Picture().width, 720);
  // Shown in the window's blue, so that the silver labels can be read over it.
  const std::uint32_t corner = Form6->Image1->Picture().At(0, 0);
  EXPECT_EQ(corner >> 16, 0u);
  EXPECT_LT(corner & 0xFF, 170u);
  EXPECT_EQ(Form6->Caption(), "Об авторе");
  // The memo and the button keep a margin of 8 pixels inside the window; the edition's label
  // stays inside it too, moved left as far as the margin when its font is wide.
  for (ui::TControl* c : {static_cast<ui::TControl*>(Form6->Memo1), static_cast<ui::TControl*>(Form6->Button1)}) {
    EXPECT_EQ(c->Left(), 8);
    EXPECT_EQ(c->Left() + c->Width(), Form6->ClientWidth() - 8);
    EXPECT_LE(c->Top() + c->Height(), Form6->ClientHeight() - 8);
  }
  const ui::TLabel* edition = Form6->Label4;
  EXPECT_TRUE(edition->Left() + edition->Width() <= Form6->ClientWidth() - 8 || edition->Left() == 8);
  EXPECT_LE(edition->Left(), 40);
  EXPECT_EQ(Form6->Label2->Caption(), "Автор....................Dashmir");
  EXPECT_EQ(Form6->Label3->Caption(), "Число..................25.08.2005");
  EXPECT_FALSE(Form6->Label2->Hint().empty());
  EXPECT_TRUE(Form6->Memo1->ReadOnly());
  Form6->Image1->ClearPicture();
  Form6->Close();
  EXPECT_FALSE(Form6->Visible());
  Form2->BitBtn12->Click();
  EXPECT_FALSE(Form6->Image1->Picture().Empty());
}

TEST_F(SettingsPageTest, ColourPickerShowsColourNumbersAndRemembersTheLastColour) {
  StartWith("");
  Form6->Show();
  Form6->Button1->Click();
  EXPECT_TRUE(Form8->Visible());
  EXPECT_EQ(Form8->Caption(), "Определение цвета");
  EXPECT_EQ(Form8->Edit1->Text(), "");
  auto& dialogs = Dialogs();
  dialogs.colorAnswers = {ui::TColor(0x008080), ui::TColor(0xFF0000), std::nullopt, ui::TColor(0xFFFFFF),
                          ui::TColor(0)};
  std::vector<std::string> numbers;
  for (int i = 0; i < 5; ++i) {
    Form8->Button1->Click();
    numbers.push_back(Form8->Edit1->Text());
  }
  EXPECT_EQ(numbers, (std::vector<std::string>{"32896", "16711680", "16711680", "16777215", "0"}));
  // Each dialog starts on the colour chosen before it; black the first time.
  EXPECT_EQ(dialogs.colorStarts,
            (std::vector<ui::TColor>{0, 0x008080, 0xFF0000, 0xFF0000, 0xFFFFFF}));

  // There is one picker: opening it again only brings it up, with its number kept.
  Form8->Close();
  Form6->Button1->Click();
  Form6->Button1->Click();
  EXPECT_TRUE(Form8->Visible());
  EXPECT_EQ(Form8->Edit1->Text(), "0");
}

}  // namespace
