// The host a player sees: real windows, keyboard, mouse, sound and joysticks
// through SDL2, under a desktop or under Xvfb alike.
#pragma once

#include <SDL.h>
#include <atomic>
#include <map>

#include "platform/host/host.h"
#include "platform/host/sdl/audio_voice.h"
#include "platform/host/sdl/cursors.h"
#include "platform/host/sdl/joysticks.h"
#include "platform/host/sdl/sdl_session.h"

namespace host::sdl {

// One per process: SDL itself is. The program gets it from host::Current();
// a test may make its own instead, and everything it opened goes with it.
//
// Windows are shown at the desktop's scale (platform/host/scale.h): sizes
// and places go to SDL multiplied by it, positions come back divided, so the
// program sees its own pixels only.
class SdlHost final : public Host {
 public:
  // At the scale the desktop asks for.
  SdlHost();
  // At a scale of the caller's choosing (kept within 1 to 4), whatever the
  // desktop says.
  explicit SdlHost(int scale);
  ~SdlHost() override;
  SdlHost(const SdlHost&) = delete;
  SdlHost& operator=(const SdlHost&) = delete;

  // A window id is SDL's own id of the window: never 0, never used twice.
  WindowId CreateWindow(const WindowOptions& options) override;
  void DestroyWindow(WindowId window) override;
  void SetTitle(WindowId window, const std::string& titleUtf8) override;
  void SetIcon(WindowId window, PixelView argb) override;
  void SetBounds(WindowId window, Rect bounds) override;
  void SetVisibility(WindowId window, Visibility visibility) override;
  void SetTraits(WindowId window, WindowTraits traits) override;
  void Focus(WindowId window) override;
  void Present(WindowId window, PixelView frame, std::span<const Rect> changed) override;
  Rect ScreenBounds() override;
  bool WaitEvent(Event& event, int timeoutMs) override;
  void Wake() override;
  LocalTime Now() override;
  std::uint64_t Milliseconds() override;
  bool PlaySound(const PcmFormat& format, std::span<const std::uint8_t> samples,
                 bool loop) override;
  void StopSound() override;
  int JoystickSlots() override;
  JoystickState ReadJoystick(int index) override;
  void SetCursor(Cursor cursor) override;
  bool OpenAddress(const std::string& target) override;

  // The SDL window behind a host window, or null.
  SDL_Window* NativeWindow(WindowId window) const;
  // Screen pixels across (and down) for each of the program's pixels.
  int Scale() const { return scale_; }

 private:
  void Start(int scale);
  // Program pixels to the screen's, for a window's place and size.
  Rect OnScreen(Rect bounds) const;
  bool NextRawEvent(SDL_Event& raw, int timeoutMs, Uint64 deadline);
  // A Quit, once the display is gone.
  bool EndOfSession(Event& event, int timeoutMs);
  // False for an event that is not the program's to see.
  bool Accept(const SDL_Event& raw, Event& event);
  // A modifier press that SDL reports only because its window took the
  // keyboard while the key was held.
  bool HeldOverFromFocus(const SDL_Event& raw);

  // Declared first, so that it ends SDL after everything below let go.
  SdlSession session_;
  int scale_ = 1;
  Uint32 wakeType_ = static_cast<Uint32>(-1);
  std::atomic<bool> wakePending_{false};
  std::map<WindowId, SDL_Window*> windows_;
  Uint32 focusWindow_ = 0;     // the window that took the keyboard last
  Uint32 focusTimestamp_ = 0;  // and when
  bool endOfSessionTold_ = false;
  AudioVoice voice_;
  Joysticks joysticks_;
  Cursors cursors_;
};

}  // namespace host::sdl
