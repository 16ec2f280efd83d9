// The assets the tool makes: each has a source of its own that draws or
// synthesises it with the platform's code and returns the file's bytes. The
// output is the same on every run (no time stamps, no randomness), so the
// committed files can be checked against a fresh making.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace assets {

struct Asset {
  const char* fileName;                 // where it goes, inside the asset's folder
  std::vector<std::uint8_t> (*make)();  // the file's bytes; empty when making failed
};

// The game's icon: 16, 32 and 48 pixels, 16 colours (icon_asset.cpp).
std::vector<std::uint8_t> MakeIcon();
// The brick's "tick": 0.1 s of 16-bit mono PCM at 44 100 Hz (brick_sound.cpp).
std::vector<std::uint8_t> MakeBrickSound();

// The game's screens, 800 × 640, 24-bit BMP files, each with the checksum
// the game expects of it (logo_picture.cpp, blank_picture.cpp,
// message_pictures.cpp).
std::vector<std::uint8_t> MakeLogoPicture();
std::vector<std::uint8_t> MakeBlankPicture();
std::vector<std::uint8_t> MakeLevelPicture();
std::vector<std::uint8_t> MakeReplayPicture();
std::vector<std::uint8_t> MakeGameOverPicture();
// The ball on the paddle: 70 ms of 16-bit mono PCM at 44 100 Hz, with the
// checksum the game expects of it (ball_sound.cpp).
std::vector<std::uint8_t> MakeBallSound();

// The icon for the desktop's icon theme, `size` pixels square, as an RGBA
// PNG file (icon_asset.cpp).
std::vector<std::uint8_t> MakeDesktopIcon(int size);
template <int Size>
std::vector<std::uint8_t> MakeDesktopIconOf() {
  return MakeDesktopIcon(Size);
}

// What goes into resources/.
std::span<const Asset> ResourceAssets();
// What goes into images_games/, read by the game at run time.
std::span<const Asset> GameAssets();
// What goes into desktop/icons/, installed into the icon theme.
std::span<const Asset> DesktopAssets();

}  // namespace assets
