// The command line: every switch and every bad value, and a command handed over to the copy of
// the program that runs already (through the fake platform) or carried out by the new process.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/command_line.h"
#include "app/main_window.h"
#include "settings/settings_window.h"
#include "events/ical_events.h"
#include "events/scheduler.h"
#include "tests/unit/program_fixture.h"

using app::CommandKind;
using app::ParseCommandLine;

namespace {

TEST(CommandLineTest, EverySwitchInAnyCase) {
  EXPECT_EQ(ParseCommandLine({}).command.kind, CommandKind::kNone);
  EXPECT_EQ(ParseCommandLine({"/?"}).command.kind, CommandKind::kHelp);
  EXPECT_EQ(ParseCommandLine({"/ABORT"}).command.kind, CommandKind::kAbort);

  auto remind = ParseCommandLine({"/Remind", "7:05", "Позвонить"}).command;
  EXPECT_EQ(remind.kind, CommandKind::kRemind);
  EXPECT_EQ(remind.hour * 10000 + remind.minute * 100 + remind.second, 70500);
  EXPECT_FALSE(remind.date);
  EXPECT_EQ(remind.text, "Позвонить");

  remind = ParseCommandLine({"-remind", "23:59:58", "31.12.2027", "купить", "хлеб"}).command;
  EXPECT_EQ(remind.second, 58);
  ASSERT_TRUE(remind.date);
  EXPECT_EQ(remind.date->year * 10000 + remind.date->month * 100 + remind.date->day, 20271231);
  EXPECT_EQ(remind.text, "купить хлеб");

  remind = ParseCommandLine({"/remind", "+10080", "x"}).command;
  EXPECT_TRUE(remind.relative);
  EXPECT_EQ(remind.minutes, 10080);

  EXPECT_EQ(ParseCommandLine({"/poweroff", "1440"}).command.minutes, 1440);
  EXPECT_EQ(ParseCommandLine({"/EXPORT", "a b.ics"}).command.path, "a b.ics");
  EXPECT_EQ(ParseCommandLine({"/import", "c.vcf"}).command.kind, CommandKind::kImport);
}

TEST(CommandLineTest, EveryBadValueIsAUsageErrorThatNamesIt) {
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"/remind", "25:70", "x"}, "Неверное время: 25:70"},
      {{"/remind", "12", "x"}, "Неверное время: 12"},
      {{"/remind", "12:00:00:00", "x"}, "Неверное время: 12:00:00:00"},
      {{"/remind", "1:2:", "x"}, "Неверное время: 1:2:"},
      {{"/remind", "+0", "x"}, "Неверное число минут: +0 (от 1 до 10080)"},
      {{"/remind", "+10081", "x"}, "Неверное число минут: +10081 (от 1 до 10080)"},
      {{"/remind", "+-5", "x"}, "Неверное число минут: +-5 (от 1 до 10080)"},
      {{"/remind", "10:00", "30.02.2027", "x"}, "Неверная дата: 30.02.2027"},
      {{"/remind", "+5", "01.01.2027", "x"}, "Дата не ставится ко времени +N: 01.01.2027"},
      {{"/remind", "10:00"}, "Не указан текст напоминания"},
      {{"/remind", "10:00", "  "}, "Не указан текст напоминания"},
      {{"/remind"}, "Не указано время напоминания"},
      {{"/poweroff"}, "Не указано, через сколько минут выключить компьютер"},
      {{"/poweroff", "0"}, "Неверное число минут: 0 (от 1 до 1440)"},
      {{"/poweroff", "1441"}, "Неверное число минут: 1441 (от 1 до 1440)"},
      {{"/poweroff", "5", "6"}, "Лишний параметр: 6"},
      {{"/abort", "now"}, "Лишний параметр: now"},
      {{"/export"}, "Не указан файл"},
      {{"/import", "a", "b"}, "Лишний параметр: b"},
      {{"/reboot"}, "Неизвестный ключ: /reboot"},
      {{"file.ics"}, "Неизвестный параметр: file.ics"},
  };
  for (const auto& c : cases) {
    const auto parsed = ParseCommandLine(c.args);
    ASSERT_TRUE(parsed.error) << c.message;
    EXPECT_EQ(parsed.error->code, app::kExitUsage);
    EXPECT_EQ(parsed.error->text, c.message);
    EXPECT_EQ(parsed.command.kind, CommandKind::kNone);
  }
}

TEST(CommandLineTest, ArgumentsTravelToTheRunningCopyUnchanged) {
  const std::vector<std::string> args = {"/remind", "+1", "", "text with \"quotes\""};
  EXPECT_EQ(app::DecodeArguments(app::EncodeArguments(args)), args);
}

class CommandLineProgramTest : public testing_support::EventsProgramTest {
 protected:
  // Another process started on this machine with `args`; its platform shares the machine.
  int Launch(const std::vector<std::string>& args) {
    second = std::make_unique<platform::FakePlatform>(system);
    second->fakeProcess().exePath = dir.Str() + "Horavo.exe";
    second->fakeClock().wallMs = platform->fakeClock().wallMs;
    return app::RunProgram(*second, *widgets, args);
  }
  std::unique_ptr<platform::FakePlatform> second;
};

TEST_F(CommandLineProgramTest, ARunningCopyTakesTheReminderPutsItIntoTheScanAndShowsItWhenDue) {
  ASSERT_FALSE(Start());
  Form2->Show();
  ASSERT_EQ(Form2->ListView1->ItemCount(), 0);
  int heard = 0;
  program->Store().Subscribe([&] { ++heard; });
  EXPECT_EQ(Launch({"/remind", "+1", "Проверка"}), app::kExitOk);
  // Handed over, not done by the new process, and no "already running" box.
  EXPECT_EQ(second->fakeCommandLink().handedOver.size(), 1u);
  EXPECT_TRUE(second->fakeDialogs().shown.empty());
  ASSERT_EQ(second->fakeCommandLink().reports.size(), 1u);
  EXPECT_EQ(second->fakeCommandLink().reports[0], (platform::CommandReply{0, "Напоминание добавлено на 09:06:07 07.12.2026"}));
  EXPECT_EQ(heard, 1);
  const auto list = program->Store().LoadList();
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(program->Store().Read(list[0], "type", ""), "5");
  EXPECT_EQ(program->Store().Read(list[0], "period", ""), "1");
  EXPECT_EQ(program->Scheduler().Names(), list);
  // The open settings window lists it.
  ASSERT_EQ(Form2->ListView1->ItemCount(), 1);
  EXPECT_EQ(Form2->ListView1->Item(0).Caption(), list[0]);
  AdvanceTo(9, 6, 8);
  EXPECT_TRUE(Form3->Visible());
}

TEST_F(CommandLineProgramTest, ARunningCopyAnswersPowerOffAbortAndUsageErrors) {
  ASSERT_FALSE(Start());
  EXPECT_EQ(Launch({"/poweroff", "15"}), app::kExitOk);
  EXPECT_EQ(second->fakeCommandLink().reports.back().text, "Компьютер будет выключен в 09:20:07");
  const auto list = program->Store().LoadList();
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(program->Store().Read(list[0], "type", ""), "4");
  EXPECT_EQ(program->Scheduler().Names(), list);

  EXPECT_EQ(Launch({"/abort"}), app::kExitOk);
  ASSERT_FALSE(platform->fakeShell().calls.empty());
  EXPECT_EQ(platform->fakeShell().calls.back().file, "shutdown.exe");

  // A usage error is answered by the new process alone.
  EXPECT_EQ(Launch({"/remind", "25:70", "x"}), app::kExitUsage);
  EXPECT_TRUE(second->fakeCommandLink().handedOver.empty());
  EXPECT_EQ(second->fakeCommandLink().reports.back().code, 1);
  EXPECT_EQ(second->fakeCommandLink().reports.back().text.rfind("Неверное время: 25:70\r\n", 0), 0u);
}

TEST_F(CommandLineProgramTest, WithoutARunningCopyTheProcessDoesTheWorkItself) {
  dir.Write("in.ics", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:u1\r\nDTSTART:20270101T100000\r\nSUMMARY:x\r\n"
                      "END:VEVENT\r\nEND:VCALENDAR\r\n");
  EXPECT_EQ(Launch({"/import", dir.Str() + "in.ics"}), app::kExitOk);
  EXPECT_EQ(second->fakeCommandLink().reports.back().text, "Импортировано: 1. Пропущено: 0.");
  EXPECT_EQ(Store().LoadList().size(), 1u);
  // It ended without starting the clock.
  EXPECT_TRUE(system.mutexes.empty());

  EXPECT_EQ(Launch({"/export", dir.Str() + "out.ics"}), app::kExitOk);
  EXPECT_NE(dir.Read("out.ics").value_or("").find("UID:u1\r\n"), std::string::npos);

  dir.Write("bad.ics", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\n");
  EXPECT_EQ(Launch({"/import", dir.Str() + "bad.ics"}), app::kExitUsage);
  EXPECT_EQ(Store().LoadList().size(), 1u);

  EXPECT_EQ(Launch({"/?"}), app::kExitOk);
  EXPECT_EQ(second->fakeCommandLink().reports.back().text, app::kUsageText);
}

TEST_F(CommandLineProgramTest, AStoreThatCannotBeWrittenEndsWithTwoAndNothingHalfWritten) {
  std::filesystem::permissions(dir.Path() / "Gear/Events.txt", std::filesystem::perms::owner_read);
  EXPECT_EQ(Launch({"/remind", "10:00", "x"}), app::kExitStore);
  std::filesystem::permissions(dir.Path() / "Gear/Events.txt",
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_EQ(second->fakeCommandLink().reports.back().code, 1);
  EXPECT_EQ(dir.Read("Gear/Events.txt").value(), "");
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path() / "notes"));
  // The remind that failed did not go on to start the clock.
  EXPECT_TRUE(system.mutexes.empty());
}

TEST_F(CommandLineProgramTest, ARemindDoneByTheNewProcessGoesOnAsANormalStart) {
  // 10:00 is still ahead at 09:05:07, so it is today's.
  second = std::make_unique<platform::FakePlatform>(system);
  second->fakeProcess().exePath = dir.Str() + "Horavo.exe";
  second->fakeClock().wallMs = platform->fakeClock().wallMs;
  auto* link = &second->fakeCommandLink();
  app::Program program(*second, *widgets);
  const auto answer = program.RunCommand(ParseCommandLine({"/remind", "10:00", "x"}).command);
  EXPECT_EQ(answer.text, "Напоминание добавлено на 10:00:00 07.12.2026");
  const auto tomorrow = program.RunCommand(ParseCommandLine({"/remind", "9:05:07", "x"}).command);
  EXPECT_EQ(tomorrow.text, "Напоминание добавлено на 09:05:07 08.12.2026");
  const auto past = program.RunCommand(ParseCommandLine({"/remind", "9:00", "07.12.2026", "x"}).command);
  EXPECT_EQ(past, (app::CommandAnswer{app::kExitUsage, "Это время уже прошло: 09:00:00 07.12.2026"}));
  program.Start();
  EXPECT_TRUE(link->listening);
  EXPECT_EQ(program.Scheduler().Names().size(), 2u);
}

TEST_F(CommandLineProgramTest, TheEventPageImportsThroughTheOpenDialogAndExportsWhatItLists) {
  dir.Write("in.ics", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:u1\r\nDTSTART:20270101T100000\r\nSUMMARY:x\r\n"
                      "END:VEVENT\r\nBEGIN:VEVENT\r\nUID:u2\r\nDTSTART;VALUE=DATE:20270301\r\nRRULE:FREQ=YEARLY\r\n"
                      "SUMMARY:y\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
  ASSERT_FALSE(Start());
  Form2->Show();
  auto& dialogs = platform->fakeCommonDialogs();
  dialogs.fileAnswers = {dir.Str() + "in.ics", dir.Str() + "out.ics"};
  Form2->ImportButton->Click();
  ASSERT_EQ(dialogs.fileCalls.size(), 1u);
  EXPECT_FALSE(dialogs.fileCalls[0].save);
  EXPECT_EQ(dialogs.fileCalls[0].options.filters[0].pattern, "*.ics;*.vcf");
  ASSERT_FALSE(platform->fakeDialogs().shown.empty());
  EXPECT_EQ(platform->fakeDialogs().shown.back().text, "Импортировано: 2. Пропущено: 0.");
  // The standard events are listed: the reminder, not the birthday.
  ASSERT_EQ(Form2->ListView1->ItemCount(), 1);
  EXPECT_EQ(program->Scheduler().Names().size(), 2u);

  Form2->ExportButton->Click();
  ASSERT_EQ(dialogs.fileCalls.size(), 2u);
  EXPECT_TRUE(dialogs.fileCalls[1].save);
  EXPECT_EQ(dialogs.fileCalls[1].options.defaultExtension, "ics");
  EXPECT_EQ(platform->fakeDialogs().shown.back().text, "Экспортировано: 1.");
  const std::string out = dir.Read("out.ics").value_or("");
  EXPECT_NE(out.find("UID:u1\r\n"), std::string::npos);
  EXPECT_EQ(out.find("UID:u2\r\n"), std::string::npos);
}

}  // namespace
