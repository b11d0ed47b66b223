// The program's texts are cp1251 byte strings; the wide Win32 API takes UTF-16. Converting with
// code page 1251 explicitly (not the system's ANSI page) shows Russian texts correctly on any
// Windows, whatever its language settings.
#pragma once

#include <string>

namespace platform::win32 {

std::wstring WidenCp1251(const std::string& text);
// Characters without a cp1251 form become '?'.
std::string NarrowCp1251(const std::wstring& text);

}  // namespace platform::win32
