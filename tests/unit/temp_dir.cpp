#include "tests/unit/temp_dir.h"

#include <fstream>
#include <random>
#include <sstream>

namespace testing_support {

TempDir::TempDir() {
  std::random_device rd;
  auto base = std::filesystem::temp_directory_path();
  do {
    path_ = base / ("horavo-test-" + std::to_string(rd()) + std::to_string(rd()));
  } while (std::filesystem::exists(path_));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

void TempDir::Write(const std::string& relative, const std::string& content) const {
  auto p = path_ / relative;
  std::filesystem::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << content;
}

std::optional<std::string> TempDir::Read(const std::string& relative) const {
  std::ifstream in(path_ / relative, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool TempDir::Exists(const std::string& relative) const { return std::filesystem::exists(path_ / relative); }

void TempDir::Remove(const std::string& relative) const { std::filesystem::remove_all(path_ / relative); }

}  // namespace testing_support
