#include "tests/platform_sdl/sdl_platform_fixture.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace sdl_platform_testing {

void OnSdlHost::SetUp() {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", deviceFile_.c_str(), 1);
  host_ = std::make_unique<host::sdl::SdlHost>();
  host::Install(host_.get());
}

void OnSdlHost::EndHost() {
  host::Install(nullptr);
  host_.reset();
}

void OnSdlHost::Let(int milliseconds) {
  const std::uintmax_t target = FileBytes() + std::uintmax_t{4} * 44100 * milliseconds / 1000;
  for (int i = 0; i < 500 && FileBytes() < target; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

std::uintmax_t OnSdlHost::FileBytes() const {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(deviceFile_, error);
  return error ? 0 : size;
}

}  // namespace sdl_platform_testing
