// A command reaches the running copy as WM_COPYDATA to a hidden window of a class of its own;
// the reply comes back the same way to a message-only window of the caller, whose handle
// travels in the request's wParam, before the request's SendMessage returns.
#include "platform/win32/command_link_win32.h"

#include <windows.h>

#include <cstring>

#include "platform/platform.h"
#include "platform/win32/cp1251.h"

namespace platform {

namespace {

constexpr wchar_t kListenerClass[] = L"HoravoCommandWindow";
constexpr wchar_t kReplyClass[] = L"HoravoCommandReply";
constexpr ULONG_PTR kRequestTag = 0x48524351;  // "HRCQ"
constexpr ULONG_PTR kReplyTag = 0x48524341;    // "HRCA"
constexpr DWORD kLongestRequest = 1 << 20;
// A running copy may be importing a large file: it is waited for this long.
constexpr UINT kReplyTimeoutMs = 120000;

struct ReplyBox {
  bool received = false;
  CommandReply reply;
};

LRESULT CALLBACK ReplyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    auto* box = reinterpret_cast<ReplyBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (box && data && data->dwData == kReplyTag && data->cbData >= sizeof(std::int32_t)) {
      std::int32_t code = 0;
      std::memcpy(&code, data->lpData, sizeof code);
      box->reply.code = code;
      box->reply.text.assign(static_cast<const char*>(data->lpData) + sizeof code, data->cbData - sizeof code);
      box->received = true;
      return TRUE;
    }
    return FALSE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

class Win32CommandLink : public CommandLink {
 public:
  ~Win32CommandLink() override {
    if (listener_) DestroyWindow(listener_);
  }

  std::optional<CommandReply> HandOver(const std::string& request) override {
    const HWND target = FindWindowW(kListenerClass, nullptr);
    if (!target) return std::nullopt;
    WNDCLASSW replyClass{};
    replyClass.lpfnWndProc = ReplyProc;
    replyClass.hInstance = GetModuleHandleW(nullptr);
    replyClass.lpszClassName = kReplyClass;
    RegisterClassW(&replyClass);
    const HWND replyWindow = CreateWindowExW(0, kReplyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                             replyClass.hInstance, nullptr);
    if (!replyWindow) return CommandReply{2, "Не удалось связаться с запущенной программой"};
    ReplyBox box;
    SetWindowLongPtrW(replyWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&box));
    // The running copy may bring one of its windows forward for the command.
    AllowSetForegroundWindow(ASFW_ANY);
    COPYDATASTRUCT data{kRequestTag, DWORD(request.size()), const_cast<char*>(request.data())};
    DWORD_PTR result = 0;
    const LRESULT sent = SendMessageTimeoutW(target, WM_COPYDATA, reinterpret_cast<WPARAM>(replyWindow),
                                             reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, kReplyTimeoutMs, &result);
    DestroyWindow(replyWindow);
    if (sent && box.received) return box.reply;
    if (!sent && GetLastError() == ERROR_TIMEOUT) return CommandReply{2, "Запущенная программа не ответила"};
    return CommandReply{2, "Запущенная программа не приняла команду"};
  }

  void Listen(std::function<CommandReply(const std::string&)> answer) override {
    answer_ = std::move(answer);
    if (!answer_ || listener_) return;
    WNDCLASSW listenerClass{};
    listenerClass.lpfnWndProc = ListenerProc;
    listenerClass.hInstance = GetModuleHandleW(nullptr);
    listenerClass.lpszClassName = kListenerClass;
    RegisterClassW(&listenerClass);
    // A hidden top-level window (not message-only), so that FindWindow finds it.
    listener_ = CreateWindowExW(WS_EX_TOOLWINDOW, kListenerClass, L"Horavo", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                listenerClass.hInstance, nullptr);
    if (listener_) SetWindowLongPtrW(listener_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }

  void Report(const std::string& text, bool error) override {
    const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) != 0;
    const HANDLE out = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    const DWORD type = out && out != INVALID_HANDLE_VALUE ? GetFileType(out) : FILE_TYPE_UNKNOWN;
    const std::wstring wide = win32::WidenCp1251(text + "\r\n");
    if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE) {
      // Redirected output: in the console's code page when there is a console, else the ANSI one.
      const UINT page = attached ? GetConsoleOutputCP() : CP_ACP;
      const int size = WideCharToMultiByte(page, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
      std::string bytes(std::size_t(size > 0 ? size : 0), '\0');
      if (size > 0) WideCharToMultiByte(page, 0, wide.data(), int(wide.size()), bytes.data(), size, nullptr, nullptr);
      DWORD written = 0;
      WriteFile(out, bytes.data(), DWORD(bytes.size()), &written, nullptr);
      return;
    }
    if (attached) {
      const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, 0, nullptr);
      if (console != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        // The caller's prompt was written before this line: start on a fresh one.
        const std::wstring line = L"\r\n" + wide;
        const BOOL ok = WriteConsoleW(console, line.data(), DWORD(line.size()), &written, nullptr);
        CloseHandle(console);
        if (ok) return;
      }
    }
    MessageBoxW(nullptr, win32::WidenCp1251(text).c_str(), L"Horavo",
                MB_OK | MB_SETFOREGROUND | (error ? MB_ICONERROR : MB_ICONINFORMATION));
  }

 private:
  static LRESULT CALLBACK ListenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA) return DefWindowProcW(window, message, wParam, lParam);
    auto* self = reinterpret_cast<Win32CommandLink*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    const HWND replyWindow = reinterpret_cast<HWND>(wParam);
    if (!self || !self->answer_ || !data || data->dwData != kRequestTag || data->cbData > kLongestRequest ||
        !IsWindow(replyWindow))
      return FALSE;
    const std::string request(static_cast<const char*>(data->lpData), data->cbData);
    CommandReply reply;
    try {
      reply = self->answer_(request);
    } catch (const std::exception& e) {
      reply = {2, e.what()};
    }
    std::string bytes(sizeof(std::int32_t), '\0');
    const std::int32_t code = reply.code;
    std::memcpy(bytes.data(), &code, sizeof code);
    bytes += reply.text;
    COPYDATASTRUCT back{kReplyTag, DWORD(bytes.size()), bytes.data()};
    SendMessageW(replyWindow, WM_COPYDATA, reinterpret_cast<WPARAM>(window), reinterpret_cast<LPARAM>(&back));
    return TRUE;
  }

  std::function<CommandReply(const std::string&)> answer_;
  HWND listener_ = nullptr;
};

}  // namespace

std::unique_ptr<CommandLink> NewWin32CommandLink() { return std::make_unique<Win32CommandLink>(); }

}  // namespace platform
