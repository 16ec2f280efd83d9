#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/api/kernel.h"
#include "platform/api/mm.h"
#include "platform/host/headless/headless.h"
#include "platform/kernel/resources.h"
#include "tests/support/temp_folder.h"
#include "tests/support/wave_samples.h"

namespace {

using host::headless::PlayedSound;
using testing_support::TempFolder;
using namespace testing_support::wave;

constexpr DWORD kAsync = SND_ASYNC | SND_NODEFAULT;

// 100 ms of 16-bit mono at 22050 Hz, and 50 ms of 8-bit stereo at 8000 Hz.
const std::string kRampSamples = Ramp(1, 16, 2205);
const std::string kRamp = Riff(Fmt(1, 22050, 16) + Chunk("data", kRampSamples));
const std::string kClickSamples = Ramp(2, 8, 400);
const std::string kClick = Riff(Fmt(2, 8000, 8) + Chunk("data", kClickSamples));

const std::vector<std::uint8_t> kClickBytes(kClick.begin(), kClick.end());
const std::vector<std::uint8_t> kNotAWave{'B', 'M', 0, 0, 0, 0};
const std::array<kernel::EmbeddedResource, 2> kResources{{
    {u"WAVE", 0, 1008, kClickBytes},
    {u"WAVE", 0, 1009, kNotAWave},
}};

std::u16string Wide(const std::string& ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

std::string Played(const PlayedSound& sound) {
  return std::string(sound.samples.begin(), sound.samples.end());
}

class PlaySound : public ::testing::Test {
 protected:
  void SetUp() override {
    kernel::RegisterResources(kResources);
    testing_support::WriteBytes(folder_ / "ramp.wav", kRamp);
    testing_support::WriteBytes(folder_ / "click.wav", kClick);
  }
  void TearDown() override { kernel::ClearResources(); }

  // The path as the program writes it: "\" between names.
  std::u16string Path(const std::string& name) const { return Wide(folder_.path() + "\\" + name); }
  const std::vector<PlayedSound>& Sounds() const { return host_.Sounds(); }

  host::headless::HeadlessHost& host_ = host::headless::Instance();
  TempFolder folder_;
};

TEST_F(PlaySound, AFileOrAResourceReachesTheHostWithItsFormatSamplesAndLength) {
  ASSERT_TRUE(PlaySoundW(Path("ramp.wav").c_str(), nullptr, SND_FILENAME | kAsync));
  ASSERT_EQ(Sounds().size(), 1u);
  EXPECT_EQ(Sounds()[0].format.samplesPerSecond, 22050);
  EXPECT_EQ(Sounds()[0].format.channels, 1);
  EXPECT_EQ(Sounds()[0].format.bitsPerSample, 16);
  EXPECT_EQ(Played(Sounds()[0]), kRampSamples);
  EXPECT_FALSE(Sounds()[0].loop);
  host_.Advance(500);
  EXPECT_EQ(Sounds()[0].DurationMs(), 100);

  // The brick sound's call: a resource of the executable, by number.
  for (HMODULE module : {GetModuleHandleW(nullptr), static_cast<HMODULE>(nullptr)}) {
    ASSERT_TRUE(PlaySoundW(MAKEINTRESOURCEW(1008), module, SND_RESOURCE | kAsync));
  }
  ASSERT_EQ(Sounds().size(), 3u);
  EXPECT_EQ(Sounds()[2].format.samplesPerSecond, 8000);
  EXPECT_EQ(Sounds()[2].format.channels, 2);
  EXPECT_EQ(Sounds()[2].format.bitsPerSample, 8);
  EXPECT_EQ(Played(Sounds()[2]), kClickSamples);
}

TEST_F(PlaySound, ANewSoundCutsTheOneStillPlaying_OneThatEndedKeepsItsLength) {
  ASSERT_TRUE(PlaySoundW(Path("ramp.wav").c_str(), nullptr, SND_FILENAME | kAsync));
  host_.Advance(30);
  ASSERT_TRUE(PlaySoundW(MAKEINTRESOURCEW(1008), nullptr, SND_RESOURCE | kAsync));
  host_.Advance(80);
  ASSERT_TRUE(PlaySoundW(Path("ramp.wav").c_str(), nullptr, SND_FILENAME | kAsync));
  ASSERT_EQ(Sounds().size(), 3u);
  EXPECT_EQ(Sounds()[0].DurationMs(), 30);
  EXPECT_EQ(Sounds()[1].DurationMs(), 50) << "it had ended on its own";
}

TEST_F(PlaySound, ALoopSoundsUntilANullNameStopsIt) {
  ASSERT_TRUE(PlaySoundW(Path("click.wav").c_str(), nullptr, SND_FILENAME | SND_LOOP | kAsync));
  ASSERT_EQ(Sounds().size(), 1u);
  EXPECT_TRUE(Sounds()[0].loop);
  host_.Advance(275);
  EXPECT_TRUE(PlaySoundW(nullptr, nullptr, 0));
  EXPECT_EQ(Sounds()[0].DurationMs(), 275);
  EXPECT_EQ(Sounds().size(), 1u);
  EXPECT_TRUE(PlaySoundW(nullptr, nullptr, 0)) << "stopping with nothing playing";
}

TEST_F(PlaySound, WhatCannotBePlayedFailsAndLeavesTheSoundPlaying) {
  testing_support::WriteBytes(folder_ / "text.wav", "not a wave at all");
  testing_support::WriteBytes(folder_ / "24-bit.wav",
                              Riff(Fmt(1, 8000, 24) + Chunk("data", std::string(30, 'x'))));
  ASSERT_TRUE(PlaySoundW(Path("click.wav").c_str(), nullptr, SND_FILENAME | SND_LOOP | kAsync));
  struct Case {
    const char* what;
    std::u16string path;  // empty: `name` instead
    LPCWSTR name;
    DWORD flags;
  };
  const Case cases[] = {
      {"missing file", Path("missing.wav"), nullptr, SND_FILENAME | kAsync},
      {"missing file, default allowed", Path("missing.wav"), nullptr, SND_FILENAME | SND_ASYNC},
      {"a folder", Wide(folder_.path()), nullptr, SND_FILENAME | kAsync},
      {"not a wave", Path("text.wav"), nullptr, SND_FILENAME | kAsync},
      {"24 bits", Path("24-bit.wav"), nullptr, SND_FILENAME | kAsync},
      {"missing resource", u"", MAKEINTRESOURCEW(1010), SND_RESOURCE | kAsync},
      {"resource that is not a wave", u"", MAKEINTRESOURCEW(1009), SND_RESOURCE | kAsync},
      {"resource by text", u"", u"CLICK", SND_RESOURCE | kAsync},
      {"a file asked for as a resource", Path("click.wav"), nullptr, SND_RESOURCE | kAsync},
      {"file and resource at once", Path("click.wav"), nullptr,
       SND_FILENAME | SND_RESOURCE | kAsync},
      {"a sound in memory", Wide(kClick), nullptr, SND_MEMORY | kAsync},
      {"a loop that would never return", Path("ramp.wav"), nullptr, SND_FILENAME | SND_LOOP},
  };
  for (const Case& c : cases) {
    const LPCWSTR name = c.path.empty() ? c.name : c.path.c_str();
    EXPECT_FALSE(PlaySoundW(name, nullptr, c.flags)) << c.what;
    EXPECT_EQ(Sounds().size(), 1u) << c.what;
  }
  host_.Advance(1000);
  EXPECT_EQ(Sounds()[0].stoppedAt, -1) << "the loop was cut by a failure";
}

TEST_F(PlaySound, NoStopWaitsForTheSoundPlayingToEnd) {
  ASSERT_TRUE(PlaySoundW(Path("ramp.wav").c_str(), nullptr, SND_FILENAME | kAsync));
  host_.Advance(99);
  EXPECT_FALSE(PlaySoundW(MAKEINTRESOURCEW(1008), nullptr, SND_RESOURCE | SND_NOSTOP | kAsync));
  EXPECT_EQ(Sounds().size(), 1u);
  host_.Advance(1);
  EXPECT_TRUE(PlaySoundW(MAKEINTRESOURCEW(1008), nullptr, SND_RESOURCE | SND_NOSTOP | kAsync));
  EXPECT_EQ(Sounds().size(), 2u);
  EXPECT_EQ(Sounds()[0].DurationMs(), 100);

  // A loop never ends by itself; once stopped, the way is free.
  ASSERT_TRUE(PlaySoundW(MAKEINTRESOURCEW(1008), nullptr, SND_RESOURCE | SND_LOOP | kAsync));
  host_.Advance(5000);
  EXPECT_FALSE(PlaySoundW(Path("ramp.wav").c_str(), nullptr, SND_FILENAME | SND_NOSTOP | kAsync));
  ASSERT_TRUE(PlaySoundW(nullptr, nullptr, 0));
  EXPECT_TRUE(PlaySoundW(Path("ramp.wav").c_str(), nullptr, SND_FILENAME | SND_NOSTOP | kAsync));
}

TEST_F(PlaySound, WithoutAsyncTheCallReturnsWhenTheSoundHasEnded) {
  // Input that comes meanwhile waits in the queues; it does not end the wait.
  host_.KeyDown(0x47);
  const std::int64_t start = host_.VirtualMilliseconds();
  ASSERT_TRUE(PlaySoundW(Path("ramp.wav").c_str(), nullptr, SND_FILENAME));
  EXPECT_EQ(host_.VirtualMilliseconds() - start, 100);
  EXPECT_EQ(host_.PendingEvents(), 0u);
  ASSERT_EQ(Sounds().size(), 1u);
  EXPECT_EQ(Sounds()[0].DurationMs(), 100);

  // An empty sound takes no time at all.
  testing_support::WriteBytes(folder_ / "empty.wav", Riff(Fmt(1, 8000, 8) + Chunk("data", "")));
  ASSERT_TRUE(PlaySoundW(Path("empty.wav").c_str(), nullptr, SND_FILENAME | SND_SYNC));
  EXPECT_EQ(host_.VirtualMilliseconds() - start, 100);
}

}  // namespace
