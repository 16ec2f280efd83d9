#include "framework/elements/gui_element.h"

#include "framework/elements/element_registry.h"
#include "framework/elements/font.h"
#include "framework/forms/window_procedure.h"
#include "framework/util/text.h"

namespace VexaUtility {
namespace {

// Paints the client area in one colour: an empty text drawn opaque fills its
// rectangle with the background colour.
void FillOpaque(HDC dc, const RECT& area, COLORREF colour) {
  SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, u"", 0, nullptr);
}

}  // namespace

GUIElement::GUIElement(HINSTANCE instance) : instance(instance) {
  ElementRegistry().push_back(this);
}

GUIElement::~GUIElement() {
  std::erase(ElementRegistry(), this);
  ForgetElement(this);
}

void GUIElement::SetSize(std::int32_t newWidth, std::int32_t newHeight) {
  width = newWidth;
  height = newHeight;
  if (!created) return;
  SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOMOVE);
  RefreshTooltip();
  Redraw();
}

void GUIElement::SetBackColor(COLORREF colour) {
  backColor = colour;
  if (!created) return;
  InvalidateRect(hwnd, nullptr, FALSE);
  RECT client{};
  GetClientRect(hwnd, &client);
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(hwnd, &paint);
  FillOpaque(dc, client, colour);
  EndPaint(hwnd, &paint);
  backColorSet = true;
}

void GUIElement::SetEnabled(bool on) {
  enabled = on;
  if (created) EnableWindow(hwnd, on ? TRUE : FALSE);
}

void GUIElement::SetTextW(const std::u16string& newText) {
  text = newText;
  if (created) SetWindowTextW(hwnd, text.c_str());
}

void GUIElement::SetText(const std::string& newText) {
  SetTextW(ToWide(newText));
}

void GUIElement::HandleLButtonUp(std::int32_t px, std::int32_t py) {
  if (onLButtonUp) onLButtonUp(this, hwnd, px, py);
}

void GUIElement::HandleLButtonDown(std::int32_t px, std::int32_t py) {
  if (onLButtonDown) onLButtonDown(this, hwnd, px, py);
}

void GUIElement::HandleLButtonDblClk(std::int32_t px, std::int32_t py) {
  if (onLButtonDblClk) onLButtonDblClk(this, hwnd, px, py);
}

void GUIElement::HandleRButtonUp(std::int32_t px, std::int32_t py) {
  if (onRButtonUp) onRButtonUp(this, hwnd, px, py);
}

void GUIElement::HandleRButtonDown(std::int32_t px, std::int32_t py) {
  if (onRButtonDown) onRButtonDown(this, hwnd, px, py);
}

void GUIElement::HandleRButtonDblClk(std::int32_t px, std::int32_t py) {
  if (onRButtonDblClk) onRButtonDblClk(this, hwnd, px, py);
}

void GUIElement::HandleKeyUp(std::int32_t key) {
  if (onKeyUp) onKeyUp(this, key);
}

void GUIElement::HandleKeyDown(std::int32_t key) {
  if (onKeyDown) onKeyDown(this, key);
}

bool GUIElement::HandleChar(std::int32_t code) {
  return onChar ? onChar(this, code) : true;
}

void GUIElement::HandleMouseMove(std::int32_t px, std::int32_t py) {
  if (onMouseMove) onMouseMove(this, px, py);
}

void GUIElement::HandleMouseHover() {
  if (onMouseHover) onMouseHover(this);
}

void GUIElement::HandleMouseLeave() {
  if (onMouseLeave) onMouseLeave(this);
}

void GUIElement::Focus() {
  if (created) SetFocus(hwnd);
}

void GUIElement::HandleMove() {
  RefreshPosition();
  if (onMove) onMove(this);
}

void GUIElement::HandleSize() {
  if (onSize) onSize(this);
}

void GUIElement::HandlePaint() {
  if (backColorSet) SetBackColor(backColor);
  if (onPaint) onPaint(this);
}

HBRUSH GUIElement::HandleCtlColor(HDC) {
  return nullptr;
}

bool GUIElement::HandleClose() {
  return onClose ? onClose(this) : true;
}

void GUIElement::HandleDestroy() {
  if (onDestroy) onDestroy(this);
  destroyed = true;
}

void GUIElement::HandleGotFocus() {
  focusText = GetTextW();
  if (onGotFocus) onGotFocus(this);
}

void GUIElement::HandleLostFocus() {
  if (onLostFocus) onLostFocus(this);
  if (GetTextW() != focusText && onTextChanged) onTextChanged(this);
}

void GUIElement::HandleActivate() {
  if (onActivate) onActivate(this);
}

void GUIElement::HandleDeactivate() {
  if (onDeactivate) onDeactivate(this);
}

void GUIElement::HandleCreate(HWND window) {
  if (hwnd == nullptr) hwnd = window;
  if (createNotified) return;
  // Marked first: whatever onCreate sets off cannot call it a second time.
  createNotified = true;
  if (onCreate) onCreate(this, hwnd);
}

void GUIElement::Redraw() {
  if (created) RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

bool GUIElement::IsWaitCursor() {
  return waitCursor;
}

bool GUIElement::IsHandCursor() {
  return handCursor;
}

void GUIElement::SetWaitCursor(bool on) {
  waitCursor = on;
}

void GUIElement::SetHandCursor(bool on) {
  handCursor = on;
}

void GUIElement::HandleShow() {}

void GUIElement::HandleNotify(std::int32_t, std::vector<std::int32_t>, std::vector<std::string>) {}

void GUIElement::FinishCreate() {
  created = true;
  AttachTooltip(hwnd);
  if (font != nullptr) {
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font->Realize()), TRUE);
  }
}

}  // namespace VexaUtility
