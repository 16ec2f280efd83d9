// A push button. Pressed, it comes back to its form as WM_COMMAND and
// reaches `onCommand`; owner-drawn, the form asks for its picture with
// WM_DRAWITEM and the framework paints it.
#pragma once

#include <cstdint>
#include <string>

#include "framework/elements/child.h"
#include "framework/elements/command_element.h"

namespace VexaUtility {

class Drawing;

class Button : public Child, public CommandElement {
 public:
  std::string imagePath;  // not used by any operation
  bool ownerDraw = false;
  HBITMAP enabledBitmap = nullptr;
  HBITMAP disabledBitmap = nullptr;
  HICON enabledIcon = nullptr;
  HICON disabledIcon = nullptr;

  Button(GUIElement* parent, const std::string& text);

  void Create() override;
  // Draws the button's picture at its left; returns where the caption starts.
  virtual std::int32_t DrawImage(Drawing& surface, const RECT& area, bool pressed);

  // Paints an owner-drawn button into the item's context, which it borrows.
  void PaintOwnerDrawn(const DRAWITEMSTRUCT& item);
};

}  // namespace VexaUtility
