#include <windows.h>
#include <mmsystem.h>

#include "platform/win32/sound_win32.h"

#include "platform/sound_limits.h"
#include "platform/win32/cp1251.h"
#include "platform/win32/late_bound.h"

namespace platform {

namespace {

// The name the open device goes by in the MCI command strings.
const wchar_t* const kAlias = L"horavo_sound";

MCIERROR Send(const std::wstring& command) {
  static auto* send = win32::LateBound<decltype(mciSendStringW)>(L"winmm.dll", "mciSendStringW");
  return send ? send(command.c_str(), nullptr, 0, nullptr) : MCIERR_CANNOT_LOAD_DRIVER;
}

std::string ErrorText(MCIERROR error) {
  static auto* describe = win32::LateBound<decltype(mciGetErrorStringW)>(L"winmm.dll", "mciGetErrorStringW");
  wchar_t text[MAXERRORLENGTH] = {};
  if (!describe || !describe(error, text, MAXERRORLENGTH) || !text[0])
    return "MCI error " + std::to_string(unsigned(error)) + ".";
  return win32::NarrowCp1251(text);
}

}  // namespace

Win32Sound::~Win32Sound() { Close(); }

void Win32Sound::Beep(int frequency, int durationMs) {
  const BeepRequest tone = ClampBeep(frequency, durationMs);
  if (tone.durationMs > 0) ::Beep(DWORD(tone.frequency), DWORD(tone.durationMs));
}

void Win32Sound::PlayFile(const std::string& path) {
  Close();
  if (!MediaFileNameAcceptable(path)) throw MediaError(ErrorText(MCIERR_FILE_NOT_FOUND));
  const std::wstring file = L"\"" + win32::WidenCp1251(path) + L"\"";
  const std::wstring alias = std::wstring(L" alias ") + kAlias;
  // The device is chosen by the file's extension, as the system maps them (waveaudio for WAV,
  // MPEGVideo for MP3 and WMA, sequencer for MIDI); an extension without a mapping is tried
  // with MPEGVideo, which plays whatever the system's media decoders know.
  MCIERROR error = Send(L"open " + file + alias);
  if (error == MCIERR_EXTENSION_NOT_FOUND) error = Send(L"open " + file + L" type mpegvideo" + alias);
  if (error) throw MediaError(ErrorText(error));
  open_ = true;
  error = Send(std::wstring(L"play ") + kAlias);
  if (error) {
    std::string text = ErrorText(error);
    Close();
    throw MediaError(text);
  }
}

void Win32Sound::Close() {
  if (!open_) return;
  Send(std::wstring(L"close ") + kAlias);
  open_ = false;
}

}  // namespace platform
