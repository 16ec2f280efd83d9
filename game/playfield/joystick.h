// Steering with a joystick: which one to use, and its X axis as -100 (all
// the way left) to +100 (all the way right).
#pragma once

#include <cstdint>

#include "platform/api/mm.h"

namespace Zarvo {

struct JoystickReading {
  bool valid = false;  // a joystick was found and its capabilities were read
  std::int32_t id = 0;
  JOYINFO position{};   // after ReadJoystick, wXpos holds the mapped X as a signed value
  JOYCAPSW capabilities{};
};

// Joystick 0 or 1, or -1 when none answers.
std::int32_t FindJoystick();

// Reads the joystick's position into the reading and maps its X axis with
// the reading's capabilities; false when the position could not be read.
bool ReadJoystick(JoystickReading& reading, std::int32_t id);

// The mapped X that ReadJoystick left in the reading.
inline std::int32_t MappedX(const JoystickReading& reading) {
  return static_cast<std::int32_t>(reading.position.wXpos);
}

}  // namespace Zarvo
