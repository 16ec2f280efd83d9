#include "platform/gdi/font_match.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string_view>
#include <tuple>

#include "platform/crt/utf.h"

namespace gdi {
namespace {

constexpr int kBoldWeight = 600;

struct NamedFace {
  std::u16string_view name;  // lower case
  FaceKind kind;
  bool bold;
};

constexpr NamedFace kNamedFaces[] = {
    {u"lucida console", FaceKind::Monospace, false}, {u"courier new", FaceKind::Monospace, false},
    {u"courier", FaceKind::Monospace, false},        {u"fixedsys", FaceKind::Monospace, false},
    {u"terminal", FaceKind::Monospace, false},       {u"system", FaceKind::Sans, true},
};

// Installed families for each kind, best first.
constexpr std::string_view kMonospaceFamilies[] = {
    "DejaVu Sans Mono", "Liberation Mono", "Noto Sans Mono",
    "Noto Mono",        "Nimbus Mono PS",  "FreeMono",
};
constexpr std::string_view kSansFamilies[] = {
    "DejaVu Sans", "Liberation Sans", "Noto Sans", "Nimbus Sans", "FreeSans", "Arimo",
};

std::u16string Lower(std::u16string_view text) {
  std::u16string lower(text);
  for (char16_t& c : lower) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return lower;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool HasFamily(const FaceEntry& entry, std::string_view family) {
  return std::any_of(entry.families.begin(), entry.families.end(),
                     [&](const std::string& name) { return SameName(name, family); });
}

// Smaller is better: the boldness and slant asked for first, because
// synthesising them looks worse than a near weight; then the nearest weight,
// a normal width and the plainest file format.
auto Distance(const FaceEntry& entry, const FaceRequest& request) {
  const bool wantBold = request.weight >= kBoldWeight;
  return std::make_tuple((entry.weight >= kBoldWeight) != wantBold, entry.italic != request.italic,
                         std::abs(entry.weight - request.weight), std::abs(entry.width - 100),
                         entry.formatRank);
}

// The search for one request, over the catalogue less the files that
// could not be opened.
class Matcher {
 public:
  Matcher(const FaceCatalog& catalog, const FaceRequest& request,
          const std::vector<std::string>& rejected)
      : catalog_(catalog), request_(request), rejected_(rejected) {}

  const FaceEntry* Pick() const {
    if (!request_.name.empty()) {
      const std::string name = crt::Utf8FromUtf16(request_.name);
      if (const FaceEntry* entry = Best([&](const FaceEntry& e) { return HasFamily(e, name); })) {
        return entry;
      }
    }
    if (const FaceEntry* entry = BestOfKind(request_.kind)) return entry;
    const FaceKind other =
        request_.kind == FaceKind::Monospace ? FaceKind::Sans : FaceKind::Monospace;
    if (const FaceEntry* entry = BestOfKind(other)) return entry;
    return Best([](const FaceEntry&) { return true; });
  }

 private:
  template <typename Accept>
  const FaceEntry* Best(Accept accept) const {
    const FaceEntry* best = nullptr;
    for (const FaceEntry& entry : catalog_) {
      if (!accept(entry) || Rejected(entry)) continue;
      // The catalogue is in file order, so the first of equals wins every time.
      if (best == nullptr || Distance(entry, request_) < Distance(*best, request_)) best = &entry;
    }
    return best;
  }

  template <std::size_t N>
  const FaceEntry* BestOfFamilies(const std::string_view (&families)[N]) const {
    for (std::string_view family : families) {
      if (const FaceEntry* entry = Best([&](const FaceEntry& e) { return HasFamily(e, family); })) {
        return entry;
      }
    }
    return nullptr;
  }

  const FaceEntry* BestOfKind(FaceKind kind) const {
    const bool mono = kind == FaceKind::Monospace;
    const FaceEntry* entry =
        mono ? BestOfFamilies(kMonospaceFamilies) : BestOfFamilies(kSansFamilies);
    if (entry != nullptr) return entry;
    return Best([&](const FaceEntry& e) { return e.monospace == mono; });
  }

  bool Rejected(const FaceEntry& entry) const {
    return std::find(rejected_.begin(), rejected_.end(), entry.file) != rejected_.end();
  }

  const FaceCatalog& catalog_;
  const FaceRequest& request_;
  const std::vector<std::string>& rejected_;
};

}  // namespace

FaceRequest RequestFor(const LOGFONTW& log) {
  FaceRequest request;
  const WCHAR* end = std::find(log.lfFaceName, log.lfFaceName + LF_FACESIZE, u'\0');
  const std::u16string_view name(log.lfFaceName, static_cast<std::size_t>(end - log.lfFaceName));
  request.name = std::u16string(name);
  request.weight = log.lfWeight <= 0 ? FW_NORMAL : std::min<int>(log.lfWeight, 1000);
  request.italic = log.lfItalic != 0;
  const std::u16string lower = Lower(name);
  for (const NamedFace& named : kNamedFaces) {
    if (lower == named.name) {
      request.kind = named.kind;
      if (named.bold) request.weight = std::max(request.weight, FW_BOLD);
    }
  }
  if ((log.lfPitchAndFamily & 0x03) == FIXED_PITCH) request.kind = FaceKind::Monospace;
  return request;
}

FaceChoice ChooseFace(const FaceCatalog& catalog, const FaceRequest& request,
                      const std::vector<std::string>& rejected) {
  FaceChoice choice;
  choice.entry = Matcher(catalog, request, rejected).Pick();
  if (choice.entry != nullptr) {
    choice.embolden = request.weight >= kBoldWeight && choice.entry->weight < kBoldWeight;
    choice.slant = request.italic && !choice.entry->italic;
  }
  return choice;
}

}  // namespace gdi
