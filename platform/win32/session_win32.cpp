#include <windows.h>
#include <shellapi.h>

#include "platform/win32/session_win32.h"

#include "platform/win32/cp1251.h"
#include "platform/win32/late_bound.h"

namespace platform {

namespace {

// An empty text is passed to the system as no text at all.
const wchar_t* OrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

void Win32Shell::SetOwner(std::function<WindowHandle()> owner) { owner_ = std::move(owner); }

int Win32Shell::Execute(const std::string& verb, const std::string& file, const std::string& parameters,
                        const std::string& directory, int showCommand) {
  // The wide call with texts converted from cp1251 passes Russian names correctly whatever
  // the system's ANSI code page is; with a cp1251 system it is the same as the ANSI call.
  const std::wstring v = win32::WidenCp1251(verb), f = win32::WidenCp1251(file),
                     p = win32::WidenCp1251(parameters), d = win32::WidenCp1251(directory);
  static auto* execute = win32::LateBound<decltype(ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
  if (!execute) return SE_ERR_DLLNOTFOUND;
  HWND owner = owner_ ? reinterpret_cast<HWND>(owner_()) : nullptr;
  HINSTANCE result = execute(owner, OrNull(v), f.c_str(), OrNull(p), OrNull(d), showCommand);
  return int(reinterpret_cast<INT_PTR>(result));
}

bool Win32Shell::OpenDocument(const std::string& file) {
  static auto* executeEx = win32::LateBound<decltype(ShellExecuteExW)>(L"shell32.dll", "ShellExecuteExW");
  if (!executeEx) return Execute("open", file, "", "", kShowNormal) > 32;
  const std::wstring f = win32::WidenCp1251(file);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  // The program says what went wrong in its own words: the system shows no message of its own.
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  info.hwnd = owner_ ? reinterpret_cast<HWND>(owner_()) : nullptr;
  info.lpVerb = L"open";
  info.lpFile = f.c_str();
  info.nShow = kShowNormal;
  if (!executeEx(&info)) return false;
  if (!info.hProcess) return true;  // handed to a program already running (a DDE server)
  // The opener is watched for a moment: one that ends with an error code (a launcher that found
  // no browser) failed; one that is still running or waits for input (its window is up) did not.
  // A slow program is given up on after 3 s and counts as opened.
  bool opened = true;
  for (int waited = 0; waited < 3000; waited += 50) {
    if (WaitForSingleObject(info.hProcess, 50) == WAIT_OBJECT_0) {
      DWORD code = 0;
      opened = GetExitCodeProcess(info.hProcess, &code) && code == 0;
      break;
    }
    if (WaitForInputIdle(info.hProcess, 0) == 0) break;
  }
  CloseHandle(info.hProcess);
  return opened;
}

Win32Session::~Win32Session() { CloseToken(); }

void Win32Session::CloseToken() {
  if (token_) CloseHandle(HANDLE(token_));
  token_ = nullptr;
}

bool Win32Session::OpenProcessToken() {
  CloseToken();
  HANDLE token = nullptr;
  if (!::OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return false;
  token_ = token;
  return true;
}

unsigned long Win32Session::EnableShutdownPrivilege() {
  TOKEN_PRIVILEGES privileges{};
  LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  // Without a token the call fails (invalid handle), which the last error then tells.
  AdjustTokenPrivileges(HANDLE(token_), FALSE, &privileges, 0, nullptr, nullptr);
  DWORD error = GetLastError();
  CloseToken();
  return error;
}

void Win32Session::LogOff(unsigned flags) { ExitWindowsEx(flags, 0); }

void Win32Session::RequestShutdown(const std::string& message, int timeoutSeconds, bool force, bool reboot) {
  std::wstring text = win32::WidenCp1251(message);
  InitiateSystemShutdownW(nullptr, text.data(), DWORD(timeoutSeconds), force ? TRUE : FALSE, reboot ? TRUE : FALSE);
}

}  // namespace platform
