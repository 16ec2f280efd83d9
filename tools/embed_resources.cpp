// Build-time helper: turns the files of resources/ into a C++ source that
// holds their bytes and hands the table to the platform's resource lookup.
// No file is read when the program runs.
//
//   zarvo_embed --output FILE.cpp
//               [--icon-group ID FILE.ico]      icon group ID, images 1..n
//               [--named TYPE ID FILE]          a resource of a named type
//               [--numbered TYPE ID FILE]       a resource of a numbered type
//               [--version ID FILE]             version record from Name=Value lines
//
// It stands alone (no code of ours beyond the standard library) because it
// runs on the build machine before anything else is linked.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Resource {
  std::string typeName;  // empty for a numbered type
  int typeId = 0;
  int id = 0;
  Bytes data;
};

constexpr int kRtIcon = 3;
constexpr int kRtGroupIcon = 14;
constexpr int kRtVersion = 16;

bool Fail(const std::string& why) {
  std::fprintf(stderr, "zarvo_embed: %s\n", why.c_str());
  return false;
}

bool ReadFile(const std::string& path, Bytes& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return Fail("cannot read " + path);
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

unsigned Word(const Bytes& b, std::size_t at) { return b[at] | (b[at + 1] << 8); }
std::uint32_t Dword(const Bytes& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}
void PutWord(Bytes& b, unsigned v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void PutDword(Bytes& b, std::uint32_t v) {
  PutWord(b, v & 0xFFFF);
  PutWord(b, v >> 16);
}
void SetWord(Bytes& b, std::size_t at, unsigned v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

// An .ico file becomes one RT_ICON per image and the group directory, whose
// 14-byte entries end in the image's resource id where the file's 16-byte
// entries end in the image's offset in the file.
bool AddIconGroup(int groupId, const std::string& path, std::vector<Resource>& out) {
  Bytes file;
  if (!ReadFile(path, file)) return false;
  if (file.size() < 6 || Word(file, 0) != 0 || Word(file, 2) != 1 || Word(file, 4) == 0) {
    return Fail(path + " is not an icon file");
  }
  const unsigned count = Word(file, 4);
  if (6 + 16 * std::size_t{count} > file.size()) return Fail(path + ": directory cut short");
  Resource group{"", kRtGroupIcon, groupId, {}};
  PutWord(group.data, 0);
  PutWord(group.data, 1);
  PutWord(group.data, count);
  for (unsigned i = 0; i < count; ++i) {
    const std::size_t entry = 6 + 16 * std::size_t{i};
    const std::uint32_t size = Dword(file, entry + 8), offset = Dword(file, entry + 12);
    if (offset > file.size() || size > file.size() - offset) {
      return Fail(path + ": image " + std::to_string(i + 1) + " lies outside the file");
    }
    const int imageId = static_cast<int>(i) + 1;
    group.data.insert(group.data.end(), file.begin() + entry, file.begin() + entry + 12);
    PutWord(group.data, imageId);
    out.push_back(Resource{"", kRtIcon, imageId, Bytes(file.begin() + offset,
                                                       file.begin() + offset + size)});
  }
  out.push_back(std::move(group));
  return true;
}

// The version record: a tree of blocks, each {WORD length, WORD value
// length, WORD type (0 binary, 1 text), key in UTF-16 ending in 0, padding to
// 32 bits, value, padding, children}. A block's length runs to the end of
// its last child; a text value's length counts its characters with the 0.
struct Block {
  std::u16string key;
  Bytes value;
  unsigned valueLength = 0;
  unsigned type = 1;
  std::vector<Block> children;
};

void Pad(Bytes& b) {
  while (b.size() % 4 != 0) b.push_back(0);
}

void PutText(Bytes& b, const std::u16string& text) {
  for (char16_t c : text) PutWord(b, c);
  PutWord(b, 0);
}

void Write(const Block& block, Bytes& b) {
  const std::size_t start = b.size();
  PutWord(b, 0);
  PutWord(b, block.valueLength);
  PutWord(b, block.type);
  PutText(b, block.key);
  Pad(b);
  b.insert(b.end(), block.value.begin(), block.value.end());
  for (const Block& child : block.children) {
    Pad(b);
    Write(child, b);
  }
  SetWord(b, start, static_cast<unsigned>(b.size() - start));
}

std::u16string Wide(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

Block TextBlock(const std::string& key, const std::string& text) {
  Block s{Wide(key), {}, static_cast<unsigned>(text.size() + 1), 1, {}};
  PutText(s.value, Wide(text));
  return s;
}

bool ParseVersion(const std::string& text, std::uint32_t& high, std::uint32_t& low) {
  unsigned part[4] = {0, 0, 0, 0};
  char tail = 0;
  if (std::sscanf(text.c_str(), "%u.%u.%u.%u%c", &part[0], &part[1], &part[2], &part[3], &tail) !=
      4) {
    return false;
  }
  for (unsigned p : part) {
    if (p > 0xFFFF) return false;
  }
  high = part[0] << 16 | part[1];
  low = part[2] << 16 | part[3];
  return true;
}

// Italian, the language of the game's texts, in UTF-16 (code page 1200).
constexpr unsigned kLanguage = 0x0410;
constexpr unsigned kCodePage = 1200;

bool AddVersion(int id, const std::string& path, std::vector<Resource>& out) {
  Bytes text;
  if (!ReadFile(path, text)) return false;
  std::istringstream lines(std::string(text.begin(), text.end()));
  Block table{u"041004B0", {}, 0, 1, {}};
  std::uint32_t fileHigh = 0, fileLow = 0, productHigh = 0, productLow = 0;
  bool haveFile = false, haveProduct = false;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos || equals == 0) return Fail(path + ": not Name=Value: " + line);
    const std::string name = line.substr(0, equals), value = line.substr(equals + 1);
    for (unsigned char c : value) {
      if (c >= 0x80) return Fail(path + ": only ASCII text is written");
    }
    if (name == "FileVersion" && !(haveFile = ParseVersion(value, fileHigh, fileLow))) {
      return Fail(path + ": FileVersion is not a.b.c.d");
    }
    if (name == "ProductVersion" &&
        !(haveProduct = ParseVersion(value, productHigh, productLow))) {
      return Fail(path + ": ProductVersion is not a.b.c.d");
    }
    table.children.push_back(TextBlock(name, value));
  }
  if (!haveFile || !haveProduct) return Fail(path + ": FileVersion and ProductVersion are needed");

  Block root{u"VS_VERSION_INFO", {}, 52, 0, {}};
  for (std::uint32_t v : {0xFEEF04BDu, 0x00010000u, fileHigh, fileLow, productHigh, productLow,
                          0x3Fu /* flags mask */, 0u /* flags */, 0x00040004u /* 32-bit NT */,
                          1u /* application */, 0u /* subtype */, 0u, 0u /* no date */}) {
    PutDword(root.value, v);
  }
  root.children.push_back(Block{u"StringFileInfo", {}, 0, 1, {table}});
  Block translation{u"Translation", {}, 4, 0, {}};
  PutWord(translation.value, kLanguage);
  PutWord(translation.value, kCodePage);
  root.children.push_back(Block{u"VarFileInfo", {}, 0, 1, {translation}});
  Resource r{"", kRtVersion, id, {}};
  Write(root, r.data);
  out.push_back(std::move(r));
  return true;
}

bool ParseNumber(const std::string& text, int& n) {
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != 0 || v < 1 || v > 0xFFFF) return Fail("not an id: " + text);
  n = static_cast<int>(v);
  return true;
}

std::string Source(const std::vector<Resource>& resources) {
  std::ostringstream s;
  s << "// Made by the build from the files of resources/: edit those, not this.\n"
       "#include <cstdint>\n\n#include \"platform/kernel/resources.h\"\n\nnamespace {\n\n";
  for (std::size_t i = 0; i < resources.size(); ++i) {
    const Bytes& d = resources[i].data;
    s << "alignas(4) const std::uint8_t kData" << i << "[] = {";
    for (std::size_t j = 0; j < d.size(); ++j) {
      if (j % 16 == 0) s << "\n   ";
      char hex[8];
      std::snprintf(hex, sizeof hex, " 0x%02X,", d[j]);
      s << hex;
    }
    if (d.empty()) s << "0";
    s << "\n};\n\n";
  }
  s << "const kernel::EmbeddedResource kTable[] = {\n";
  for (std::size_t i = 0; i < resources.size(); ++i) {
    const Resource& r = resources[i];
    s << "    {u\"" << r.typeName << "\", " << r.typeId << ", " << r.id << ", {kData" << i << ", "
      << r.data.size() << "}},\n";
  }
  // A static initializer of the executable itself registers the table, so
  // the resources are there before main, for the game's WinMain and for a
  // test program's own main alike; the lookup's tables are made on first use,
  // so the order of initializers does not matter.
  s << "};\n\nstruct Registration {\n  Registration() { kernel::RegisterResources(kTable); }\n};\n"
       "[[maybe_unused]] const Registration registration;\n\n}  // namespace\n";
  return s.str();
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string output;
  std::vector<Resource> resources;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto need = [&](std::size_t n) {
      if (i + n >= args.size()) {
        Fail(a + " needs " + std::to_string(n) + " values");
        return false;
      }
      return true;
    };
    int id = 0, type = 0;
    if (a == "--output" && need(1)) {
      output = args[++i];
    } else if (a == "--icon-group" && need(2)) {
      if (!ParseNumber(args[i + 1], id) || !AddIconGroup(id, args[i + 2], resources)) return 1;
      i += 2;
    } else if (a == "--version" && need(2)) {
      if (!ParseNumber(args[i + 1], id) || !AddVersion(id, args[i + 2], resources)) return 1;
      i += 2;
    } else if ((a == "--named" || a == "--numbered") && need(3)) {
      Resource r;
      if (a == "--named") {
        r.typeName = args[i + 1];
      } else if (!ParseNumber(args[i + 1], type)) {
        return 1;
      }
      if (!ParseNumber(args[i + 2], id) || !ReadFile(args[i + 3], r.data)) return 1;
      for (char c : r.typeName) {
        if (!(c >= 'A' && c <= 'Z') && !(c >= '0' && c <= '9') && c != '_') {
          Fail("a type name is capitals, digits and _: " + r.typeName);
          return 1;
        }
      }
      r.typeId = type;
      r.id = id;
      resources.push_back(std::move(r));
      i += 3;
    } else {
      Fail("unknown or incomplete argument: " + a);
      return 1;
    }
  }
  if (output.empty()) return Fail("no --output") ? 0 : 1;
  const std::string temporary = output + ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << Source(resources);
    if (!out.flush()) return Fail("cannot write " + temporary) ? 0 : 1;
  }
  if (std::rename(temporary.c_str(), output.c_str()) != 0) {
    return Fail("cannot write " + output) ? 0 : 1;
  }
  return 0;
}
