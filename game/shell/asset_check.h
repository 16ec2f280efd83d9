// The check that the game's pictures and its ball sound are the files that
// ship with it: a 16-byte XOR of the file's bytes, written as 32 uppercase
// hexadecimal digits, compared with a value built into the program.
#pragma once

#include <string>

namespace Zarvo {

// The checksum text of the file at `path` ("\" or "/" separators). Never
// fails: a file that cannot be opened gives 32 "0" characters.
std::string FileChecksum(const std::string& path);

// The checksum the picture of this name must have (exact, case-sensitive
// name); the empty text, which no checksum equals, for any other name.
std::string ExpectedChecksum(const std::string& fileName);

// What "ball.wav" must give; PlayBallSound plays it only then.
inline constexpr const char kBallSoundChecksum[] = "8F84979AD2B055746E1B8C9B27C493D5";

}  // namespace Zarvo
