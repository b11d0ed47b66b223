// The recording fakes of the dialogs and of the autostart registry behave as the services
// promise: a confirmed and a cancelled dialog are told apart, a refusal is a result.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/fake/fake_platform.h"

namespace {

using platform::RegistryResult;
using platform::RunKeyScope;

TEST(FileDialogs, ConfirmedGivesThePathAndCancelledNothing) {
  platform::FakeCommonDialogs dialogs;
  platform::OpenFileOptions options;
  options.filters = {{"Все файлы", "*.*"}, {"Звуковые файлы", "*.wav;*.mp3"}};
  options.initialDir = "C:\\Horavo\\Skins";
  options.fileName = "skin.ini";
  options.fileMustExist = options.hideReadOnly = options.resizable = options.noPlacesBar = true;

  dialogs.fileAnswers = {"C:\\Музыка\\звон.wav", std::nullopt, ""};
  EXPECT_EQ(dialogs.OpenFile(options), std::optional<std::string>("C:\\Музыка\\звон.wav"));
  EXPECT_EQ(dialogs.OpenFile(options), std::nullopt);
  // An empty name chosen is still a confirmation, not a cancel.
  EXPECT_EQ(dialogs.OpenFile(options), std::optional<std::string>(""));
  EXPECT_EQ(dialogs.OpenFile(options), std::nullopt);  // nothing scripted: the user cancels
  ASSERT_EQ(dialogs.fileCalls.size(), 4u);
  EXPECT_FALSE(dialogs.fileCalls[0].picture);
  EXPECT_EQ(dialogs.fileCalls[0].options, options);
}

TEST(FileDialogs, PictureDialogOffersTheStandardPictureFilters) {
  platform::FakeCommonDialogs dialogs;
  dialogs.fileAnswers = {"C:\\Фото\\мама.jpg"};
  EXPECT_EQ(dialogs.OpenPicture({}), std::optional<std::string>("C:\\Фото\\мама.jpg"));
  EXPECT_EQ(dialogs.OpenPicture({}), std::nullopt);
  ASSERT_EQ(dialogs.fileCalls.size(), 2u);
  EXPECT_TRUE(dialogs.fileCalls[0].picture);
  const auto& filters = dialogs.fileCalls[0].options.filters;
  ASSERT_EQ(filters, platform::StandardPictureFilters());
  // The first filter takes every picture kind the others offer.
  for (std::size_t i = 1; i < filters.size(); ++i)
    for (std::size_t start = 0; start < filters[i].pattern.size();) {
      std::size_t end = filters[i].pattern.find(';', start);
      if (end == std::string::npos) end = filters[i].pattern.size();
      EXPECT_NE(filters[0].pattern.find(filters[i].pattern.substr(start, end - start)), std::string::npos);
      start = end + 1;
    }
}

TEST(ColorDialog, StartsOnTheColourChosenLastAndKeepsItWhenCancelled) {
  platform::FakeCommonDialogs dialogs;
  platform::ColorDialog dialog(dialogs);
  dialogs.colorAnswers = {32896, std::nullopt, 16711680};
  EXPECT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Color, 32896);
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.Color, 32896);
  EXPECT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Color, 16711680);
  EXPECT_EQ(dialogs.colorStarts, (std::vector<platform::TColor>{0, 32896, 32896}));
}

// The services sit below the component library: it may use them, never the other way round.
TEST(Layers, TheServicesIncludeNothingOfTheComponentLibrary) {
  const auto root = std::filesystem::path(HORAVO_SOURCE_DIR) / "platform";
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path());
    std::stringstream text;
    text << in.rdbuf();
    ++files;
    EXPECT_EQ(text.str().find("#include \"ui/"), std::string::npos) << entry.path();
  }
  EXPECT_GT(files, 10);
}

TEST(AutostartRegistry, WritesReadsAndDeletesPerScope) {
  platform::FakeAutostartRegistry registry;
  const std::string name = "Horavo v3.0";
  std::string value = "unchanged";
  EXPECT_EQ(registry.Read(RunKeyScope::kMachine, name, value), RegistryResult::kValueMissing);
  EXPECT_EQ(value, "unchanged");

  EXPECT_EQ(registry.Write(RunKeyScope::kMachine, name, "C:\\Программы\\Horavo\\Horavo.exe"), RegistryResult::kOk);
  EXPECT_EQ(registry.Read(RunKeyScope::kMachine, name, value), RegistryResult::kOk);
  EXPECT_EQ(value, "C:\\Программы\\Horavo\\Horavo.exe");
  // The user's run key is another key.
  EXPECT_EQ(registry.Read(RunKeyScope::kUser, name, value), RegistryResult::kValueMissing);

  EXPECT_EQ(registry.Delete(RunKeyScope::kMachine, name), RegistryResult::kOk);
  EXPECT_EQ(registry.Delete(RunKeyScope::kMachine, name), RegistryResult::kValueMissing);
  EXPECT_EQ(registry.Read(RunKeyScope::kMachine, name, value), RegistryResult::kValueMissing);
  ASSERT_EQ(registry.calls.size(), 7u);
  EXPECT_EQ(registry.calls[1].op, 'w');
  EXPECT_EQ(registry.calls[1].value, "C:\\Программы\\Horavo\\Horavo.exe");
}

TEST(AutostartRegistry, RefusalsAreResultsAndChangeNothing) {
  platform::FakeAutostartRegistry registry;
  registry.values[{RunKeyScope::kMachine, "Horavo v3.0"}] = "C:\\old\\Horavo.exe";
  registry.readOnly.insert(RunKeyScope::kMachine);
  std::string value;
  EXPECT_EQ(registry.Write(RunKeyScope::kMachine, "Horavo v3.0", "C:\\new\\Horavo.exe"), RegistryResult::kAccessDenied);
  EXPECT_EQ(registry.Delete(RunKeyScope::kMachine, "Horavo v3.0"), RegistryResult::kAccessDenied);
  EXPECT_EQ(registry.Read(RunKeyScope::kMachine, "Horavo v3.0", value), RegistryResult::kOk);
  EXPECT_EQ(value, "C:\\old\\Horavo.exe");

  registry.missingKeys.insert(RunKeyScope::kUser);
  EXPECT_EQ(registry.Read(RunKeyScope::kUser, "Horavo v3.0", value), RegistryResult::kKeyMissing);
  EXPECT_EQ(registry.Write(RunKeyScope::kUser, "Horavo v3.0", "x"), RegistryResult::kKeyMissing);
  EXPECT_EQ(registry.Delete(RunKeyScope::kUser, "Horavo v3.0"), RegistryResult::kKeyMissing);
  EXPECT_EQ(registry.values.size(), 1u);
}

}  // namespace
