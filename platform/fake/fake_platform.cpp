#include "platform/fake/fake_platform.h"

#include <algorithm>

#include "platform/date_text.h"
#include "platform/files.h"
#include "platform/sound_limits.h"

namespace platform {

namespace {

// The fake wall clock counts from 2000-01-01, 10957 days after 1970-01-01.
constexpr std::int64_t kDaysTo2000 = 10957;
constexpr std::int64_t kDayMs = 86'400'000;

}  // namespace

DateTime FakeClock::Now() {
  std::int64_t days = wallMs >= 0 ? wallMs / kDayMs : (wallMs - kDayMs + 1) / kDayMs;
  std::int64_t rest = wallMs - days * kDayMs;
  DateTime t = CivilFromDays(days + kDaysTo2000);
  t.hour = int(rest / 3'600'000);
  t.minute = int(rest / 60'000 % 60);
  t.second = int(rest / 1000 % 60);
  t.millisecond = int(rest % 1000);
  return t;
}

void FakeClock::Set(int year, int month, int day, int hour, int minute, int second, int millisecond) {
  wallMs = (DaysFromCivil(year, month, day) - kDaysTo2000) * kDayMs + hour * 3'600'000LL + minute * 60'000LL +
           second * 1000LL + millisecond;
}

void FakeClock::Advance(std::uint64_t ms) {
  tickMs += ms;
  const std::int64_t utcMs = wallMs - utcOffset * 1000LL + std::int64_t(ms);
  while (!changes_.empty() && changes_.front().utcMs <= utcMs) {
    utcOffset = changes_.front().offset;
    changes_.erase(changes_.begin());
  }
  wallMs = utcMs + utcOffset * 1000LL;
}

void FakeClock::SetUtcOffset(int seconds) {
  wallMs += (seconds - utcOffset) * 1000LL;
  utcOffset = seconds;
}

void FakeClock::ChangeOffsetAt(int year, int month, int day, int hour, int minute, int second, int seconds) {
  const int before = changes_.empty() ? utcOffset : changes_.back().offset;
  const std::int64_t localMs = (DaysFromCivil(year, month, day) - kDaysTo2000) * kDayMs + hour * 3'600'000LL +
                               minute * 60'000LL + second * 1000LL;
  changes_.push_back({localMs - before * 1000LL, seconds});
  std::stable_sort(changes_.begin(), changes_.end(),
                   [](const OffsetChange& a, const OffsetChange& b) { return a.utcMs < b.utcMs; });
}

std::int64_t FakeClock::UtcSecond() const {
  const std::int64_t utcMs = wallMs - utcOffset * 1000LL;
  return (utcMs >= 0 ? utcMs / 1000 : (utcMs - 999) / 1000) + kDaysTo2000 * 86'400;
}

int FakeClock::UtcOffsetAt(std::int64_t utcSecond) {
  const std::int64_t utcMs = (utcSecond - kDaysTo2000 * 86'400) * 1000;
  int offset = utcOffset;
  for (const OffsetChange& change : changes_)
    if (change.utcMs <= utcMs) offset = change.offset;
  return offset;
}

int FakeDialogs::ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  shown.push_back({text, caption, flags});
  if (answers.empty()) return 1;
  int a = answers.front();
  answers.pop_front();
  return a;
}

bool FakeProcess::CreateSingleInstanceMutex(const std::string& name) {
  mutexRequests.push_back(name);
  return system_.mutexes.insert(name).second;
}

void FakeProcess::Exit(int code) {
  exitCode = code;
  throw ProcessExit{code};
}

const std::vector<std::string>& ImageLibraryNames() {
  static const std::vector<std::string> names = {
      "PL",     "SCHEME",  "CONFIG", "COMPUTER",    "TOTRAY",   "FROM_TRAY", "EXIT",  "HELP",
      "WWW",    "ADDEVENT", "DELEVENT", "OKEVENT", "CANCELEVENT", "SPEAKER", "BROWSE", "RUNFILETEST",
      "FOTO",   "MAIL",    "DATE",   "TIME",        "OK",       "MAIL2",     "DELIVERY"};
  return names;
}

bool FakeResourceLibrary::Load(const std::string& relativePath) {
  log_.loads.push_back(relativePath);
  loaded_ = FileExists(programDir_ + relativePath);
  return loaded_;
}

std::optional<Image> FakeResourceLibrary::Bitmap(const std::string& name) {
  if (!loaded_) return std::nullopt;
  const auto& names = ImageLibraryNames();
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] != name) continue;
    // A distinct picture per name, so tests can tell which one a control shows.
    Image image(16, 16, 0xFF00FF);
    for (int y = 4; y < 12; ++y)
      for (int x = 4; x < 12; ++x) image.At(x, y) = std::uint32_t(0x010101 * (i + 1));
    return image;
  }
  return std::nullopt;
}

void FakeResourceLibrary::Release() {
  if (!loaded_) return;
  loaded_ = false;
  ++log_.releases;
}

std::unique_ptr<ResourceLibrary> FakePlatform::NewResourceLibrary() {
  return std::make_unique<FakeResourceLibrary>(DirectoryOf(process_.exePath), libraryLog);
}

std::optional<std::string> FakeProgramResources::Data(const std::string& name) {
  auto it = data.find(name);
  if (it == data.end()) return std::nullopt;
  return it->second;
}

namespace {
// The media layer's text for a file it cannot find.
const char* const kFileNotFoundText = "Cannot find the specified file. Make sure the path and filename are correct.";
}  // namespace

void FakeSound::Beep(int frequency, int durationMs) {
  const BeepRequest tone = ClampBeep(frequency, durationMs);
  beeps.push_back({tone.frequency, tone.durationMs, clock_.Now()});
  if (beepsTakeTime && tone.durationMs > 0) clock_.Advance(std::uint64_t(tone.durationMs));
}

void FakeSound::PlayFile(const std::string& path) {
  if (!MediaFileNameAcceptable(path)) throw MediaError(kFileNotFoundText);
  auto failure = failures.find(path);
  if (failure != failures.end()) throw MediaError(failure->second);
  played.push_back({path, clock_.Now()});
}

std::string FakeDesktop::WindowCaption(WindowHandle window) {
  auto it = windows.find(window);
  return it == windows.end() ? std::string() : it->second;
}

void FakeDesktop::SetWindowCaption(WindowHandle window, const std::string& caption) {
  captionsSet.emplace_back(window, caption);
  auto it = windows.find(window);
  if (it != windows.end()) it->second = caption;
}

bool FakeNotifyArea::Notify(unsigned request, const NotifyIconData& data) {
  calls.push_back({request, data});
  if (refuse.count(request)) return false;
  auto it = std::find_if(shown.begin(), shown.end(),
                         [&](const NotifyIconData& d) { return d.hWnd == data.hWnd && d.uID == data.uID; });
  switch (request) {
    case kNotifyAdd:
      if (it != shown.end() || data.cbSize != sizeof(NotifyIconData)) return false;
      shown.push_back(data);
      return true;
    case kNotifyModify:
      if (it == shown.end()) return false;
      if (data.uFlags & kNotifyFlagInfo) balloons.push_back(data);
      // A balloon alone leaves the icon's picture and hint as they were.
      if (data.uFlags != kNotifyFlagInfo) *it = data;
      return true;
    case kNotifyDelete:
      if (it == shown.end()) return false;
      shown.erase(it);
      return true;
    default:
      return false;
  }
}

std::uint32_t FakeNotifyArea::MakeIcon(const Image& picture) {
  if (picture.Empty()) return kProgramIcon;
  std::uint32_t handle = nextIcon_++;
  icons[handle] = picture;
  return handle;
}

void FakeNotifyArea::FreeIcon(std::uint32_t icon) {
  if (icons.erase(icon)) freed.push_back(icon);
}

const NotifyIconData* FakeNotifyArea::Find(std::uint32_t hWnd, std::uint32_t uID) const {
  for (const auto& d : shown)
    if (d.hWnd == hWnd && d.uID == uID) return &d;
  return nullptr;
}

int FakeNotifyArea::Count(unsigned request) const {
  return int(std::count_if(calls.begin(), calls.end(), [request](const NotifyCall& c) { return c.request == request; }));
}

}  // namespace platform
