// Other programs' captions written by the clock and given back: each window's own caption is
// remembered the first time it is touched and restored once, to the windows still open.
#include <gtest/gtest.h>

#include "clock/caption_keeper.h"
#include "platform/fake/fake_platform.h"

namespace {

constexpr platform::WindowHandle kA = 0xA0, kB = 0xB0, kC = 0xC0;

class CaptionKeeperTest : public ::testing::Test {
 protected:
  void SetUp() override { desktop.windows = {{kA, "Блокнот"}, {kB, "Калькулятор"}, {kC, "Проводник"}}; }
  platform::FakeDesktop desktop;
};

TEST_F(CaptionKeeperTest, OwnCaptionIsTheOneBeforeTheFirstWrite) {
  clockface::CaptionKeeper keeper(desktop);
  keeper.SetCaption(kA, "БлокнотВремя 1");
  keeper.SetCaption(kA, "БлокнотВремя 2");
  EXPECT_EQ(desktop.windows[kA], "БлокнотВремя 2");
  EXPECT_EQ(keeper.OwnCaption(kA), "Блокнот");
  // Read without a write: remembered as it is now.
  EXPECT_EQ(keeper.OwnCaption(kB), "Калькулятор");
  desktop.windows[kB] = "Калькулятор (новый)";
  EXPECT_EQ(keeper.OwnCaption(kB), "Калькулятор");
}

TEST_F(CaptionKeeperTest, RestoreAllGivesBackEveryOwnCaptionOnceAndForgets) {
  clockface::CaptionKeeper keeper(desktop);
  keeper.SetCaption(kA, "x");
  keeper.SetCaption(kB, "y");
  keeper.SetCaption(kA, "z");
  keeper.RestoreAll();
  EXPECT_EQ(desktop.windows[kA], "Блокнот");
  EXPECT_EQ(desktop.windows[kB], "Калькулятор");
  EXPECT_EQ(desktop.windows[kC], "Проводник");  // never touched
  EXPECT_TRUE(keeper.Empty());

  const std::size_t calls = desktop.captionsSet.size();
  keeper.RestoreAll();
  EXPECT_EQ(desktop.captionsSet.size(), calls);
  // Met afresh after a restore: the caption it has now is its own.
  desktop.windows[kA] = "Другой файл - Блокнот";
  keeper.SetCaption(kA, "w");
  EXPECT_EQ(keeper.OwnCaption(kA), "Другой файл - Блокнот");
}

TEST_F(CaptionKeeperTest, RestoreGivesOneWindowItsCaptionBackAndForgetsOnlyIt) {
  clockface::CaptionKeeper keeper(desktop);
  keeper.SetCaption(kA, "x");
  keeper.SetCaption(kB, "y");
  keeper.Restore(kA);
  EXPECT_EQ(desktop.windows[kA], "Блокнот");
  EXPECT_EQ(desktop.windows[kB], "y");
  // Forgotten: a caption it takes meanwhile is its own when it is met again.
  desktop.windows[kA] = "Письмо - Блокнот";
  EXPECT_EQ(keeper.OwnCaption(kA), "Письмо - Блокнот");

  // A window never met, one closed, and one still showing its own caption are not written.
  keeper.SetCaption(kC, "Проводник");
  desktop.windows.erase(kB);
  desktop.captionsSet.clear();
  keeper.Restore(kB);
  keeper.Restore(kC);
  keeper.Restore(0xD0);
  EXPECT_TRUE(desktop.captionsSet.empty());
}

TEST_F(CaptionKeeperTest, ClosedWindowsAreSkippedAndUntouchedCaptionsLeftAlone) {
  clockface::CaptionKeeper keeper(desktop);
  keeper.SetCaption(kA, "x");
  keeper.SetCaption(kB, "y");
  keeper.OwnCaption(kC);  // read, never written
  desktop.windows.erase(kB);
  desktop.captionsSet.clear();
  keeper.RestoreAll();
  ASSERT_EQ(desktop.captionsSet.size(), 1u);
  EXPECT_EQ(desktop.captionsSet[0], (std::pair<platform::WindowHandle, std::string>{kA, "Блокнот"}));
}

TEST_F(CaptionKeeperTest, NoWindowIsNeitherReadNorWritten) {
  clockface::CaptionKeeper keeper(desktop);
  keeper.SetCaption(0, "x");
  EXPECT_EQ(keeper.OwnCaption(0), "");
  EXPECT_TRUE(desktop.captionsSet.empty());
  EXPECT_TRUE(keeper.Empty());
}

TEST_F(CaptionKeeperTest, WindowsClosedLongAgoAreForgottenWhenANewOneIsMet) {
  clockface::CaptionKeeper keeper(desktop);
  keeper.SetCaption(kA, "x");
  desktop.windows.erase(kA);
  keeper.SetCaption(kB, "y");
  // The handle of a closed window taken by a new one is met as new.
  desktop.windows[kA] = "Новое окно";
  keeper.SetCaption(kA, "z");
  keeper.RestoreAll();
  EXPECT_EQ(desktop.windows[kA], "Новое окно");
}

TEST_F(CaptionKeeperTest, CaptionsAreGivenBackWhenTheKeeperGoes) {
  {
    clockface::CaptionKeeper keeper(desktop);
    keeper.SetCaption(kA, "x");
  }
  EXPECT_EQ(desktop.windows[kA], "Блокнот");
}

}  // namespace
