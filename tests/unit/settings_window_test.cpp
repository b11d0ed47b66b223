// The settings window's frame, its event editor and the quick power-off templates, on a whole
// headless program. The fake clock stands at 07.12.2026 09:05:07.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "config/convert.h"
#include "events/scheduler.h"
#include "tests/unit/program_fixture.h"
#include "ui/application.h"

using testing_support::EventsProgramTest;

namespace {

std::string ReadArt(const std::string& name) {
  std::ifstream in(std::string(HORAVO_ART_DIR) + "/jpeg/" + name + ".jpg", std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Counts how often the window's size changes: a control aligned to the form is laid out again
// at each change.
class SizeWatch : public ui::TWinControl {
 public:
  explicit SizeWatch(ui::TForm* form) : ui::TWinControl(form) {
    SetAlign(ui::TAlign::alClient);
    SetParent(form);
    changes = 0;
  }
  int changes = 0;

 protected:
  void BoundsChanged() override { ++changes; }
};

class SettingsWindowTest : public EventsProgramTest {
 protected:
  SettingsWindowTest() {
    dir.Write("Cfg/Clock_config.ini", "[Clock]\r\nRunTray=0\r\n");
    for (const char* name : {"GRADIENTBIG", "GRADIENTSMALL", "GRADIENTSMALLBOTTOM"})
      platform->fakeResources().data[name] = ReadArt(name);
  }

  void StartProgram() { ASSERT_FALSE(Start()); }
  std::string Gear() const { return dir.Read("Gear/gear.ini").value_or(""); }
  std::string List() const { return dir.Read("Gear/Events.txt").value_or(""); }
  std::string AppDir() { return program->Files().AppDir(); }
  ui::Image LibraryBitmap(const std::string& name) {
    auto lib = platform->NewResourceLibrary();
    lib->Load("resources\\images.dll");
    return lib->Bitmap(name).value_or(ui::Image{});
  }

  // Presses " Добавить событие" and returns the number drawn for the new event.
  std::string Begin() {
    Form2->BitBtn4->Click();
    return Form2->Edit5->Text();
  }
  void Commit() {
    EXPECT_EQ(Form2->BitBtn4->Caption(), "OK");
    Form2->BitBtn4->Click();
  }
  // The user chooses an action page by its tab.
  void ChooseType(int page) { Form2->PageControl2->TabClicked(page); }
};

std::string Section(const std::string& number, const std::string& keys) {
  return "[" + number + "]\r\ntime=09:05:07\r\ndate=07.12.2026\r\n" + keys;
}

// ---- The event editor: what a commit stores

TEST_F(SettingsWindowTest, EachActionTypeStoresItsKeysInTheirOrderAndItsSideFile) {
  StartProgram();
  TForm2& w = *Form2;
  Form1->N8->Click();
  ASSERT_TRUE(w.Visible());

  const std::string signal = Begin();
  w.Edit1->TextEdited("440");
  w.Edit2->TextEdited("250");
  w.RadioButton2->UserClick();
  Commit();

  const std::string file = Begin();
  ChooseType(1);
  w.Edit3->TextEdited("C:\\Games\\run.exe");
  w.RadioButton3->UserClick();
  Commit();

  const std::string logoff = Begin();
  ChooseType(2);
  w.RadioButton4->UserClick();
  w.CheckListBox2->CheckToggled(1);
  w.CheckListBox2->CheckToggled(5);
  Commit();

  const std::string restart = Begin();
  ChooseType(3);  // back to "В указанный день"
  Commit();

  // The weekday marks stay from the last addition; cleared, all seven keys are written as "0".
  const std::string powerOff = Begin();
  ChooseType(4);
  w.Label2->Click();
  ASSERT_TRUE(w.RadioButton4->Checked());
  w.CheckListBox2->CheckToggled(1);
  w.CheckListBox2->CheckToggled(5);
  Commit();

  const std::string reminder = Begin();
  ChooseType(5);
  w.RichEdit1->SetText("Позвонить маме");
  Commit();
  const std::string reminderText = w.RichEdit1->RichText();

  platform->fakeCommonDialogs().fileAnswers.push_back("C:\\Photos\\ivan.jpg");
  const std::string birthday = Begin();
  ChooseType(6);
  w.RichEdit2->SetText("Иван Петров");
  w.CheckBox1->UserClick();
  w.BitBtn7->Click();
  w.BitBtn9->Click();
  ASSERT_TRUE(Form7->Visible());
  Form7->Edit1->TextEdited("ivan");
  Form7->Edit2->TextEdited("mail");
  Form7->Edit3->TextEdited("ru");
  Form7->Button3->Click();
  Commit();
  const std::string birthdayText = w.RichEdit2->RichText();

  const std::string days = "Mon=0\r\nTue=1\r\nWed=0\r\nThu=0\r\nFri=0\r\nSat=1\r\nSun=0\r\n";
  const std::string noDays = "Mon=0\r\nTue=0\r\nWed=0\r\nThu=0\r\nFri=0\r\nSat=0\r\nSun=0\r\n";
  const std::string sections[] = {
      Section(signal, "type=0\r\nms=250\r\nhz=440\r\nperiod=2\r\n"),
      Section(file, "type=1\r\npathtofile=C:\\Games\\run.exe\r\nperiod=3\r\n"),
      Section(logoff, "type=2\r\nperiod=4\r\n" + days),
      Section(restart, "type=3\r\nperiod=1\r\n"),
      Section(powerOff, "type=4\r\nperiod=4\r\n" + noDays),
      Section(reminder, "type=5\r\npathtotxt=" + AppDir() + "notes\\" + reminder + ".zqt\r\nperiod=1\r\n"),
      Section(birthday, "type=6\r\npathtobirthday=" + AppDir() + "days\\" + birthday +
                            ".zqd\r\nBrith?=1\r\nFoto=C:\\Photos\\ivan.jpg\r\nEmail=ivan@mail.ru\r\n"),
  };
  const std::string gear = Gear();
  std::size_t at = 0;
  for (const std::string& section : sections) {
    const std::size_t found = gear.find(section, at);
    ASSERT_NE(found, std::string::npos) << section << "\nin\n" << gear;
    at = found + section.size();
    EXPECT_TRUE(at == gear.size() || gear.compare(at, 1, "[") == 0 || gear.compare(at, 2, "\r\n") == 0);
  }
  EXPECT_EQ(List(), signal + "\r\n" + file + "\r\n" + logoff + "\r\n" + restart + "\r\n" + powerOff + "\r\n" +
                        reminder + "\r\n" + birthday + "\r\n");
  EXPECT_EQ(dir.Read("notes/" + reminder + ".zqt"), reminderText);
  EXPECT_EQ(dir.Read("days/" + birthday + ".zqd"), birthdayText);
  EXPECT_NE(reminderText.find("{\\rtf"), std::string::npos);
  EXPECT_EQ(w.storedCodes.size(), 7u);
  EXPECT_EQ(w.birthdayFlag, 1);
}

TEST_F(SettingsWindowTest, ASecondBirthdayKeepsThePictureButNotTheAddress) {
  StartProgram();
  TForm2& w = *Form2;
  Form1->N8->Click();
  platform->fakeCommonDialogs().fileAnswers.push_back("C:\\Photos\\a.jpg");
  const std::string first = Begin();
  ChooseType(6);
  w.CheckBox1->UserClick();
  w.BitBtn7->Click();
  w.BitBtn9->Click();
  Form7->Edit1->TextEdited("a");
  Form7->Button3->Click();
  Commit();
  const std::string second = Begin();
  Commit();
  EXPECT_NE(Gear().find("Foto=C:\\Photos\\a.jpg\r\nEmail=a@.\r\n"), std::string::npos);
  EXPECT_NE(Gear().find("[" + second + "]\r\ntime=09:05:07\r\ndate=07.12.2026\r\ntype=6\r\npathtobirthday=" +
                        AppDir() + "days\\" + second + ".zqd\r\nBrith?=1\r\nFoto=C:\\Photos\\a.jpg\r\nEmail=\r\n"),
            std::string::npos)
      << Gear();
}

TEST_F(SettingsWindowTest, AFailedWriteAtAnyStepLeavesTheAdditionPendingAndNoFileBehind) {
  StartProgram();
  dir.Write("Gear/gear.ini", "");
  Form1->N8->Click();
  const std::function<void(bool)> steps[] = {
      [&](bool refuse) {
        if (refuse)
          std::filesystem::remove_all(dir.Path() / "notes");
        else
          std::filesystem::create_directories(dir.Path() / "notes");
      },
      [&](bool refuse) {
        std::filesystem::permissions(dir.Path() / "Gear/gear.ini", refuse ? std::filesystem::perms::owner_read
                                                                          : std::filesystem::perms::owner_all);
      },
      [&](bool refuse) {
        std::filesystem::permissions(dir.Path() / "Gear/Events.txt", refuse ? std::filesystem::perms::owner_read
                                                                            : std::filesystem::perms::owner_all);
      },
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    const std::string number = Begin();
    ChooseType(5);
    Form2->RichEdit1->SetText("текст");
    steps[i](true);
    EXPECT_ANY_THROW(Form2->BitBtn4->Click()) << i;
    steps[i](false);
    EXPECT_TRUE(Form2->Recording()) << i;
    EXPECT_EQ(List(), "") << i;
    EXPECT_EQ(Gear(), "") << i;
    EXPECT_FALSE(dir.Exists("notes/" + number + ".zqt")) << i;
    EXPECT_TRUE(program->Scheduler().Names().empty()) << i;
    Form2->BitBtn6->Click();
  }
}

TEST_F(SettingsWindowTest, ACommitWhoseRefreshFailsIsOverAndReportedOnce) {
  // A stored type that is no number under the filter "Только сигналы" makes every refresh fail.
  dir.Write("Gear/Events.txt", "77\r\n");
  dir.Write("Gear/gear.ini", "[77]\r\ntime=10:00:00\r\ndate=07.12.2026\r\ntype=x\r\nperiod=2\r\n");
  StartProgram();
  TForm2& w = *Form2;
  Form1->N8->Click();
  program->Application().Guard([&] { w.N2->Click(); });
  platform->fakeDialogs().shown.clear();
  const std::string number = Begin();
  w.RadioButton2->UserClick();
  Commit();
  EXPECT_EQ(platform->fakeDialogs().shown.size(), 1u);
  EXPECT_FALSE(w.Recording());
  EXPECT_EQ(w.Caption(), "Настройки - Режим: Просмотр");
  EXPECT_EQ(List(), "77\r\n" + number + "\r\n");
  EXPECT_EQ(program->Scheduler().Names(), (std::vector<std::string>{"77", number}));
  // The next press begins another addition; it never stores the same number again.
  const std::string next = Begin();
  EXPECT_TRUE(w.Recording());
  EXPECT_NE(next, number);
  EXPECT_EQ(List(), "77\r\n" + number + "\r\n");
}

TEST_F(SettingsWindowTest, AnEmptyReminderOrAPassedMomentIsStoredOnlyAfterYes) {
  StartProgram();
  TForm2& w = *Form2;
  auto& dialogs = platform->fakeDialogs();
  Form1->N8->Click();

  const std::string reminder = Begin();
  ChooseType(5);
  w.RichEdit1->SetText(" \r\n");
  dialogs.answers = {ui::ID_NO};
  Commit();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Текст напоминания пуст. Сохранить?");
  EXPECT_EQ(dialogs.shown[0].flags, ui::MB_YESNO_FLAG | ui::MB_ICONQUESTION_FLAG);
  EXPECT_TRUE(w.Recording());
  EXPECT_EQ(List(), "");
  EXPECT_FALSE(dir.Exists("notes/" + reminder + ".zqt"));
  dialogs.answers = {ui::ID_YES};
  Commit();
  EXPECT_FALSE(w.Recording());
  EXPECT_EQ(List(), reminder + "\r\n");

  // Begun at 09:05:07, committed a minute later: a one-time moment that has passed.
  const std::string signal = Begin();
  ChooseType(0);
  platform->fakeClock().Set(2026, 12, 7, 9, 6, 7, 0);
  dialogs.shown.clear();
  dialogs.answers = {ui::ID_NO};
  Commit();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Это время уже прошло. Событие не сработает. Сохранить?");
  EXPECT_EQ(dialogs.shown[0].flags, ui::MB_YESNO_FLAG | ui::MB_ICONQUESTION_FLAG);
  EXPECT_TRUE(w.Recording());
  // The same moment every day, or a birthday, is not lost: no question.
  w.RadioButton2->UserClick();
  Commit();
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(List(), reminder + "\r\n" + signal + "\r\n");
  const std::string birthday = Begin();
  ChooseType(6);
  w.DateTimePicker2->SetDate({2026, 3, 1});
  Commit();
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_FALSE(w.Recording());

  // Both at once: two questions, and "Нет" at the second still keeps the addition.
  const std::string both = Begin();
  ChooseType(5);
  w.RichEdit1->SetText("");
  w.DateTimePicker2->SetDate({2026, 12, 6});
  dialogs.shown.clear();
  dialogs.answers = {ui::ID_YES, ui::ID_NO};
  Commit();
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].text, "Это время уже прошло. Событие не сработает. Сохранить?");
  EXPECT_TRUE(w.Recording());
  EXPECT_EQ(List(), reminder + "\r\n" + signal + "\r\n" + birthday + "\r\n");
}

// ---- Modes

TEST_F(SettingsWindowTest, ViewAndRecordModesShowInCaptionsButtonsAndControls) {
  StartProgram();
  TForm2& w = *Form2;
  EXPECT_EQ(w.Caption(), "Настройки -  Режим: Просмотр");
  EXPECT_EQ(w.BitBtn4->Caption(), " Добавить событие");
  EXPECT_EQ(w.BitBtn6->Caption(), "Удалить событие");
  EXPECT_FALSE(w.Recording());
  for (ui::TControl* c : std::initializer_list<ui::TControl*>{w.GroupBox1, w.GroupBox2, w.DateTimePicker1,
                                                               w.DateTimePicker2, w.SpeedButton1, w.BitBtn1, w.BitBtn2,
                                                               w.BitBtn7, w.BitBtn9})
    EXPECT_FALSE(c->Enabled()) << c->Name;
  EXPECT_TRUE(w.RadioButton1->Checked());
  EXPECT_FALSE(w.CheckListBox2->Visible());
  EXPECT_EQ(w.Edit5->Text(), "00001");
  EXPECT_TRUE(w.Edit5->ReadOnly());
  EXPECT_EQ(w.Edit5->MaxLength(), 5);
  EXPECT_EQ(w.Edit1->Text(), "800");
  EXPECT_EQ(w.Edit2->Text(), "1000");
  EXPECT_EQ(w.RichEdit2->Text(),
            "Здесь вы можете ввести \r\nназвание праздника или \r\nфамилию, имя, отчество \r\nименниника.");
  EXPECT_EQ(w.BitBtn4->Glyph(), LibraryBitmap("ADDEVENT"));

  Form1->N8->Click();
  platform->fakeClock().Set(2026, 12, 7, 10, 20, 30, 900);
  EXPECT_EQ(Begin(), "00001");  // an empty list draws no number
  EXPECT_TRUE(w.Recording());
  EXPECT_EQ(w.Caption(), "Настройки - Режим: Запись");
  EXPECT_EQ(w.BitBtn4->Caption(), "OK");
  EXPECT_EQ(w.BitBtn6->Caption(), "Отмена");
  EXPECT_FALSE(w.ListView1->Enabled());
  EXPECT_FALSE(w.BitBtn5->Visible());
  EXPECT_TRUE(w.BitBtn6->Visible());
  EXPECT_TRUE(w.SpeedButton5->Down());
  EXPECT_EQ(w.BitBtn4->Glyph(), LibraryBitmap("OKEVENT"));
  EXPECT_EQ(w.BitBtn6->Glyph(), LibraryBitmap("CANCELEVENT"));
  for (ui::TControl* c : std::initializer_list<ui::TControl*>{w.GroupBox1, w.GroupBox2, w.DateTimePicker1,
                                                               w.DateTimePicker2, w.SpeedButton1, w.BitBtn1, w.BitBtn2,
                                                               w.BitBtn7, w.BitBtn9})
    EXPECT_TRUE(c->Enabled()) << c->Name;
  EXPECT_EQ(platform->fakeClock().TimeText(w.DateTimePicker1->DateTime()), "10:20:30");
  EXPECT_EQ(platform->fakeClock().DateText(w.DateTimePicker2->DateTime()), "07.12.2026");

  // Closing keeps record mode, and the next showing says so.
  w.Close();
  Form1->N8->Click();
  EXPECT_EQ(w.Caption(), "Настройки - Режим: Запись");

  w.BitBtn6->Click();  // "Отмена"
  EXPECT_FALSE(w.Recording());
  EXPECT_EQ(w.Caption(), "Настройки - Режим: Просмотр");
  EXPECT_EQ(w.BitBtn4->Caption(), "Добавить событие");
  EXPECT_EQ(w.BitBtn6->Caption(), "Удалить событие");
  EXPECT_TRUE(w.BitBtn5->Visible());
  EXPECT_TRUE(w.ListView1->Enabled());
  EXPECT_FALSE(w.DateTimePicker1->Enabled());
  EXPECT_FALSE(w.SpeedButton1->Enabled());
  EXPECT_TRUE(w.GroupBox1->Enabled());  // the groups stay enabled once an addition began
  EXPECT_TRUE(w.GroupBox2->Enabled());
  EXPECT_EQ(w.BitBtn4->Glyph(), LibraryBitmap("ADDEVENT"));
  EXPECT_EQ(w.BitBtn6->Glyph(), LibraryBitmap("DELEVENT"));
  EXPECT_FALSE(dir.Exists("Gear/gear.ini"));
  EXPECT_EQ(List(), "");
}

TEST_F(SettingsWindowTest, AnAdditionStartsWithTheTextBoxesAsDesignedAndCancelGoesBackToTheRow) {
  const std::string prompt = "Здесь вы можете ввести \r\nназвание праздника или \r\nфамилию, имя, отчество \r\nименниника.";
  dir.Write("notes/-1.zqt", "Текст напоминания не найден.");
  dir.Write("days/-1.zqd", "Текст поздравления не найден.");
  StoreEvent("15", "5", "15:00:00", "12.12.2026", "2", "", "Позвонить маме");
  StoreEvent("16", "6", "16:00:00", "13.12.2026", "", "", "Иван Петров");
  // Without their text files: the view loads the placeholders.
  dir.Write("Gear/gear.ini", Gear() + "[17]\r\ntime=17:00:00\r\ndate=14.12.2026\r\ntype=5\r\nperiod=1\r\n"
                                      "[18]\r\ntime=18:00:00\r\ndate=14.12.2026\r\ntype=6\r\n");
  dir.Write("Gear/Events.txt", List() + "17\r\n18\r\n");
  StartProgram();
  TForm2& w = *Form2;
  Form1->N8->Click();
  auto row = [&](const std::string& number) {
    for (int i = 0; i < w.ListView1->ItemCount(); ++i)
      if (w.ListView1->Item(i).Caption() == number) return i;
    return -1;
  };
  auto click = [&](const std::string& number) { w.ListView1->ItemClicked(row(number)); };

  // A reminder shown, then an addition: the type and periodicity are copied, the text is not.
  click("15");
  ASSERT_EQ(w.RichEdit1->Text(), "Позвонить маме");
  Begin();
  EXPECT_EQ(w.PageControl2->ActivePageIndex(), 5);
  EXPECT_TRUE(w.RadioButton2->Checked());
  EXPECT_EQ(w.RichEdit1->Text(), "");
  EXPECT_EQ(w.RichEdit2->Text(), prompt);

  // "Отмена" shows the selected row's event again, number and text and all.
  w.RichEdit1->SetText("черновик");
  w.BitBtn6->Click();
  EXPECT_FALSE(w.Recording());
  EXPECT_EQ(w.Edit5->Text(), "15");
  EXPECT_EQ(w.RichEdit1->Text(), "Позвонить маме");
  EXPECT_EQ(w.NextFiringWhenLabel->Caption(), "07.12.2026 15:00:00");

  // A reminder without a text file shows the placeholder; an addition never starts with it.
  click("17");
  ASSERT_EQ(w.RichEdit1->Text(), "Текст напоминания не найден.");
  Begin();
  EXPECT_EQ(w.RichEdit1->Text(), "");
  w.BitBtn6->Click();

  // Nor with a birthday's placeholder or an earlier birthday's name.
  w.SpeedButton6->Click();
  click("18");
  ASSERT_EQ(w.RichEdit2->Text(), "Текст поздравления не найден.");
  Begin();
  EXPECT_EQ(w.PageControl2->ActivePageIndex(), 6);
  EXPECT_EQ(w.RichEdit2->Text(), prompt);
  w.BitBtn6->Click();
  click("16");
  ASSERT_EQ(w.RichEdit2->Text(), "Иван Петров");
  Begin();
  EXPECT_EQ(w.RichEdit2->Text(), prompt);
  w.RichEdit2->SetText("Пётр");

  // With no row selected, "Отмена" leaves an empty view rather than the discarded addition.
  w.ListView1->SetItemIndex(-1);
  const std::string discarded = w.Edit5->Text();
  w.BitBtn6->Click();
  EXPECT_EQ(w.Edit5->Text(), "");
  EXPECT_EQ(w.RichEdit2->Text(), prompt);
  EXPECT_EQ(w.NextFiringLabel->Caption(), "");
  EXPECT_NE(discarded, "");
}

TEST_F(SettingsWindowTest, AnAdditionTellsWhenItWouldFireAsItIsEdited) {
  StartProgram();
  TForm2& w = *Form2;
  Form1->N8->Click();
  auto shown = [&] { return w.NextFiringLabel->Caption() + "|" + w.NextFiringWhenLabel->Caption(); };
  Begin();  // once, now: 07.12.2026 09:05:07, a Monday
  EXPECT_EQ(shown(), "Следующий раз:|07.12.2026 09:05:07");
  w.TimeItems[9]->Click();  // "+1 час"
  EXPECT_EQ(shown(), "Следующий раз:|07.12.2026 10:05:07");
  w.DateItems[1]->Click();  // "Завтра"
  EXPECT_EQ(shown(), "Следующий раз:|08.12.2026 10:05:07");
  // The user sets the time by hand, then makes the event daily.
  platform::DateTime early = w.DateTimePicker1->DateTime();
  early.hour = 8;
  w.DateTimePicker1->ValueEdited(early);
  EXPECT_EQ(shown(), "Следующий раз:|08.12.2026 08:05:07");
  w.RadioButton2->UserClick();
  EXPECT_EQ(shown(), "Следующий раз:|08.12.2026 08:05:07");  // today's 08:05:07 has gone by
  w.RadioButton4->UserClick();  // weekdays, none ticked yet
  EXPECT_EQ(shown(), "Следующий раз:|не сработает");
  w.CheckListBox2->CheckToggled(5);  // Saturday
  EXPECT_EQ(shown(), "Следующий раз:|12.12.2026 08:05:07");
  ChooseType(6);  // a birthday is announced on its day, at no time
  EXPECT_EQ(shown(), "|");
  ChooseType(0);  // back to once, on the date shown
  EXPECT_EQ(shown(), "Следующий раз:|08.12.2026 08:05:07");
  w.DateItems[0]->Click();  // "Сегодня": 08:05:07 today has passed
  EXPECT_EQ(shown(), "Следующий раз:|не сработает");

  // A moment that goes by while the window stays open is told again.
  w.TimeItems[0]->Click();  // "+1 минута": 08:06:07, still past
  w.TimeItems[11]->Click();  // "+2 часа": 10:06:07
  EXPECT_EQ(shown(), "Следующий раз:|07.12.2026 10:06:07");
  AdvanceTo(10, 6, 9);
  EXPECT_EQ(shown(), "Следующий раз:|не сработает");
}

TEST_F(SettingsWindowTest, ActionPagesAndPeriodOptionsShowTheirControls) {
  StartProgram();
  TForm2& w = *Form2;
  Form1->N8->Click();
  Begin();
  w.RadioButton2->UserClick();
  EXPECT_TRUE(w.DateTimePicker1->Visible());
  EXPECT_FALSE(w.DateTimePicker2->Visible());
  EXPECT_FALSE(w.Label4->Visible());
  EXPECT_FALSE(w.Image4->Visible());
  EXPECT_FALSE(w.CheckListBox2->Visible());
  w.Label2->Click();
  EXPECT_TRUE(w.RadioButton4->Checked());
  EXPECT_TRUE(w.CheckListBox2->Visible());
  EXPECT_TRUE(w.CheckListBox2->Enabled());
  EXPECT_FALSE(w.DateTimePicker2->Visible());
  w.RadioButton3->UserClick();
  EXPECT_TRUE(w.DateTimePicker2->Visible());
  EXPECT_FALSE(w.CheckListBox2->Visible());
  EXPECT_FALSE(w.CheckListBox2->Enabled());

  ChooseType(6);
  EXPECT_FALSE(w.DateTimePicker1->Visible());
  EXPECT_FALSE(w.DateTimePicker1->Enabled());
  EXPECT_FALSE(w.Label3->Visible());
  EXPECT_FALSE(w.Image3->Visible());
  for (ui::TRadioButton* r : {w.RadioButton1, w.RadioButton2, w.RadioButton3, w.RadioButton4}) {
    EXPECT_FALSE(r->Checked());
    EXPECT_FALSE(r->Enabled());
  }
  EXPECT_FALSE(w.Label2->Enabled());
  EXPECT_TRUE(w.DateTimePicker2->Visible());
  EXPECT_TRUE(w.Label4->Visible());

  ChooseType(0);
  EXPECT_TRUE(w.RadioButton1->Checked());
  EXPECT_TRUE(w.RadioButton4->Enabled());
  EXPECT_TRUE(w.DateTimePicker1->Visible());
  EXPECT_TRUE(w.DateTimePicker2->Visible());
  EXPECT_FALSE(w.CheckListBox2->Visible());
}

// ---- Numbers, quick time and date

TEST_F(SettingsWindowTest, ANewNumberAvoidsEveryStoredOne) {
  // Every number but one is taken: the draw can only end on that one.
  std::string list;
  for (int n = 0; n < 99999; ++n)
    if (n != 4242) list += std::to_string(n) + "\r\n";
  dir.Write("Gear/Events.txt", list);
  StartProgram();
  Form1->N8->Click();
  EXPECT_EQ(Begin(), "4242");
}

TEST_F(SettingsWindowTest, QuickTimeAndDateMenusMoveThePickers) {
  SetClock(2026, 12, 31, 23, 50, 0);
  StartProgram();
  TForm2& w = *Form2;
  Form1->N8->Click();
  Begin();
  ASSERT_EQ(w.TimeItems[5]->Caption, "+15 минут");
  w.TimeItems[5]->Click();
  EXPECT_EQ(platform->fakeClock().TimeText(w.DateTimePicker1->DateTime()), "00:05:00");
  EXPECT_EQ(platform->fakeClock().DateText(w.DateTimePicker2->DateTime()), "01.01.2027");
  w.TimeItems[0]->Click();
  EXPECT_EQ(platform->fakeClock().DateText(w.DateTimePicker2->DateTime()), "01.01.2027");

  w.DateTimePicker2->SetDate({2027, 1, 30});
  ASSERT_EQ(w.DateItems[4]->Caption, "Через неделю");
  w.DateItems[4]->Click();
  EXPECT_EQ(platform->fakeClock().DateText(w.DateTimePicker2->DateTime()), "01.02.2027");
  w.DateItems[3]->Click();  // "Через 2 дня" adds three
  EXPECT_EQ(platform->fakeClock().DateText(w.DateTimePicker2->DateTime()), "04.02.2027");
  w.DateItems[0]->Click();
  EXPECT_EQ(platform->fakeClock().DateText(w.DateTimePicker2->DateTime()), "31.12.2026");
  EXPECT_EQ(w.DateTimePicker1->PopupMenu(), w.PopupMenu2);
  EXPECT_EQ(w.DateTimePicker2->PopupMenu(), w.PopupMenu3);
  EXPECT_EQ(w.PopupMenu2->Items()->Count(), 17);
}

// ---- Buttons of the action pages

TEST_F(SettingsWindowTest, BeepBrowseRunAndPictureButtons) {
  StartProgram();
  TForm2& w = *Form2;
  Form1->N8->Click();
  Begin();
  w.Edit1->TextEdited("600");
  w.Edit2->TextEdited("120");
  w.SpeedButton1->Click();
  ASSERT_EQ(platform->fakeSound().beeps.size(), 1u);
  EXPECT_EQ(platform->fakeSound().beeps[0].frequency, 600);
  EXPECT_EQ(platform->fakeSound().beeps[0].durationMs, 120);
  // Typing takes digits only, within what the tone generator and its clamp take.
  for (const char* refused : {"долго", "1e3", "-1", "60001"}) w.Edit2->TextEdited(refused);
  for (const char* refused : {"abc", "32768", "99999"}) w.Edit1->TextEdited(refused);
  EXPECT_EQ(w.Edit1->Text(), "600");
  EXPECT_EQ(w.Edit2->Text(), "120");
  w.Edit2->TextEdited("60000");
  EXPECT_EQ(w.Edit2->Text(), "60000");
  // A stored event shows its text as stored; a beep of a non-number is refused.
  w.Edit2->SetText("долго");
  try {
    w.SpeedButton1->Click();
    ADD_FAILURE() << "a beep of no number";
  } catch (const config::EConvertError& e) {
    EXPECT_STREQ(e.what(), "Значение 'долго' не является целым числом");
  }
  EXPECT_EQ(platform->fakeSound().beeps.size(), 1u);

  auto& dialogs = platform->fakeCommonDialogs();
  dialogs.fileAnswers.push_back(std::nullopt);  // cancelled
  dialogs.fileAnswers.push_back("C:\\Program Files\\Game\\game.exe");
  w.Edit3->TextEdited("old");
  w.BitBtn1->Click();
  EXPECT_EQ(w.Edit3->Text(), "old");
  w.BitBtn1->Click();
  EXPECT_EQ(w.Edit3->Text(), "C:\\Program Files\\Game\\game.exe");
  ASSERT_EQ(dialogs.fileCalls.size(), 2u);
  EXPECT_FALSE(dialogs.fileCalls[0].picture);
  const std::vector<platform::FileFilter> filters = {
      {"Все файлы", "*.*"},
      {"Исполняемые файлы (exe,com,bat)", "*.exe;*.cmd;*.bat;*.com"},
      {"Звуковые файлы", "*.wav;*.mp3;*.ogg;*.wma;*.mid;*.pls;*.m3u"},
      {"Фильмы", "*.avi;*.mpeg;*.mpg;*.m2v;*.asf;*.wmv"}};
  EXPECT_EQ(dialogs.fileCalls[0].options.filters, filters);

  w.BitBtn2->Click();
  ASSERT_EQ(platform->fakeShell().calls.size(), 1u);
  testing_support::ExpectShellOpen(platform->fakeShell().calls[0], "game.exe", "", "C:\\Program Files\\Game\\");

  // "Фото" and "Адрес" do nothing for a holiday.
  ChooseType(6);
  ASSERT_FALSE(w.CheckBox1->Checked());
  w.BitBtn7->Click();
  w.BitBtn9->Click();
  EXPECT_EQ(dialogs.fileCalls.size(), 2u);
  EXPECT_FALSE(Form7->Visible());
  w.CheckBox1->UserClick();
  dialogs.fileAnswers.push_back("C:\\me.png");
  w.BitBtn7->Click();
  ASSERT_EQ(dialogs.fileCalls.size(), 3u);
  EXPECT_TRUE(dialogs.fileCalls[2].picture);
  EXPECT_EQ(w.photoPath, "C:\\me.png");
  w.BitBtn9->Click();
  EXPECT_TRUE(Form7->Visible());
  EXPECT_EQ(Form7->Image10->Picture(), w.bigBackground);
  EXPECT_FALSE(w.bigBackground.Empty());
  EXPECT_EQ(Form7->Image1->Picture(), LibraryBitmap("DELIVERY"));
}

// ---- Frame

TEST_F(SettingsWindowTest, ChoosingAnActionTypeMovesNoTab) {
  StartProgram();
  // Seven captions take two rows; a tab that moves away after a click would send the next
  // click to another type.
  EXPECT_TRUE(Form2->PageControl2->MultiLine);
  EXPECT_TRUE(Form2->PageControl2->TabsKeepTheirPlaces());
  std::vector<std::string> captions;
  for (const ui::PageTab& tab : Form2->PageControl2->Tabs()) captions.push_back(tab.caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"Сигнал", "Любой файл", "Завершение сеанса", "Перезагрузка",
                                                "Выключение", "Напоминание текстом", "День рождения/праздник"}));
}

TEST_F(SettingsWindowTest, TheWindowIsBuiltAsDesigned) {
  StartProgram();
  TForm2& w = *Form2;
  EXPECT_FALSE(w.Visible());
  EXPECT_EQ(w.Width(), 717);
  EXPECT_EQ(w.Height(), 430);
  EXPECT_EQ(w.Color(), 15384215);
  EXPECT_EQ(w.BorderStyle(), ui::TBorderStyle::bsDialog);
  EXPECT_FALSE(w.SystemMenu);
  ASSERT_EQ(w.PageControl1->PageCount(), 2);
  const auto tabs = w.PageControl1->Tabs();
  EXPECT_EQ(tabs[0].caption, "Добавить событие");
  EXPECT_EQ(tabs[1].caption, "Настройки");
  EXPECT_FALSE(tabs[0].image.Empty());
  EXPECT_FALSE(tabs[1].image.Empty());
  EXPECT_EQ(w.PageControl2->PageCount(), 7);
  EXPECT_EQ(w.PageControl2->Tabs()[6].caption, "День рождения/праздник");
  EXPECT_EQ(w.Image3->Picture(), LibraryBitmap("TIME"));
  EXPECT_EQ(w.Image4->Picture(), LibraryBitmap("DATE"));
  EXPECT_EQ(w.BitBtn5->Glyph(), LibraryBitmap("EXIT"));
  EXPECT_EQ(w.SpeedButton1->Glyph(), LibraryBitmap("SPEAKER"));
  EXPECT_EQ(w.gearIniPath, AppDir() + "Gear\\gear.ini");
  EXPECT_EQ(w.configPath, AppDir() + "Cfg\\Clock_config.ini");
  EXPECT_EQ(w.listFilter, 8);
}

TEST_F(SettingsWindowTest, TheBackgroundsAreDecodedWhenTheWindowIsFirstShown) {
  StartProgram();
  TForm2& w = *Form2;
  // A hidden window holds no decoded pictures.
  EXPECT_TRUE(w.bigBackground.Empty());
  EXPECT_TRUE(w.Image2->Picture().Empty());
  EXPECT_TRUE(w.PageBackgrounds[0]->Picture().Empty());
  const ui::TColor before = w.RadioButton1->Color();

  Form1->N4->Click();
  ASSERT_TRUE(w.Visible());
  EXPECT_EQ(w.bigBackground.width, 720);
  for (ui::TImage* big : {w.Image2, w.Image20}) EXPECT_EQ(big->Picture(), w.bigBackground);
  for (ui::TImage* small : {w.Image5, w.Image6}) EXPECT_EQ(small->Picture(), w.smallBackground);
  EXPECT_EQ(w.Image5->Picture().width, 400);
  for (ui::TImage* bottom : w.PageBackgrounds) EXPECT_EQ(bottom->Picture(), w.smallBottomBackground);
  EXPECT_EQ(w.PageBackgrounds[3]->Picture().height, 60);
  // The boxes on the pictures take their colour there.
  EXPECT_NE(w.RadioButton1->Color(), before);

  // Shown again: the pictures are kept, not read and decoded anew.
  platform->fakeResources().data.clear();
  w.Close();
  Form1->N8->Click();
  EXPECT_EQ(w.bigBackground.width, 720);
  EXPECT_EQ(w.Image2->Picture(), w.bigBackground);
}

TEST_F(SettingsWindowTest, MenuItemsAndTheDoubleClickOpenThePageAtItsWidthAtOnce) {
  StartProgram();
  TForm2& w = *Form2;
  SizeWatch watch(&w);
  Form1->N4->Click();
  EXPECT_TRUE(w.Visible());
  EXPECT_EQ(w.PageControl1->ActivePageIndex(), 1);
  EXPECT_EQ(w.Width(), 493);
  EXPECT_EQ(watch.changes, 1);
  w.BitBtn5->Click();
  EXPECT_FALSE(w.Visible());
  Form1->Image1->DblClick();
  EXPECT_TRUE(w.Visible());
  EXPECT_EQ(w.PageControl1->ActivePageIndex(), 0);
  EXPECT_EQ(w.Width(), 717);
  EXPECT_EQ(watch.changes, 2);
}

TEST_F(SettingsWindowTest, ChangingToTheSettingsTabNarrowsTheWindowStepByStep) {
  StartProgram();
  TForm2& w = *Form2;
  Form1->N8->Click();
  SizeWatch watch(&w);
  w.PageControl1->TabClicked(1);
  EXPECT_EQ(w.Width(), 493);
  EXPECT_EQ(watch.changes, 32);
  w.PageControl1->TabClicked(0);
  EXPECT_EQ(w.Width(), 717);
  EXPECT_EQ(watch.changes, 33);

  dir.Write("Cfg/Clock_config.ini", "[Clock]\r\nRunTray=0\r\nSlowResize=0\r\n");
  w.PageControl1->TabClicked(1);
  EXPECT_EQ(w.Width(), 493);
  EXPECT_EQ(watch.changes, 34);
}

TEST_F(SettingsWindowTest, AnEventAddedHereIsScannedAtOnceAndAgainWhenTheWindowCloses) {
  StartProgram();
  TForm2& w = *Form2;
  Form1->N8->Click();
  const std::string number = Begin();
  w.RadioButton2->UserClick();
  w.TimeItems[0]->Click();  // 09:06:07
  w.Edit1->TextEdited("523");
  Commit();
  EXPECT_EQ(program->Scheduler().Names(), std::vector<std::string>{number});
  dir.Write("Cfg/Clock_config.ini", "[Clock]\r\nRunTray=0\r\nshowIntitle=1\r\n");
  w.BitBtn5->Click();
  EXPECT_FALSE(w.Visible());
  EXPECT_EQ(Form1->showInTitle, 1);
  EXPECT_EQ(program->Scheduler().Names(), std::vector<std::string>{number});
  AdvanceTo(9, 6, 7, 900);
  ASSERT_EQ(platform->fakeSound().beeps.size(), 1u);
  EXPECT_EQ(platform->fakeSound().beeps[0].frequency, 523);
}

TEST_F(SettingsWindowTest, EventsAddedWhileTheWindowStaysOpenFireAtTheirSecond) {
  StartProgram();
  TForm2& w = *Form2;
  Form1->N8->Click();
  Begin();
  ChooseType(0);
  w.Edit1->TextEdited("700");
  w.TimeItems[0]->Click();  // 09:06:07
  Commit();
  Begin();
  ChooseType(1);
  w.Edit3->TextEdited("C:\\Tools\\run.bat");
  w.TimeItems[1]->Click();  // 09:07:07
  Commit();
  Begin();
  ChooseType(5);
  w.RichEdit1->SetText("Чай");
  w.TimeItems[2]->Click();  // 09:08:07
  Commit();
  ASSERT_TRUE(w.Visible());

  AdvanceTo(9, 6, 7, 900);
  ASSERT_EQ(platform->fakeSound().beeps.size(), 1u);
  EXPECT_EQ(platform->fakeSound().beeps[0].frequency, 700);
  AdvanceTo(9, 7, 7, 900);
  EXPECT_EQ(Opened(), std::vector<std::string>{"run.bat"});
  EXPECT_FALSE(Form3->Visible());
  AdvanceTo(9, 8, 7, 900);
  EXPECT_TRUE(Form3->Visible());
  EXPECT_NE(Form3->RichEdit1->Text().find("Чай"), std::string::npos);
  EXPECT_TRUE(w.Visible());
}

TEST_F(SettingsWindowTest, ADamagedCaptionOptionIsReportedAndTheWindowStillClosesAndReloads) {
  StartProgram();
  TForm2& w = *Form2;
  Form1->N8->Click();
  const std::string number = Begin();
  Commit();
  dir.Write("Cfg/Clock_config.ini", "[Clock]\r\nRunTray=0\r\nshowIntitle=yes\r\n");
  w.BitBtn5->Click();
  EXPECT_FALSE(w.Visible());
  ASSERT_EQ(platform->fakeDialogs().shown.size(), 1u);
  EXPECT_EQ(platform->fakeDialogs().shown[0].text, "Значение 'yes' не является целым числом.");
  EXPECT_EQ(program->Scheduler().Names(), std::vector<std::string>{number});
  // The program still ends when its main window closes.
  CloseMainWindow();
  EXPECT_TRUE(widgets->terminated || ui::Application().Terminated());
}

// ---- Quick power-off templates

TEST_F(SettingsWindowTest, ATemplateAtHalfPastElevenLandsOnTheNextDayOnce) {
  SetClock(2026, 12, 31, 23, 30, 0);
  StartProgram();
  ASSERT_EQ(Form1->N21->Caption, "Через 2 часа");
  Form1->N21->Click();
  TForm2& w = *Form2;
  EXPECT_FALSE(w.Visible());
  EXPECT_FALSE(w.Recording());
  ASSERT_EQ(w.storedCodes.size(), 1u);
  const std::string number = w.storedCodes[0];
  EXPECT_EQ(Gear(), "[" + number + "]\r\ntime=01:30:00\r\ndate=01.01.2027\r\ntype=4\r\nperiod=1\r\n");
  EXPECT_EQ(program->Scheduler().Names(), std::vector<std::string>{number});
  EXPECT_TRUE(platform->fakeSession().log.empty());
}

TEST_F(SettingsWindowTest, ATemplateSaysWhenTheComputerWillBePoweredOff) {
  platform->fakeClock().longTimeFormat = "H:mm:ss";
  SetClock(2026, 12, 7, 7, 30, 0);
  StartProgram();
  auto& shown = platform->fakeDialogs().shown;
  auto& balloons = platform->fakeNotifyArea().balloons;
  Form1->N21->Click();  // "Через 2 часа"
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "Компьютер будет выключен в 9:30:00");
  EXPECT_EQ(shown[0].caption, "Horavo");
  EXPECT_EQ(shown[0].flags, ui::MB_OK_FLAG | ui::MB_ICONINFORMATION_FLAG);
  EXPECT_TRUE(balloons.empty());

  // Hidden in the notification area, the clock says it in a balloon of its icon, which keeps
  // its picture and hint.
  Form1->Minimize();
  const auto* shownIcon = platform->fakeNotifyArea().Find(Form1->TrayIcon1->Handle(), Form1->TrayIcon1->Data().uID);
  ASSERT_NE(shownIcon, nullptr);
  const platform::NotifyIconData icon = *shownIcon;
  Form1->N14->Click();  // "Через 1 минуту"
  EXPECT_EQ(shown.size(), 1u);
  ASSERT_EQ(balloons.size(), 1u);
  EXPECT_STREQ(balloons[0].szInfo, "Компьютер будет выключен в 7:31:00");
  EXPECT_STREQ(balloons[0].szInfoTitle, "Horavo");
  EXPECT_EQ(balloons[0].uFlags, platform::kNotifyFlagInfo);
  EXPECT_EQ(balloons[0].dwInfoFlags, platform::kNotifyInfoIcon);
  const auto* after = platform->fakeNotifyArea().Find(Form1->TrayIcon1->Handle(), Form1->TrayIcon1->Data().uID);
  ASSERT_NE(after, nullptr);
  EXPECT_EQ(after->hIcon, icon.hIcon);
  EXPECT_STREQ(after->szTip, icon.szTip);
  EXPECT_TRUE(Form1->TrayIcon1->Visible());

  // A template whose commit fails stores nothing and says nothing.
  std::filesystem::remove_all(dir.Path() / "Gear");
  program->Application().Guard([] { Form1->N14->Click(); });
  EXPECT_EQ(balloons.size(), 1u);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].flags, ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
}

TEST_F(SettingsWindowTest, EveryTemplateItemSchedulesItsMinutes) {
  StartProgram();
  const std::pair<ui::TMenuItem*, const char*> items[] = {
      {Form1->N14, "09:06:07"}, {Form1->N51, "09:10:07"}, {Form1->N101, "09:15:07"}, {Form1->N151, "09:20:07"},
      {Form1->N201, "09:25:07"}, {Form1->N301, "09:35:07"}, {Form1->N451, "09:50:07"}, {Form1->N15, "10:05:07"},
      {Form1->N901, "10:35:07"}, {Form1->N21, "11:05:07"}};
  for (const auto& [item, time] : items) {
    item->Click();
    const std::string number = Form2->storedCodes.back();
    EXPECT_NE(Gear().find("[" + number + "]\r\ntime=" + time + "\r\n"), std::string::npos) << item->Caption;
  }
  EXPECT_EQ(Form2->storedCodes.size(), 10u);
}

TEST_F(SettingsWindowTest, ATemplatePowersOffOnceWhateverPeriodicityTheEditorShowedBefore) {
  StartProgram();
  TForm2& w = *Form2;
  // Each earlier addition leaves its page and periodicity in the editor. 07.12.2026 is a Monday.
  const std::function<void()> before[] = {
      [&] { ChooseType(6); },
      [&] {
        ChooseType(0);
        w.RadioButton4->UserClick();
        w.CheckListBox2->CheckToggled(5);  // Saturday
      },
      [&] {
        ChooseType(1);
        w.RadioButton2->UserClick();
      },
      [&] {
        ChooseType(2);
        w.RadioButton3->UserClick();
      },
  };
  for (std::size_t i = 0; i < std::size(before); ++i) {
    Form1->N8->Click();
    Begin();
    before[i]();
    Commit();
    Form2->BitBtn5->Click();
    Form1->N101->Click();  // "Через 10 минут"
    const std::string number = w.storedCodes.back();
    const std::string section = "[" + number + "]\r\ntime=09:15:07\r\ndate=07.12.2026\r\ntype=4\r\nperiod=1\r\n";
    const std::string gear = Gear();
    const std::size_t at = gear.find(section);
    ASSERT_NE(at, std::string::npos) << i << "\n" << gear;
    EXPECT_TRUE(at + section.size() == gear.size() || gear.compare(at + section.size(), 1, "[") == 0) << i << gear;
  }
}

TEST_F(SettingsWindowTest, ATemplateLeavesAnOpenAdditionAsItWasAndStoresItsPowerOffAtOnce) {
  StartProgram();
  TForm2& w = *Form2;
  Form1->N8->Click();
  const std::string pending = Begin();
  ChooseType(5);
  w.RichEdit1->SetText("не потерять");
  // The half-typed reminder's moment goes by while the user looks at the clock's menu.
  Advance(61000);
  auto& shown = platform->fakeDialogs().shown;
  Form1->N21->Click();  // "Через 2 часа"
  // No question about the addition: only the announcement.
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "Компьютер будет выключен в 11:06:08");
  // The window, its mode and the addition are as the user left them.
  EXPECT_TRUE(w.Visible());
  EXPECT_TRUE(w.Recording());
  EXPECT_EQ(w.Caption(), "Настройки - Режим: Запись");
  EXPECT_EQ(w.PageControl2->ActivePageIndex(), 5);
  EXPECT_EQ(w.RichEdit1->Text(), "не потерять");
  EXPECT_EQ(w.Edit5->Text(), pending);
  // The power-off is stored, scanned and listed at once.
  ASSERT_EQ(w.storedCodes.size(), 1u);
  const std::string powerOff = w.storedCodes[0];
  EXPECT_EQ(List(), powerOff + "\r\n");
  EXPECT_EQ(Gear(), "[" + powerOff + "]\r\ntime=11:06:08\r\ndate=07.12.2026\r\ntype=4\r\nperiod=1\r\n");
  EXPECT_EQ(program->Scheduler().Names(), std::vector<std::string>{powerOff});
  ASSERT_EQ(w.ListView1->ItemCount(), 1);
  EXPECT_EQ(w.ListView1->Item(0).Caption(), powerOff);

  // The addition is still the user's to finish: its moment has passed, so the commit asks.
  platform->fakeDialogs().answers = {ui::ID_NO};
  Commit();
  EXPECT_TRUE(w.Recording());
  EXPECT_EQ(shown.back().text, "Это время уже прошло. Событие не сработает. Сохранить?");
  w.TimeItems[9]->Click();  // "+1 час"
  Commit();
  EXPECT_FALSE(w.Recording());
  EXPECT_EQ(List(), powerOff + "\r\n" + pending + "\r\n");
  EXPECT_NE(Gear().find("[" + pending + "]\r\ntime=10:05:07\r\ndate=07.12.2026\r\ntype=5\r\n"), std::string::npos);
  EXPECT_TRUE(dir.Exists("notes/" + pending + ".zqt"));
}

}  // namespace
