#include "platform/host/sdl/event_translation.h"

#include <algorithm>
#include <array>

#include "platform/host/sdl/key_map.h"
#include "platform/host/sdl/utf16.h"

namespace host::sdl {
namespace {

struct WindowEventRow {
  SDL_WindowEventID id;
  EventType type;
};

// SDL_WINDOWEVENT_RESIZED is left out: SIZE_CHANGED comes for every change of
// size, RESIZED again for some of them. A maximised window counts as restored:
// the windowing API has no message of its own for it, only the new size.
constexpr auto kWindowEvents = std::to_array<WindowEventRow>({
    {SDL_WINDOWEVENT_CLOSE, EventType::Close},
    {SDL_WINDOWEVENT_FOCUS_GAINED, EventType::FocusGained},
    {SDL_WINDOWEVENT_FOCUS_LOST, EventType::FocusLost},
    {SDL_WINDOWEVENT_EXPOSED, EventType::Exposed},
    {SDL_WINDOWEVENT_MINIMIZED, EventType::Minimized},
    {SDL_WINDOWEVENT_RESTORED, EventType::Restored},
    {SDL_WINDOWEVENT_MAXIMIZED, EventType::Restored},
    {SDL_WINDOWEVENT_MOVED, EventType::Moved},
    {SDL_WINDOWEVENT_SIZE_CHANGED, EventType::Resized},
    {SDL_WINDOWEVENT_LEAVE, EventType::MouseLeave},
});

struct ModifierRow {
  Uint16 sdl;
  std::uint32_t host;
};

constexpr auto kModifiers = std::to_array<ModifierRow>({
    {KMOD_SHIFT, ModShift},
    {KMOD_CTRL, ModControl},
    {KMOD_ALT, ModAlt},
});

std::uint32_t ModifiersOf(Uint16 mod) {
  std::uint32_t bits = 0;
  for (const ModifierRow& row : kModifiers) {
    if (mod & row.sdl) bits |= row.host;
  }
  return bits;
}

std::uint32_t CurrentModifiers() {
  return ModifiersOf(static_cast<Uint16>(SDL_GetModState()));
}

void FillWindowSize(Uint32 windowId, Event& event) {
  if (SDL_Window* window = SDL_GetWindowFromID(windowId)) {
    SDL_GetWindowSize(window, &event.width, &event.height);
  }
}

bool FromWindowEvent(const SDL_WindowEvent& raw, Event& event) {
  const auto* row = std::find_if(kWindowEvents.begin(), kWindowEvents.end(),
                                 [&raw](const WindowEventRow& r) { return r.id == raw.event; });
  if (row == kWindowEvents.end()) return false;
  event.type = row->type;
  event.window = raw.windowID;
  if (row->type == EventType::Moved) {
    event.x = raw.data1;
    event.y = raw.data2;
  } else if (row->type == EventType::Resized) {
    event.width = raw.data1;
    event.height = raw.data2;
  } else if (row->type == EventType::Restored) {
    FillWindowSize(raw.windowID, event);
  }
  return true;
}

bool FromKey(const SDL_KeyboardEvent& raw, Event& event) {
  const KeyCodes codes = KeyCodesOf(raw.keysym);
  if (codes.virtualKey == 0) return false;
  event.type = raw.type == SDL_KEYDOWN ? EventType::KeyDown : EventType::KeyUp;
  event.window = raw.windowID;
  event.virtualKey = codes.virtualKey;
  event.scanCode = codes.scanCode;
  event.repeat = raw.repeat != 0;
  event.modifiers = ModifiersOf(raw.keysym.mod);
  return true;
}

bool FromText(const SDL_TextInputEvent& raw, Event& event) {
  event.type = EventType::Text;
  event.window = raw.windowID;
  event.text = Utf16FromUtf8(raw.text);
  return !event.text.empty();
}

bool FromMotion(const SDL_MouseMotionEvent& raw, Event& event) {
  event.type = EventType::MouseMove;
  event.window = raw.windowID;
  event.x = raw.x;
  event.y = raw.y;
  event.modifiers = CurrentModifiers();
  return true;
}

bool FromButton(const SDL_MouseButtonEvent& raw, Event& event) {
  // SDL numbers left, middle and right 1, 2 and 3, as the host does.
  if (raw.button < SDL_BUTTON_LEFT || raw.button > SDL_BUTTON_RIGHT) return false;
  event.type = raw.type == SDL_MOUSEBUTTONDOWN ? EventType::MouseDown : EventType::MouseUp;
  event.window = raw.windowID;
  event.button = raw.button;
  event.x = raw.x;
  event.y = raw.y;
  event.modifiers = CurrentModifiers();
  return true;
}

bool FromWheel(const SDL_MouseWheelEvent& raw, Event& event) {
  const int notches = raw.direction == SDL_MOUSEWHEEL_FLIPPED ? -raw.y : raw.y;
  if (notches == 0) return false;
  event.type = EventType::MouseWheel;
  event.window = raw.windowID;
  event.wheel = notches;
  event.x = raw.mouseX;
  event.y = raw.mouseY;
  event.modifiers = CurrentModifiers();
  return true;
}

bool FromJoystickDevice(const SDL_JoyDeviceEvent& raw, Event& event) {
  event.type =
      raw.type == SDL_JOYDEVICEADDED ? EventType::JoystickAdded : EventType::JoystickRemoved;
  return true;
}

}  // namespace

bool TranslateEvent(const SDL_Event& raw, Event& event) {
  event = Event{};
  switch (raw.type) {
    case SDL_QUIT:
      event.type = EventType::Quit;
      return true;
    case SDL_WINDOWEVENT:
      return FromWindowEvent(raw.window, event);
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      return FromKey(raw.key, event);
    case SDL_TEXTINPUT:
      return FromText(raw.text, event);
    case SDL_MOUSEMOTION:
      return FromMotion(raw.motion, event);
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      return FromButton(raw.button, event);
    case SDL_MOUSEWHEEL:
      return FromWheel(raw.wheel, event);
    case SDL_JOYDEVICEADDED:
    case SDL_JOYDEVICEREMOVED:
      return FromJoystickDevice(raw.jdevice, event);
    default:
      return false;
  }
}

bool IsWindowEvent(EventType type) {
  return std::any_of(kWindowEvents.begin(), kWindowEvents.end(),
                     [type](const WindowEventRow& r) { return r.type == type; });
}

}  // namespace host::sdl
