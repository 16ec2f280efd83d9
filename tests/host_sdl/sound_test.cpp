#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

#include "tests/host_sdl/host_fixture.h"
#include "tests/support/temp_folder.h"

namespace sdl_testing {
namespace {

using testing_support::ReadBytes;
using testing_support::TempFolder;

// The disk driver takes the format asked for, so the file holds 16-bit
// stereo at 44100 Hz.
constexpr int kDeviceRate = 44100;

struct StereoFrame {
  int left, right;
};

std::vector<StereoFrame> FramesOf(const std::string& bytes) {
  std::vector<StereoFrame> frames;
  for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) {
    auto sample = [&](std::size_t at) {
      return static_cast<int>(static_cast<std::int16_t>(
          static_cast<std::uint8_t>(bytes[at]) | static_cast<std::uint8_t>(bytes[at + 1]) << 8));
    };
    frames.push_back({sample(i), sample(i + 2)});
  }
  return frames;
}

// Frames of both channels at `level`, give or take a little resampling.
int FramesAt(const std::vector<StereoFrame>& frames, int level) {
  int n = 0;
  for (const StereoFrame& f : frames) {
    if (std::abs(f.left - level) <= 200 && std::abs(f.right - level) <= 200) ++n;
  }
  return n;
}

// A square wave of 50 Hz: half of each period at +level, half at -level.
std::vector<std::uint8_t> SquareWave(const host::PcmFormat& format, int milliseconds) {
  std::vector<std::uint8_t> bytes;
  const int frames = format.samplesPerSecond * milliseconds / 1000;
  const int half = format.samplesPerSecond / 100;
  for (int i = 0; i < frames; ++i) {
    const bool high = (i / half) % 2 == 0;
    for (int c = 0; c < format.channels; ++c) {
      if (format.bitsPerSample == 8) {
        bytes.push_back(high ? 0xC0 : 0x40);  // +-64 of 128: +-16384 in 16 bits
      } else {
        const std::int16_t v = high ? 16384 : -16384;
        bytes.push_back(static_cast<std::uint8_t>(v & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
      }
    }
  }
  return bytes;
}

class Sound : public WithoutDisplay {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file_.c_str(), 1);
    StartHost();
  }
  // What the device played until now; the host is over after this.
  std::vector<StereoFrame> Played() {
    EndHost();
    return FramesOf(ReadBytes(file_));
  }
  // Waits until the device has written `milliseconds` more to its file, as
  // slowly as the machine may run (5 s at most). The file may lag the device
  // by a few buffers, never more.
  void Let(int milliseconds) {
    const std::uintmax_t target =
        FileBytes() + std::uintmax_t{4} * kDeviceRate * milliseconds / 1000;
    for (int i = 0; i < 500 && FileBytes() < target; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  std::uintmax_t FileBytes() const {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file_, error);
    return error ? 0 : size;
  }

  TempFolder folder_;
  std::string file_ = folder_ / "played.raw";
};

TEST_F(Sound, AShortWaveOfAnyUsualFormatIsPlayedOnceInTheDeviceFormat) {
  const host::PcmFormat formats[] = {
      {22050, 1, 16}, {11025, 1, 8}, {44100, 2, 16}, {48000, 2, 8}, {8000, 1, 16}};
  for (const host::PcmFormat& format : formats) {
    SCOPED_TRACE(testing::Message() << format.samplesPerSecond << " Hz, " << format.channels
                                    << " channels, " << format.bitsPerSample << " bits");
    StartHost();
    ASSERT_TRUE(host().PlaySound(format, SquareWave(format, 100), false));
    Let(150);
    const auto frames = Played();
    // 100 ms: 50 ms high and 50 ms low, of which resampling blurs the edges.
    const int half = kDeviceRate / 20;
    EXPECT_GT(FramesAt(frames, 16384), half * 8 / 10);
    EXPECT_LT(FramesAt(frames, 16384), half * 12 / 10);
    EXPECT_GT(FramesAt(frames, -16384), half * 8 / 10);
    EXPECT_LT(FramesAt(frames, -16384), half * 12 / 10);
  }
}

TEST_F(Sound, ALoopPlaysUntilStopped_ThenSilence) {
  const host::PcmFormat format{22050, 1, 16};
  ASSERT_TRUE(host().PlaySound(format, SquareWave(format, 40), true));
  Let(200);
  host().StopSound();
  Let(150);
  const auto frames = Played();
  const int onePass = kDeviceRate / 50;  // 40 ms, half of it high
  EXPECT_GT(FramesAt(frames, 16384), onePass * 2);
  // After the stop only silence was written: the last 50 ms at least.
  ASSERT_GT(frames.size(), static_cast<std::size_t>(kDeviceRate / 20));
  for (std::size_t i = frames.size() - kDeviceRate / 20; i < frames.size(); ++i) {
    ASSERT_EQ(frames[i].left, 0) << i;
    ASSERT_EQ(frames[i].right, 0) << i;
  }
}

TEST_F(Sound, ANewSoundReplacesTheOnePlaying) {
  const host::PcmFormat format{22050, 1, 16};
  ASSERT_TRUE(host().PlaySound(format, SquareWave(format, 60), true));
  Let(100);
  // Eight-bit silence: the loop must end, with nothing sounding after it.
  const host::PcmFormat quiet{22050, 1, 8};
  ASSERT_TRUE(host().PlaySound(quiet, std::vector<std::uint8_t>(2205, 0x80), false));
  Let(200);
  const auto frames = Played();
  ASSERT_GT(frames.size(), static_cast<std::size_t>(kDeviceRate / 20));
  for (std::size_t i = frames.size() - kDeviceRate / 20; i < frames.size(); ++i) {
    ASSERT_EQ(frames[i].left, 0) << i;
  }
}

TEST_F(Sound, AnUnusableFormatPlaysNothingAndSaysSo) {
  const host::PcmFormat looped{22050, 1, 16};
  ASSERT_TRUE(host().PlaySound(looped, SquareWave(looped, 60), true));
  const host::PcmFormat unusable[] = {{22050, 1, 24}, {22050, 3, 16}, {0, 1, 16}, {22050, 0, 8}};
  for (const host::PcmFormat& format : unusable) {
    EXPECT_FALSE(host().PlaySound(format, std::vector<std::uint8_t>(4000, 0x10), false))
        << format.samplesPerSecond << " " << format.channels << " " << format.bitsPerSample;
  }
  Let(150);
  const auto frames = Played();
  ASSERT_GT(frames.size(), static_cast<std::size_t>(kDeviceRate / 20));
  for (std::size_t i = frames.size() - kDeviceRate / 20; i < frames.size(); ++i) {
    ASSERT_EQ(frames[i].left, 0) << "the failed sound did not end the one before it, at " << i;
  }
}

TEST(SoundWithoutDevice, PlayingFailsQuietly) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  host::sdl::SdlHost host;
  const host::PcmFormat format{22050, 1, 16};
  EXPECT_FALSE(host.PlaySound(format, SquareWave(format, 50), false));
  host.StopSound();
  EXPECT_FALSE(host.PlaySound(format, SquareWave(format, 50), false));
}

}  // namespace
}  // namespace sdl_testing
