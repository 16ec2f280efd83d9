// The seam between the process and the world outside it.
//
// Everything the platform layer needs from the machine goes through one Host:
// native windows and their pictures, input events, the clock, sound,
// joysticks, the mouse cursor and handing an address to the desktop. The host
// knows nothing of windows procedures, device contexts or messages; it speaks
// in plain pixels, rectangles and events. Two hosts exist: the SDL host that a
// player sees, and the headless host that tests drive.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace host {

// 0 never names a window.
using WindowId = std::uint32_t;

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// A picture in memory: pixels are 0x00RRGGBB (0xAARRGGBB for icons), rows
// top-down, `stride` pixels from one row to the next.
struct PixelView {
  const std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
};

struct WindowTraits {
  bool caption = true;         // a title bar
  bool resizable = false;      // a sizing border
  bool minimizeButton = true;  // the title bar offers to minimise
  bool maximizeButton = false;
  bool utility = false;  // a tool window: no task-bar entry
  bool topmost = false;  // always above the others
  bool popup = false;    // no decoration at all
  bool menu = false;     // a drop-down menu: never takes the keyboard from its owner
};

struct WindowOptions {
  std::string titleUtf8;
  Rect bounds;  // position on the screen and size of the content (menu bar plus client)
  WindowTraits traits;
};

enum class Visibility { Hidden, Shown, ShownInactive, Minimized, Restored };

enum class Cursor { Arrow, Wait, Hand, IBeam, SizeAll, No };

enum class EventType {
  None,
  Quit,         // the session asks the program to end
  Close,        // the close box of a window
  KeyDown,      // virtualKey set; repeat when held
  KeyUp,        // virtualKey set
  Text,         // text holds UTF-16 units typed, after the KeyDown that made them
  MouseMove,    // x, y in window content coordinates
  MouseDown,    // button 1 left, 2 middle, 3 right
  MouseUp,      //
  MouseWheel,   // wheel in notches, positive away from the user
  MouseLeave,   // the pointer left the window
  FocusGained,  // the window now has the keyboard
  FocusLost,    //
  Exposed,      // the window's picture was lost and must be presented again
  Minimized,    //
  Restored,     //
  Moved,        // x, y: new screen position
  Resized,      // width, height: new content size
  JoystickAdded,
  JoystickRemoved,
};

// Modifier bits that travel with keyboard and mouse events.
enum Modifier : std::uint32_t {
  ModShift = 1,
  ModControl = 2,
  ModAlt = 4,
};

struct Event {
  EventType type = EventType::None;
  WindowId window = 0;
  std::uint32_t virtualKey = 0;  // the windowing API's virtual-key code
  std::uint32_t scanCode = 0;
  bool repeat = false;
  std::u16string text;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int button = 0;
  int wheel = 0;
  std::uint32_t modifiers = 0;
};

// Local wall-clock time, fields as a calendar shows them.
struct LocalTime {
  std::uint16_t year = 1601;
  std::uint16_t month = 1;      // 1..12
  std::uint16_t dayOfWeek = 1;  // 0 Sunday .. 6 Saturday
  std::uint16_t day = 1;        // 1..31
  std::uint16_t hour = 0;
  std::uint16_t minute = 0;
  std::uint16_t second = 0;
  std::uint16_t millisecond = 0;
};

struct PcmFormat {
  int samplesPerSecond = 0;
  int channels = 0;       // 1 or 2
  int bitsPerSample = 0;  // 8 (unsigned) or 16 (signed, little-endian)
};

struct JoystickState {
  bool plugged = false;
  std::uint32_t x = 32767;  // axes 0..65535, centre in the middle
  std::uint32_t y = 32767;
  std::uint32_t z = 32767;
  std::uint32_t buttons = 0;  // bit n: button n+1 down
  int axes = 2;
  int buttonCount = 0;
  std::string nameUtf8;
};

class Host {
 public:
  virtual ~Host() = default;

  // Windows. The content of a window is the frame buffer that Present shows.
  virtual WindowId CreateWindow(const WindowOptions& options) = 0;
  virtual void DestroyWindow(WindowId window) = 0;
  virtual void SetTitle(WindowId window, const std::string& titleUtf8) = 0;
  virtual void SetIcon(WindowId window, PixelView argb) = 0;
  virtual void SetBounds(WindowId window, Rect bounds) = 0;
  virtual void SetVisibility(WindowId window, Visibility visibility) = 0;
  virtual void SetTraits(WindowId window, WindowTraits traits) = 0;
  virtual void Focus(WindowId window) = 0;
  // Show the given rectangles of the window's frame buffer.
  virtual void Present(WindowId window, PixelView frame, std::span<const Rect> changed) = 0;
  virtual Rect ScreenBounds() = 0;

  // Input. Waits at most timeoutMs for the next event (-1: without limit,
  // 0: only look). Returns false when nothing came.
  virtual bool WaitEvent(Event& event, int timeoutMs) = 0;
  // Wakes a WaitEvent in progress (or the next one) without an event.
  virtual void Wake() = 0;

  // The clock.
  virtual LocalTime Now() = 0;
  virtual std::uint64_t Milliseconds() = 0;  // monotonic, from an arbitrary start

  // Sound: one voice; a new sound replaces the one playing.
  virtual bool PlaySound(const PcmFormat& format, std::span<const std::uint8_t> samples,
                         bool loop) = 0;
  virtual void StopSound() = 0;

  // Joysticks, numbered from 0. The slots are how many the driver takes,
  // plugged in or not; 0 when there is no joystick service at all.
  virtual int JoystickSlots() = 0;
  virtual JoystickState ReadJoystick(int index) = 0;

  virtual void SetCursor(Cursor cursor) = 0;

  // Hand a document or address to the desktop. True when it was handed over.
  virtual bool OpenAddress(const std::string& target) = 0;

  // A message box has opened in `window`, shown and waiting for an answer.
  // The box is a window like any other, so a host that shows windows has
  // nothing more to do; a host without a screen may note it.
  virtual void OnMessageBox(WindowId /*window*/, const std::string& /*textUtf8*/,
                            const std::string& /*captionUtf8*/, unsigned /*style*/) {}
};

// The host of this process. The first call makes the host that the program
// was linked with; a test may put another in its place.
Host& Current();
void Install(Host* host);

// Made by whichever host library the executable links.
Host* CreateLinkedHost();

}  // namespace host
