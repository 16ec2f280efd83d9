// The platform calls on the SDL host that a player's program talks to: SDL's
// dummy video driver, and its disk audio driver writing what the device plays
// to a file of the test's own.
#pragma once

#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "platform/host/sdl/sdl_host.h"
#include "tests/support/temp_folder.h"

namespace sdl_platform_testing {

class OnSdlHost : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override { EndHost(); }

  // Ends the host as the end of the program would; the device has then
  // written all it played to its file.
  void EndHost();
  // Waits until the device has written `milliseconds` more of its 16-bit
  // stereo at 44100 Hz, as slowly as the machine may run (5 s at most).
  void Let(int milliseconds);
  std::string Played() const { return testing_support::ReadBytes(deviceFile_); }

  testing_support::TempFolder folder_;

 private:
  std::uintmax_t FileBytes() const;

  std::string deviceFile_ = folder_ / "played.raw";
  std::unique_ptr<host::sdl::SdlHost> host_;
};

}  // namespace sdl_platform_testing
