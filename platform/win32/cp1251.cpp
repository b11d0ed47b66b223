#include <windows.h>

#include "platform/win32/cp1251.h"

namespace platform::win32 {

namespace {
constexpr UINT kCodePage = 1251;
}

std::wstring WidenCp1251(const std::string& text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(kCodePage, 0, text.data(), int(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(std::size_t(n), L'\0');
  MultiByteToWideChar(kCodePage, 0, text.data(), int(text.size()), wide.data(), n);
  return wide;
}

std::string NarrowCp1251(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(kCodePage, 0, text.data(), int(text.size()), nullptr, 0, "?", nullptr);
  if (n <= 0) return {};
  std::string narrow(std::size_t(n), '\0');
  WideCharToMultiByte(kCodePage, 0, text.data(), int(text.size()), narrow.data(), n, "?", nullptr);
  return narrow;
}

}  // namespace platform::win32
