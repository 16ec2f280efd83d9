#include "game/shell/asset_check.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/temp_folder.h"

namespace {

using testing_support::TempFolder;
using testing_support::WriteBytes;

const std::string kZeros(32, '0');

std::string ChecksumOfBytes(const std::string& bytes) {
  TempFolder folder;
  WriteBytes(folder / "f.bin", bytes);
  return Zarvo::FileChecksum(folder / "f.bin");
}

struct ChecksumCase {
  const char* name;
  std::string bytes;
  std::string expected;
};

TEST(Checksum, XorsEachByteIntoItsOffsetModuloSixteen) {
  std::string ffAtFive(40, '\0');
  ffAtFive[5] = '\xFF';
  // Three blocks and a bit: the offsets keep counting across block edges.
  std::string long_(10240 * 3 + 7, '\0');
  long_[10240 + 3] = '\x5A';       // offset ≡ 3
  long_[10240 * 2 + 17] = '\x0F';  // offset ≡ 1
  long_[10240 * 3 + 6] = '\xC0';   // last byte, offset ≡ 6
  long_[19] = '\x33';              // offset ≡ 3, cancels part of 0x5A
  const ChecksumCase cases[] = {
      {"empty", "", kZeros},
      {"abc", "abc", "616263" + std::string(26, '0')},
      {"seventeen ones", std::string(17, '\x01'),
       "00" +
           [] {
             std::string s;
             for (int i = 0; i < 15; ++i) s += "01";
             return s;
           }()},
      {"ff at five", ffAtFive, std::string(10, '0') + "FF" + std::string(20, '0')},
      {"high bytes", "\x80\x9A\xFE", "809AFE" + std::string(26, '0')},
      {"longer than a block", long_, "000F00690000C0" + std::string(18, '0')},
  };
  for (const ChecksumCase& c : cases) {
    EXPECT_EQ(ChecksumOfBytes(c.bytes), c.expected) << c.name;
  }
}

TEST(Checksum, ExactBlockSizedFileCountsEveryByteOnce) {
  std::string bytes(10240, '\0');
  bytes[10239] = '\x42';  // the last byte of the block, offset ≡ 15
  EXPECT_EQ(ChecksumOfBytes(bytes), std::string(30, '0') + "42");
}

TEST(Checksum, SixteenTrailingZerosChangeNothing) {
  std::string bytes;
  for (int i = 0; i < 12345; ++i) bytes.push_back(static_cast<char>(i * 37 + 11));
  const std::string before = ChecksumOfBytes(bytes);
  EXPECT_NE(before, kZeros);
  EXPECT_EQ(ChecksumOfBytes(bytes + std::string(16, '\0')), before);
  // The length does not count, but every byte does.
  bytes.back() = static_cast<char>(bytes.back() ^ 1);
  EXPECT_NE(ChecksumOfBytes(bytes), before);
}

TEST(Checksum, MissingFileGivesZeros) {
  TempFolder folder;
  EXPECT_EQ(Zarvo::FileChecksum(folder / "absent.bmp"), kZeros);
  EXPECT_EQ(Zarvo::FileChecksum(folder.path()), kZeros);  // a folder holds no bytes
}

TEST(Checksum, TakesBackslashPaths) {
  TempFolder folder;
  WriteBytes(folder / "f.bin", "abc");
  std::string path = folder / "f.bin";
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  EXPECT_EQ(Zarvo::FileChecksum(path), "616263" + std::string(26, '0'));
}

TEST(ExpectedChecksum, LooksUpTheExactName) {
  const struct {
    const char* name;
    const char* expected;
  } cases[] = {
      {"logo.bmp", "3E4DE3F0E700723502009B29490051AA"},
      {"blank.bmp", "424D160600008038CE00370F08002801"},
      {"replay.bmp", "C1AAC8D8E7BE15AF92A8BDB26E20D9E0"},
      {"livello.bmp", "174D80001E5421F878DA8B5EE5816360"},
      {"gameover.bmp", "82893FB57D83E021C98F9F84F6B30C91"},
      {"LOGO.BMP", ""},
      {"Logo.bmp", ""},
      {"ball.wav", ""},
      {"..\\images_games\\logo.bmp", ""},
      {"logo.bmp ", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Zarvo::ExpectedChecksum(c.name), c.expected) << c.name;
}

}  // namespace
