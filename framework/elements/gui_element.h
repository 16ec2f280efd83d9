// The element: what every window, control, menu, menu item and timer of the
// framework shares, and the reactions through which the window procedure
// hands it its messages. Each reaction calls the element's callback for the
// event, if it has one; a class may override the reaction instead.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/api/api.h"

namespace VexaUtility {

class FontSpec;
class GUIElement;

// Event callbacks: plain functions that get the element first.
using CreateCallback = void (*)(GUIElement* element, HWND window);
using ButtonCallback = void (*)(GUIElement* element, HWND window, std::int32_t x, std::int32_t y);
using KeyCallback = void (*)(GUIElement* element, std::int32_t key);
using CharCallback = bool (*)(GUIElement* element, std::int32_t code);  // false swallows it
using EventCallback = void (*)(GUIElement* element);
using CloseCallback = bool (*)(GUIElement* element);  // false vetoes the close
using MouseMoveCallback = void (*)(GUIElement* element, std::int32_t x, std::int32_t y);

// The colour that means "none of its own".
constexpr COLORREF kNoColor = 0xFFFFFFFF;

class GUIElement {
 public:
  bool visible = true;
  bool forwardChars = false;
  bool destroyed = false;
  bool waitCursor = false;
  bool handCursor = false;
  HWND tooltip = nullptr;
  HWND hwnd = nullptr;  // for menus: the HMENU
  HINSTANCE instance = nullptr;
  WNDCLASSW windowClass{};
  FontSpec* font = nullptr;  // not owned
  std::int32_t width = 100;
  std::int32_t height = 50;
  std::int32_t x = 100;
  std::int32_t y = 100;
  bool created = false;
  COLORREF backColor = kNoColor;
  std::u16string text;
  std::u16string focusText;
  bool backColorSet = false;
  bool enabled = true;
  std::int32_t id = 0;
  std::string typeName;
  std::string tooltipText;
  GUIElement* parent = nullptr;  // not owned
  WNDPROC previousWndProc = nullptr;
  CreateCallback onCreate = nullptr;
  bool createNotified = false;
  ButtonCallback onLButtonUp = nullptr;
  ButtonCallback onLButtonDown = nullptr;
  ButtonCallback onLButtonDblClk = nullptr;
  ButtonCallback onRButtonUp = nullptr;
  ButtonCallback onRButtonDown = nullptr;
  ButtonCallback onRButtonDblClk = nullptr;
  KeyCallback onKeyUp = nullptr;
  KeyCallback onKeyDown = nullptr;
  CharCallback onChar = nullptr;
  EventCallback onMove = nullptr;
  EventCallback onSize = nullptr;
  EventCallback onPaint = nullptr;
  CloseCallback onClose = nullptr;
  EventCallback onDestroy = nullptr;
  EventCallback onGotFocus = nullptr;
  EventCallback onLostFocus = nullptr;
  EventCallback onActivate = nullptr;
  EventCallback onDeactivate = nullptr;
  EventCallback onTextChanged = nullptr;
  MouseMoveCallback onMouseMove = nullptr;
  EventCallback onMouseHover = nullptr;
  EventCallback onMouseLeave = nullptr;

  explicit GUIElement(HINSTANCE instance);
  virtual ~GUIElement();
  GUIElement(const GUIElement&) = delete;
  GUIElement& operator=(const GUIElement&) = delete;

  virtual void SetSize(std::int32_t width, std::int32_t height);
  virtual void SetBackColor(COLORREF colour);
  virtual void SetEnabled(bool enabled);
  virtual void SetTextW(const std::u16string& text);
  virtual void SetText(const std::string& text);
  virtual void HandleLButtonUp(std::int32_t x, std::int32_t y);
  virtual void HandleLButtonDown(std::int32_t x, std::int32_t y);
  virtual void HandleLButtonDblClk(std::int32_t x, std::int32_t y);
  virtual void HandleRButtonUp(std::int32_t x, std::int32_t y);
  virtual void HandleRButtonDown(std::int32_t x, std::int32_t y);
  virtual void HandleRButtonDblClk(std::int32_t x, std::int32_t y);
  virtual void HandleKeyUp(std::int32_t key);
  virtual void HandleKeyDown(std::int32_t key);
  virtual bool HandleChar(std::int32_t code);
  virtual void HandleMouseMove(std::int32_t x, std::int32_t y);
  virtual void HandleMouseHover();
  virtual void HandleMouseLeave();
  virtual void Focus();
  virtual void HandleMove();
  virtual void HandleSize();
  virtual void HandlePaint();
  virtual HBRUSH HandleCtlColor(HDC dc);
  virtual bool HandleClose();
  virtual void HandleDestroy();
  virtual void HandleGotFocus();
  virtual void HandleLostFocus();
  virtual void HandleActivate();
  virtual void HandleDeactivate();
  virtual void HandleCreate(HWND window);
  virtual void Redraw();
  virtual bool IsWaitCursor();
  virtual bool IsHandCursor();
  virtual void SetWaitCursor(bool on);
  virtual void SetHandCursor(bool on);
  virtual void HandleShow();
  virtual void HandleNotify(std::int32_t kind, std::vector<std::int32_t> integers,
                            std::vector<std::string> strings);
  virtual void Create() = 0;

  // The text as the window holds it now (typing changes it), else `text`.
  std::u16string GetTextW();
  std::string GetText();
  // The element's place, read back from its window when it has one.
  POINT RefreshPosition();
  std::int32_t ClientWidth();
  void AttachTooltip(HWND window);
  void RefreshTooltip();

 protected:
  // How every Create ends once the window exists: the element counts as
  // created, gets its tooltip and its font.
  void FinishCreate();

 private:
  // The text the tooltip control shows; it lives as long as the element.
  std::unique_ptr<WCHAR[]> tooltipBuffer_;
  TOOLINFOW ToolInfo(HWND window);
};

}  // namespace VexaUtility
