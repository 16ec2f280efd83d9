// What the window manager knows beyond the windows themselves: who has the
// keyboard, the keys held, the message queues, the timers.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <string>

#include "platform/user/window.h"

namespace user {

struct QueuedMessage {
  MSG msg{};
  std::u16string characters;  // typed text that TranslateMessage turns into WM_CHAR
  int keyCode = 0;            // the left or right variant of a modifier key
};

// Typed text waiting for TranslateMessage of the key message it came with.
struct PendingCharacters {
  DWORD serial = 0;  // the key message's lPrivate
  std::u16string text;
};

struct State {
  Window* active = nullptr;  // the active top-level window; also the foreground window
  Window* focus = nullptr;
  Window* capture = nullptr;
  bool hasKeyboard = true;  // the host gave this program the keyboard
  bool altAlone = false;    // Alt is held and no other key was pressed with it
  bool swallowText = false; // the text of a key the menu took is not typed

  std::deque<QueuedMessage> posted;  // messages posted by the program: first in line
  std::deque<QueuedMessage> input;   // keyboard and mouse, in the order they happened
  std::deque<PendingCharacters> pendingCharacters;
  bool quitPosted = false;
  int quitCode = 0;

  // Key state as of the last key message taken from the queue, and as of now.
  std::array<std::uint8_t, 256> keys{};
  std::array<std::uint8_t, 256> asyncKeys{};

  // The pointer.
  Window* pointerTopLevel = nullptr;
  POINT pointer{0, 0};  // screen coordinates
  Window* pointerWindow = nullptr;
  // TrackMouseEvent.
  Window* tracked = nullptr;
  DWORD trackFlags = 0;
  DWORD hoverTime = 400;
  bool hoverArmed = false;
  std::uint64_t hoverSince = 0;
  POINT hoverAnchor{0, 0};
  // Double clicks.
  std::uint64_t lastClickTime = 0;
  int lastClickButton = 0;
  POINT lastClickPoint{0, 0};
  Window* lastClickWindow = nullptr;
};

State& Now();

std::uint64_t Clock();  // the host's monotonic milliseconds

// Shows an icon as a top-level window's picture on the host; nothing for a
// child or for what is no icon.
void ShowIcon(Window& w, HICON icon);

// Translating what the host reports into messages and window changes.
void HandleHostEvent(const host::Event& event);
// Takes every event the host has ready; waits at most timeoutMs for the first.
void PumpHost(int timeoutMs);

// Paint and timer messages made when the queues are empty.
bool NextPaintMessage(MSG& msg);
bool NextTimerMessage(MSG& msg, bool remove);
// Milliseconds until the next timer or hover check is due; -1 for none.
int MillisecondsUntilNextTimer();
void CheckHover();
void KillWindowTimers(Window* window);
void UnregisterWindowHotKeys(Window* window);
bool TryHotKey(int virtualKey, bool repeat);

// Presenting what changed in every top-level frame buffer.
void PresentChanges();
void InvalidateWhole(Window* window, bool erase);
// Draws a top-level window's menu bar into its frame buffer (nothing without a menu).
void RedrawMenuBar(Window* topLevel);
// A click on a top-level window's menu bar (frame-buffer coordinates).
void HandleMenuBarClick(Window* topLevel, POINT framePoint);
// Alt, F10 or Alt with a letter: the keyboard enters the menu bar.
void EnterMenuBar(Window* topLevel, char16_t mnemonic);

// Focus and activation.
void Activate(Window* topLevel, bool byMouse);
// No window of the program is active any more. The menu ends with the
// activation unless `endMenu` is false.
void Deactivate(bool endMenu = true);
void FocusWindow(Window* window);
void ForgetWindow(Window* window);  // a window going away leaves no trace in the state

// The key state that a key message taken from the queue brings.
void ApplyKeyMessage(const QueuedMessage& queued);

// Input goes to the window that should have it when the program takes it,
// not when it happened: a press that takes the capture draws the moves and
// the release queued behind it, and a click that moves the focus draws the
// keys typed after it.
void RouteQueuedInput(QueuedMessage& queued);

// Queues a keyboard or mouse message; returns it for text to be attached.
QueuedMessage& PostInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam, int keyCode);
DWORD NextSerial();
void SetAsyncKey(int code, bool down);

// Finding windows.
Window* FindByHostWindow(host::WindowId id);
// The deepest visible, enabled window under a point of `window`'s client area.
Window* ChildAt(Window* window, POINT clientPoint);
// A top-level window's frame buffer origin on the screen.
POINT FrameOriginOnScreen(const Window& topLevel);
host::Rect HostBounds(const Window& topLevel);
// The window that should become active when `leaving` goes away or hides.
Window* NextToActivate(Window* leaving);

}  // namespace user
