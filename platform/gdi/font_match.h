// Which installed face stands for a font the program asks for by name.
#pragma once

#include <string>
#include <vector>

#include "platform/api/gdi.h"
#include "platform/gdi/font_catalog.h"

namespace gdi {

// The system's own face names stand for one of two kinds of installed face.
enum class FaceKind { Monospace, Sans };

struct FaceRequest {
  std::u16string name;  // as asked; an installed family of this name wins
  FaceKind kind = FaceKind::Sans;
  int weight = FW_NORMAL;
  bool italic = false;
};

// "Lucida Console", "Courier New", "Fixedsys", "Terminal" and any font asking
// for a fixed pitch are monospace; "System" is a bold sans; every other name
// (the dialog face among them) is a sans.
FaceRequest RequestFor(const LOGFONTW& log);

struct FaceChoice {
  const FaceEntry* entry = nullptr;  // null only when the catalogue is empty
  bool embolden = false;             // bold was asked and the face is not: thicken the outlines
  bool slant = false;                // italic was asked and the face is upright: shear the outlines
};

// Always gives a face when the catalogue has one: an installed family of the
// name asked, else a family of the kind asked, else one of the other kind,
// else whatever there is. Faces in the rejected files (ones that could not be
// opened) are passed over.
FaceChoice ChooseFace(const FaceCatalog& catalog, const FaceRequest& request,
                      const std::vector<std::string>& rejected = {});

}  // namespace gdi
