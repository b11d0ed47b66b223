// What the system's sound calls accept, applied before each call.
#pragma once

#include <string>

namespace platform {

// The tone generator makes 37 to 32767 Hz. A tone blocks the caller for its whole length, so a
// stored duration is held to at most a minute: a hand-edited number cannot freeze the program
// for days, and a negative one gives no tone.
constexpr int kMinBeepFrequency = 37;
constexpr int kMaxBeepFrequency = 32767;
constexpr int kMaxBeepDurationMs = 60000;

struct BeepRequest {
  int frequency;
  int durationMs;
  friend bool operator==(const BeepRequest&, const BeepRequest&) = default;
};

constexpr BeepRequest ClampBeep(int frequency, int durationMs) {
  return {frequency < kMinBeepFrequency   ? kMinBeepFrequency
          : frequency > kMaxBeepFrequency ? kMaxBeepFrequency
                                          : frequency,
          durationMs < 0 ? 0 : durationMs > kMaxBeepDurationMs ? kMaxBeepDurationMs : durationMs};
}

// A media command names its file in double quotes; a name holding one could end the name
// early and add parameters of its own. No Windows file name holds one, so such a name is
// refused as a file that cannot be found.
inline bool MediaFileNameAcceptable(const std::string& path) { return path.find('"') == std::string::npos; }

}  // namespace platform
