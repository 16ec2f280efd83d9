#include "platform/host/sdl/sdl_session.h"

#include <SDL.h>
#include <array>

#include "platform/host/sdl/display_loss.h"
#include "platform/host/sdl/x11_errors.h"

namespace host::sdl {
namespace {

void SetHints() {
  // Closing the last window is the program's business (WM_CLOSE), not a quit.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // The window surface goes to the X server as it is, rectangle by
  // rectangle; drawing it through a 3D renderer would redraw the whole window
  // for every rectangle, in software under Xvfb.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // A game in a window leaves the desktop's compositor alone.
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
}

// Joysticks are read by asking for their state; a queue full of motion the
// program never looks at would only delay the events it does.
constexpr auto kUnwantedEvents = std::to_array<Uint32>({
    SDL_JOYAXISMOTION,
    SDL_JOYBALLMOTION,
    SDL_JOYHATMOTION,
    SDL_JOYBUTTONDOWN,
    SDL_JOYBUTTONUP,
    SDL_JOYBATTERYUPDATED,
});

}  // namespace

SdlSession::SdlSession() {
  SetHints();
  events_ = SDL_InitSubSystem(SDL_INIT_EVENTS) == 0;
  ForgiveGoneWindows();
  CatchLostDisplay();
  ThroughDisplay([&] { video_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0; });
  joysticks_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
  for (Uint32 type : kUnwantedEvents) SDL_EventState(type, SDL_IGNORE);
}

// Closing the display after it was lost would talk to it again.
SdlSession::~SdlSession() {
  ThroughDisplay([] { SDL_Quit(); });
}

}  // namespace host::sdl
