#include "tests/host_sdl/host_fixture.h"

#include <algorithm>
#include <cstdlib>

namespace sdl_testing {

std::vector<host::Event> EventsUntil(host::Host& host, const EventMatch& stop, int timeoutMs) {
  std::vector<host::Event> seen;
  const std::uint64_t deadline = host.Milliseconds() + static_cast<std::uint64_t>(timeoutMs);
  host::Event event;
  while (host.Milliseconds() < deadline) {
    const auto left = static_cast<int>(deadline - host.Milliseconds());
    if (!host.WaitEvent(event, std::min(left, 50))) continue;
    seen.push_back(event);
    if (stop(event)) break;
  }
  return seen;
}

void Drain(host::Host& host) {
  host::Event event;
  while (host.WaitEvent(event, 0)) {
  }
}

EventMatch Is(host::EventType type, host::WindowId window) {
  return [type, window](const host::Event& e) {
    return e.type == type && (window == 0 || e.window == window);
  };
}

bool Contains(const std::vector<host::Event>& events, const EventMatch& match) {
  return std::any_of(events.begin(), events.end(), match);
}

bool Xdotool(const std::string& arguments) {
  return std::system(("xdotool " + arguments).c_str()) == 0;
}

void OnXvfb::SetUp() {
  ASSERT_TRUE(server_.started()) << "Xvfb did not start";
  unsetenv("SDL_VIDEODRIVER");
  host_ = std::make_unique<host::sdl::SdlHost>();
}

host::WindowId OnXvfb::ShowWindow(host::Rect bounds) {
  host::WindowOptions options;
  options.titleUtf8 = "Zarvo";
  options.bounds = bounds;
  const host::WindowId window = host().CreateWindow(options);
  if (window == 0) return 0;
  host().SetVisibility(window, host::Visibility::Shown);
  host().Focus(window);
  EventsUntil(host(), Is(host::EventType::FocusGained, window));
  return window;
}

void WithoutDisplay::StartHost() {
  host_.reset();
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  host_ = std::make_unique<host::sdl::SdlHost>();
}

}  // namespace sdl_testing
