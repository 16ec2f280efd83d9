// The headless host: windows in memory, scripted input, a virtual clock and
// recorded sound, addresses and cursors. Tests reach it to drive the program
// and read what it showed; product code never does.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/host/host.h"

namespace host::headless {

struct WindowRecord {
  // Bounds as the screen shows them: the program's times the host's scale.
  WindowOptions options;
  Visibility visibility = Visibility::Hidden;
  bool focused = false;
  std::vector<std::uint32_t> frame;  // what was last presented, 0x00RRGGBB
  int frameWidth = 0;
  int frameHeight = 0;
  std::vector<std::uint32_t> icon;  // 0xAARRGGBB
  int iconWidth = 0;
  int iconHeight = 0;
  int presentCount = 0;
  std::vector<Rect> lastPresented;  // in the frame's pixels
  // The picture on the screen at a scale above 1: the frame with each pixel
  // a block of scale x scale. Empty at scale 1, where the frame is shown as
  // it is.
  std::vector<std::uint32_t> shown;
  int shownWidth = 0;
  int shownHeight = 0;

  // A pixel of the frame; 0xFFFFFFFF outside it.
  std::uint32_t Pixel(int x, int y) const;
  // A pixel of the picture on the screen, in screen pixels.
  std::uint32_t ShownPixel(int x, int y) const;
};

struct PlayedSound {
  PcmFormat format;
  std::vector<std::uint8_t> samples;
  bool loop = false;
  std::int64_t startedAt = 0;   // virtual clock, ms
  std::int64_t stoppedAt = -1;  // set when cut short or when a loop was stopped
  // How long it sounded: until it was stopped, else its own length (one pass
  // of a loop that still plays).
  std::int64_t DurationMs() const;
};

// A message box the program opened: its own window, its texts and its style.
struct MessageBoxRecord {
  WindowId window = 0;
  std::string textUtf8;
  std::string captionUtf8;
  unsigned style = 0;
};

class HeadlessHost final : public Host {
 public:
  HeadlessHost();

  // Host.
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
  void OnMessageBox(WindowId window, const std::string& textUtf8, const std::string& captionUtf8,
                    unsigned style) override;

  // The virtual clock. Only a test and the waits of the message loop move it.
  void SetNow(const LocalTime& time);
  // Moves local time by ms (which may be negative: the clock set back); the
  // monotonic counter only moves forward.
  void Advance(std::int64_t ms);
  std::int64_t VirtualMilliseconds() const { return wallMs_; }
  // A clock that runs while it is read: each reading of local time moves it
  // on by ms afterwards (0, the default: it stands still between waits).
  void SetReadingStep(std::int64_t ms) { readingStepMs_ = ms; }

  // The desktop's scale (1 to 4): windows are shown at scale x their size,
  // and the input below is in screen pixels, divided before the program
  // sees it. Set it before the program makes its windows.
  void SetScale(int scale);
  int Scale() const { return scale_; }

  // Input.
  void Push(Event event);
  // A key pressed or released, by the windowing API's virtual-key code
  // (the left or right variant for Shift, Ctrl and Alt).
  void KeyDown(std::uint32_t virtualKey, bool repeat = false);
  void KeyUp(std::uint32_t virtualKey);
  // Typed as a keyboard types it: for each character its key goes down, the
  // character arrives as text, the key comes up. Letters, digits and the
  // space have keys; any other character arrives as text alone.
  void Type(const std::u16string& text);
  void MoveMouse(WindowId window, int x, int y);
  void Click(WindowId window, int x, int y, int button = 1);
  void MouseButton(WindowId window, int x, int y, int button, bool down);
  // Window events as a desktop reports them.
  void WindowEvent(WindowId window, EventType type, int x = 0, int y = 0);
  std::size_t PendingEvents() const { return events_.size(); }
  // Called when a wait without limit finds nothing to deliver; it may push
  // events. Without it, the script has run out: the session ends (Quit).
  std::function<void()> onStarved;
  int starvedWaits = 0;

  // Windows as the program left them.
  const WindowRecord* Window(WindowId window) const;
  std::vector<WindowId> Windows() const;
  WindowId FocusedWindow() const;

  // Sound.
  const std::vector<PlayedSound>& Sounds() const { return sounds_; }

  // Joysticks.
  // Sixteen slots with the service, none without; a driver that takes
  // fewer can be set as well.
  void SetJoystickService(bool available) { joystickSlots_ = available ? 16 : 0; }
  void SetJoystickSlots(int slots) { joystickSlots_ = slots; }
  void PlugJoystick(int index, JoystickState state);
  void MoveJoystick(int index, std::uint32_t x, std::uint32_t y);
  void UnplugJoystick(int index);

  // Message boxes, in the order they opened. When one opens, `onMessageBox`
  // (if set) is told, and may answer it by pushing input: Enter, Esc, or a
  // click on a button of the box's window. A box nobody answers ends when the
  // script runs out, as the whole session does.
  const std::vector<MessageBoxRecord>& MessageBoxes() const { return messageBoxes_; }
  std::function<void(const MessageBoxRecord&)> onMessageBox;

  Cursor LastCursor() const { return cursor_; }
  const std::vector<std::string>& OpenedAddresses() const { return addresses_; }
  void SetOpenResult(bool accepted) { openAccepted_ = accepted; }

 private:
  void ShowScaled(WindowRecord& record, std::span<const Rect> changed) const;

  std::int64_t wallMs_;  // milliseconds since 1601-01-01, local time
  std::int64_t readingStepMs_ = 0;
  std::uint64_t monotonicMs_ = 0;
  std::deque<Event> events_;
  bool woken_ = false;
  WindowId nextWindow_ = 1;
  std::map<WindowId, WindowRecord> windows_;
  std::vector<PlayedSound> sounds_;
  int joystickSlots_ = 16;
  std::map<int, JoystickState> joysticks_;
  Cursor cursor_ = Cursor::Arrow;
  std::vector<std::string> addresses_;
  std::vector<MessageBoxRecord> messageBoxes_;
  bool openAccepted_ = true;
  int scale_ = 1;
};

// The headless host of this process (installed as the current host if it
// was not already).
HeadlessHost& Instance();

}  // namespace host::headless
