#include <gtest/gtest.h>

#include <string>

#include "platform/api/mm.h"
#include "tests/platform_sdl/sdl_platform_fixture.h"
#include "tests/support/wave_samples.h"

namespace sdl_platform_testing {
namespace {

using namespace testing_support::wave;

// The device's own format, 16-bit stereo at 44100 Hz, so that the device
// plays the wave's bytes as they are: 100 ms of a ramp no silence resembles.
const std::string kSamples = Ramp(2, 16, 4410);
const std::string kWave = Riff(Fmt(2, 44100, 16) + Chunk("data", kSamples));

int Occurrences(const std::string& played, const std::string& samples) {
  int n = 0;
  for (auto at = played.find(samples); at != std::string::npos; at = played.find(samples, at + 1)) {
    ++n;
  }
  return n;
}

class SdlSound : public OnSdlHost {
 protected:
  void SetUp() override {
    OnSdlHost::SetUp();
    testing_support::WriteBytes(folder_ / "ramp.wav", kWave);
    path_ = std::u16string(folder_.path().begin(), folder_.path().end()) + u"\\ramp.wav";
  }
  std::u16string path_;
};

TEST_F(SdlSound, AWaveFilePlaysOnceOnTheDevice_EveryByteOfIt) {
  ASSERT_TRUE(PlaySoundW(path_.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT));
  Let(300);
  EndHost();
  const std::string played = Played();
  EXPECT_EQ(Occurrences(played, kSamples), 1);
  // Nothing but silence after it.
  const auto end = played.find(kSamples) + kSamples.size();
  EXPECT_EQ(played.find_first_not_of('\0', end), std::string::npos);
}

TEST_F(SdlSound, ALoopRepeatsUntilANullNameStopsIt) {
  ASSERT_TRUE(
      PlaySoundW(path_.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT | SND_LOOP));
  Let(350);
  ASSERT_TRUE(PlaySoundW(nullptr, nullptr, 0));
  Let(150);
  EndHost();
  const std::string played = Played();
  EXPECT_GE(Occurrences(played, kSamples), 2);
  // The last 50 ms are silence.
  const std::size_t tail = 4 * 44100 / 20;
  ASSERT_GT(played.size(), tail);
  EXPECT_EQ(played.find_first_not_of('\0', played.size() - tail), std::string::npos);
}

}  // namespace
}  // namespace sdl_platform_testing
