#include <windows.h>
#include <cderr.h>
#include <commdlg.h>

#include "platform/win32/dialogs_win32.h"

#include <vector>

#include "platform/win32/cp1251.h"
#include "platform/win32/late_bound.h"

namespace platform {

namespace {

using win32::NarrowCp1251;
using win32::WidenCp1251;

// "name\0pattern\0...\0\0", the form the file dialog takes its filters in.
std::wstring FilterList(const std::vector<FileFilter>& filters) {
  std::wstring list;
  for (const auto& f : filters) {
    list += WidenCp1251(f.name);
    list += L'\0';
    list += WidenCp1251(f.pattern);
    list += L'\0';
  }
  list += L'\0';
  return list;
}

std::optional<std::string> RunOpenDialog(const OpenFileOptions& options, bool save = false) {
  std::wstring filters = FilterList(options.filters);
  std::wstring initialDir = WidenCp1251(options.initialDir);
  std::vector<wchar_t> file(32768, L'\0');
  for (bool retried = false;; retried = true) {
    std::wstring start = retried ? std::wstring() : WidenCp1251(options.fileName);
    if (start.size() >= file.size()) start.clear();
    std::fill(file.begin(), file.end(), L'\0');
    std::copy(start.begin(), start.end(), file.begin());

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetActiveWindow();
    ofn.lpstrFilter = options.filters.empty() ? nullptr : filters.c_str();
    ofn.nFilterIndex = DWORD(options.filterIndex > 0 ? options.filterIndex : 1);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = DWORD(file.size());
    ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (options.fileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
    if (options.pathMustExist) ofn.Flags |= OFN_PATHMUSTEXIST;
    if (options.hideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
    if (options.resizable) ofn.Flags |= OFN_ENABLESIZING;
    if (options.noPlacesBar) ofn.FlagsEx = OFN_EX_NOPLACESBAR;
    const std::wstring extension = WidenCp1251(options.defaultExtension);
    if (!extension.empty()) ofn.lpstrDefExt = extension.c_str();
    if (save) ofn.Flags |= OFN_OVERWRITEPROMPT;
    static auto* openFile = win32::LateBound<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    static auto* saveFile = win32::LateBound<decltype(GetSaveFileNameW)>(L"comdlg32.dll", "GetSaveFileNameW");
    auto* open = save ? saveFile : openFile;
    static auto* lastError = win32::LateBound<decltype(CommDlgExtendedError)>(L"comdlg32.dll", "CommDlgExtendedError");
    if (!open || !lastError) return std::nullopt;
    if (open(&ofn)) return NarrowCp1251(file.data());
    // A starting name the system finds malformed: ask again without it rather than fail.
    if (lastError() == FNERR_INVALIDFILENAME && !retried && !options.fileName.empty()) continue;
    return std::nullopt;
  }
}

const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

RegistryResult Refusal(LONG error) {
  switch (error) {
    case ERROR_SUCCESS:
      return RegistryResult::kOk;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return RegistryResult::kKeyMissing;
    case ERROR_ACCESS_DENIED:
      return RegistryResult::kAccessDenied;
    default:
      return RegistryResult::kFailed;
  }
}

// Opens the run key of a scope (never creates it); the key is closed when this goes.
class RunKey {
 public:
  RunKey(RunKeyScope scope, REGSAM access) {
    HKEY root = scope == RunKeyScope::kMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    result_ = Refusal(RegOpenKeyExW(root, kRunKey, 0, access, &key_));
  }
  ~RunKey() {
    if (result_ == RegistryResult::kOk) RegCloseKey(key_);
  }
  RunKey(const RunKey&) = delete;
  RunKey& operator=(const RunKey&) = delete;
  RegistryResult Result() const { return result_; }
  HKEY Handle() const { return key_; }

 private:
  HKEY key_ = nullptr;
  RegistryResult result_;
};

// The result of a value's operation: a missing value is not a missing key.
RegistryResult ValueRefusal(LONG error) {
  return error == ERROR_FILE_NOT_FOUND ? RegistryResult::kValueMissing : Refusal(error);
}

}  // namespace

std::optional<std::string> Win32CommonDialogs::OpenFile(const OpenFileOptions& options) { return RunOpenDialog(options); }

std::optional<std::string> Win32CommonDialogs::SaveFile(const OpenFileOptions& options) {
  return RunOpenDialog(options, true);
}

std::optional<std::string> Win32CommonDialogs::OpenPicture(const OpenFileOptions& options) {
  OpenFileOptions shown = options;
  if (shown.filters.empty()) shown.filters = StandardPictureFilters();
  return RunOpenDialog(shown);
}

std::optional<TColor> Win32CommonDialogs::ChooseColor(TColor start) {
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = GetActiveWindow();
  cc.rgbResult = COLORREF(start) & 0x00FFFFFF;  // a colour number has the layout of a COLORREF
  cc.lpCustColors = reinterpret_cast<COLORREF*>(customColors_);
  cc.Flags = CC_RGBINIT;
  static auto* choose = win32::LateBound<decltype(ChooseColorW)>(L"comdlg32.dll", "ChooseColorW");
  if (!choose || !choose(&cc)) return std::nullopt;
  return TColor(cc.rgbResult & 0x00FFFFFF);
}

RegistryResult Win32AutostartRegistry::Read(RunKeyScope scope, const std::string& name, std::string& value) {
  RunKey key(scope, KEY_QUERY_VALUE);
  if (key.Result() != RegistryResult::kOk) return key.Result();
  std::wstring wideName = WidenCp1251(name);
  DWORD type = 0, size = 0;
  LONG error = RegQueryValueExW(key.Handle(), wideName.c_str(), nullptr, &type, nullptr, &size);
  if (error != ERROR_SUCCESS) return ValueRefusal(error);
  if (type != REG_SZ && type != REG_EXPAND_SZ) return RegistryResult::kFailed;
  // The value may change between the two calls: grow and ask again while it does not fit.
  std::vector<wchar_t> buffer;
  do {
    buffer.assign(size / sizeof(wchar_t) + 2, L'\0');
    size = DWORD(buffer.size() * sizeof(wchar_t));
    error = RegQueryValueExW(key.Handle(), wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                             &size);
  } while (error == ERROR_MORE_DATA);
  if (error != ERROR_SUCCESS) return ValueRefusal(error);
  buffer.resize(size / sizeof(wchar_t) + 1, L'\0');  // the stored text need not end in a zero
  value = NarrowCp1251(std::wstring(buffer.data()));
  return RegistryResult::kOk;
}

RegistryResult Win32AutostartRegistry::Write(RunKeyScope scope, const std::string& name, const std::string& value) {
  RunKey key(scope, KEY_SET_VALUE);
  if (key.Result() != RegistryResult::kOk) return key.Result();
  std::wstring wide = WidenCp1251(value);
  LONG error = RegSetValueExW(key.Handle(), WidenCp1251(name).c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(wide.c_str()), DWORD((wide.size() + 1) * sizeof(wchar_t)));
  return Refusal(error);
}

RegistryResult Win32AutostartRegistry::Delete(RunKeyScope scope, const std::string& name) {
  RunKey key(scope, KEY_SET_VALUE);
  if (key.Result() != RegistryResult::kOk) return key.Result();
  return ValueRefusal(RegDeleteValueW(key.Handle(), WidenCp1251(name).c_str()));
}

}  // namespace platform
