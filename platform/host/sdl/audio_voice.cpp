#include "platform/host/sdl/audio_voice.h"

#include <algorithm>
#include <cstring>

#include "platform/host/sdl/pcm_conversion.h"

namespace host::sdl {
namespace {

// CD rate, 16-bit stereo; SDL may open the device in whatever the hardware
// prefers instead, and sounds are converted to that once, when they start.
constexpr int kRate = 44100;
constexpr Uint16 kBufferFrames = 1024;  // about 23 ms: short enough for a bounce

}  // namespace

AudioVoice::~AudioVoice() {
  if (device_ != 0) SDL_CloseAudioDevice(device_);
  if (subsystemStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool AudioVoice::EnsureDevice() {
  if (asked_) return device_ != 0;
  asked_ = true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  subsystemStarted_ = true;
  SDL_AudioSpec want{};
  want.freq = kRate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = kBufferFrames;
  want.callback = &AudioVoice::Feed;
  want.userdata = this;
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &spec_, SDL_AUDIO_ALLOW_ANY_CHANGE);
  if (device_ == 0) return false;
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

bool AudioVoice::Play(const PcmFormat& format, std::span<const std::uint8_t> samples, bool loop) {
  if (!EnsureDevice()) return false;
  // A sound that cannot play still ends the one before it, as any new sound does.
  std::optional<std::vector<Uint8>> converted = ConvertPcm(format, samples, spec_);
  if (!converted) {
    Stop();
    return false;
  }
  Exchange(std::move(*converted), loop);
  return true;
}

void AudioVoice::Stop() {
  if (device_ != 0) Exchange({}, false);
}

std::vector<Uint8> AudioVoice::Exchange(std::vector<Uint8> samples, bool loop) {
  SDL_LockAudioDevice(device_);
  samples_.swap(samples);
  position_ = 0;
  loop_ = loop;
  SDL_UnlockAudioDevice(device_);
  return samples;
}

void SDLCALL AudioVoice::Feed(void* self, Uint8* out, int length) {
  static_cast<AudioVoice*>(self)->Fill(out, static_cast<std::size_t>(length));
}

// On SDL's audio thread, with the device locked.
void AudioVoice::Fill(Uint8* out, std::size_t length) {
  std::size_t written = 0;
  while (written < length && position_ < samples_.size()) {
    const std::size_t n = std::min(length - written, samples_.size() - position_);
    std::memcpy(out + written, samples_.data() + position_, n);
    written += n;
    position_ += n;
    if (position_ == samples_.size() && loop_) position_ = 0;
  }
  std::memset(out + written, spec_.silence, length - written);
}

}  // namespace host::sdl
