// A private X server for one test process, so that tests need no desktop and
// can run side by side.
#pragma once

#include <string>
#include <sys/types.h>

namespace testing_support {

class XvfbServer {
 public:
  // Starts Xvfb with one screen of 1024 x 768 at the given depth on a display
  // number it picks itself, waits until it accepts clients, and points
  // DISPLAY at it. started() tells whether that worked.
  explicit XvfbServer(int depth = 24);
  // Stops the server. Every client must have let go of it before.
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  // Ends the server at once, as a crash or a killed session does, and waits
  // until it is gone.
  void Kill();

  bool started() const { return !display_.empty(); }
  const std::string& display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;  // ":N"
};

}  // namespace testing_support
