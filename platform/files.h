// Files by full path. Paths are cp1251 byte strings and may use "\" separators; on the host,
// "\" reads as "/" and each name is matched without regard to case, as on Windows.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace platform {

// A file the system refused to read or write; the message names the file.
class FileError : public std::runtime_error {
 public:
  FileError(const std::string& message, std::string path) : std::runtime_error(message), path_(std::move(path)) {}
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// The errors users see, naming the file.
inline FileError CannotOpen(const std::string& path) {
  return FileError("Не удалось открыть файл \"" + path + "\": файл не найден", path);
}
inline FileError CannotWrite(const std::string& path) {
  return FileError("Не удалось записать файл \"" + path + "\"", path);
}

// The whole content, or nothing when the file is missing or unreadable.
std::optional<std::string> ReadFile(const std::string& path);
// Replaces the file's content atomically: the data goes to a new file beside it, which then
// takes the old one's place, so a crash leaves either the old or the new content.
// Throws CannotWrite(path) when the system refuses.
void WriteFileAtomically(const std::string& path, const std::string& data);
// Writes many files (path, content) as WriteFileAtomically does each, with the flushes to disk
// shared where the system allows it: all are written beside their places first, flushed
// together, then put in place. Throws CannotWrite for the first one the system refuses; no
// temporary file stays behind, but files already put in place do (the caller removes them).
void WriteFilesAtomically(const std::vector<std::pair<std::string, std::string>>& files);
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Returns false when the file could not be deleted (or did not exist).
bool RemoveFile(const std::string& path);
// Names (not paths) of the entries of a directory; `directoriesOnly` keeps only sub-directories.
std::vector<std::string> ListDirectory(const std::string& path, bool directoriesOnly = false);
// Directory part of a path, with its trailing separator.
std::string DirectoryOf(const std::string& path);

}  // namespace platform
