#include "framework/elements/font.h"

#include "framework/util/text.h"

namespace VexaUtility {

FontSpec::FontSpec() : faceName(u"System") {}

FontSpec::FontSpec(const std::string& faceName, std::int32_t height)
    : faceName(ToWide(faceName)), height(height) {}

FontSpec::~FontSpec() {
  if (handle != nullptr) DeleteObject(handle);
}

HFONT FontSpec::Realize() {
  if (handle == nullptr) {
    handle = CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, underline, 0,
                         DEFAULT_CHARSET, OUT_OUTLINE_PRECIS, CLIP_DEFAULT_PRECIS,
                         CLEARTYPE_QUALITY, fixedPitch ? FIXED_PITCH : DEFAULT_PITCH,
                         faceName.c_str());
  }
  return handle;
}

}  // namespace VexaUtility
