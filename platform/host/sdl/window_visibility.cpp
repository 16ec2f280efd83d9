#include "platform/host/sdl/window_visibility.h"

#include <array>

namespace host::sdl {
namespace {

void Hide(SDL_Window* window) {
  SDL_HideWindow(window);
}

void Show(SDL_Window* window) {
  SDL_ShowWindow(window);
}

// SDL honours the hint where the desktop lets a program say so. Under X11
// without a window manager (Xvfb) SDL hands every window it shows the input
// focus itself, so the focus goes back to where it was; with a window
// manager, that manager has the last word. The hint is nobody else's: it is
// put back to its default straight after.
void ShowInactive(SDL_Window* window) {
  SDL_Window* focused = SDL_GetKeyboardFocus();
  SDL_SetHint(SDL_HINT_WINDOW_NO_ACTIVATION_WHEN_SHOWN, "1");
  SDL_ShowWindow(window);
  SDL_ResetHint(SDL_HINT_WINDOW_NO_ACTIVATION_WHEN_SHOWN);
  if (focused != nullptr && focused != window) {
    SDL_SetWindowInputFocus(focused);
    // Taking the focus back raised that window; a drop-down stays above it.
    if (SDL_GetWindowFlags(window) & SDL_WINDOW_POPUP_MENU) SDL_RaiseWindow(window);
  }
}

void Minimize(SDL_Window* window) {
  SDL_ShowWindow(window);
  SDL_MinimizeWindow(window);
}

void Restore(SDL_Window* window) {
  SDL_ShowWindow(window);
  SDL_RestoreWindow(window);
}

// In the order of host::Visibility.
constexpr std::array<void (*)(SDL_Window*), 5> kActions = {Hide, Show, ShowInactive, Minimize,
                                                           Restore};

}  // namespace

void ApplyVisibility(SDL_Window* window, Visibility visibility) {
  const auto index = static_cast<std::size_t>(visibility);
  if (index < kActions.size()) kActions[index](window);
}

}  // namespace host::sdl
