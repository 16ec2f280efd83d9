// The framework's top-level window. Each form registers a window class of
// its own, served by the framework's window procedure, and creates its
// window with a style made from a few flags.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/elements/gui_element.h"
#include "framework/forms/hot_key.h"

namespace VexaUtility {

// The window of the first form ever created; its destruction ends the program.
extern HWND mainWindow;

struct DialogFormTag {};
inline constexpr DialogFormTag kDialogForm{};

class Form : public GUIElement {
 public:
  GUIElement* companion = nullptr;  // not owned; kept right behind this form when it activates
  bool topmost = true;              // dialog forms only
  bool minimizeBox = true;
  bool resizable = true;
  bool captioned = true;  // false: a pop-up window (not for dialog forms)
  bool dialog = false;
  std::vector<HotKey> hotKeys;  // entry i (from 1) is registered with hot-key id i
  HICON iconHandle = nullptr;   // released with the form
  std::int32_t iconId = 0;      // resource id of the class icon; 0: the application icon

  explicit Form(HINSTANCE instance);
  Form(HINSTANCE instance, DialogFormTag);
  ~Form() override;

  void Create() override;
  virtual void FormReserved();
  virtual void Closing();

  // Sizes the window so that its client area is 800 by 640 pixels.
  void SetClientSize();
  void RegisterHotKeys();
  void UnregisterHotKeys();

 private:
  std::u16string className_;
  ATOM classAtom_ = 0;
  bool ownsBrush_ = false;

  void RegisterWindowClass();
};

// The window style and extended style that a form's flags give.
struct FormStyle {
  DWORD style;
  DWORD exStyle;
};
FormStyle StyleOf(const Form& form);

}  // namespace VexaUtility
