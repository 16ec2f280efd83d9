#include "tools/assets/assets.h"

namespace assets {

std::span<const Asset> ResourceAssets() {
  static const Asset kAssets[] = {
      {"zarvo.ico", MakeIcon},
      {"brick.wav", MakeBrickSound},
  };
  return kAssets;
}

}  // namespace assets
