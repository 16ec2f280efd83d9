#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/forms/window_procedure.h"
#include "tests/framework/windows/window_fixture.h"

namespace {

using namespace VexaUtility;
using window_tests::Drain;
using window_tests::Host;
using window_tests::HostWindowOf;
using window_tests::TestForm;

constexpr std::int32_t kCtrl = MOD_CONTROL;

// Whether anyone holds the combination: the system refuses it a second time.
bool Registered(std::int32_t modifiers, std::int32_t key) {
  if (!RegisterHotKey(nullptr, 0x7001, static_cast<UINT>(modifiers), static_cast<UINT>(key))) {
    return true;
  }
  UnregisterHotKey(nullptr, 0x7001);
  return false;
}

std::vector<std::string> calls;

void Called(Form* form, std::int32_t modifiers, std::int32_t key) {
  calls.push_back(std::string(form->text.begin(), form->text.end()) + ":" +
                  std::to_string(modifiers) + "+" + std::to_string(key));
}

struct NamedForm : TestForm {
  NamedForm(const char16_t* name, std::int32_t key) {
    text = name;
    hotKeys.push_back(HotKey{kCtrl, key, Called});
  }
};

TEST(HotKeys, FollowTheFormInTheForeground) {
  NamedForm a(u"A", 'K');
  a.Create();
  EXPECT_EQ(activeForm, &a);
  EXPECT_TRUE(Registered(kCtrl, 'K'));

  NamedForm b(u"B", 'L');
  b.Create();  // shown and activated: takes the keys over from A
  EXPECT_EQ(activeForm, &b);
  EXPECT_FALSE(Registered(kCtrl, 'K'));
  EXPECT_TRUE(Registered(kCtrl, 'L'));

  Host().WindowEvent(HostWindowOf(b.hwnd), host::EventType::FocusLost);  // another program
  Drain();
  EXPECT_FALSE(Registered(kCtrl, 'L'));
  EXPECT_EQ(activeForm, &b);  // still the last form activated

  SetForegroundWindow(a.hwnd);
  EXPECT_TRUE(Registered(kCtrl, 'K'));
  DestroyWindow(a.hwnd);
  EXPECT_FALSE(Registered(kCtrl, 'K'));
}

TEST(HotKeys, APressedCombinationCallsTheEntryOfItsId) {
  NamedForm a(u"A", 'K');
  a.hotKeys.push_back(HotKey{kCtrl | MOD_SHIFT, 'K', Called});
  a.Create();
  calls.clear();
  Host().KeyDown(VK_LCONTROL);
  Host().KeyDown('K');
  Host().KeyUp('K');
  Host().KeyUp(VK_LCONTROL);
  Drain();
  EXPECT_EQ(calls, (std::vector<std::string>{"A:2+75"}));
  calls.clear();
  // Ids past the list, or before its start, belong to no entry.
  for (WPARAM id : {WPARAM{0}, WPARAM{3}, ~WPARAM{0}}) SendMessageW(a.hwnd, WM_HOTKEY, id, 0);
  EXPECT_TRUE(calls.empty());
  SendMessageW(a.hwnd, WM_HOTKEY, 2, 0);
  EXPECT_EQ(calls, (std::vector<std::string>{"A:6+75"}));
}

TEST(HotKeys, AKeyArrivingAfterTheForegroundMovedIsAnsweredByTheFormNowThere) {
  NamedForm a(u"A", 'K');
  a.Create();
  NamedForm b(u"B", 'K');  // the same keys
  b.Create();
  NamedForm c(u"C", 'M');
  c.Create();
  calls.clear();
  SetForegroundWindow(b.hwnd);
  SendMessageW(a.hwnd, WM_HOTKEY, 1, 0);
  EXPECT_EQ(calls, (std::vector<std::string>{"B:2+75"}));
  calls.clear();
  SetForegroundWindow(c.hwnd);  // no entry for those keys
  SendMessageW(a.hwnd, WM_HOTKEY, 1, 0);
  EXPECT_TRUE(calls.empty());
}

std::vector<std::string> activations;

std::string LastOf(char form) {
  for (auto it = activations.rbegin(); it != activations.rend(); ++it) {
    if ((*it)[0] == form) return *it;
  }
  return "";
}

TEST(Activation, AFormHearsOfBecomingActiveAndOfLosingTheForeground) {
  TestForm a;
  a.onActivate = [](GUIElement*) { activations.push_back("A on"); };
  a.onDeactivate = [](GUIElement*) { activations.push_back("A off"); };
  a.Create();
  EXPECT_EQ(activations, (std::vector<std::string>{"A on"}));
  TestForm b;
  b.onActivate = [](GUIElement*) { activations.push_back("B on"); };
  b.onDeactivate = [](GUIElement*) { activations.push_back("B off"); };
  b.Create();
  EXPECT_EQ(LastOf('A'), "A off");
  EXPECT_EQ(activations.back(), "B on");
  Host().WindowEvent(HostWindowOf(b.hwnd), host::EventType::FocusLost);
  Drain();
  EXPECT_EQ(activations.back(), "B off");
  Host().WindowEvent(HostWindowOf(b.hwnd), host::EventType::FocusGained);
  Drain();
  EXPECT_EQ(activations.back(), "B on");
  EXPECT_EQ(LastOf('A'), "A off");
}

}  // namespace
