#include "platform/mm/sound_source.h"

#include <string>

#include "platform/api/kernel.h"
#include "platform/crt/path.h"
#include "platform/crt/whole_file.h"

namespace mm {
namespace {

// Far above any sound effect (about six minutes of 192 kHz stereo); a larger
// file is refused before a byte of it is read.
constexpr std::size_t kMaxFileBytes = std::size_t{256} << 20;

}  // namespace

bool LoadSoundFile(LPCWSTR path, LoadedSound& out) {
  out = LoadedSound{};
  if (!crt::ReadWholeFile(crt::SystemPath(path), kMaxFileBytes, out.fileBytes)) return false;
  if (ReadWave(out.fileBytes, out.wave) != WaveResult::Ok) {
    out = LoadedSound{};
    return false;
  }
  return true;
}

bool LoadSoundResource(LPCWSTR name, HMODULE module, LoadedSound& out) {
  out = LoadedSound{};
  HRSRC resource = FindResourceW(module, name, u"WAVE");
  if (resource == nullptr) return false;
  const auto* bytes =
      static_cast<const std::uint8_t*>(LockResource(LoadResource(module, resource)));
  const DWORD size = SizeofResource(module, resource);
  if (bytes == nullptr) return false;
  return ReadWave(std::span(bytes, size), out.wave) == WaveResult::Ok;
}

}  // namespace mm
