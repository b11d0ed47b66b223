// Start-up, single instance and close of the whole program over the fake platform.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "config/ini.h"
#include "platform/files.h"
#include "platform/startup_marks.h"
#include "tests/unit/program_fixture.h"

using testing_support::ProgramTest;

namespace {

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

class StartupTest : public ProgramTest {
 protected:
  std::string Key(const char* section, const char* key) {
    return config::TIniFile(dir.Str() + "Cfg/Clock_config.ini").ReadString(section, key, "(none)");
  }
};

TEST_F(StartupTest, WithoutConfigurationOpensAtSnappedDefaultPositionAndSavesItOnClose) {
  ASSERT_FALSE(Start());
  EXPECT_TRUE(platform->fakeDialogs().shown.empty());
  ASSERT_TRUE(Form1->Visible());
  // 895 / 687 saved by default, then pulled to the right and bottom edges of a 1024 x 768 screen.
  EXPECT_EQ(Form1->Left(), 1024 - 180);
  EXPECT_EQ(Form1->Top(), 741 - 70);
  EXPECT_EQ(Form1->Width(), 180);
  EXPECT_EQ(Form1->Height(), 70);
  EXPECT_EQ(Form1->skinName, "default");
  EXPECT_FALSE(Form1->AlphaBlend());
  EXPECT_EQ(Form1->fadingIn, 0);
  EXPECT_EQ(Form1->clockMode, 1);
  EXPECT_EQ(Form1->Timer1->Interval(), 1000);
  EXPECT_EQ(Form1->BorderStyle(), ui::TBorderStyle::bsNone);
  EXPECT_EQ(Form1->FormStyle(), ui::TFormStyle::fsStayOnTop);
  EXPECT_TRUE(Form1->TransparentColor());
  EXPECT_TRUE(widgets->taskbarHidden);
  EXPECT_EQ(widgets->hintPause, 400);
  EXPECT_EQ(widgets->hintShortPause, 1);
  EXPECT_EQ(widgets->hintHidePause, 1410065408);
  EXPECT_EQ(system.mutexes.count("mtxUIV2"), 1u);
  EXPECT_EQ(Form1->appDir, dir.Str());

  // The settings window stored the values its controls show where they differ from their design;
  // the default sound, in the program folder, relative to it.
  const std::string beep = "Sound\\Beep.wav";
  EXPECT_EQ(Config(), "[Position]\r\nSave=1\r\n[AckConfig]\r\nMidnightAck=0\r\nHourAck=0\r\nMidnightFileAck=" + beep +
                          "\r\nHourFileAck=" + beep + "\r\nMinFileAck=" + beep +
                          "\r\n[Shutdown]\r\ntimeout=80\r\n[Clock]\r\nStickCon=1\r\nRunTray=1\r\n");
  CloseMainWindow();
  EXPECT_TRUE(program->Application().Terminated());
  EXPECT_EQ(Key("Position", "X"), "844");
  EXPECT_EQ(Key("Position", "Y"), "671");
  EXPECT_EQ(platform->libraryLog.releases, 1);
}

TEST_F(StartupTest, ShowsTheCurrentTimeDateAndTrayHint) {
  ASSERT_FALSE(Start());
  EXPECT_EQ(Form1->Label1->Caption(), "07.12.2026");
  EXPECT_EQ(Form1->Label2->Caption(), "09");  // padded from the start, not from the first tick
  EXPECT_EQ(Form1->Label4->Caption(), "07");
  Advance(1000);
  EXPECT_EQ(Form1->Label2->Caption(), "09");
  EXPECT_EQ(Form1->Label3->Caption(), "05");
  EXPECT_EQ(Form1->Label4->Caption(), "08");
  EXPECT_EQ(Form1->TrayIcon1->Hint(), "Время 09:05:08 | Число 07.12.2026");
}

TEST_F(StartupTest, SavedPositionIsRestoredAndWrittenBack) {
  dir.Write("Cfg/Clock_config.ini", "[Position]\r\nSave=1\r\nX=300\r\nY=200\r\n");
  ASSERT_FALSE(Start());
  EXPECT_EQ(Form1->Left(), 300);
  EXPECT_EQ(Form1->Top(), 200);
  Form1->SetBounds(310, 220, Form1->Width(), Form1->Height());
  CloseMainWindow();
  EXPECT_EQ(Key("Position", "X"), "310");
  EXPECT_EQ(Key("Position", "Y"), "220");
}

TEST_F(StartupTest, APositionThatCannotBeSavedIsReportedAndTheProgramStillCloses) {
  ASSERT_FALSE(Start());
  dir.Remove("Cfg");
  CloseMainWindow();
  auto& shown = platform->fakeDialogs().shown;
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0].text.find("Не удалось записать файл"), std::string::npos);
  EXPECT_NE(shown[0].text.find("Clock_config.ini"), std::string::npos);
  EXPECT_TRUE(program->Application().Terminated());
  EXPECT_EQ(platform->libraryLog.releases, 1);
}

TEST_F(StartupTest, PositionSavingOffIgnoresTheSavedPlaceAndWritesNothing) {
  const std::string config = "[Position]\r\nSave=0\r\nX=300\r\nY=200\r\n";
  dir.Write("Cfg/Clock_config.ini", config);
  ASSERT_FALSE(Start());
  EXPECT_NE(Form1->Left(), 300);
  EXPECT_NE(Form1->Top(), 200);
  CloseMainWindow();
  EXPECT_EQ(Key("Position", "Save"), "0");
  EXPECT_EQ(Key("Position", "X"), "300");
  EXPECT_EQ(Key("Position", "Y"), "200");
}

TEST_F(StartupTest, AnyValueButOneCountsAsPositionSavingOff) {
  dir.Write("Cfg/Clock_config.ini", "[Position]\r\nSave=yes\r\nX=300\r\nY=200\r\n");
  ASSERT_FALSE(Start());
  EXPECT_NE(Form1->Left(), 300);
  CloseMainWindow();
  EXPECT_EQ(Key("Position", "Save"), "yes");
  EXPECT_EQ(Key("Position", "X"), "300");
  EXPECT_EQ(Key("Position", "Y"), "200");
}

TEST_F(StartupTest, NumbersThatAreNotNumbersAreNamedOnceAndTheClockRunsWithTheDefaults) {
  dir.Write("Cfg/Clock_config.ini",
            "[Clock]\r\nRunTray=0\r\nHideNulls=$1\r\nshowIntitle=yes\r\n[AckConfig]\r\nMidnightAck=abc\r\nHourAck=99999999999\r\n"
            "[Position]\r\nX=300\r\nY=200\r\n");
  ASSERT_FALSE(Start());
  auto& shown = platform->fakeDialogs().shown;
  ASSERT_EQ(shown.size(), 1u) << shown.back().text;
  EXPECT_EQ(shown[0].text,
            "В файле настроек не числа: [Clock] HideNulls, [AckConfig] MidnightAck, [AckConfig] HourAck, "
            "[Clock] showIntitle. Вместо них взяты значения по умолчанию.");
  EXPECT_EQ(shown[0].caption, "Horavo");
  EXPECT_EQ(shown[0].flags, ui::MB_ICONERROR_FLAG);
  // Every step of the start ran: the lock, the stored place, the clock mode, the defaults.
  EXPECT_FALSE(system.mutexes.empty());
  EXPECT_EQ(Form1->Left(), 300);
  EXPECT_EQ(Form1->clockMode, 1);
  EXPECT_EQ(Form1->hideNulls, 0);
  EXPECT_EQ(Form1->midnightBeepFreq, 0);
  EXPECT_EQ(Form1->showInTitle, 0);
  // The clock ticks, and says nothing more; the stored values are left as they are.
  const std::string seconds = Form1->Label4->Caption();
  Advance(3000);
  EXPECT_NE(Form1->Label4->Caption(), seconds);
  EXPECT_EQ(shown.size(), 1u);
  EXPECT_EQ(Key("AckConfig", "MidnightAck"), "abc");
}

TEST_F(StartupTest, AStoredPlaceThatIsNotANumberOpensAtTheDefaultPlace) {
  dir.Write("Cfg/Clock_config.ini", "[Position]\r\nX=left\r\nY=200\r\n");
  ASSERT_FALSE(Start());
  auto& shown = platform->fakeDialogs().shown;
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0].text.find("[Position] X"), std::string::npos) << shown[0].text;
  EXPECT_FALSE(system.mutexes.empty());
  EXPECT_EQ(Form1->clockMode, 1);
}

TEST_F(StartupTest, MissingEventListIsReportedAndTheWindowStillOpens) {
  dir.Remove("Gear/Events.txt");
  ASSERT_FALSE(Start());
  // The main window and the settings window each report it as they read the list.
  auto& shown = platform->fakeDialogs().shown;
  ASSERT_EQ(shown.size(), 2u);
  for (const auto& box : shown) EXPECT_NE(box.text.find("Events.txt"), std::string::npos);
  EXPECT_TRUE(Form1->Visible());
}

TEST_F(StartupTest, SecondInstanceShowsTheExactMessageAndEndsWithoutWindow) {
  system.mutexes.insert("mtxUIV2");  // another running copy holds it
  auto code = Start();
  ASSERT_TRUE(code);
  EXPECT_EQ(*code, 0);
  auto& shown = platform->fakeDialogs().shown;
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(Hex(shown[0].text), "CF 70 EE E3 70 E0 EC EC E0 20 79 E6 E5 20 E7 E0 EF 79 F9 E5 ED E0");
  EXPECT_EQ(shown[0].flags, ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
  ASSERT_NE(Form1, nullptr);
  EXPECT_FALSE(Form1->Visible());
  EXPECT_EQ(Form2, nullptr);  // no further window was created
  // Nothing ticks behind the message on a window that is going away.
  EXPECT_FALSE(Form1->Timer1->Enabled());
  EXPECT_FALSE(Form1->Timer2->Enabled());
}

TEST_F(StartupTest, MissingImageLibraryEndsBeforeAnythingElse) {
  dir.Remove("resources/images.dll");
  auto code = Start();
  ASSERT_TRUE(code);
  EXPECT_EQ(*code, 0);
  auto& shown = platform->fakeDialogs().shown;
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "Не найдена библиотека resourcesimages.dll! Переустановите программу");
  EXPECT_EQ(shown[0].flags, ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
  EXPECT_EQ(platform->libraryLog.loads, std::vector<std::string>{"resources\\images.dll"});
  EXPECT_TRUE(platform->fakeProcess().mutexRequests.empty());
  EXPECT_EQ(Form1, nullptr);
  EXPECT_EQ(program->Application().MainForm(), nullptr);
  EXPECT_FALSE(dir.Exists("Cfg/Clock_config.ini"));
}

TEST_F(StartupTest, FadeInStartsTransparentAndRisesToTheTargetOpacity) {
  dir.Write("Cfg/Clock_config.ini", "[TranspConfig]\r\nAlpha=250\r\nSpeed=20\r\n");
  ASSERT_FALSE(Start());
  EXPECT_TRUE(Form1->AlphaBlend());
  // The settings window, created right after the clock, already gave it the opacity of its
  // slider, which holds the transparency within 0..200; so the fade-in ends on its first step.
  EXPECT_EQ(Form1->AlphaBlendValue(), 55);
  EXPECT_EQ(Key("TranspConfig", "Alpha"), "200");
  EXPECT_EQ(Form1->Timer1->Interval(), 20);
  EXPECT_EQ(Form1->fadingIn, 1);
  EXPECT_EQ(Form1->clockMode, 0);
  Advance(20);
  EXPECT_EQ(Form1->fadingIn, 0);
  EXPECT_EQ(Form1->AlphaBlendValue(), 55);

  // The fade-in itself, from its first step.
  EndInstance();
  dir.Write("Cfg/Clock_config.ini", "[TranspConfig]\r\nAlpha=250\r\nSpeed=20\r\n");
  ASSERT_FALSE(Start());
  RewindFadeIn();
  Advance(20);
  EXPECT_EQ(Form1->AlphaBlendValue(), 2);
  Advance(20 * 3);
  EXPECT_EQ(Form1->AlphaBlendValue(), 5);  // target 255 - 250 reached
  EXPECT_EQ(Form1->fadingIn, 0);
  EXPECT_EQ(Form1->clockMode, 1);
  EXPECT_EQ(Form1->Timer1->Interval(), 1000);
}

TEST_F(StartupTest, ReadsChimeSettingsWithTheirDefaults) {
  dir.Write("Cfg/Clock_config.ini", "[AckConfig]\r\nHourAck=440\r\nMinFileAck=\r\n");
  ASSERT_FALSE(Start());
  EXPECT_EQ(Form1->midnightSoundFile, dir.Str() + "Sound\\Beep.wav");
  EXPECT_EQ(Form1->hourSoundFile, dir.Str() + "Sound\\Beep.wav");
  EXPECT_EQ(Form1->minuteSoundFile, "");
  EXPECT_EQ(Form1->hourBeepFreq, 440);
  EXPECT_EQ(Form1->midnightBeepFreq, 0);
}

TEST_F(StartupTest, MainMenuHasItsItemsCaptionsAndPictures) {
  ASSERT_FALSE(Start());
  std::vector<std::string> captions;
  for (auto* item : Form1->PopupMenu2->Items()->Items()) captions.push_back(item->Caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"Свернуть в трей", "-", "Добавить событие", "Календарь...", "Шаблоны...",
                                                "Настройки программы", "-", "Остановить выход из системы", "-",
                                                "Закрыть приложение"}));
  std::vector<std::string> templates;
  for (auto* item : Form1->N13->Items()) templates.push_back(item->Caption);
  EXPECT_EQ(templates, (std::vector<std::string>{"Через 1 минуту", "Через 5 минут", "Через 10 минут", "Через 15 минут",
                                                 "-", "Через 20 минут", "Через 30 минут", "Через 45 минут", "-",
                                                 "Через час", "Через 90 минут", "Через 2 часа"}));
  for (auto* item : {Form1->N8, Form1->N12, Form1->N4, Form1->N11, Form1->N6})
    EXPECT_FALSE(item->Bitmap.Empty()) << item->Caption;
  EXPECT_NE(Form1->N8->Bitmap, Form1->N6->Bitmap);
  EXPECT_TRUE(Form1->N5->Bitmap.Empty());
}

TEST_F(StartupTest, CloseFromTheMenuEndsTheProgramAndClosesTheOtherWindows) {
  ASSERT_FALSE(Start());
  Form2->Show();
  Form1->N5->Click();
  EXPECT_TRUE(program->Application().Terminated());
  EXPECT_FALSE(Form2->Visible());
  EXPECT_NE(Config().find("[Position]"), std::string::npos);
}

TEST_F(StartupTest, RightClickOnTheFaceOpensTheMainMenu) {
  ASSERT_FALSE(Start());
  Form1->RouteMouseDown(ui::TMouseButton::mbRight, 0, {5, 60});
  Form1->RouteMouseUp(ui::TMouseButton::mbRight, 0, {5, 60});
  EXPECT_EQ(Form1->PopupMenu2->PopupCount(), 1);
  EXPECT_EQ(Form1->PopupMenu2->LastPopupPoint(), (ui::TPoint{Form1->Left() + 5, Form1->Top() + 60}));
}

TEST_F(StartupTest, StartupMarksAreWrittenInOrderOnlyWhenAsked) {
  const std::string marks = dir.Str() + "marks.txt";
  // Not asked: nothing is written.
  platform::ResetStartupMarks();
  ::unsetenv("HORAVO_STARTUP_MARKS");
  ASSERT_FALSE(Start());
  EXPECT_FALSE(platform::FileExists(marks));
  EndInstance();

  ::setenv("HORAVO_STARTUP_MARKS", marks.c_str(), 1);
  platform::ResetStartupMarks();
  ASSERT_FALSE(Start());
  platform::ResetStartupMarks();  // closes the file
  ::unsetenv("HORAVO_STARTUP_MARKS");
  std::vector<std::string> names;
  double last = 0;
  std::istringstream lines(platform::ReadFile(marks).value_or(""));
  for (std::string line; std::getline(lines, line);) {
    const auto tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos) << line;
    const double at = std::stod(line.substr(0, tab));
    EXPECT_GE(at, last) << line;  // times since 1970 in milliseconds, never going back
    EXPECT_GT(at, 1.7e12) << line;
    last = at;
    names.push_back(line.substr(tab + 1));
  }
  std::vector<std::string> expected = {"program entered", "picture library loaded", "Form1 constructed",
                                       "event list read", "skin and its pictures read", "configuration read",
                                       "Form1 created"};
  for (const char* form : {"Form2", "Form3", "Form4", "Form5", "Form6", "Form7", "Form8"}) {
    expected.push_back(std::string(form) + " constructed");
    expected.push_back(std::string(form) + " created");
  }
  expected.push_back("Form1 shown");
  // The headless backend may paint; only the first paint is marked, after the show.
  if (names.size() == expected.size() + 1) EXPECT_EQ(names.back(), "Form1 first paint");
  names.resize(std::min(names.size(), expected.size()));
  EXPECT_EQ(names, expected);
}

TEST_F(StartupTest, WindowsAreCreatedInOrderAndOnlyTheMainOneIsShown) {
  ASSERT_FALSE(Start());
  const auto& forms = program->Application().Forms();
  ASSERT_EQ(forms.size(), 8u);
  std::vector<std::string> names;
  for (const auto& f : forms) names.push_back(f->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Form1", "Form2", "Form3", "Form4", "Form5", "Form6", "Form7", "Form8"}));
  EXPECT_EQ(program->Application().MainForm(), Form1);
  for (std::size_t i = 1; i < forms.size(); ++i) EXPECT_FALSE(forms[i]->Visible()) << names[i];
  EXPECT_EQ(widgets->title, "Horavo");
}

}  // namespace
