#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

#include "platform/host/posix/spawn.h"
#include "tests/support/temp_folder.h"

namespace {

using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

// Waits for a file that a started program writes.
std::string AwaitFile(const std::string& path) {
  for (int i = 0; i < 500; ++i) {
    const std::string text = ReadBytes(path);
    if (!text.empty() && text.back() == '\n') return text;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return {};
}

TEST(Spawn, ArgumentsArriveWhole_NoShellReadsThem) {
  TempFolder folder;
  const std::string log = folder / "args.txt";
  const std::string marker = folder / "injected";
  WriteBytes(folder / "recorder",
             "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]' \"$a\"; done > '" + log +
                 ".part'\necho >> '" + log + ".part'\nmv '" + log + ".part' '" + log + "'\n");
  chmod((folder / "recorder").c_str(), 0755);
  setenv("PATH", (folder.path() + ":/usr/bin:/bin").c_str(), 1);

  const std::string hostile = "a b; touch " + marker + " $(touch " + marker + ")";
  ASSERT_TRUE(host::posix::SpawnDetached("recorder", {hostile, "*", ""}));
  EXPECT_EQ(AwaitFile(log), "[" + hostile + "][*][]\n");
  EXPECT_FALSE(testing_support::Exists(marker));
}

TEST(Spawn, AMissingProgramIsReported) {
  TempFolder folder;
  setenv("PATH", folder.path().c_str(), 1);
  EXPECT_FALSE(host::posix::SpawnDetached("no-such-opener", {"x"}));
}

}  // namespace
