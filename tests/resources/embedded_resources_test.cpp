// The resources built into an executable by zarvo_embed_resources: this test
// program embeds the same files as the game does, and reads them back the
// way the game and the system do.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "framework/forms/form.h"
#include "platform/api/gdi.h"
#include "platform/api/kernel.h"
#include "platform/api/user.h"
#include "platform/gdi/objects.h"
#include "platform/host/headless/headless.h"
#include "platform/user/state.h"

namespace {

using Bytes = std::span<const std::uint8_t>;

Bytes Resource(int id, LPCWSTR type) {
  HMODULE self = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(self, MAKEINTRESOURCEW(id), type);
  if (found == nullptr) return {};
  return {static_cast<const std::uint8_t*>(LockResource(LoadResource(self, found))),
          SizeofResource(self, found)};
}

unsigned Word(Bytes b, std::size_t at) { return b[at] | (b[at + 1] << 8); }
std::uint32_t Dword(Bytes b, std::size_t at) {
  return Word(b, at) | (std::uint32_t{Word(b, at + 2)} << 16);
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::string kResourceDir = ZARVO_RESOURCE_DIR;

TEST(EmbeddedResources, IconGroupListsThe16_32_48ImagesOf16Colours) {
  const Bytes group = Resource(1005, RT_GROUP_ICON);
  ASSERT_GE(group.size(), 6u);
  EXPECT_EQ(Word(group, 0), 0u);
  EXPECT_EQ(Word(group, 2), 1u);
  ASSERT_EQ(Word(group, 4), 3u);
  ASSERT_EQ(group.size(), 6u + 3 * 14);
  const int sizes[] = {16, 32, 48};
  for (int i = 0; i < 3; ++i) {
    const std::size_t e = 6 + 14 * static_cast<std::size_t>(i);
    EXPECT_EQ(group[e], sizes[i]);
    EXPECT_EQ(group[e + 1], sizes[i]);
    EXPECT_EQ(group[e + 2], 16);  // colours
    EXPECT_EQ(Word(group, e + 4), 1u);  // planes
    EXPECT_EQ(Word(group, e + 6), 4u);  // bits a pixel
    // The id names an RT_ICON of exactly the size the entry gives, holding
    // the same image as the icon file.
    const Bytes image = Resource(static_cast<int>(Word(group, e + 12)), RT_ICON);
    ASSERT_EQ(image.size(), Dword(group, e + 8));
    EXPECT_EQ(Dword(image, 4), static_cast<std::uint32_t>(sizes[i]));
    EXPECT_EQ(Dword(image, 8), static_cast<std::uint32_t>(2 * sizes[i]));
    const std::vector<std::uint8_t> file = ReadFile(kResourceDir + "/zarvo.ico");
    ASSERT_GE(file.size(), 6u + 16 * 3);
    const std::size_t offset = Dword(file, 6 + 16 * static_cast<std::size_t>(i) + 12);
    ASSERT_LE(offset + image.size(), file.size());
    EXPECT_EQ(std::memcmp(file.data() + offset, image.data(), image.size()), 0);
  }
}

// The 32-pixel image of the icon file, read here on its own: 0x00RRGGBB, or
// nothing where the mask makes it transparent.
std::vector<std::optional<std::uint32_t>> IcoImage32() {
  const std::vector<std::uint8_t> file = ReadFile(kResourceDir + "/zarvo.ico");
  std::vector<std::optional<std::uint32_t>> pixels;
  for (std::size_t i = 0; i < Word(file, 4); ++i) {
    const std::size_t entry = 6 + 16 * i;
    if (file[entry] != 32) continue;
    const std::uint8_t* image = file.data() + Dword(file, entry + 12);
    const std::uint8_t* palette = image + 40;
    const std::uint8_t* colours = palette + 16 * 4;
    const std::uint8_t* mask = colours + 16 * 32;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const int row = 31 - y;
        const std::uint8_t two = colours[row * 16 + x / 2];
        const int index = x % 2 == 0 ? two >> 4 : two & 15;
        if ((mask[row * 4 + x / 8] >> (7 - x % 8)) & 1) {
          pixels.emplace_back();
        } else {
          const std::uint8_t* q = palette + 4 * index;
          pixels.emplace_back((q[2] << 16) | (q[1] << 8) | q[0]);
        }
      }
    }
  }
  return pixels;
}

TEST(EmbeddedResources, LoadIconGivesThe32PixelImage_TransparentWhereTheMaskSays) {
  const auto expected = IcoImage32();
  ASSERT_EQ(expected.size(), 32u * 32);
  std::size_t transparent = 0;
  for (const auto& p : expected) transparent += !p.has_value();
  ASSERT_GT(transparent, 0u);  // otherwise the mask would go untested

  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1005));
  ASSERT_NE(icon, nullptr);
  const gdi::Icon* record = gdi::LookupIcon(icon);
  ASSERT_NE(record, nullptr);
  ASSERT_EQ(record->images.size(), 1u);
  EXPECT_EQ(record->images[0].width, 32);
  EXPECT_EQ(record->images[0].height, 32);

  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(34, 34, 1, 32, nullptr);
  SelectObject(dc, bitmap);
  const COLORREF background = RGB(1, 2, 3);  // in no 16-colour palette
  HBRUSH brush = CreateSolidBrush(background);
  const RECT all{0, 0, 34, 34};
  FillRect(dc, &all, brush);
  ASSERT_TRUE(DrawIconEx(dc, 1, 1, icon, 0, 0, 0, nullptr, DI_NORMAL));
  for (int y = 0; y < 34; ++y) {
    for (int x = 0; x < 34; ++x) {
      const bool inside = x >= 1 && x < 33 && y >= 1 && y < 33;
      const auto& want = inside ? expected[(y - 1) * 32 + (x - 1)] : std::nullopt;
      const COLORREF got = GetPixel(dc, x, y);
      if (want.has_value()) {
        EXPECT_EQ(got, gdi::ColorFromPixel(*want)) << x << "," << y;
      } else {
        EXPECT_EQ(got, background) << x << "," << y;
      }
    }
  }
  DeleteDC(dc);
  DeleteObject(bitmap);
  DeleteObject(brush);
}

TEST(EmbeddedResources, LoadedIconsAreShared_LoadImageMakesOwnedOnesAtTheSizeAsked) {
  HMODULE self = GetModuleHandleW(nullptr);
  const std::size_t before = gdi::LiveObjectCount();
  HICON shared = LoadIconW(self, MAKEINTRESOURCEW(1005));
  EXPECT_EQ(LoadIconW(self, MAKEINTRESOURCEW(1005)), shared);
  EXPECT_TRUE(DestroyIcon(shared));  // a shared icon outlives a DestroyIcon
  EXPECT_NE(gdi::LookupIcon(shared), nullptr);
  EXPECT_EQ(gdi::LiveObjectCount(), before);

  struct Case {
    int asked;
    int made;
  } cases[] = {{16, 16}, {48, 48}, {0, 32}, {24, 24} /* stretched from the nearest */};
  for (const Case& c : cases) {
    auto* icon = static_cast<HICON>(
        LoadImageW(self, MAKEINTRESOURCEW(1005), IMAGE_ICON, c.asked, c.asked, 0));
    ASSERT_NE(icon, nullptr) << c.asked;
    const gdi::Icon* record = gdi::LookupIcon(icon);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->images.at(0).width, c.made);
    EXPECT_EQ(record->images.at(0).height, c.made);
    EXPECT_EQ(gdi::LiveObjectCount(), before + 1);
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_EQ(gdi::LiveObjectCount(), before);
  }
}

TEST(EmbeddedResources, AMissingIconSaysWhatIsMissing) {
  HMODULE self = GetModuleHandleW(nullptr);
  struct Case {
    HINSTANCE instance;
    int id;
    DWORD error;
  } cases[] = {
      {self, 1006, ERROR_RESOURCE_NAME_NOT_FOUND},
      {nullptr, 1005, ERROR_RESOURCE_NAME_NOT_FOUND},  // no module: only the stock icons
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_EQ(LoadIconW(c.instance, MAKEINTRESOURCEW(c.id)), nullptr);
    EXPECT_EQ(GetLastError(), c.error);
  }
}

TEST(EmbeddedResources, WaveIs44100Hz16BitMonoPcmOfATenthOfASecond_NotSilent) {
  const Bytes wave = Resource(1008, u"WAVE");
  ASSERT_GE(wave.size(), 44u);
  EXPECT_EQ(std::memcmp(wave.data(), "RIFF", 4), 0);
  EXPECT_EQ(Dword(wave, 4), wave.size() - 8);
  EXPECT_EQ(std::memcmp(wave.data() + 8, "WAVEfmt ", 8), 0);
  EXPECT_EQ(Dword(wave, 16), 16u);
  EXPECT_EQ(Word(wave, 20), 1u);  // PCM
  EXPECT_EQ(Word(wave, 22), 1u);  // mono
  EXPECT_EQ(Dword(wave, 24), 44100u);
  EXPECT_EQ(Dword(wave, 28), 44100u * 2);
  EXPECT_EQ(Word(wave, 32), 2u);
  EXPECT_EQ(Word(wave, 34), 16u);
  ASSERT_EQ(std::memcmp(wave.data() + 36, "data", 4), 0);
  const std::uint32_t dataBytes = Dword(wave, 40);
  ASSERT_EQ(dataBytes, wave.size() - 44);
  const std::size_t samples = dataBytes / 2;
  EXPECT_NEAR(static_cast<double>(samples) / 44100, 0.1, 0.01);
  // Loud at first, near silence at the end: a tick, not a tone.
  auto peak = [&](std::size_t from, std::size_t to) {
    int most = 0;
    for (std::size_t i = from; i < to; ++i) {
      most = std::max(most, std::abs(static_cast<std::int16_t>(Word(wave, 44 + 2 * i))));
    }
    return most;
  };
  EXPECT_GT(peak(0, samples / 10), 8000);
  EXPECT_LT(peak(samples * 9 / 10, samples), 500);
}

TEST(EmbeddedResources, ManifestAsksToRunAsInvokerWithoutUiAccess) {
  const Bytes manifest = Resource(1, RT_MANIFEST);
  const std::string text(manifest.begin(), manifest.end());
  EXPECT_EQ(text.rfind("<?xml", 0), 0u);
  EXPECT_NE(text.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"),
            std::string::npos);
}

// A walk of the version record's tree: every block's length must hold its
// header, key, value and children and stay inside its parent.
struct VersionWalk {
  Bytes record;
  std::map<std::u16string, std::u16string> texts;
  std::map<std::u16string, std::vector<std::uint8_t>> binaries;
  std::vector<std::u16string> keys;
  bool ok = true;

  bool Block(std::size_t at, std::size_t limit) {
    if (at + 6 > limit) return false;
    const std::size_t length = Word(record, at), valueLength = Word(record, at + 2);
    const unsigned type = Word(record, at + 4);
    if (length < 6 || at + length > limit || type > 1) return false;
    const std::size_t end = at + length;
    std::size_t p = at + 6;
    std::u16string key;
    for (;; p += 2) {
      if (p + 2 > end) return false;
      if (Word(record, p) == 0) break;
      key += static_cast<char16_t>(Word(record, p));
    }
    p = (p + 2 + 3) & ~std::size_t{3};
    keys.push_back(key);
    const std::size_t valueBytes = type == 1 ? valueLength * 2 : valueLength;
    if (p + valueBytes > end) return false;
    if (type == 1 && valueLength > 0) {
      std::u16string text;
      for (std::size_t i = 0; i + 1 < valueLength; ++i) text += static_cast<char16_t>(Word(record, p + 2 * i));
      if (Word(record, p + 2 * (valueLength - 1)) != 0) return false;  // ends in 0
      texts[key] = text;
    } else if (valueBytes > 0) {
      binaries[key].assign(record.begin() + p, record.begin() + p + valueBytes);
    }
    p += valueBytes;
    while (true) {
      p = (p + 3) & ~std::size_t{3};
      if (p >= end) break;
      if (!Block(p, end)) return false;
      p += Word(record, p);
    }
    return true;
  }
};

TEST(EmbeddedResources, VersionRecordIsAValidTreeNamingTheGameItsVersionAndCopyright) {
  VersionWalk walk;
  walk.record = Resource(1, RT_VERSION);
  ASSERT_GE(walk.record.size(), 6u);
  ASSERT_EQ(Word(walk.record, 0), walk.record.size());
  ASSERT_TRUE(walk.Block(0, walk.record.size()));
  ASSERT_FALSE(walk.keys.empty());
  EXPECT_EQ(walk.keys[0], u"VS_VERSION_INFO");
  for (const char16_t* key : {u"StringFileInfo", u"041004B0", u"VarFileInfo"}) {
    EXPECT_NE(std::find(walk.keys.begin(), walk.keys.end(), key), walk.keys.end());
  }
  const std::vector<std::uint8_t>& fixed = walk.binaries[u"VS_VERSION_INFO"];
  ASSERT_EQ(fixed.size(), 52u);
  EXPECT_EQ(Dword(fixed, 0), 0xFEEF04BDu);
  EXPECT_EQ(walk.texts[u"ProductName"], u"Zarvo");
  EXPECT_EQ(walk.texts[u"FileDescription"], u"Zarvo");
  EXPECT_EQ(walk.texts[u"LegalCopyright"], u"Copyright (C) 2026 The Zarvo authors");
  // The fixed part's numbers are those of the text.
  const std::u16string version = walk.texts[u"FileVersion"];
  EXPECT_EQ(walk.texts[u"ProductVersion"], version);
  const auto v = Dword(fixed, 8), w = Dword(fixed, 12);
  const std::string numbers = std::to_string(v >> 16) + "." + std::to_string(v & 0xFFFF) + "." +
                              std::to_string(w >> 16) + "." + std::to_string(w & 0xFFFF);
  EXPECT_EQ(version, std::u16string(numbers.begin(), numbers.end()));
  const std::vector<std::uint8_t>& translation = walk.binaries[u"Translation"];
  ASSERT_EQ(translation.size(), 4u);
  EXPECT_EQ(Word(translation, 2), 1200u);  // UTF-16 texts
}

// The headless host's record of a window's icon, as 0xAARRGGBB.
const host::headless::WindowRecord* HostRecord(HWND window) {
  const user::Window* w = user::FromHandle(window);
  return w != nullptr ? host::headless::Instance().Window(w->hostWindow) : nullptr;
}

bool SameIcon(const host::headless::WindowRecord& record, HICON icon) {
  const gdi::Icon* i = gdi::LookupIcon(icon);
  return i != nullptr && record.iconWidth == i->images[0].width &&
         record.iconHeight == i->images[0].height && record.icon == i->images[0].argb;
}

TEST(EmbeddedResources, AFormWithIcon1005ShowsItOnTheHostWindow_AsDoesWmSetIcon) {
  HINSTANCE self = GetModuleHandleW(nullptr);
  HICON icon = LoadIconW(self, MAKEINTRESOURCEW(1005));
  ASSERT_NE(icon, nullptr);
  {
    VexaUtility::Form form(self);
    form.text = u"Zarvo";
    form.width = 300;
    form.height = 200;
    form.iconId = 1005;
    form.Create();
    const host::headless::WindowRecord* record = HostRecord(form.hwnd);
    ASSERT_NE(record, nullptr);
    EXPECT_TRUE(SameIcon(*record, icon));  // the class's icon
  }
  // A window of a class without an icon of its own shows the one sent to it.
  WNDCLASSW plain{};
  plain.lpfnWndProc = DefWindowProcW;
  plain.hInstance = self;
  plain.lpszClassName = u"Plain";
  ASSERT_NE(RegisterClassW(&plain), 0);
  HWND window = CreateWindowExW(0, u"Plain", u"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                nullptr, self, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(HostRecord(window)->icon.empty());
  for (WPARAM kind : {ICON_SMALL, ICON_BIG}) {
    auto* sized = static_cast<HICON>(LoadImageW(self, MAKEINTRESOURCEW(1005), IMAGE_ICON,
                                                kind == ICON_BIG ? 48 : 16,
                                                kind == ICON_BIG ? 48 : 16, LR_SHARED));
    SendMessageW(window, WM_SETICON, kind, reinterpret_cast<LPARAM>(sized));
    EXPECT_TRUE(SameIcon(*HostRecord(window), sized)) << kind;
  }
  DestroyWindow(window);
}

}  // namespace
