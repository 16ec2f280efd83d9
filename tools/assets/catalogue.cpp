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

}  // namespace assets
