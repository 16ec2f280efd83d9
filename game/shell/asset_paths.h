// Where the game's pictures and sounds are: the folder images_games beside
// the working directory, else inside it, decided again for every file when
// it is needed. Paths are narrow text with "\" or "/" separators; what these
// functions build uses "\".
#pragma once

#include <string>

namespace Zarvo {

// The prefix every asset is named with.
inline constexpr const char kAssetPrefix[] = "..\\images_games\\";
// The second place looked in.
inline constexpr const char kAssetFallback[] = "images_games\\";

// The one-line credit of the window title and the splash screen.
inline constexpr const char kCreditLine[] = "(c) 2026 Zarvo";

// The directory part of a path, its final separator included ("\"); empty
// when there is none. A drive letter and colon count as a directory.
std::string DirectoryOf(const std::string& path);
// The path without its directory part.
std::string FileNameOf(const std::string& path);
std::string ReplaceChar(std::string text, char from, char to);
// The path itself when it exists, otherwise "images_games\" and its file name.
std::string ResolveImagePath(const std::string& path);

}  // namespace Zarvo
