// What the sound service accepts: tones held to the system's range, and file names that cannot
// carry parameters of their own into a media command.
#include <gtest/gtest.h>

#include <climits>

#include "platform/fake/fake_platform.h"
#include "platform/sound_limits.h"

namespace {

using platform::BeepRequest;
using platform::ClampBeep;

TEST(SoundLimits, TonesAreHeldToWhatTheSystemMakes) {
  const std::pair<BeepRequest, BeepRequest> cases[] = {
      {{1000, 800}, {1000, 800}},         {{37, 0}, {37, 0}},
      {{32767, 60000}, {32767, 60000}},   {{36, 100}, {37, 100}},
      {{0, 100}, {37, 100}},              {{-5, 100}, {37, 100}},
      {{32768, 100}, {32767, 100}},       {{INT_MAX, INT_MAX}, {32767, 60000}},
      {{INT_MIN, INT_MIN}, {37, 0}},      {{440, -1}, {440, 0}},
      {{440, 60001}, {440, 60000}},
  };
  for (const auto& [asked, given] : cases)
    EXPECT_EQ(ClampBeep(asked.frequency, asked.durationMs), given) << asked.frequency << " Hz " << asked.durationMs << " ms";
}

TEST(SoundLimits, MediaFileNamesWithADoubleQuoteAreRefused) {
  EXPECT_TRUE(platform::MediaFileNameAcceptable("C:\\Sound\\Beep.wav"));
  EXPECT_TRUE(platform::MediaFileNameAcceptable("C:\\Звуки\\it's (1).mp3"));
  EXPECT_FALSE(platform::MediaFileNameAcceptable("C:\\a.wav\" alias x wait"));
  EXPECT_FALSE(platform::MediaFileNameAcceptable("\""));

  // The fake service keeps the same rules, so program tests see what the system would do.
  platform::FakeClock clock;
  platform::FakeSound sound(clock);
  sound.beepsTakeTime = true;
  const std::uint64_t before = clock.Millis();
  sound.Beep(-1, 2000000000);
  ASSERT_EQ(sound.beeps.size(), 1u);
  EXPECT_EQ(sound.beeps[0].frequency, 37);
  EXPECT_EQ(sound.beeps[0].durationMs, 60000);
  EXPECT_EQ(clock.Millis() - before, 60000u) << "a minute passed, not 23 days";
  EXPECT_THROW(sound.PlayFile("a.wav\" type waveaudio"), platform::MediaError);
  EXPECT_TRUE(sound.played.empty());
}

}  // namespace
