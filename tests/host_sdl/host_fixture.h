// What the SDL host tests share: a host on a private X server or on SDL's
// dummy video driver, and bounded ways of waiting for its events.
#pragma once

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "platform/host/sdl/sdl_host.h"
#include "tests/support/xvfb.h"

namespace sdl_testing {

using EventMatch = std::function<bool(const host::Event&)>;

// The events that came until one matched `stop` (included) or `timeoutMs`
// passed.
std::vector<host::Event> EventsUntil(host::Host& host, const EventMatch& stop,
                                     int timeoutMs = 3000);
// Takes whatever is queued now. Looking for events is also when SDL sends
// what it asked of the X server.
void Drain(host::Host& host);
EventMatch Is(host::EventType type, host::WindowId window = 0);
bool Contains(const std::vector<host::Event>& events, const EventMatch& match);

// Runs xdotool with the given arguments on the test's display.
bool Xdotool(const std::string& arguments);

// A host on an X server of its own; the host goes before the server does.
class OnXvfb : public ::testing::Test {
 protected:
  explicit OnXvfb(int depth = 24) : server_(depth) {}
  void SetUp() override;
  void TearDown() override { host_.reset(); }

  host::sdl::SdlHost& host() { return *host_; }
  // A window at `bounds`, shown, given the keyboard, and with the events of
  // its first appearance already taken from the queue.
  host::WindowId ShowWindow(host::Rect bounds);

 private:
  testing_support::XvfbServer server_;
  std::unique_ptr<host::sdl::SdlHost> host_;
};

// A host for what needs no screen: SDL's dummy video driver.
class WithoutDisplay : public ::testing::Test {
 protected:
  void SetUp() override { StartHost(); }
  void TearDown() override { host_.reset(); }

  host::sdl::SdlHost& host() { return *host_; }
  // A fresh host in place of the one before, which goes first.
  void StartHost();
  // Ends the host early, as the end of the program would.
  void EndHost() { host_.reset(); }

 private:
  std::unique_ptr<host::sdl::SdlHost> host_;
};

}  // namespace sdl_testing
