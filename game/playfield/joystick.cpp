#include "game/playfield/joystick.h"

namespace Zarvo {

std::int32_t FindJoystick() {
  const UINT devices = joyGetNumDevs();
  if (devices == 0) return -1;
  JOYINFO first{}, second{};
  // Both are asked every time: plugging one in takes effect at once.
  const MMRESULT firstResult = joyGetPos(JOYSTICKID1, &first);
  const MMRESULT secondResult = joyGetPos(JOYSTICKID2, &second);
  if (firstResult == JOYERR_NOERROR) return 0;
  if (devices > 1 && secondResult == JOYERR_NOERROR) return 1;
  return -1;
}

bool ReadJoystick(JoystickReading& reading, std::int32_t id) {
  reading.position = JOYINFO{};
  if (joyGetPos(static_cast<UINT>(id), &reading.position) != JOYERR_NOERROR) return false;
  const std::uint32_t low = reading.capabilities.wXmin;
  const std::uint32_t high = reading.capabilities.wXmax;
  const std::uint32_t range = high - low;
  // A joystick that reports an empty range has no sideways travel to map:
  // it reads as centred rather than dividing by zero.
  if (range == 0) {
    reading.position.wXpos = 0;
    return true;
  }
  const double centre = static_cast<double>(static_cast<std::uint32_t>(low + high)) * 0.5;
  const double mapped = (static_cast<double>(reading.position.wXpos) - centre) * 200.0 /
                        static_cast<double>(range);
  reading.position.wXpos = static_cast<UINT>(static_cast<std::int32_t>(mapped));
  return true;
}

}  // namespace Zarvo
