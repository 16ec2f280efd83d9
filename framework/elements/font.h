// A font described by face, height and style, and the font object made from
// it the first time it is needed.
#pragma once

#include <cstdint>
#include <string>

#include "platform/api/gdi.h"

namespace VexaUtility {

class FontSpec {
 public:
  HFONT handle = nullptr;  // made by Realize, deleted with the FontSpec
  std::u16string faceName;
  std::int32_t height = 0;  // as CreateFontW takes it: 0 is the default size
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool fixedPitch = false;

  FontSpec();  // "System", the default height
  FontSpec(const std::string& faceName, std::int32_t height);
  ~FontSpec();
  FontSpec(const FontSpec&) = delete;
  FontSpec& operator=(const FontSpec&) = delete;

  // The font object, made on first use and kept.
  HFONT Realize();
};

}  // namespace VexaUtility
