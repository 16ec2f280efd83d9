#include <gtest/gtest.h>
#include <vector>

#include "tests/host_sdl/host_fixture.h"

namespace sdl_testing {
namespace {

using host::Event;
using host::EventType;

class Input : public OnXvfb {};

std::vector<Event> Only(const std::vector<Event>& events, std::initializer_list<EventType> types) {
  std::vector<Event> kept;
  for (const Event& e : events) {
    if (std::find(types.begin(), types.end(), e.type) != types.end()) kept.push_back(e);
  }
  return kept;
}

TEST_F(Input, AKeyTypedIsItsKeyDownThenItsTextThenItsKeyUp) {
  const host::WindowId window = ShowWindow({100, 100, 120, 90});
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(Xdotool("key a"));
  const auto keys = Only(EventsUntil(host(), Is(EventType::KeyUp)),
                         {EventType::KeyDown, EventType::Text, EventType::KeyUp});
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ(keys[0].type, EventType::KeyDown);
  EXPECT_EQ(keys[0].virtualKey, 0x41u);
  EXPECT_EQ(keys[0].scanCode, 0x1Eu);
  EXPECT_FALSE(keys[0].repeat);
  EXPECT_EQ(keys[0].window, window);
  EXPECT_EQ(keys[1].type, EventType::Text);
  EXPECT_EQ(keys[1].text, u"a");
  EXPECT_EQ(keys[1].window, window);
  EXPECT_EQ(keys[2].type, EventType::KeyUp);
  EXPECT_EQ(keys[2].virtualKey, 0x41u);
}

TEST_F(Input, TheKeyboardGoesToTheWindowGivenTheFocus) {
  const host::WindowId first = ShowWindow({100, 100, 120, 90});
  const host::WindowId second = ShowWindow({300, 100, 120, 90});
  ASSERT_NE(first, 0u);
  ASSERT_NE(second, 0u);
  host().Focus(first);
  const auto events = EventsUntil(host(), Is(EventType::FocusGained, first));
  EXPECT_TRUE(Contains(events, Is(EventType::FocusLost, second)));
  ASSERT_TRUE(Contains(events, Is(EventType::FocusGained, first)));
  ASSERT_TRUE(Xdotool("key x"));
  const auto keys = EventsUntil(host(), Is(EventType::KeyUp));
  EXPECT_TRUE(Contains(keys, Is(EventType::KeyDown, first)));
  EXPECT_FALSE(Contains(keys, Is(EventType::KeyDown, second)));
}

TEST_F(Input, KeysArriveAsTheirVirtualKeyCodes_ControlKeysWithoutText) {
  ASSERT_NE(ShowWindow({100, 100, 120, 90}), 0u);
  struct Key {
    const char* name;
    std::uint32_t virtualKey;
  };
  const Key keys[] = {
      {"Left", 0x25},      {"Up", 0x26},          {"Right", 0x27},      {"Down", 0x28},
      {"Return", 0x0D},    {"Escape", 0x1B},      {"Tab", 0x09},        {"BackSpace", 0x08},
      {"Delete", 0x2E},    {"Insert", 0x2D},      {"Home", 0x24},       {"End", 0x23},
      {"Prior", 0x21},     {"Next", 0x22},        {"F1", 0x70},         {"F12", 0x7B},
      {"Shift_L", 0xA0},   {"Control_L", 0xA2},   {"Alt_L", 0xA4},      {"7", 0x37},
      {"semicolon", 0xBA}, {"bracketleft", 0xDB}, {"apostrophe", 0xDE}, {"z", 0x5A},
  };
  std::string names;
  for (const Key& k : keys) names += std::string(" ") + k.name;
  ASSERT_TRUE(Xdotool("key" + names));
  const auto events = EventsUntil(
      host(), [](const Event& e) { return e.type == EventType::KeyUp && e.virtualKey == 0x5A; });
  const auto downs = Only(events, {EventType::KeyDown});
  ASSERT_EQ(downs.size(), std::size(keys));
  for (std::size_t i = 0; i < downs.size(); ++i) {
    EXPECT_EQ(downs[i].virtualKey, keys[i].virtualKey) << keys[i].name;
  }
  std::u16string text;
  for (const Event& e : Only(events, {EventType::Text})) text += e.text;
  EXPECT_EQ(text, u"7;['z");
}

// xdotool presses the left key of a pair along with the right one, so these
// are looked for rather than compared in sequence.
TEST_F(Input, TheRightHandModifiersHaveCodesOfTheirOwn) {
  ASSERT_NE(ShowWindow({100, 100, 120, 90}), 0u);
  ASSERT_TRUE(Xdotool("key Shift_R Control_R"));
  const auto events = EventsUntil(
      host(), [](const Event& e) { return e.type == EventType::KeyUp && e.virtualKey == 0xA3; });
  for (std::uint32_t code : {0xA1u, 0xA3u}) {
    EXPECT_TRUE(Contains(events, [code](const Event& e) {
      return e.type == EventType::KeyDown && e.virtualKey == code;
    })) << code;
  }
}

// A window that takes the keyboard while Alt is held hears of it as state,
// not as a new press: the press belonged to the window before it.
TEST_F(Input, AModifierHeldWhileTheFocusMovesIsNoNewPressForTheNewWindow) {
  const host::WindowId first = ShowWindow({100, 100, 120, 90});
  const host::WindowId second = ShowWindow({300, 100, 120, 90});
  ASSERT_NE(first, 0u);
  ASSERT_NE(second, 0u);
  host().Focus(first);
  EventsUntil(host(), Is(EventType::FocusGained, first));
  ASSERT_TRUE(Xdotool("keydown Alt_L"));
  EventsUntil(host(), Is(EventType::KeyDown, first));
  host().Focus(second);
  auto events = EventsUntil(host(), Is(EventType::FocusGained, second));
  ASSERT_TRUE(Xdotool("keyup Alt_L"));
  ASSERT_TRUE(Xdotool("key b"));
  const auto later = EventsUntil(host(), [](const Event& e) {
    return e.type == EventType::KeyUp && e.virtualKey == 'B';
  });
  events.insert(events.end(), later.begin(), later.end());
  EXPECT_FALSE(Contains(events, [second](const Event& e) {
    return e.type == EventType::KeyDown && e.window == second && e.virtualKey == 0xA4;
  }));
  EXPECT_TRUE(Contains(events, [second](const Event& e) {
    return e.type == EventType::KeyDown && e.window == second && e.virtualKey == 'B';
  }));
}

TEST_F(Input, ShiftedKeysCarryTheModifierAndTypeCapitals) {
  ASSERT_NE(ShowWindow({100, 100, 120, 90}), 0u);
  ASSERT_TRUE(Xdotool("key shift+b ctrl+Return"));
  const auto events = EventsUntil(
      host(), [](const Event& e) { return e.type == EventType::KeyUp && e.virtualKey == 0x0D; });
  const auto typed = Only(events, {EventType::KeyDown, EventType::Text});
  std::vector<std::uint32_t> downs;
  std::u16string text;
  for (const Event& e : typed) {
    if (e.type == EventType::Text) text += e.text;
    if (e.type == EventType::KeyDown) downs.push_back(e.virtualKey);
    if (e.type == EventType::KeyDown && e.virtualKey == 0x42) {
      EXPECT_EQ(e.modifiers, host::ModShift);
    }
    if (e.type == EventType::KeyDown && e.virtualKey == 0x0D) {
      EXPECT_EQ(e.modifiers, host::ModControl);
    }
  }
  EXPECT_EQ(downs, (std::vector<std::uint32_t>{0xA0, 0x42, 0xA2, 0x0D}));
  EXPECT_EQ(text, u"B");
}

TEST_F(Input, ClicksAndTheWheelArriveInContentCoordinates_LeavingIsReported) {
  const host::WindowId window = ShowWindow({100, 100, 120, 90});
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(Xdotool("mousemove 130 140 click 1 click 3 click 2 click 4 click 5"));
  const auto events = EventsUntil(
      host(), [](const Event& e) { return e.type == EventType::MouseWheel && e.wheel < 0; });
  const auto clicks =
      Only(events, {EventType::MouseDown, EventType::MouseUp, EventType::MouseWheel});
  struct Expected {
    EventType type;
    int button;
    int wheel;
  };
  const Expected expected[] = {
      {EventType::MouseDown, 1, 0},  {EventType::MouseUp, 1, 0},     {EventType::MouseDown, 3, 0},
      {EventType::MouseUp, 3, 0},    {EventType::MouseDown, 2, 0},   {EventType::MouseUp, 2, 0},
      {EventType::MouseWheel, 0, 1}, {EventType::MouseWheel, 0, -1},
  };
  ASSERT_EQ(clicks.size(), std::size(expected));
  for (std::size_t i = 0; i < clicks.size(); ++i) {
    EXPECT_EQ(clicks[i].type, expected[i].type) << i;
    EXPECT_EQ(clicks[i].button, expected[i].button) << i;
    EXPECT_EQ(clicks[i].wheel, expected[i].wheel) << i;
    EXPECT_EQ(clicks[i].x, 30) << i;
    EXPECT_EQ(clicks[i].y, 40) << i;
    EXPECT_EQ(clicks[i].window, window) << i;
  }
  EXPECT_TRUE(Contains(events, [window](const Event& e) {
    return e.type == EventType::MouseMove && e.window == window && e.x == 30 && e.y == 40;
  }));

  ASSERT_TRUE(Xdotool("mousemove 600 600"));
  EXPECT_TRUE(
      Contains(EventsUntil(host(), Is(EventType::MouseLeave)), Is(EventType::MouseLeave, window)));
}

}  // namespace
}  // namespace sdl_testing
