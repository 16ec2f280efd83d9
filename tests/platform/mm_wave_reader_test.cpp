#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/mm/wave_reader.h"
#include "tests/support/wave_samples.h"

namespace {

using mm::WaveResult;
using mm::WaveView;
using testing_support::BrokenWave;
using testing_support::ValidWave;

std::string TestName(std::string name) {
  for (char& c : name) {
    if (c == '-') c = '_';
  }
  return name;
}

class WaveReaderValid : public testing::TestWithParam<ValidWave> {};

// The file sits in an allocation of exactly its size, so that the address
// sanitizer sees any read past its end.
TEST_P(WaveReaderValid, FindsTheFormatAndExactlyTheSamples) {
  const ValidWave& sample = GetParam();
  const std::vector<std::uint8_t> bytes(sample.file.begin(), sample.file.end());
  WaveView out;
  ASSERT_EQ(mm::ReadWave(bytes, out), WaveResult::Ok);
  EXPECT_EQ(out.samplesPerSecond, sample.rate);
  EXPECT_EQ(out.channels, sample.channels);
  EXPECT_EQ(out.bitsPerSample, sample.bits);
  EXPECT_EQ(std::string(out.samples.begin(), out.samples.end()), sample.samples);
  if (!out.samples.empty()) {
    EXPECT_GE(out.samples.data(), bytes.data());
    EXPECT_LE(out.samples.data() + out.samples.size(), bytes.data() + bytes.size());
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, WaveReaderValid, testing::ValuesIn(testing_support::ValidWaves()),
                         [](const auto& info) { return TestName(info.param.name); });

class WaveReaderBroken : public testing::TestWithParam<BrokenWave> {};

TEST_P(WaveReaderBroken, IsRefusedForItsReason_LeavingNothing) {
  const BrokenWave& sample = GetParam();
  const std::vector<std::uint8_t> bytes(sample.file.begin(), sample.file.end());
  WaveView out;
  out.channels = 2;  // whatever the caller had there goes
  const WaveResult result = mm::ReadWave(bytes, out);
  EXPECT_EQ(result, sample.expected) << "got \"" << mm::Describe(result) << "\", expected \""
                                     << mm::Describe(sample.expected) << "\"";
  EXPECT_EQ(out.channels, 0);
  EXPECT_EQ(out.samplesPerSecond, 0);
  EXPECT_TRUE(out.samples.empty());
}

INSTANTIATE_TEST_SUITE_P(Files, WaveReaderBroken, testing::ValuesIn(testing_support::BrokenWaves()),
                         [](const auto& info) { return TestName(info.param.name); });

// Sizes near 4 GiB must not wrap around when added to their offsets.
TEST(WaveReader, ChunkSizesNearTheTopOfTheirRangeDoNotWrap) {
  using namespace testing_support::wave;
  const std::string fmt = Fmt(1, 8000, 8);
  for (std::uint32_t size : {0xFFFFFFFFu, 0xFFFFFFF8u, 0xFFFFFFF0u}) {
    const std::string file =
        Riff(fmt + Chunk("LIST", "", size) + Chunk("data", "abcd"), 0xFFFFFFFF);
    const std::vector<std::uint8_t> bytes(file.begin(), file.end());
    WaveView out;
    EXPECT_EQ(mm::ReadWave(bytes, out), WaveResult::Truncated) << size;
  }
}

}  // namespace
