// Joysticks by device number, opened when first read.
#pragma once

#include <SDL.h>
#include <map>

#include "platform/host/host.h"

namespace host::sdl {

// Axis positions: SDL's -32768..32767 shifted into 0..65535, so that a stick
// at rest (SDL's 0) reads 32768 and the extremes 0 and 65535. An axis the
// joystick lacks reads as at rest.
std::uint32_t AxisPosition(Sint16 sdlValue);

class Joysticks {
 public:
  // `available`: the joystick subsystem started.
  explicit Joysticks(bool available) : available_(available) {}
  ~Joysticks();
  Joysticks(const Joysticks&) = delete;
  Joysticks& operator=(const Joysticks&) = delete;

  bool Available() const { return available_; }
  // The state now of the index-th joystick in SDL's device order; not
  // plugged when there is no such joystick.
  JoystickState Read(int index);
  // Lets go of joysticks that were unplugged.
  void CloseDetached();

 private:
  SDL_Joystick* Open(int index);

  bool available_;
  std::map<SDL_JoystickID, SDL_Joystick*> open_;
};

}  // namespace host::sdl
