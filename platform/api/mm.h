// Multimedia services: playing wave sounds and reading joysticks.
#pragma once

#include "platform/api/base.h"

// PlaySoundW. A sound is a wave file, or a wave resource (type "WAVE") of the
// module, holding 8- or 16-bit PCM, mono or stereo.
constexpr DWORD SND_SYNC = 0x0;
constexpr DWORD SND_ASYNC = 0x1;
constexpr DWORD SND_NODEFAULT = 0x2;
constexpr DWORD SND_MEMORY = 0x4;
constexpr DWORD SND_LOOP = 0x8;
constexpr DWORD SND_NOSTOP = 0x10;
constexpr DWORD SND_FILENAME = 0x20000;
constexpr DWORD SND_RESOURCE = 0x40004;

BOOL PlaySoundW(LPCWSTR sound, HMODULE module, DWORD flags);

// Results of the multimedia calls.
using MMRESULT = UINT;
constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_NODRIVER = 6;
constexpr MMRESULT JOYERR_NOERROR = 0;
constexpr MMRESULT JOYERR_PARMS = 165;
constexpr MMRESULT JOYERR_UNPLUGGED = 167;

constexpr UINT JOYSTICKID1 = 0;
constexpr UINT JOYSTICKID2 = 1;

constexpr UINT JOY_BUTTON1 = 0x1;
constexpr UINT JOY_BUTTON2 = 0x2;
constexpr UINT JOY_BUTTON3 = 0x4;
constexpr UINT JOY_BUTTON4 = 0x8;

// wCaps of JOYCAPSW: the axes beyond X and Y that a joystick has.
constexpr UINT JOYCAPS_HASZ = 0x1;
constexpr UINT JOYCAPS_HASR = 0x2;
constexpr UINT JOYCAPS_HASU = 0x4;
constexpr UINT JOYCAPS_HASV = 0x8;

constexpr int MAXPNAMELEN = 32;
constexpr int MAX_JOYSTICKOEMVXDNAME = 260;

struct JOYINFO {
  UINT wXpos;
  UINT wYpos;
  UINT wZpos;
  UINT wButtons;
};

struct JOYCAPSW {
  WORD wMid;
  WORD wPid;
  WCHAR szPname[MAXPNAMELEN];
  UINT wXmin;
  UINT wXmax;
  UINT wYmin;
  UINT wYmax;
  UINT wZmin;
  UINT wZmax;
  UINT wNumButtons;
  UINT wPeriodMin;
  UINT wPeriodMax;
  UINT wRmin;
  UINT wRmax;
  UINT wUmin;
  UINT wUmax;
  UINT wVmin;
  UINT wVmax;
  UINT wCaps;
  UINT wMaxAxes;
  UINT wNumAxes;
  UINT wMaxButtons;
  WCHAR szRegKey[MAXPNAMELEN];
  WCHAR szOEMVxD[MAX_JOYSTICKOEMVXDNAME];
};

// How many joysticks the driver takes (not how many are plugged in); 0
// without a joystick driver.
UINT joyGetNumDevs();
MMRESULT joyGetPos(UINT id, JOYINFO* info);
MMRESULT joyGetDevCapsW(UINT_PTR id, JOYCAPSW* caps, UINT size);
