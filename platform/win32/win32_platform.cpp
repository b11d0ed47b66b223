#include <windows.h>
#include <shellapi.h>

#include "platform/win32/win32_platform.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/win32/command_link_win32.h"
#include "platform/win32/cp1251.h"
#include "platform/win32/desktop_win32.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/late_bound.h"
#include "platform/win32/session_win32.h"
#include "platform/win32/sound_win32.h"
#include "platform/win32/system_time.h"
#include "platform/win32/time_zones_win32.h"

namespace platform {

namespace {

using win32::NarrowCp1251;
using win32::FromSystemTime;
using win32::WidenCp1251;

// The directory part of a path, with its trailing separator; empty when it has none.
std::string DirectoryPart(const std::string& path) {
  std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Absolute paths stay as they are; others go under `directory`, whatever the current directory is.
std::string ResolveUnder(const std::string& directory, const std::string& path) {
  bool absolute = (!path.empty() && (path[0] == '\\' || path[0] == '/')) || (path.size() >= 2 && path[1] == ':');
  return absolute ? path : directory + path;
}

std::string LocaleText(LCTYPE what, const char* fallback) {
  wchar_t buffer[128] = {};
  int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, what, buffer, int(std::size(buffer)));
  if (n <= 1) return fallback;
  return NarrowCp1251(std::wstring(buffer, std::size_t(n - 1)));
}

// 100-nanosecond units from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kFileTimeTo1970 = 116'444'736'000'000'000LL;

std::int64_t FileTimeUnits(const FILETIME& f) {
  return std::int64_t((std::uint64_t(f.dwHighDateTime) << 32) | f.dwLowDateTime);
}

// Local minus UTC in whole minutes: the two readings lie microseconds apart.
int OffsetBetween(const SYSTEMTIME& local, const FILETIME& utc) {
  FILETIME localUnits;
  if (!SystemTimeToFileTime(&local, &localUnits)) return 0;
  const std::int64_t seconds = (FileTimeUnits(localUnits) - FileTimeUnits(utc)) / 10'000'000;
  const std::int64_t minutes = seconds >= 0 ? (seconds + 30) / 60 : -((-seconds + 30) / 60);
  return int(minutes * 60);
}

class Win32Clock : public Clock {
 public:
  DateTime Now() override {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return FromSystemTime(t);
  }
  ZonedTime NowZoned() override {
    // UTC first: should the offset change between the two readings, the pair still gives the
    // offset the local reading has.
    FILETIME utc;
    GetSystemTimeAsFileTime(&utc);
    SYSTEMTIME local;
    GetLocalTime(&local);
    return {FromSystemTime(local), OffsetBetween(local, utc)};
  }
  int UtcOffsetAt(std::int64_t utcSecond) override {
    const std::int64_t units = utcSecond * 10'000'000 + kFileTimeTo1970;
    if (units < 0) return 0;
    FILETIME utc{DWORD(std::uint64_t(units) & 0xFFFFFFFFu), DWORD(std::uint64_t(units) >> 32)};
    SYSTEMTIME utcTime, local;
    if (!FileTimeToSystemTime(&utc, &utcTime) || !SystemTimeToTzSpecificLocalTime(nullptr, &utcTime, &local)) return 0;
    return OffsetBetween(local, utc);
  }
  std::uint32_t TickCount() override { return GetTickCount(); }
  std::string LongTimeFormat() override { return LocaleText(LOCALE_STIMEFORMAT, "HH:mm:ss"); }
  std::string ShortDateFormat() override { return LocaleText(LOCALE_SSHORTDATE, "dd.MM.yyyy"); }
};

class Win32Dialogs : public Dialogs {
 public:
  int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) override {
    // The box belongs to the window the user works with, if the program has one active.
    HWND parent = GetActiveWindow();
    return MessageBoxW(parent, WidenCp1251(text).c_str(), WidenCp1251(caption).c_str(),
                       flags | MB_TASKMODAL | MB_SETFOREGROUND);
  }
};

class Win32Process : public Process {
 public:
  ~Win32Process() override {
    if (mutex_) CloseHandle(mutex_);
  }

  std::string ExePath() override {
    std::string path(MAX_PATH, '\0');
    for (;;) {
      DWORD n = GetModuleFileNameA(nullptr, path.data(), DWORD(path.size()));
      if (n == 0) return {};
      if (n < path.size()) {
        path.resize(n);
        return path;
      }
      path.resize(path.size() * 2);  // truncated: try a larger buffer
    }
  }

  bool CreateSingleInstanceMutex(const std::string& name) override {
    HANDLE h = CreateMutexA(nullptr, TRUE, name.c_str());
    DWORD error = GetLastError();
    if (!h) return false;
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_INVALID_HANDLE) {
      CloseHandle(h);
      return false;
    }
    // Held until the process ends: its existence tells a second start that we are running.
    if (mutex_) CloseHandle(mutex_);
    mutex_ = h;
    return true;
  }

  [[noreturn]] void Exit(int code) override { ExitProcess(UINT(code)); }

 private:
  HANDLE mutex_ = nullptr;
};

class Win32ResourceLibrary : public ResourceLibrary {
 public:
  explicit Win32ResourceLibrary(Process& process) : process_(process) {}
  ~Win32ResourceLibrary() override { Release(); }

  bool Load(const std::string& relativePath) override {
    Release();
    std::string path = ResolveUnder(DirectoryPart(process_.ExePath()), relativePath);
    // A damaged file must give a failed load, not a system error box.
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    module_ = LoadLibraryA(path.c_str());
    SetErrorMode(oldMode);
    return module_ != nullptr;
  }

  bool Loaded() const override { return module_ != nullptr; }

  std::optional<Image> Bitmap(const std::string& name) override {
    if (!module_) return std::nullopt;
    // A DIB section keeps the stored colours exactly, whatever the display's colour depth;
    // the transparent colour of a picture is compared by exact value.
    auto bitmap = HBITMAP(LoadImageA(module_, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) return std::nullopt;
    std::optional<Image> result = ToImage(bitmap);
    DeleteObject(bitmap);
    return result;
  }

  void Release() override {
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
  }

 private:
  static std::optional<Image> ToImage(HBITMAP bitmap) {
    BITMAP info{};
    if (!GetObjectW(bitmap, sizeof info, &info)) return std::nullopt;
    int width = info.bmWidth, height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    constexpr std::int64_t kMaxPixels = 1 << 26;
    if (width <= 0 || height <= 0 || std::int64_t(width) * height > kMaxPixels) return std::nullopt;
    Image image(width, height);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    // Any context will do for 32-bit pixels; a memory one costs far less than the screen's.
    HDC dc = CreateCompatibleDC(nullptr);
    int lines = dc ? GetDIBits(dc, bitmap, 0, UINT(height), image.pixels.data(), &bi, DIB_RGB_COLORS) : 0;
    if (dc) DeleteDC(dc);
    if (lines != height) return std::nullopt;
    // 32-bit DIB pixels are B, G, R, unused: as a little-endian number that is 0x??RRGGBB.
    for (auto& p : image.pixels) p &= 0x00FFFFFF;
    return image;
  }

  Process& process_;
  HMODULE module_ = nullptr;
};

class Win32ProgramResources : public ProgramResources {
 public:
  std::optional<std::string> Data(const std::string& name) override {
    HRSRC info = FindResourceA(nullptr, name.c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!info) return std::nullopt;
    HGLOBAL handle = LoadResource(nullptr, info);
    DWORD size = SizeofResource(nullptr, info);
    const void* bytes = handle ? LockResource(handle) : nullptr;
    if (!bytes) return std::nullopt;
    return std::string(static_cast<const char*>(bytes), size);
  }
};

// The notification area through Shell_NotifyIconA. Our record is the system's in its 488-byte
// form; on a 32-bit build its handles are the system's handles.
#ifndef _WIN64
static_assert(offsetof(NOTIFYICONDATAA, hWnd) == offsetof(NotifyIconData, hWnd));
static_assert(offsetof(NOTIFYICONDATAA, hIcon) == offsetof(NotifyIconData, hIcon));
static_assert(offsetof(NOTIFYICONDATAA, szTip) == offsetof(NotifyIconData, szTip));
static_assert(offsetof(NOTIFYICONDATAA, dwInfoFlags) == offsetof(NotifyIconData, dwInfoFlags));
static_assert(NOTIFYICONDATAA_V2_SIZE == sizeof(NotifyIconData));
#endif
static_assert(NIM_ADD == kNotifyAdd && NIM_MODIFY == kNotifyModify && NIM_DELETE == kNotifyDelete);
static_assert(NIF_MESSAGE == kNotifyFlagMessage && NIF_ICON == kNotifyFlagIcon && NIF_TIP == kNotifyFlagTip);
static_assert(NIF_INFO == kNotifyFlagInfo && NIIF_INFO == kNotifyInfoIcon);

class Win32NotifyArea : public NotifyArea {
 public:
  bool Notify(unsigned request, const NotifyIconData& data) override {
    NOTIFYICONDATAA nid{};
    std::memcpy(&nid, &data, sizeof data);
    nid.hWnd = HWND(std::uintptr_t(data.hWnd));
    nid.hIcon = HICON(std::uintptr_t(data.hIcon));
    static auto* notify = win32::LateBound<decltype(Shell_NotifyIconA)>(L"shell32.dll", "Shell_NotifyIconA");
    return notify && notify(DWORD(request), &nid) != FALSE;
  }

  std::uint32_t MakeIcon(const Image& picture) override {
    if (picture.Empty()) return ProgramIcon();
    return std::uint32_t(std::uintptr_t(IconFromPicture(picture)));
  }

  void FreeIcon(std::uint32_t icon) override {
    if (icon && icon != programIcon_) DestroyIcon(HICON(std::uintptr_t(icon)));
  }

 private:
  // The program's icon in the small size the task bar shows; shared, never destroyed.
  std::uint32_t ProgramIcon() {
    if (programIcon_) return programIcon_;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    HANDLE icon = LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, cx, cy, LR_SHARED);
    if (!icon) icon = LoadImageW(instance, L"MAINICON", IMAGE_ICON, cx, cy, LR_SHARED);
    programIcon_ = std::uint32_t(std::uintptr_t(icon));
    return programIcon_;
  }

  // An icon with the picture's bottom-left colour left out (the mask), opaque elsewhere.
  static HICON IconFromPicture(const Image& picture) {
    const int w = picture.width, h = picture.height;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // top row first, as the picture
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP color = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!color || !bits) {
      if (color) DeleteObject(color);
      return nullptr;
    }
    const std::uint32_t key = picture.BottomLeft();
    const int stride = (w + 15) / 16 * 2;  // mask rows are word-aligned
    std::vector<BYTE> mask(std::size_t(stride) * h, 0);
    auto* out = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        std::uint32_t p = picture.At(x, y);
        bool clear = p == key;
        // 32-bit DIB pixels are B, G, R, alpha: as a little-endian number 0xAARRGGBB.
        out[std::size_t(y) * w + x] = clear ? 0 : (0xFF000000u | p);
        if (clear) mask[std::size_t(y) * stride + x / 8] |= BYTE(0x80 >> (x % 8));
      }
    HBITMAP maskBitmap = CreateBitmap(w, h, 1, 1, mask.data());
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = maskBitmap;
    info.hbmColor = color;
    HICON icon = maskBitmap ? CreateIconIndirect(&info) : nullptr;
    if (maskBitmap) DeleteObject(maskBitmap);
    DeleteObject(color);
    return icon;
  }

  std::uint32_t programIcon_ = 0;
};

}  // namespace

// The monitors as the system lists them, each with its density where the system keeps one per
// monitor (Windows 8.1 and later); before that every monitor has the system's.
class Win32Monitors : public Monitors {
 public:
  std::vector<MonitorArea> List() override {
    std::vector<MonitorArea> list;
    EnumDisplayMonitors(nullptr, nullptr, &Win32Monitors::Add, LPARAM(&list));
    if (list.empty()) {
      RECT work{};
      SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
      const TRect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
      list.push_back({screen, {int(work.left), int(work.top), int(work.right), int(work.bottom)}, true, SystemDpi()});
    }
    return list;
  }

 private:
  static int SystemDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
  }

  static BOOL CALLBACK Add(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    using GetDpiForMonitorFn = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);
    static auto* getDpi = win32::LateBound<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
    UINT dpiX = 0, dpiY = 0;
    int dpi = getDpi && getDpi(monitor, 0, &dpiX, &dpiY) == S_OK && dpiY > 0 ? int(dpiY) : SystemDpi();
    const RECT& b = info.rcMonitor;
    const RECT& w = info.rcWork;
    reinterpret_cast<std::vector<MonitorArea>*>(data)->push_back(
        {{int(b.left), int(b.top), int(b.right), int(b.bottom)},
         {int(w.left), int(w.top), int(w.right), int(w.bottom)},
         (info.dwFlags & MONITORINFOF_PRIMARY) != 0,
         dpi});
    return TRUE;
  }
};

struct Win32Platform::Services {
  Win32Clock clock;
  Win32Dialogs dialogs;
  Win32Process process;
  Win32ProgramResources resources;
  Win32NotifyArea notifyArea;
  Win32Sound sound;
  Win32Desktop desktop;
  Win32Shell shell;
  Win32Session session;
  Win32CommonDialogs commonDialogs;
  Win32AutostartRegistry registry;
  Win32Monitors monitors;
  Win32TimeZones timeZones;
  std::unique_ptr<CommandLink> commandLink = NewWin32CommandLink();
};

Win32Platform::Win32Platform() : services_(std::make_unique<Services>()) {}
Win32Platform::~Win32Platform() = default;

Clock& Win32Platform::clock() { return services_->clock; }
Dialogs& Win32Platform::dialogs() { return services_->dialogs; }
Process& Win32Platform::process() { return services_->process; }
ProgramResources& Win32Platform::programResources() { return services_->resources; }
NotifyArea& Win32Platform::notifyArea() { return services_->notifyArea; }
Sound& Win32Platform::sound() { return services_->sound; }
Desktop& Win32Platform::desktop() { return services_->desktop; }
Shell& Win32Platform::shell() { return services_->shell; }
void Win32Platform::SetMainWindow(std::function<WindowHandle()> mainWindow) {
  services_->shell.SetOwner(std::move(mainWindow));
}
Session& Win32Platform::session() { return services_->session; }
CommonDialogs& Win32Platform::commonDialogs() { return services_->commonDialogs; }
AutostartRegistry& Win32Platform::autostartRegistry() { return services_->registry; }
Monitors& Win32Platform::monitors() { return services_->monitors; }
TimeZones& Win32Platform::timeZones() { return services_->timeZones; }
CommandLink& Win32Platform::commandLink() { return *services_->commandLink; }

std::unique_ptr<ResourceLibrary> Win32Platform::NewResourceLibrary() {
  return std::make_unique<Win32ResourceLibrary>(services_->process);
}

}  // namespace platform
