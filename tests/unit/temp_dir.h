// A temporary folder for tests, removed with its contents at the end.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace testing_support {

// A unique empty folder, removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::filesystem::path& Path() const { return path_; }
  // The folder as the program sees it: a string with a trailing separator.
  std::string Str() const { return path_.string() + "/"; }
  void Write(const std::string& relative, const std::string& content) const;
  std::optional<std::string> Read(const std::string& relative) const;
  bool Exists(const std::string& relative) const;
  void Remove(const std::string& relative) const;

 private:
  std::filesystem::path path_;
};

}  // namespace testing_support
