// The joystick calls over the host's joysticks. The driver takes as many
// joysticks as the host has slots for (sixteen on a desktop), numbered from
// 0, whether or not any is plugged in; the host numbers its joysticks the
// same way.
//
// Positions pass through as the host reads them: every axis runs from 0 to
// 65535 with its centre in the middle, and an axis a joystick lacks rests at
// the centre. joyGetPos reports the first four buttons, as its record holds;
// joyGetDevCapsW counts them all.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/api/mm.h"
#include "platform/crt/utf.h"
#include "platform/host/host.h"

namespace mm {
namespace {

constexpr UINT kAxisMax = 65535;
constexpr UINT kMaxAxes = 6;
constexpr UINT kMaxButtons = 32;
constexpr UINT kFirstButtons = JOY_BUTTON1 | JOY_BUTTON2 | JOY_BUTTON3 | JOY_BUTTON4;
// How often the driver can be polled, in milliseconds: as fast as the frame
// loop likes, and at least once a second.
constexpr UINT kPeriodMin = 10;
constexpr UINT kPeriodMax = 1000;
// The axes after X and Y, in the order a joystick has them, with their bits.
constexpr UINT kAxisCaps[] = {JOYCAPS_HASZ, JOYCAPS_HASR, JOYCAPS_HASU, JOYCAPS_HASV};

UINT Axis(std::uint32_t position) {
  return std::min<std::uint32_t>(position, kAxisMax);
}

// The name as the driver gives it, cut to the record's field with room for
// the terminating zero; a joystick without a name is still called something.
void CopyName(const std::string& utf8, WCHAR (&field)[MAXPNAMELEN]) {
  std::u16string name = crt::Utf16FromUtf8(utf8.empty() ? std::string("Joystick") : utf8);
  name.resize(std::min<std::size_t>(name.size(), MAXPNAMELEN - 1));
  std::copy(name.begin(), name.end(), field);
  field[name.size()] = 0;
}

// The state of a joystick that can be asked about, or the reason it cannot.
MMRESULT Read(UINT_PTR id, const void* record, host::JoystickState& state) {
  host::Host& h = host::Current();
  const int slots = h.JoystickSlots();
  if (slots <= 0) return MMSYSERR_NODRIVER;
  if (id >= static_cast<UINT_PTR>(slots) || record == nullptr) return JOYERR_PARMS;
  state = h.ReadJoystick(static_cast<int>(id));
  return state.plugged ? JOYERR_NOERROR : JOYERR_UNPLUGGED;
}

}  // namespace
}  // namespace mm

UINT joyGetNumDevs() {
  return static_cast<UINT>(std::max(host::Current().JoystickSlots(), 0));
}

MMRESULT joyGetPos(UINT id, JOYINFO* info) {
  host::JoystickState state;
  if (const MMRESULT r = mm::Read(id, info, state); r != JOYERR_NOERROR) return r;
  info->wXpos = mm::Axis(state.x);
  info->wYpos = mm::Axis(state.y);
  info->wZpos = mm::Axis(state.z);
  info->wButtons = state.buttons & mm::kFirstButtons;
  return JOYERR_NOERROR;
}

MMRESULT joyGetDevCapsW(UINT_PTR id, JOYCAPSW* caps, UINT size) {
  if (caps != nullptr && size != sizeof(JOYCAPSW)) return JOYERR_PARMS;
  host::JoystickState state;
  if (const MMRESULT r = mm::Read(id, caps, state); r != JOYERR_NOERROR) return r;
  std::memset(caps, 0, sizeof(JOYCAPSW));
  // No maker or product numbers are known for a joystick here.
  mm::CopyName(state.nameUtf8, caps->szPname);
  const UINT axes = static_cast<UINT>(std::clamp(state.axes, 0, static_cast<int>(mm::kMaxAxes)));
  // Every axis the record has a range for spans the whole range when the
  // joystick has it; X and Y always do, since a missing one rests at the centre.
  UINT* ranges[] = {&caps->wXmax, &caps->wYmax, &caps->wZmax,
                    &caps->wRmax, &caps->wUmax, &caps->wVmax};
  for (UINT i = 0; i < mm::kMaxAxes; ++i) {
    if (i < 2 || i < axes) *ranges[i] = mm::kAxisMax;
  }
  for (UINT i = 2; i < axes; ++i) caps->wCaps |= mm::kAxisCaps[i - 2];
  caps->wNumButtons =
      static_cast<UINT>(std::clamp(state.buttonCount, 0, static_cast<int>(mm::kMaxButtons)));
  caps->wPeriodMin = mm::kPeriodMin;
  caps->wPeriodMax = mm::kPeriodMax;
  caps->wMaxAxes = mm::kMaxAxes;
  caps->wNumAxes = axes;
  caps->wMaxButtons = mm::kMaxButtons;
  return JOYERR_NOERROR;
}
