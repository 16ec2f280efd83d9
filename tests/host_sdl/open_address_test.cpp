#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

#include "tests/host_sdl/host_fixture.h"
#include "tests/support/temp_folder.h"

namespace sdl_testing {
namespace {

using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

std::string AwaitLine(const std::string& path) {
  for (int i = 0; i < 300; ++i) {
    const std::string text = ReadBytes(path);
    if (!text.empty() && text.back() == '\n') return text;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return {};
}

class OpenAddress : public WithoutDisplay {};

TEST_F(OpenAddress, TheTargetGoesToTheDesktopsOpenerAsOneArgument) {
  TempFolder folder;
  const std::string log = folder / "opened.txt";
  WriteBytes(folder / "xdg-open", "#!/bin/sh\nprintf '%s|%s\\n' \"$#\" \"$1\" > '" + log +
                                      ".part'\nmv '" + log + ".part' '" + log + "'\n");
  chmod((folder / "xdg-open").c_str(), 0755);
  setenv("PATH", (folder.path() + ":/usr/bin:/bin").c_str(), 1);

  const std::string target = "https://example.org/punteggi?a=1&b=$(id) 'x'";
  ASSERT_TRUE(host().OpenAddress(target));
  EXPECT_EQ(AwaitLine(log), "1|" + target + "\n");
}

TEST_F(OpenAddress, NoOpenerIsAFailure) {
  TempFolder folder;
  setenv("PATH", folder.path().c_str(), 1);
  EXPECT_FALSE(host().OpenAddress("https://example.org/"));
}

}  // namespace
}  // namespace sdl_testing
