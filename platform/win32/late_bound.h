// A function of a system library that is loaded the first time the program needs it, so that
// a library the clock may never use (sound files, file and colour dialogs, the shell) costs
// neither start-up time nor memory. Include <windows.h> first.
#pragma once

namespace platform::win32 {

// The function `name` of `library`, or null when the system has no such library or function.
// The library stays loaded for the life of the process.
template <class Function>
Function* LateBound(const wchar_t* library, const char* name) {
  HMODULE module = LoadLibraryW(library);
  return module ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace platform::win32
