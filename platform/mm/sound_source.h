// Where PlaySoundW finds the wave it is asked for: a file, or a wave resource
// of the executable.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/api/base.h"
#include "platform/mm/wave_reader.h"

namespace mm {

struct LoadedSound {
  std::vector<std::uint8_t> fileBytes;  // a file's contents; empty for a resource
  WaveView wave;                        // inside fileBytes, or inside the resource
};

// Reads the wave file at a path as the program writes it ("\" or "/").
// False when it cannot be read or is not a wave this platform plays.
bool LoadSoundFile(LPCWSTR path, LoadedSound& out);
// The resource of type "WAVE" named `name` (a number) in `module`.
bool LoadSoundResource(LPCWSTR name, HMODULE module, LoadedSound& out);

}  // namespace mm
