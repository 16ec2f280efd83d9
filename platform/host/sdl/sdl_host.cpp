#include "platform/host/sdl/sdl_host.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <unistd.h>

#include "platform/host/posix/real_clock.h"
#include "platform/host/posix/spawn.h"
#include "platform/host/scale.h"
#include "platform/host/sdl/desktop_scale.h"
#include "platform/host/sdl/display_loss.h"
#include "platform/host/sdl/event_translation.h"
#include "platform/host/sdl/utf8_locale.h"
#include "platform/host/sdl/window_surface.h"
#include "platform/host/sdl/window_traits.h"
#include "platform/host/sdl/window_visibility.h"
#include "platform/host/sdl/x11_errors.h"
#include "platform/host/sdl/x11_title.h"

namespace host::sdl {

// The desktop's scale is read once, now that SDL's video has started.
SdlHost::SdlHost() : joysticks_(session_.joysticks()) {
  Start(session_.video() ? DesktopScale() : kMinScale);
}

SdlHost::SdlHost(int scale) : joysticks_(session_.joysticks()) {
  Start(scale);
}

void SdlHost::Start(int scale) {
  if (session_.events()) wakeType_ = SDL_RegisterEvents(1);
  scale_ = ClampScale(scale);
}

// After the display was lost the windows are left as they are: there is
// nobody left to tell.
SdlHost::~SdlHost() {
  for (auto& entry : windows_) {
    if (!ThroughDisplay([&] { SDL_DestroyWindow(entry.second); })) break;
  }
}

SDL_Window* SdlHost::NativeWindow(WindowId window) const {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : it->second;
}

WindowId SdlHost::CreateWindow(const WindowOptions& options) {
  if (!session_.video()) return 0;
  const Utf8TextLocale forTheTitle;
  const Rect bounds = OnScreen(options.bounds);
  SDL_Window* window = nullptr;
  const Uint32 flags = SDL_WINDOW_HIDDEN | CreationFlags(options.traits);
  const bool made = ThroughDisplay([&] {
    window = SDL_CreateWindow(options.titleUtf8.c_str(), bounds.x, bounds.y, bounds.width,
                              bounds.height, flags);
  });
  if (!made || window == nullptr) return 0;
  ThroughDisplay([&] { SetStandardTitle(window, options.titleUtf8); });
  const WindowId id = SDL_GetWindowID(window);
  if (id == 0) {
    ThroughDisplay([&] { SDL_DestroyWindow(window); });
    return 0;
  }
  windows_[id] = window;
  CatchLostDisplayOf(window);
  return id;
}

// A window is never less than a pixel of the program's, shown at the scale.
Rect SdlHost::OnScreen(Rect bounds) const {
  bounds.width = std::max(bounds.width, 1);
  bounds.height = std::max(bounds.height, 1);
  return ScaleUp(bounds, scale_);
}

void SdlHost::DestroyWindow(WindowId window) {
  auto it = windows_.find(window);
  if (it == windows_.end()) return;
  SDL_Window* native = it->second;
  windows_.erase(it);
  ThroughDisplay([&] { SDL_DestroyWindow(native); });
}

void SdlHost::SetTitle(WindowId window, const std::string& titleUtf8) {
  SDL_Window* w = NativeWindow(window);
  if (w == nullptr) return;
  const Utf8TextLocale forTheTitle;
  ThroughDisplay([&] {
    SDL_SetWindowTitle(w, titleUtf8.c_str());
    SetStandardTitle(w, titleUtf8);
  });
}

void SdlHost::SetIcon(WindowId window, PixelView argb) {
  if (SDL_Window* w = NativeWindow(window)) SetWindowIcon(w, argb);
}

void SdlHost::SetBounds(WindowId window, Rect bounds) {
  SDL_Window* w = NativeWindow(window);
  if (w == nullptr) return;
  const Rect shown = OnScreen(bounds);
  ThroughDisplay([&] {
    SDL_SetWindowPosition(w, shown.x, shown.y);
    SDL_SetWindowSize(w, shown.width, shown.height);
  });
}

void SdlHost::SetVisibility(WindowId window, Visibility visibility) {
  if (SDL_Window* w = NativeWindow(window)) {
    ThroughDisplay([&] { ApplyVisibility(w, visibility); });
  }
}

void SdlHost::SetTraits(WindowId window, WindowTraits traits) {
  if (SDL_Window* w = NativeWindow(window)) ThroughDisplay([&] { ApplyTraits(w, traits); });
}

void SdlHost::Focus(WindowId window) {
  SDL_Window* w = NativeWindow(window);
  if (w == nullptr) return;
  ThroughDisplay([&] {
    // Raising asks the window manager; without one (Xvfb) only taking the
    // input focus directly gives the window the keyboard.
    SDL_RaiseWindow(w);
    // An open drop-down stays above the window that takes the keyboard back
    // from it, as the desktop keeps its menus on top.
    for (const auto& entry : windows_) {
      SDL_Window* other = entry.second;
      const Uint32 flags = SDL_GetWindowFlags(other);
      if (other != w && (flags & SDL_WINDOW_POPUP_MENU) && (flags & SDL_WINDOW_SHOWN)) {
        SDL_RaiseWindow(other);
      }
    }
    SDL_SetWindowInputFocus(w);
  });
}

void SdlHost::Present(WindowId window, PixelView frame, std::span<const Rect> changed) {
  if (SDL_Window* w = NativeWindow(window)) PresentRects(w, frame, changed, scale_);
}

Rect SdlHost::ScreenBounds() {
  SDL_Rect r{};
  int result = -1;
  if (session_.video()) ThroughDisplay([&] { result = SDL_GetDisplayBounds(0, &r); });
  if (result != 0) return Rect{};
  return Rect{ScaleDown(r.x, scale_), ScaleDown(r.y, scale_), ScaleDown(r.w, scale_),
              ScaleDown(r.h, scale_)};
}

bool SdlHost::NextRawEvent(SDL_Event& raw, int timeoutMs, Uint64 deadline) {
  if (!session_.events()) return false;
  int got = 0;
  ThroughDisplay([&] {
    const Uint64 now = SDL_GetTicks64();
    if (timeoutMs < 0) {
      got = SDL_WaitEvent(&raw);
    } else if (timeoutMs == 0 || now >= deadline) {
      got = SDL_PollEvent(&raw);
    } else {
      got = SDL_WaitEventTimeout(&raw, static_cast<int>(deadline - now));
    }
  });
  return got == 1;
}

// SDL tells a window that takes the keyboard which modifiers are held by
// sending their presses straight after the news of the focus, in the same
// moment. Those keys were pressed for another window: the program learns
// nothing new from them, and a press would start what a press starts (Alt
// alone enters the menu bar, Alt again leaves it). Without a window manager
// the desktop moves the keyboard this way whenever a drop-down is shown.
bool SdlHost::HeldOverFromFocus(const SDL_Event& raw) {
  if (raw.type == SDL_WINDOWEVENT && raw.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
    focusWindow_ = raw.window.windowID;
    focusTimestamp_ = raw.window.timestamp;
    return false;
  }
  if (raw.type != SDL_KEYDOWN || raw.key.repeat != 0 || raw.key.windowID != focusWindow_) {
    return false;
  }
  if (raw.key.timestamp - focusTimestamp_ > 1) return false;
  switch (raw.key.keysym.sym) {
    case SDLK_LSHIFT: case SDLK_RSHIFT: case SDLK_LCTRL: case SDLK_RCTRL:
    case SDLK_LALT: case SDLK_RALT: case SDLK_LGUI: case SDLK_RGUI: return true;
    default: return false;
  }
}

bool SdlHost::Accept(const SDL_Event& raw, Event& event) {
  if (raw.type == SDL_JOYDEVICEREMOVED) joysticks_.CloseDetached();
  if (HeldOverFromFocus(raw)) return false;
  if (!TranslateEvent(raw, event)) return false;
  if (event.window != 0 && windows_.count(event.window) == 0) {
    // Something still queued for a window the program has destroyed: input
    // belongs to no window now, news about the window itself to nobody.
    if (IsWindowEvent(event.type)) return false;
    event.window = 0;
  }
  ScaleEventDown(event, scale_);
  return true;
}

bool SdlHost::WaitEvent(Event& event, int timeoutMs) {
  const Uint64 deadline = SDL_GetTicks64() + static_cast<Uint64>(std::max(timeoutMs, 0));
  SDL_Event raw;
  while (NextRawEvent(raw, timeoutMs, deadline)) {
    if (raw.type == wakeType_) {
      wakePending_ = false;
      return false;
    }
    if (Accept(raw, event)) return true;
  }
  return EndOfSession(event, timeoutMs);
}

// Without a display the session is over, as if its end had been asked for.
// It is told once, the way the desktop tells it once; waits after that wait
// for nothing, for as long as they were asked to.
bool SdlHost::EndOfSession(Event& event, int timeoutMs) {
  if (!DisplayLost()) return false;
  if (!endOfSessionTold_) {
    endOfSessionTold_ = true;
    event = Event{};
    event.type = EventType::Quit;
    return true;
  }
  if (timeoutMs < 0) {
    for (;;) pause();
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
  return false;
}

void SdlHost::Wake() {
  if (wakeType_ == static_cast<Uint32>(-1)) return;
  // One wake-up pending is enough, however often the program asks.
  if (wakePending_.exchange(true)) return;
  SDL_Event wake{};
  wake.type = wakeType_;
  int pushed = 0;
  // Pushing wakes a wait on the X connection by sending through it.
  ThroughDisplay([&] { pushed = SDL_PushEvent(&wake); });
  if (pushed != 1) wakePending_ = false;
}

LocalTime SdlHost::Now() {
  return posix::RealLocalTime();
}

std::uint64_t SdlHost::Milliseconds() {
  return posix::MonotonicMilliseconds();
}

bool SdlHost::PlaySound(const PcmFormat& format, std::span<const std::uint8_t> samples, bool loop) {
  return voice_.Play(format, samples, loop);
}

void SdlHost::StopSound() {
  voice_.Stop();
}

int SdlHost::JoystickSlots() {
  // SDL numbers every joystick it finds; the driver's sixteen slots are the
  // ones the joystick calls can name.
  return joysticks_.Available() ? 16 : 0;
}

JoystickState SdlHost::ReadJoystick(int index) {
  return joysticks_.Read(index);
}

void SdlHost::SetCursor(Cursor cursor) {
  ThroughDisplay([&] { cursors_.Set(cursor); });
}

bool SdlHost::OpenAddress(const std::string& target) {
  return posix::SpawnDetached("xdg-open", {target});
}

}  // namespace host::sdl

namespace host {
Host* CreateLinkedHost() {
  static sdl::SdlHost instance;
  return &instance;
}
}  // namespace host
