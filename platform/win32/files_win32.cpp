// Files service of the Windows build, over the ANSI file API (paths are cp1251 bytes).
#include <windows.h>

#include "platform/files.h"

#include <atomic>
#include <cstdint>
#include <new>

namespace platform {
namespace {

// Closes a file handle when it goes out of scope.
class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return h_; }
  bool Close() {
    if (!Valid()) return true;
    const bool ok = ::CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE h_;
};

constexpr DWORD kChunk = 1u << 20;
// Attributes a replaced file hands on to its successor.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

[[noreturn]] void Refuse(const std::string& path) { throw FileError("Unable to write to " + path, path); }

std::string Hex(unsigned long value) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  do {
    text.insert(text.begin(), digits[value & 15]);
    value >>= 4;
  } while (value != 0);
  return text;
}

bool WriteAll(HANDLE file, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const std::size_t left = data.size() - done;
    const DWORD part = left < kChunk ? static_cast<DWORD>(left) : kChunk;
    DWORD written = 0;
    if (!::WriteFile(file, data.data() + done, part, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

// A scanner or indexer may hold the old file open for a moment; the move is tried a few times.
bool MoveOver(const std::string& from, const std::string& to) {
  for (int attempt = 0;; ++attempt) {
    if (::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    const DWORD error = ::GetLastError();
    if (attempt >= 5 || (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)) return false;
    // The target may have turned read-only meanwhile; that refusal is final.
    const DWORD attrs = ::GetFileAttributesA(to.c_str());
    if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY)) return false;
    ::Sleep(20);
  }
}

}  // namespace

std::optional<std::string> ReadFile(const std::string& path) {
  Handle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.Valid()) return std::nullopt;
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) return std::nullopt;
  // Anything the address space cannot hold is reported like an unreadable file.
  if (static_cast<unsigned long long>(size.QuadPart) >= static_cast<unsigned long long>(PTRDIFF_MAX) / 2)
    return std::nullopt;
  try {
    std::string data;
    data.reserve(static_cast<std::size_t>(size.QuadPart));
    std::string buffer(kChunk, '\0');
    for (;;) {
      DWORD got = 0;
      if (!::ReadFile(file.Get(), &buffer[0], kChunk, &got, nullptr)) return std::nullopt;
      if (got == 0) break;
      data.append(buffer.data(), got);
    }
    return data;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  } catch (const std::length_error&) {
    return std::nullopt;
  }
}

void WriteFileAtomically(const std::string& path, const std::string& data) {
  if (path.empty() || path.back() == '\\' || path.back() == '/') Refuse(path);
  const DWORD oldAttrs = ::GetFileAttributesA(path.c_str());
  if (oldAttrs != INVALID_FILE_ATTRIBUTES &&
      (oldAttrs & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
    Refuse(path);

  static std::atomic<unsigned long> counter{0};
  std::string tempPath;
  HANDLE created = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE; ++attempt) {
    tempPath = path + "." + Hex(::GetCurrentProcessId()) + "-" + Hex(counter++) + ".tmp";
    created = ::CreateFileA(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) break;
  }
  Handle temp(created);
  if (!temp.Valid()) Refuse(path);

  bool ok = WriteAll(temp.Get(), data) && ::FlushFileBuffers(temp.Get());
  ok = temp.Close() && ok;
  ok = ok && MoveOver(tempPath, path);
  if (!ok) {
    ::DeleteFileA(tempPath.c_str());
    Refuse(path);
  }
  if (oldAttrs != INVALID_FILE_ATTRIBUTES && (oldAttrs & kKeptAttributes))
    ::SetFileAttributesA(path.c_str(), (oldAttrs & kKeptAttributes) | FILE_ATTRIBUTE_ARCHIVE);
}

bool FileExists(const std::string& path) {
  const DWORD attrs = ::GetFileAttributesA(path.c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
  const DWORD attrs = ::GetFileAttributesA(path.c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool RemoveFile(const std::string& path) { return ::DeleteFileA(path.c_str()) != 0; }

std::vector<std::string> ListDirectory(const std::string& path, bool directoriesOnly) {
  std::string pattern = path;
  if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
  pattern += '*';
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (directoriesOnly && !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    names.push_back(name);
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return names;
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t pos = path.find_last_of("\\/");
  return pos == std::string::npos ? std::string() : path.substr(0, pos + 1);
}

}  // namespace platform
