#include "platform/host/sdl/joysticks.h"

#include <algorithm>

namespace host::sdl {
namespace {

constexpr int kButtonBits = 32;

std::uint32_t ReadAxis(SDL_Joystick* joystick, int axis, int axes) {
  return AxisPosition(axis < axes ? SDL_JoystickGetAxis(joystick, axis) : 0);
}

std::uint32_t ReadButtons(SDL_Joystick* joystick, int count) {
  std::uint32_t bits = 0;
  for (int i = 0; i < std::min(count, kButtonBits); ++i) {
    if (SDL_JoystickGetButton(joystick, i)) bits |= 1u << i;
  }
  return bits;
}

}  // namespace

std::uint32_t AxisPosition(Sint16 sdlValue) {
  return static_cast<std::uint32_t>(sdlValue + 32768);
}

Joysticks::~Joysticks() {
  for (auto& entry : open_) SDL_JoystickClose(entry.second);
}

void Joysticks::CloseDetached() {
  for (auto it = open_.begin(); it != open_.end();) {
    if (SDL_JoystickGetAttached(it->second)) {
      ++it;
      continue;
    }
    SDL_JoystickClose(it->second);
    it = open_.erase(it);
  }
}

SDL_Joystick* Joysticks::Open(int index) {
  const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
  if (id < 0) return nullptr;
  if (auto it = open_.find(id); it != open_.end()) return it->second;
  SDL_Joystick* joystick = SDL_JoystickOpen(index);
  if (joystick != nullptr) open_[id] = joystick;
  return joystick;
}

JoystickState Joysticks::Read(int index) {
  if (!available_) return JoystickState{};
  // Also notices joysticks plugged in or pulled out since the last look.
  SDL_JoystickUpdate();
  CloseDetached();
  if (index < 0 || index >= SDL_NumJoysticks()) return JoystickState{};
  SDL_Joystick* joystick = Open(index);
  if (joystick == nullptr) return JoystickState{};
  JoystickState state;
  state.plugged = true;
  state.axes = std::max(SDL_JoystickNumAxes(joystick), 0);
  state.buttonCount = std::max(SDL_JoystickNumButtons(joystick), 0);
  state.x = ReadAxis(joystick, 0, state.axes);
  state.y = ReadAxis(joystick, 1, state.axes);
  state.z = ReadAxis(joystick, 2, state.axes);
  state.buttons = ReadButtons(joystick, state.buttonCount);
  if (const char* name = SDL_JoystickName(joystick)) state.nameUtf8 = name;
  return state;
}

}  // namespace host::sdl
