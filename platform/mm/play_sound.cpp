// PlaySoundW: one sound at a time, on the host's one voice.
//
// - A null name stops what plays and succeeds.
// - SND_FILENAME names a file, SND_RESOURCE a "WAVE" resource of the module
//   (by number). With neither, the name is taken as a file name: there are no
//   sound aliases here. SND_MEMORY alone, with no size to bound the image, is
//   refused, as are SND_FILENAME and SND_RESOURCE together.
// - A sound that cannot be read or is not a wave this platform plays fails
//   with FALSE and leaves the sound that plays, if any, as it was. There is
//   no default sound to fall back on, so SND_NODEFAULT changes nothing.
// - A new sound replaces the one playing, unless SND_NOSTOP is given: then
//   the call fails while a sound still plays.
// - SND_ASYNC returns at once. Without it the call plays the sound and waits
//   for its length on the host's clock, taking the host's events into the
//   message queues meanwhile, as a blocked program's input waits in them.
//   SND_LOOP only loops with SND_ASYNC; without it the call is refused.
#include <cstdint>

#include "platform/api/mm.h"
#include "platform/host/host.h"
#include "platform/mm/sound_source.h"
#include "platform/user/state.h"

namespace mm {
namespace {

// What the voice was last given, to answer SND_NOSTOP.
struct Voice {
  bool looping = false;
  std::uint64_t endsAt = 0;  // host milliseconds
};

Voice& CurrentVoice() {
  static Voice voice;
  return voice;
}

std::uint64_t LengthMs(const WaveView& wave) {
  const std::uint64_t frameBytes =
      static_cast<std::uint64_t>(wave.channels) * wave.bitsPerSample / 8;
  const std::uint64_t frames = wave.samples.size() / frameBytes;
  const std::uint64_t rate = static_cast<std::uint64_t>(wave.samplesPerSecond);
  return (frames * 1000 + rate - 1) / rate;
}

bool StillPlaying(host::Host& h) {
  const Voice& voice = CurrentVoice();
  return voice.looping || h.Milliseconds() < voice.endsAt;
}

void Stop(host::Host& h) {
  h.StopSound();
  CurrentVoice() = Voice{};
}

bool Load(LPCWSTR name, HMODULE module, DWORD flags, LoadedSound& sound) {
  const bool file = (flags & SND_FILENAME) != 0;
  const bool resource = (flags & SND_RESOURCE) == SND_RESOURCE;
  if (file && resource) return false;
  if (resource) return LoadSoundResource(name, module, sound);
  if ((flags & SND_MEMORY) != 0) return false;
  return LoadSoundFile(name, sound);
}

void WaitUntil(host::Host& h, std::uint64_t end) {
  for (std::uint64_t now = h.Milliseconds(); now < end; now = h.Milliseconds()) {
    user::PumpHost(static_cast<int>(end - now));
  }
}

}  // namespace
}  // namespace mm

BOOL PlaySoundW(LPCWSTR sound, HMODULE module, DWORD flags) {
  host::Host& h = host::Current();
  if (sound == nullptr) {
    mm::Stop(h);
    return TRUE;
  }
  const bool async = (flags & SND_ASYNC) != 0;
  const bool loop = (flags & SND_LOOP) != 0;
  if (loop && !async) return FALSE;
  if ((flags & SND_NOSTOP) != 0 && mm::StillPlaying(h)) return FALSE;

  mm::LoadedSound loaded;
  if (!mm::Load(sound, module, flags, loaded)) return FALSE;
  const mm::WaveView& wave = loaded.wave;
  const host::PcmFormat format{wave.samplesPerSecond, wave.channels, wave.bitsPerSample};
  if (!h.PlaySound(format, wave.samples, loop)) {
    mm::CurrentVoice() = mm::Voice{};
    return FALSE;
  }
  const std::uint64_t end = h.Milliseconds() + mm::LengthMs(wave);
  mm::CurrentVoice() = mm::Voice{loop, end};
  if (!async) mm::WaitUntil(h, end);
  return TRUE;
}
