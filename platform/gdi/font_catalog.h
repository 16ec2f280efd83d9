// The faces this machine has installed, as the text engine chooses among
// them: one entry per face in a font file.
#pragma once

#include <string>
#include <vector>

namespace gdi {

struct FaceEntry {
  std::string file;
  int index = 0;  // face within the file (collections, named instances)
  std::vector<std::string> families;
  int weight = 400;     // 100 (thin) to 900 (black), as a LOGFONTW weight
  bool italic = false;  // italic or oblique
  int width = 100;      // percent of normal; condensed faces are narrower
  bool monospace = false;
  int formatRank = 0;  // 0 TrueType, 1 OpenType with outlines in CFF, 2 anything else
};

using FaceCatalog = std::vector<FaceEntry>;

// The outline faces that fontconfig knows in the system's font folders. The
// configuration is our own, not the user's nor the system's rules, so the
// same files give the same catalogue on every run and every account.
FaceCatalog CatalogFromFontconfig();

// The outline faces found by reading every font file under these folders:
// for a machine where fontconfig has nothing to say.
FaceCatalog CatalogFromFolders(const std::vector<std::string>& folders);

// The first non-empty of the two catalogues above, made once per process.
// Entries are in file order, so ties are broken the same way every time.
const FaceCatalog& InstalledFaces();

}  // namespace gdi
