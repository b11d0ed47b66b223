// The actions of fired events over the fake platform: which tone, which file and directory,
// which log-off flags and shutdown requests, the privilege messages, the reminder coming back
// from the tray, and the menu command that aborts a shutdown. Nothing here reaches a real
// session: every request goes to the recording fake.
#include <gtest/gtest.h>

#include "events/event_store.h"
#include "tests/unit/program_fixture.h"

using testing_support::ProgramTest;

namespace {

using Log = std::vector<std::string>;

const char* const kDefaultComment =
    "Сейчас произойдет запланированное завершение работы системы. Пожалуйста, сохраните все "
    "несохраненые данные. Инициатор завершения - Horavo v3.0";

class ActionsTest : public ProgramTest {
 protected:
  // Starts the program with `config` and an event "1" whose section is `section`.
  void StartWith(const std::string& section, const std::string& config = "") {
    dir.Write("Gear/Events.txt", "1\r\n");
    dir.Write("Gear/gear.ini", "[1]\r\n" + section);
    if (!config.empty()) dir.Write("Cfg/Clock_config.ini", config);
    ASSERT_FALSE(Start());
  }
  platform::FakeSession& Session() { return platform->fakeSession(); }
};

TEST_F(ActionsTest, SignalSoundsItsToneAndDefaultsTo1000HzFor800Ms) {
  StartWith("type=0\r\nhz=440\r\nms=250\r\n");
  Form1->SearchRun("1");
  dir.Write("Gear/gear.ini", "[1]\r\ntype=0\r\n");
  Form1->SearchRun("1");
  ASSERT_EQ(platform->fakeSound().beeps.size(), 2u);
  EXPECT_EQ(platform->fakeSound().beeps[0].frequency, 440);
  EXPECT_EQ(platform->fakeSound().beeps[0].durationMs, 250);
  EXPECT_EQ(platform->fakeSound().beeps[1].frequency, 1000);
  EXPECT_EQ(platform->fakeSound().beeps[1].durationMs, 800);
}

TEST_F(ActionsTest, FileEventOpensTheFileNameInItsOwnDirectory) {
  StartWith("type=1\r\npathtofile=C:\\Tools\\run.bat\r\n");
  Form1->SearchRun("1");
  ASSERT_EQ(platform->fakeShell().calls.size(), 1u);
  testing_support::ExpectShellOpen(platform->fakeShell().calls[0], "run.bat", "", "C:\\Tools\\");
  EXPECT_TRUE(Session().log.empty());
}

TEST_F(ActionsTest, LogOffIsForcedOrPlainAsForceExSaysAndNothingForOtherValues) {
  struct Case {
    const char* config;
    Log log;
  };
  const Case cases[] = {
      {"[Shutdown]\r\nForceEx=1\r\n", {"OpenProcessToken", "EnableShutdownPrivilege", "LogOff 4"}},
      {"[Shutdown]\r\nForceEx=0\r\n", {"OpenProcessToken", "EnableShutdownPrivilege", "LogOff 0"}},
      {"[Clock]\r\nskin=default\r\n", {"OpenProcessToken", "EnableShutdownPrivilege", "LogOff 0"}},
      {"[Shutdown]\r\nForceEx=2\r\n", {"OpenProcessToken", "EnableShutdownPrivilege"}},
  };
  for (const Case& c : cases) {
    EndInstance();
    Session().log.clear();
    StartWith("type=2\r\n", c.config);
    Form1->SearchRun("1");
    EXPECT_EQ(Session().log, c.log) << c.config;
  }
}

TEST_F(ActionsTest, RestartAndPowerOffAskForTheCountdownWithTheShutdownSettings) {
  StartWith("type=3\r\n");
  Form1->SearchRun("1");
  dir.Write("Gear/gear.ini", "[1]\r\ntype=4\r\n");
  Form1->SearchRun("1");
  dir.Write("Cfg/Clock_config.ini", "[Shutdown]\r\ntimeout=10\r\nForceEx=1\r\nComment=Пока\r\n");
  Form1->SearchRun("1");
  dir.Write("Cfg/Clock_config.ini", "[Shutdown]\r\nForceEx=2\r\n");
  Form1->SearchRun("1");
  // The settings window stored its timeout of 80 at start; the action's own 50 counts only
  // where the key is missing.
  EXPECT_EQ(Session().log, (Log{"OpenProcessToken", "EnableShutdownPrivilege", "Shutdown 80 force=0 reboot=1",
                                "OpenProcessToken", "EnableShutdownPrivilege", "Shutdown 80 force=0 reboot=0",
                                "OpenProcessToken", "EnableShutdownPrivilege", "Shutdown 10 force=1 reboot=0",
                                "OpenProcessToken", "EnableShutdownPrivilege", "Shutdown 50 force=0 reboot=0"}));
  EXPECT_EQ(Session().messages, (Log{kDefaultComment, kDefaultComment, "Пока", kDefaultComment}));
  EXPECT_TRUE(platform->fakeDialogs().shown.empty());
}

TEST_F(ActionsTest, RefusedPrivilegeStepsAreReportedAndTheRequestIsStillMade) {
  StartWith("type=4\r\n");
  Session().tokenOpens = false;
  Session().privilegeError = 6;
  Form1->SearchRun("1");
  const auto& shown = platform->fakeDialogs().shown;
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, "OpenProcessToken");
  EXPECT_EQ(shown[1].text, "AdjustTokenPrivileges");
  EXPECT_EQ(shown[0].flags, ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
  EXPECT_EQ(Session().log.back(), "Shutdown 80 force=0 reboot=0");

  Session().tokenOpens = true;
  Session().privilegeError = 1300;  // not all privileges assigned
  Form1->SearchRun("1");
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[2].text, "AdjustTokenPrivileges");
}

TEST_F(ActionsTest, ReminderBringsTheProgramBackFromTheTrayAndShowsItsWindow) {
  StartWith("type=5\r\npathtotxt=D:\\Old\\notes\\1.zqt\r\n");
  dir.Write("notes/1.zqt", "{\\rtf1 Позвонить}");
  Form1->N6Click(Form1->N6);  // to the tray
  ASSERT_TRUE(Form1->TrayIcon1->Visible());
  ASSERT_FALSE(Form1->Visible());

  Form1->SearchRun("1");
  EXPECT_FALSE(Form1->TrayIcon1->Visible());
  EXPECT_TRUE(Form1->Visible());
  EXPECT_TRUE(Form3->Visible());
  EXPECT_TRUE(platform->fakeShell().calls.empty());
}

TEST_F(ActionsTest, BirthdaysAndUnknownTypesDoNothingWhenTheyFire) {
  for (const char* section : {"type=6\r\n", "type=7\r\n", "type=\r\n", "type= 1x\r\n"}) {
    EndInstance();
    StartWith(section);
    Form1->SearchRun("1");
    EXPECT_TRUE(platform->fakeShell().calls.empty()) << section;
    EXPECT_TRUE(platform->fakeSound().beeps.empty()) << section;
    EXPECT_TRUE(Session().log.empty()) << section;
    EXPECT_FALSE(Form3->Visible()) << section;
  }
}

TEST_F(ActionsTest, StopShutdownMenuRunsTheSystemsAbortCommand) {
  StartWith("type=1\r\n");
  ASSERT_EQ(Form1->N11->Caption, "Остановить выход из системы");
  Form1->N11->Click();
  ASSERT_EQ(platform->fakeShell().calls.size(), 1u);
  testing_support::ExpectShellOpen(platform->fakeShell().calls[0], "shutdown.exe", " -a", "");
  EXPECT_TRUE(Session().log.empty());
}

}  // namespace
