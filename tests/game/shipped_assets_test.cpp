// The files of images_games/ as the game finds them: each passes its check,
// the pictures load at the play area's size, and the ball's sound plays.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/drawing/drawing.h"
#include "game/shell/asset_check.h"
#include "platform/api/gdi.h"
#include "platform/mm/wave_reader.h"
#include "tests/support/temp_folder.h"

namespace {

const std::string kFolder = ZARVO_ASSET_DIR;
const char* const kPictures[] = {"logo.bmp", "blank.bmp", "livello.bmp", "replay.bmp",
                                 "gameover.bmp"};

TEST(ShippedAssets, EachFilePassesItsChecksum) {
  for (const char* name : kPictures) {
    const std::string expected = Zarvo::ExpectedChecksum(name);
    ASSERT_FALSE(expected.empty()) << name;
    EXPECT_EQ(Zarvo::FileChecksum(kFolder + "/" + name), expected) << name;
  }
  EXPECT_EQ(Zarvo::FileChecksum(kFolder + "/ball.wav"), Zarvo::kBallSoundChecksum);
  // The way the game names them.
  EXPECT_EQ(Zarvo::FileChecksum(kFolder + "\\logo.bmp"), Zarvo::ExpectedChecksum("logo.bmp"));
}

TEST(ShippedAssets, PicturesLoadAtThePlayAreaSize) {
  for (const char* name : kPictures) {
    HBITMAP bitmap = VexaUtility::LoadBitmapFile(kFolder + "\\" + name);
    ASSERT_NE(bitmap, nullptr) << name;
    BITMAP info{};
    ASSERT_NE(GetObjectW(bitmap, sizeof info, &info), 0) << name;
    EXPECT_EQ(info.bmWidth, 800) << name;
    EXPECT_EQ(info.bmHeight, 640) << name;
    DeleteObject(bitmap);
  }
}

// What the game draws over them must stay readable: the red credit line on
// the splash, the sprites and the white status text on the background.
TEST(ShippedAssets, PicturesLeaveRoomForWhatTheGameDraws) {
  HDC dc = CreateCompatibleDC(nullptr);
  auto brightness = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };

  HBITMAP logo = VexaUtility::LoadBitmapFile(kFolder + "\\logo.bmp");
  ASSERT_NE(logo, nullptr);
  HGDIOBJ old = SelectObject(dc, logo);
  for (int x = 180; x < 680; x += 25) {
    for (int y = 120; y < 136; y += 5) {
      const COLORREF c = GetPixel(dc, x, y);
      EXPECT_GT(brightness(c), 600) << x << "," << y;  // pale under the red line
      EXPECT_GT(GetGValue(c), 200) << x << "," << y;   // and not itself red
    }
  }
  // The prompt box's corner is on a plain field: nothing drawn to clash with it.
  const COLORREF corner = GetPixel(dc, 480, 570);
  for (int x = 480; x < 800; x += 20) EXPECT_EQ(GetPixel(dc, x, 575), GetPixel(dc, 480, 575));
  EXPECT_LT(brightness(corner), 200);
  SelectObject(dc, old);
  DeleteObject(logo);

  HBITMAP blank = VexaUtility::LoadBitmapFile(kFolder + "\\blank.bmp");
  ASSERT_NE(blank, nullptr);
  old = SelectObject(dc, blank);
  for (int y = 0; y < 640; y += 16) {
    for (int x = 0; x < 800; x += 40) {
      const COLORREF c = GetPixel(dc, x, y);
      EXPECT_LT(brightness(c), 200) << x << "," << y;
      EXPECT_LT(GetRValue(c), 60) << x << "," << y;  // a red ball stands out
    }
  }
  SelectObject(dc, old);
  DeleteObject(blank);
  DeleteDC(dc);
}

TEST(ShippedAssets, BallSoundIsAShortMonoPcmBounce) {
  const std::string bytes = testing_support::ReadBytes(kFolder + "/ball.wav");
  const std::vector<std::uint8_t> file(bytes.begin(), bytes.end());
  mm::WaveView wave;
  ASSERT_EQ(mm::ReadWave(file, wave), mm::WaveResult::Ok);
  EXPECT_EQ(wave.samplesPerSecond, 44100);
  EXPECT_EQ(wave.channels, 1);
  EXPECT_EQ(wave.bitsPerSample, 16);
  const double seconds = static_cast<double>(wave.samples.size()) / 2 / 44100;
  EXPECT_GE(seconds, 0.04);
  EXPECT_LE(seconds, 0.12);
  // It is heard, and it ends in silence rather than on a click.
  auto sample = [&](std::size_t i) {
    return static_cast<std::int16_t>(wave.samples[2 * i] | wave.samples[2 * i + 1] << 8);
  };
  int loudest = 0;
  for (std::size_t i = 0; i < wave.samples.size() / 2; ++i) {
    loudest = std::max(loudest, std::abs(static_cast<int>(sample(i))));
  }
  EXPECT_GT(loudest, 8000);
  EXPECT_LT(std::abs(static_cast<int>(sample(wave.samples.size() / 2 - 1))), 200);
  // The RIFF size covers the whole file, the checksum's chunk included.
  ASSERT_GE(file.size(), 8u);
  const std::uint32_t riff = file[4] | file[5] << 8 | file[6] << 16 | std::uint32_t{file[7]} << 24;
  EXPECT_EQ(riff, file.size() - 8);
}

}  // namespace
