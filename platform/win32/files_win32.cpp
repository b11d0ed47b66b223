// Files service of the Windows build, over the ANSI file API (paths are cp1251 bytes).
#include <windows.h>

#include "platform/files.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <new>
#include <set>

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

[[noreturn]] void Refuse(const std::string& path) { throw CannotWrite(path); }

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

// The process id in the name of one of our temporary files of the file named `base`
// (base + "." + hex process id + "-" + hex counter + ".tmp"); 0 for any other name.
DWORD TemporaryOwner(const std::string& name, const std::string& base) {
  if (name.size() <= base.size() + 1 || ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name.c_str(),
                                                         int(base.size()), base.c_str(), int(base.size())) != CSTR_EQUAL)
    return 0;
  std::string rest = name.substr(base.size());  // ".<pid>-<counter>.tmp"
  if (rest.size() < 8 || rest[0] != '.' || ::lstrcmpiA(rest.c_str() + rest.size() - 4, ".tmp") != 0) return 0;
  rest = rest.substr(1, rest.size() - 5);
  const std::size_t dash = rest.find('-');
  if (dash == 0 || dash == std::string::npos || dash > 8 || dash + 1 == rest.size()) return 0;
  DWORD pid = 0;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (i == dash) continue;
    const char c = rest[i];
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) return 0;
    if (i < dash) pid = pid * 16 + DWORD(digit);
  }
  return pid;
}

bool ProcessAlive(DWORD pid) {
  HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return ::GetLastError() != ERROR_INVALID_PARAMETER;  // denied: it exists
  DWORD code = 0;
  const bool alive = !::GetExitCodeProcess(process, &code) || code == STILL_ACTIVE;
  ::CloseHandle(process);
  return alive;
}

// Temporary files of `path` that a process killed in the middle of a write left behind. Those
// of living processes may be writes in progress and stay.
void RemoveStaleTemporaries(const std::string& path) {
  // Once per file and run: a write that this process began has either ended or removed its file.
  static std::mutex mutex;
  static std::set<std::string> cleaned;
  {
    std::string key = path;
    for (char& c : key) c = (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c == '/' ? '\\' : c;
    std::lock_guard<std::mutex> lock(mutex);
    if (!cleaned.insert(key).second) return;
  }
  const std::string dir = DirectoryOf(path);
  const std::string base = path.substr(dir.size());
  std::vector<std::string> stale;
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA((path + ".*.tmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const DWORD pid = TemporaryOwner(found.cFileName, base);
    if (pid != 0 && pid != ::GetCurrentProcessId() && !ProcessAlive(pid)) stale.push_back(found.cFileName);
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  for (const std::string& name : stale) ::DeleteFileA((dir + name).c_str());
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
    // Read straight into the result, sized for the file and one byte more, so that the end
    // shows at once; a file that grows meanwhile is read on. (A fixed large buffer would cost
    // every small settings file the allocation and clearing of that buffer.)
    std::string data(static_cast<std::size_t>(size.QuadPart) + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
      if (filled == data.size()) data.resize(data.size() + (data.size() < kChunk ? data.size() : kChunk));
      const std::size_t room = data.size() - filled;
      DWORD got = 0;
      if (!::ReadFile(file.Get(), &data[filled], room < kChunk ? static_cast<DWORD>(room) : kChunk, &got, nullptr))
        return std::nullopt;
      if (got == 0) break;
      filled += got;
    }
    data.resize(filled);
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

  RemoveStaleTemporaries(path);
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

void WriteFilesAtomically(const std::vector<std::pair<std::string, std::string>>& files) {
  // Windows flushes file by file; a volume-wide flush needs administrator rights.
  for (const auto& [path, data] : files) WriteFileAtomically(path, data);
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
