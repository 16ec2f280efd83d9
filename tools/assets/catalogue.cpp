#include "tools/assets/assets.h"

namespace assets {

std::span<const Asset> ResourceAssets() {
  static const Asset kAssets[] = {
      {"zarvo.ico", MakeIcon},
      {"brick.wav", MakeBrickSound},
  };
  return kAssets;
}

std::span<const Asset> GameAssets() {
  static const Asset kAssets[] = {
      {"logo.bmp", MakeLogoPicture},         {"blank.bmp", MakeBlankPicture},
      {"livello.bmp", MakeLevelPicture},     {"replay.bmp", MakeReplayPicture},
      {"gameover.bmp", MakeGameOverPicture}, {"ball.wav", MakeBallSound},
  };
  return kAssets;
}

std::span<const Asset> DesktopAssets() {
  static const Asset kAssets[] = {
      {"zarvo-16.png", MakeDesktopIconOf<16>},
      {"zarvo-32.png", MakeDesktopIconOf<32>},
      {"zarvo-48.png", MakeDesktopIconOf<48>},
      {"zarvo-128.png", MakeDesktopIconOf<128>},
  };
  return kAssets;
}

}  // namespace assets
