// Bringing a sound of any usual PCM format to the format of the audio device.
#pragma once

#include <SDL.h>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/host/host.h"

namespace host::sdl {

// 8-bit unsigned or 16-bit signed little-endian, one or two channels, a rate
// between 1 kHz and 384 kHz.
bool IsPlayablePcm(const PcmFormat& format);

// The samples in the device's format, rate and channel count; a trailing part
// frame is dropped. Nothing when the format is not playable or SDL cannot
// convert it.
std::optional<std::vector<Uint8>> ConvertPcm(const PcmFormat& format,
                                             std::span<const std::uint8_t> samples,
                                             const SDL_AudioSpec& device);

}  // namespace host::sdl
