// The X server going away under the host. Every case runs in a child process:
// a lost display is the end of the process, and a watchdog makes sure of it.
#include <chrono>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

#include "platform/host/sdl/display_loss.h"
#include "platform/host/sdl/sdl_host.h"
#include "tests/support/xvfb.h"

namespace {

using host::sdl::SdlHost;
using Clock = std::chrono::steady_clock;

// The child's verdict: status 0, or a message on stderr and status 1.
void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "%s\n", what);
  _exit(1);
}

long MillisecondsSince(Clock::time_point start) {
  return static_cast<long>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

struct Shown {
  std::unique_ptr<SdlHost> host;
  host::WindowId window = 0;
};

// A host with a window on the screen and its first events taken.
Shown ShowAWindow() {
  unsetenv("SDL_VIDEODRIVER");
  Shown shown;
  shown.host = std::make_unique<SdlHost>();
  host::WindowOptions options;
  options.titleUtf8 = "Zarvo";
  options.bounds = {10, 10, 200, 100};
  shown.window = shown.host->CreateWindow(options);
  Require(shown.window != 0, "no window");
  shown.host->SetVisibility(shown.window, host::Visibility::Shown);
  host::Event event;
  for (int i = 0; i < 20; ++i) shown.host->WaitEvent(event, 20);
  return shown;
}

// What the program happens to be doing when the server goes.
struct FirstCall {
  const char* name;
  std::function<void(SdlHost&, host::WindowId)> call;
};

const std::uint32_t kFrame[4] = {};
const host::PixelView kPicture{kFrame, 2, 2, 2};
const host::Rect kWhole{0, 0, 2, 2};

const FirstCall kFirstCalls[] = {
    {"presenting",
     [](SdlHost& h, host::WindowId w) {
       h.Present(w, kPicture, {&kWhole, 1});
     }},
    {"setting a title", [](SdlHost& h, host::WindowId w) { h.SetTitle(w, "Classifica"); }},
    {"moving",
     [](SdlHost& h, host::WindowId w) {
       h.SetBounds(w, {40, 40, 250, 150});
     }},
    {"focusing", [](SdlHost& h, host::WindowId w) { h.Focus(w); }},
    {"hiding", [](SdlHost& h, host::WindowId w) { h.SetVisibility(w, host::Visibility::Hidden); }},
    {"setting the cursor", [](SdlHost& h, host::WindowId) { h.SetCursor(host::Cursor::Hand); }},
    {"making a window",
     [](SdlHost& h, host::WindowId) {
       host::WindowOptions options;
       options.bounds = {0, 0, 50, 50};
       h.CreateWindow(options);
     }},
    {"destroying the window", [](SdlHost& h, host::WindowId w) { h.DestroyWindow(w); }},
    {"nothing: the wait meets the loss", [](SdlHost&, host::WindowId) {}},
};

// The server dies, the program goes on with `first` twice (the first time
// may only fill Xlib's buffer), then waits: the wait ends at once with Quit,
// told once; what the program still does returns at once, and the host ends
// without the server, all well inside the watchdog's time.
void LoseTheDisplayWhile(const FirstCall& first) {
  testing_support::XvfbServer server;
  Require(server.started(), "Xvfb did not start");
  Shown shown = ShowAWindow();
  server.Kill();
  const Clock::time_point start = Clock::now();
  first.call(*shown.host, shown.window);
  first.call(*shown.host, shown.window);
  host::Event event;
  Require(shown.host->WaitEvent(event, -1), "the wait did not end");
  Require(event.type == host::EventType::Quit, "the wait ended without Quit");
  Require(host::sdl::DisplayLost(), "the loss was not noticed");
  Require(!shown.host->WaitEvent(event, 30), "Quit was told twice");
  shown.host->SetTitle(shown.window, "after");
  shown.host->Present(shown.window, kPicture, {&kWhole, 1});
  Require(shown.host->CreateWindow({}) == 0, "a window was made without a display");
  shown.host.reset();
  Require(MillisecondsSince(start) < 500, "ending took too long");
  _exit(0);
}

TEST(LostDisplay, WhateverTheHostWasDoing_QuitComesAtOnceAndTheHostEndsWithoutTheServer) {
  for (const FirstCall& first : kFirstCalls) {
    EXPECT_EXIT(LoseTheDisplayWhile(first), testing::ExitedWithCode(0), "") << first.name;
  }
}

// The program's end comes first: the host ends on the dead connection, where
// closing the display used to wait in Xlib for ever.
TEST(LostDisplay, AHostEndingJustAfterTheServerDied_EndsAtOnce) {
  EXPECT_EXIT(
      {
        testing_support::XvfbServer server;
        Require(server.started(), "Xvfb did not start");
        Shown shown = ShowAWindow();
        server.Kill();
        const Clock::time_point start = Clock::now();
        shown.host.reset();
        Require(MillisecondsSince(start) < 500, "ending took too long");
        _exit(0);
      },
      testing::ExitedWithCode(0), "");
}

// A program that does not end by itself after the loss is ended for it.
TEST(LostDisplay, AProgramThatDoesNotEndIsEndedWithinTheGraceTime) {
  const Clock::time_point start = Clock::now();
  EXPECT_EXIT(
      {
        testing_support::XvfbServer server;
        Require(server.started(), "Xvfb did not start");
        Shown shown = ShowAWindow();
        server.Kill();
        host::Event event;
        shown.host->WaitEvent(event, -1);
        shown.host->WaitEvent(event, -1);  // no second Quit: waits until the end
        _exit(0);
      },
      testing::ExitedWithCode(host::sdl::kLostDisplayExitStatus), "");
  // Xvfb's start and the window's appearance take their share too.
  EXPECT_LT(MillisecondsSince(start), 5000);
}

}  // namespace
