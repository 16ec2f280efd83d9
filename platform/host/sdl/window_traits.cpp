#include "platform/host/sdl/window_traits.h"

#include <array>

namespace host::sdl {
namespace {

struct TraitFlag {
  bool WindowTraits::*trait;
  Uint32 flag;
};

constexpr auto kTraitFlags = std::to_array<TraitFlag>({
    {&WindowTraits::resizable, SDL_WINDOW_RESIZABLE},
    {&WindowTraits::utility, SDL_WINDOW_UTILITY},
    {&WindowTraits::topmost, SDL_WINDOW_ALWAYS_ON_TOP},
    {&WindowTraits::popup, SDL_WINDOW_BORDERLESS},
    // A drop-down menu is a pop-up menu to the desktop: it takes no focus and
    // no task-bar entry.
    {&WindowTraits::menu, SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_BORDERLESS},
});

// A window without a title bar gets no frame at all: SDL cannot keep the
// border and drop the caption.
bool Borderless(const WindowTraits& traits) {
  return traits.popup || !traits.caption;
}

SDL_bool Sdl(bool value) {
  return value ? SDL_TRUE : SDL_FALSE;
}

}  // namespace

Uint32 CreationFlags(const WindowTraits& traits) {
  Uint32 flags = 0;
  for (const TraitFlag& row : kTraitFlags) {
    if (traits.*row.trait) flags |= row.flag;
  }
  if (Borderless(traits)) flags |= SDL_WINDOW_BORDERLESS;
  // SDL refuses a window that is more than one of utility, tooltip and pop-up
  // menu; a drop-down is a menu first.
  if (flags & SDL_WINDOW_POPUP_MENU) flags &= ~static_cast<Uint32>(SDL_WINDOW_UTILITY);
  return flags;
}

void ApplyTraits(SDL_Window* window, const WindowTraits& traits) {
  SDL_SetWindowResizable(window, Sdl(traits.resizable));
  SDL_SetWindowAlwaysOnTop(window, Sdl(traits.topmost));
  SDL_SetWindowBordered(window, Sdl(!Borderless(traits)));
}

}  // namespace host::sdl
