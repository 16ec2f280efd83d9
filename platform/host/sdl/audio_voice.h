// The program's one voice: a sound plays until it ends, is stopped or is
// replaced by the next one.
#pragma once

#include <SDL.h>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/host/host.h"

namespace host::sdl {

class AudioVoice {
 public:
  AudioVoice() = default;
  ~AudioVoice();
  AudioVoice(const AudioVoice&) = delete;
  AudioVoice& operator=(const AudioVoice&) = delete;

  // False, with nothing playing, when the format is not playable or there is
  // no audio device.
  bool Play(const PcmFormat& format, std::span<const std::uint8_t> samples, bool loop);
  void Stop();

 private:
  // Opens the device on first use. A machine without sound is asked once,
  // not again at every sound.
  bool EnsureDevice();
  static void SDLCALL Feed(void* self, Uint8* out, int length);
  void Fill(Uint8* out, std::size_t length);
  // Puts `samples` in place of what plays and hands back what played, to be
  // freed outside the device lock.
  std::vector<Uint8> Exchange(std::vector<Uint8> samples, bool loop);

  bool asked_ = false;
  bool subsystemStarted_ = false;
  SDL_AudioDeviceID device_ = 0;
  SDL_AudioSpec spec_{};

  // Read by SDL's audio thread: changed only under SDL_LockAudioDevice.
  std::vector<Uint8> samples_;
  std::size_t position_ = 0;
  bool loop_ = false;
};

}  // namespace host::sdl
