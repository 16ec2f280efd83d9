// Turning the program's paths into the host system's.
#pragma once

#include <string>

namespace crt {

// A narrow path (one byte per character, code points 0 to 255, "\" or "/"
// between names) as the system takes it: "/" between names, UTF-8.
std::string SystemPath(const char* narrowPath);
// The same for a wide (UTF-16) path.
std::string SystemPath(const char16_t* widePath);

}  // namespace crt
