// Files service of the host build. Paths arrive in the program's Windows form: "\" separates
// names and names are matched without regard to ASCII case. A path whose exact spelling exists
// is used as it is; otherwise each name is looked up in its directory, case-insensitively.
#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <map>
#include <cstdlib>
#include <mutex>
#include <new>
#include <set>

namespace platform {
namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

// Case-insensitive order, ties broken by the bytes, so listings come out the same every time.
bool LessIgnoringCase(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(LowerAscii(a[i]));
    const auto cb = static_cast<unsigned char>(LowerAscii(b[i]));
    if (ca != cb) return ca < cb;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

bool Exists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

// The entry of `directory` whose name equals `name` ignoring case; of several, the first in
// byte order, so the choice does not depend on the directory's internal order.
std::string FindIgnoringCase(const std::string& directory, const std::string& name) {
  DIR* dir = ::opendir(directory.empty() ? "." : directory.c_str());
  if (!dir) return {};
  std::string best;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string candidate = entry->d_name;
    if (EqualIgnoringCase(candidate, name) && (best.empty() || candidate < best)) best = candidate;
  }
  ::closedir(dir);
  return best;
}

// The host path that the program's path names. Names that exist nowhere are kept as given,
// so a file about to be created gets the spelling the caller chose.
std::string Resolve(const std::string& path) {
  std::string normal = path;
  std::replace(normal.begin(), normal.end(), '\\', '/');
  if (normal.empty() || Exists(normal)) return normal;

  std::string resolved = normal[0] == '/' ? "/" : "";
  std::size_t pos = 0;
  bool parentExists = true;
  while (pos < normal.size()) {
    std::size_t end = normal.find('/', pos);
    if (end == std::string::npos) end = normal.size();
    std::string name = normal.substr(pos, end - pos);
    pos = end + 1;
    if (name.empty()) continue;
    std::string next = resolved.empty() || resolved.back() == '/' ? resolved + name : resolved + "/" + name;
    if (parentExists && name != "." && name != ".." && !Exists(next)) {
      const std::string found = FindIgnoringCase(resolved, name);
      if (!found.empty())
        next = next.substr(0, next.size() - name.size()) + found;
      else
        parentExists = false;
    }
    resolved = next;
  }
  if (normal.back() == '/' && (resolved.empty() || resolved.back() != '/')) resolved += '/';
  return resolved;
}

[[noreturn]] void Refuse(const std::string& path) { throw CannotWrite(path); }

bool WriteAll(int fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The process id in the name of one of our temporary files whose name starts with `prefix`;
// 0 for any other name.
long TemporaryOwner(const std::string& name, const std::string& prefix) {
  if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return 0;
  const std::string rest = name.substr(prefix.size());  // "<pid>.<counter>.tmp"
  const std::size_t dot = rest.find('.');
  if (dot == 0 || dot == std::string::npos || dot > 9 || rest.size() < dot + 6) return 0;
  if (rest.compare(rest.size() - 4, 4, ".tmp") != 0) return 0;
  long pid = 0;
  for (std::size_t i = 0; i < rest.size() - 4; ++i) {
    if (i == dot) continue;
    if (rest[i] < '0' || rest[i] > '9') return 0;
    if (i < dot) pid = pid * 10 + (rest[i] - '0');
  }
  return pid;
}

// Creates a new, empty file beside `target` under a name nobody else uses.
int CreateTemporary(const std::string& target, std::string& tempPath) {
  static std::atomic<unsigned> counter{0};
  const std::string dir = DirectoryOf(target);
  const std::string base = target.substr(dir.size());
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = dir + "." + base + "." + std::to_string(::getpid()) + "." + std::to_string(counter++) + ".tmp";
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Temporary files of `target` ("." + name + "." + process id + "." + counter + ".tmp") that a
// process killed in the middle of a write left behind. Those of living processes may be
// writes in progress and stay.
void RemoveStaleTemporaries(const std::string& target) {
  // Once per file and run: a write that this process began has either ended or removed its file.
  static std::mutex mutex;
  static std::set<std::string> cleaned;
  {
    std::lock_guard<std::mutex> lock(mutex);
    if (!cleaned.insert(target).second) return;
  }
  const std::string dir = DirectoryOf(target);
  const std::string prefix = "." + target.substr(dir.size()) + ".";
  DIR* listing = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!listing) return;
  std::vector<std::string> stale;
  while (const dirent* entry = ::readdir(listing)) {
    const std::string name = entry->d_name;
    const long pid = TemporaryOwner(name, prefix);
    if (pid > 0 && pid != ::getpid() && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH) stale.push_back(name);
  }
  ::closedir(listing);
  for (const std::string& name : stale) ::unlink((dir + name).c_str());
}

// The same for many new files of one folder, named by their file names, in one listing.
void RemoveStaleTemporariesOf(const std::string& dir, const std::set<std::string>& names) {
  DIR* listing = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!listing) return;
  std::vector<std::string> stale;
  while (const dirent* entry = ::readdir(listing)) {
    const std::string name = entry->d_name;
    // "." + file name + "." + process id + "." + counter + ".tmp": the file name ends before
    // the second dot from the end of what precedes ".tmp".
    if (name.size() < 6 || name[0] != '.' || name.compare(name.size() - 4, 4, ".tmp") != 0) continue;
    const std::size_t counterDot = name.rfind('.', name.size() - 5);
    if (counterDot == std::string::npos || counterDot == 0) continue;
    const std::size_t pidDot = name.rfind('.', counterDot - 1);
    if (pidDot == std::string::npos || pidDot == 0) continue;
    const std::string base = name.substr(1, pidDot - 1);
    if (!names.count(base)) continue;
    const long pid = TemporaryOwner(name, "." + base + ".");
    if (pid > 0 && pid != ::getpid() && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH) stale.push_back(name);
  }
  ::closedir(listing);
  for (const std::string& name : stale) ::unlink((dir + name).c_str());
}

void SyncDirectory(const std::string& file) {
  const std::string dir = DirectoryOf(file);
  const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // best effort: the rename itself already happened
  ::close(fd);
}

}  // namespace

std::optional<std::string> ReadFile(const std::string& path) {
  // O_NONBLOCK: a FIFO or device under that name must not hang the caller; it is no file.
  const int fd = ::open(Resolve(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  std::optional<std::string> result;
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    try {
      std::string data;
      data.reserve(static_cast<std::size_t>(st.st_size));
      char buffer[65536];
      for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;
        if (n == 0) {
          result = std::move(data);
          break;
        }
        data.append(buffer, static_cast<std::size_t>(n));
      }
    } catch (const std::bad_alloc&) {
      result.reset();  // too large to hold: reported like an unreadable file
    } catch (const std::length_error&) {
      result.reset();
    }
  }
  ::close(fd);
  return result;
}

void WriteFileAtomically(const std::string& path, const std::string& data) {
  std::string target = Resolve(path);
  if (target.empty() || target.back() == '/') Refuse(path);

  struct stat st;
  const bool exists = ::stat(target.c_str(), &st) == 0;
  if (exists) {
    // A file without write permission is read-only, as on Windows, even for the superuser.
    if (!S_ISREG(st.st_mode) || (st.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0) Refuse(path);
    // Replace what a symbolic link points to, not the link.
    char real[PATH_MAX];
    if (::realpath(target.c_str(), real)) target = real;
  }

  RemoveStaleTemporaries(target);
  std::string tempPath;
  const int fd = CreateTemporary(target, tempPath);
  if (fd < 0) Refuse(path);
  bool ok = WriteAll(fd, data);
  if (ok && exists) {
    ::fchmod(fd, st.st_mode & 07777);
    if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
      // Keeping the owner needs privileges the program may not have; the content matters more.
    }
  }
  ok = ok && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && ::rename(tempPath.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(tempPath.c_str());
    Refuse(path);
  }
  SyncDirectory(target);
}

void WriteFilesAtomically(const std::vector<std::pair<std::string, std::string>>& files) {
  struct Pending {
    std::string path, target, temp;
  };
  std::vector<Pending> pending;
  auto dropTemporaries = [&] {
    for (const Pending& p : pending) ::unlink(p.temp.c_str());
  };
  int flushFd = -1;
  // Leftovers of writes cut short, one listing per folder.
  std::map<std::string, std::set<std::string>> newNames;
  for (const auto& entry : files) {
    const std::string target = Resolve(entry.first);
    struct stat st;
    if (target.empty() || target.back() == '/' || ::lstat(target.c_str(), &st) == 0) continue;
    const std::string dir = DirectoryOf(target);
    newNames[dir].insert(target.substr(dir.size()));
  }
  for (const auto& [dir, names] : newNames) RemoveStaleTemporariesOf(dir, names);
  for (const auto& [path, data] : files) {
    const std::string target = Resolve(path);
    if (target.empty() || target.back() == '/') {
      dropTemporaries();
      Refuse(path);
    }
    struct stat st;
    if (::lstat(target.c_str(), &st) == 0) {
      // Replacing a file keeps its permissions and owner: the single write knows how.
      WriteFileAtomically(path, data);
      continue;
    }
    std::string temp;
    const int fd = CreateTemporary(target, temp);
    if (fd < 0) {
      dropTemporaries();
      Refuse(path);
    }
    pending.push_back({path, target, temp});
    const bool ok = WriteAll(fd, data);
    if (::close(fd) != 0 || !ok) {
      dropTemporaries();
      Refuse(path);
    }
  }
  if (pending.empty()) return;
  // One flush of the file system stands for a flush of each temporary file.
  flushFd = ::open(pending.front().temp.c_str(), O_RDONLY | O_CLOEXEC);
  const bool flushed = flushFd >= 0 && ::syncfs(flushFd) == 0;
  if (flushFd >= 0) ::close(flushFd);
  if (!flushed) {
    dropTemporaries();
    Refuse(pending.front().path);
  }
  std::set<std::string> folders;
  for (std::size_t i = 0; i < pending.size(); ++i) {
    if (::rename(pending[i].temp.c_str(), pending[i].target.c_str()) != 0) {
      for (std::size_t j = i; j < pending.size(); ++j) ::unlink(pending[j].temp.c_str());
      Refuse(pending[i].path);
    }
    if (folders.insert(DirectoryOf(pending[i].target)).second) SyncDirectory(pending[i].target);
  }
}

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(Resolve(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st;
  return ::stat(Resolve(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool RemoveFile(const std::string& path) {
  const std::string target = Resolve(path);
  struct stat st;
  if (::lstat(target.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  // Windows refuses to delete a read-only file; keep the host in step.
  if (!S_ISLNK(st.st_mode) && (st.st_mode & 0222) == 0) return false;
  return ::unlink(target.c_str()) == 0;
}

std::vector<std::string> ListDirectory(const std::string& path, bool directoriesOnly) {
  std::string dirPath = Resolve(path);
  if (dirPath.empty()) dirPath = ".";
  std::vector<std::string> names;
  DIR* dir = ::opendir(dirPath.c_str());
  if (!dir) return names;
  if (dirPath.back() != '/') dirPath += '/';
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (directoriesOnly) {
      struct stat st;
      if (::stat((dirPath + name).c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) continue;
    }
    names.push_back(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end(), LessIgnoringCase);
  return names;
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t pos = path.find_last_of("\\/");
  return pos == std::string::npos ? std::string() : path.substr(0, pos + 1);
}

}  // namespace platform
