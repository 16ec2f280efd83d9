#include <gtest/gtest.h>

#include <array>

#include "platform/api/kernel.h"
#include "platform/kernel/resources.h"

namespace {

using kernel::EmbeddedResource;

constexpr std::array<std::uint8_t, 3> kWave{1, 2, 3};
constexpr std::array<std::uint8_t, 2> kGroup{7, 8};
constexpr std::array<std::uint8_t, 1> kNewer{9};

const std::array<EmbeddedResource, 2> kTable{{
    {u"WAVE", 0, 1008, kWave},
    {u"", 14, 1005, kGroup},
}};
const std::array<EmbeddedResource, 1> kLater{{{u"WAVE", 0, 1008, kNewer}}};

class Resources : public ::testing::Test {
 protected:
  void SetUp() override { kernel::RegisterResources(kTable); }
  void TearDown() override { kernel::ClearResources(); }
};

TEST_F(Resources, FoundByNamedOrNumberedTypeAndId_TheirBytesReadInPlace) {
  HMODULE self = GetModuleHandleW(nullptr);
  for (HMODULE module : {self, static_cast<HMODULE>(nullptr)}) {
    HRSRC wave = FindResourceW(module, MAKEINTRESOURCEW(1008), u"wave");  // names ignore case
    ASSERT_NE(wave, nullptr);
    ASSERT_EQ(SizeofResource(module, wave), 3u);
    const auto* bytes = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, wave)));
    EXPECT_EQ(bytes, kWave.data());
    HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(1005), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(SizeofResource(module, group), 2u);
  }
}

TEST_F(Resources, WhatIsMissingSaysWhatIsMissing) {
  struct Case {
    LPCWSTR name;
    LPCWSTR type;
    DWORD error;
  } cases[] = {
      {MAKEINTRESOURCEW(1009), u"WAVE", ERROR_RESOURCE_NAME_NOT_FOUND},
      {MAKEINTRESOURCEW(1008), u"WAV", ERROR_RESOURCE_TYPE_NOT_FOUND},
      {MAKEINTRESOURCEW(1008), u"WAVES", ERROR_RESOURCE_TYPE_NOT_FOUND},
      {MAKEINTRESOURCEW(1008), RT_ICON, ERROR_RESOURCE_TYPE_NOT_FOUND},
      {MAKEINTRESOURCEW(1005), u"", ERROR_RESOURCE_TYPE_NOT_FOUND},  // numbered types have no name
      {u"NAMED", u"WAVE", ERROR_RESOURCE_NAME_NOT_FOUND},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_EQ(FindResourceW(nullptr, c.name, c.type), nullptr);
    EXPECT_EQ(GetLastError(), c.error);
  }
  // Handles that are not resources of this executable are refused.
  EXPECT_EQ(LoadResource(nullptr, reinterpret_cast<HRSRC>(const_cast<std::uint8_t*>(kWave.data()))),
            nullptr);
  EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
  HRSRC wave = FindResourceW(nullptr, MAKEINTRESOURCEW(1008), u"WAVE");
  EXPECT_EQ(LoadResource(reinterpret_cast<HMODULE>(wave), wave), nullptr);
}

TEST_F(Resources, ALaterTableHidesTheSameResourceOfAnEarlierOne) {
  kernel::RegisterResources(kLater);
  HRSRC wave = FindResourceW(nullptr, MAKEINTRESOURCEW(1008), u"WAVE");
  ASSERT_NE(wave, nullptr);
  EXPECT_EQ(SizeofResource(nullptr, wave), 1u);
}

}  // namespace
