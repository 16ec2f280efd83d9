#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/sub_menu.h"
#include "framework/controls/timer.h"
#include "framework/elements/element_registry.h"
#include "tests/framework/windows/window_fixture.h"

namespace {

using namespace VexaUtility;
using window_tests::Drain;
using window_tests::Host;
using window_tests::HostWindowOf;
using window_tests::ProbeControl;
using window_tests::TestForm;

std::uint32_t Rgb(COLORREF c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

TEST(ElementRegistry, HoldsTheElementsInConstructionOrderAndForgetsTheDestroyed) {
  auto first = std::make_unique<Timer>(nullptr);
  auto second = std::make_unique<Timer>(nullptr);
  auto third = std::make_unique<Timer>(nullptr);
  EXPECT_EQ(ElementRegistry(), (std::vector<GUIElement*>{first.get(), second.get(), third.get()}));
  second->id = 7;
  EXPECT_EQ(FindById(7), second.get());
  second.reset();
  EXPECT_EQ(ElementRegistry(), (std::vector<GUIElement*>{first.get(), third.get()}));
  EXPECT_EQ(FindById(7), nullptr);
}

TEST(ElementRegistry, AnUnclaimedWindowBelongsToTheNewestElementOnlyWhileThatHasNoWindow) {
  const HWND known = reinterpret_cast<HWND>(0x1000);
  const HWND unknown = reinterpret_cast<HWND>(0x2000);
  Timer older(nullptr);
  older.hwnd = known;
  Timer newest(nullptr);  // never started: its destruction touches no window
  EXPECT_EQ(FindByWindow(known), &older);
  EXPECT_EQ(FindByWindow(unknown), &newest);  // the one being created
  EXPECT_EQ(FindByWindow(nullptr), nullptr);  // no window names no element
  newest.created = true;                      // created without a window, as a menu item is
  EXPECT_EQ(FindByWindow(unknown), nullptr);
  newest.created = false;
  newest.hwnd = reinterpret_cast<HWND>(0x3000);
  EXPECT_EQ(FindByWindow(unknown), nullptr);
  newest.hwnd = nullptr;
}

TEST(ElementIds, StartAtOneAndEveryCreationOrMenuItemTakesTheNext) {
  TestForm form;
  form.Create();
  EXPECT_EQ(form.id, 1);
  Timer timer(&form);
  EXPECT_EQ(timer.id, 0);        // unset until created
  SubMenu item(&form, "&Esci");  // a menu item takes its id when constructed
  EXPECT_EQ(item.id, 2);
  timer.Create();
  EXPECT_EQ(timer.id, 3);
  timer.Create();  // already created: nothing changes
  EXPECT_EQ(timer.id, 3);
  EXPECT_EQ(nextElementId, 3);
}

bool Refuse(GUIElement*) {
  return false;
}
bool RefuseChar(GUIElement*, std::int32_t) {
  return false;
}

TEST(GUIElement, CharactersAndClosingGoOnUnlessACallbackSaysNo) {
  Timer plain(nullptr), refusing(nullptr);
  refusing.onChar = RefuseChar;
  refusing.onClose = Refuse;
  EXPECT_TRUE(plain.HandleChar('a'));
  EXPECT_TRUE(plain.HandleClose());
  EXPECT_FALSE(refusing.HandleChar('a'));
  EXPECT_FALSE(refusing.HandleClose());
}

struct CreateSeen {
  int calls = 0;
  HWND window = nullptr;
  bool createdAlready = true;
  bool foundByWindow = false;
};
CreateSeen createSeen;

void RecordCreate(GUIElement* e, HWND window) {
  ++createSeen.calls;
  createSeen.window = window;
  createSeen.createdAlready = e->created;
  createSeen.foundByWindow = FindByWindow(window) == e;
}

TEST(GUIElement, CreationIsReportedOnceAndAdoptsOnlyAMissingHandle) {
  createSeen = {};
  Timer element(nullptr);
  element.onCreate = RecordCreate;
  const HWND first = reinterpret_cast<HWND>(0x10), second = reinterpret_cast<HWND>(0x20);
  element.HandleCreate(first);
  element.HandleCreate(second);
  EXPECT_EQ(createSeen.calls, 1);
  EXPECT_EQ(element.hwnd, first);
  element.hwnd = nullptr;
}

TEST(Form, WmCreateReachesOnCreateOnceBeforeTheFormHasStoredItsWindow) {
  createSeen = {};
  TestForm form;
  form.onCreate = RecordCreate;
  form.Create();
  EXPECT_EQ(createSeen.calls, 1);
  EXPECT_NE(form.hwnd, nullptr);
  EXPECT_EQ(createSeen.window, form.hwnd);
  EXPECT_FALSE(createSeen.createdAlready);  // inside CreateWindowExW
  EXPECT_TRUE(createSeen.foundByWindow);    // the newest entry, adopted then
  EXPECT_TRUE(form.createNotified);
}

TEST(GUIElement, TextSetBeforeCreationIsOnlyStoredAndTheWindowMadeLaterShowsIt) {
  TestForm form;
  form.SetText("Zarvo \xE8");  // narrow text: one code point per byte
  EXPECT_EQ(form.GetTextW(), u"Zarvo \u00E8");
  form.Create();
  WCHAR shown[32] = {};
  GetWindowTextW(form.hwnd, shown, 32);
  EXPECT_EQ(std::u16string(shown), u"Zarvo \u00E8");
  EXPECT_EQ(Host().Window(HostWindowOf(form.hwnd))->options.titleUtf8, "Zarvo \xC3\xA8");
  // Changed in the window, the text is read back from there.
  SetWindowTextW(form.hwnd, u"Altro");
  EXPECT_EQ(form.GetText(), "Altro");
  form.SetText("");
  EXPECT_EQ(GetWindowTextLengthW(form.hwnd), 0);
  EXPECT_EQ(form.GetTextW(), u"");
}

std::vector<std::string> focusEvents;
void LostFocus(GUIElement*) {
  focusEvents.push_back("lost");
}
void TextChanged(GUIElement*) {
  focusEvents.push_back("changed");
}

TEST(GUIElement, LosingTheFocusReportsATextChangeOnlyWhenTheWindowTextDiffers) {
  TestForm form;
  form.Create();
  ProbeControl box(&form);
  box.Create();
  box.onLostFocus = LostFocus;
  box.onTextChanged = TextChanged;
  struct Case {
    const char16_t* typed;
    std::vector<std::string> events;
  };
  const Case cases[] = {
      {u"abc", {"lost"}},             // the same text typed over again
      {u"abd", {"lost", "changed"}},  // the callback runs after onLostFocus
      {u"", {"lost", "changed"}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    box.SetText("abc");
    box.Focus();
    SetWindowTextW(box.hwnd, c.typed);
    focusEvents.clear();
    form.Focus();
    EXPECT_EQ(focusEvents, c.events) << "case " << i;
  }
}

TEST(GUIElement, AMovedControlReadsItsPlaceBackInItsFormsClientArea) {
  TestForm form;
  form.Create();
  ProbeControl box(&form);
  box.Create();
  static int moves = 0;
  box.onMove = [](GUIElement*) { ++moves; };
  SetWindowPos(box.hwnd, nullptr, 25, 35, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(box.x, 25);
  EXPECT_EQ(box.y, 35);
  RECT client{};
  GetClientRect(form.hwnd, &client);
  EXPECT_EQ(form.ClientWidth(), client.right);
  EXPECT_EQ(form.width, client.right);
}

TEST(GUIElement, ABackgroundColourPaintsTheWindowAndEveryRepaintPaintsItAgain) {
  TestForm form;
  form.SetBackColor(RGB(0, 0, 200));
  EXPECT_FALSE(form.backColorSet);  // no window yet: stored only
  form.Create();
  Drain();
  const host::WindowId shown = HostWindowOf(form.hwnd);
  EXPECT_EQ(Host().Window(shown)->Pixel(10, 10), Rgb(RGB(0, 0, 200)));  // the class brush

  form.SetBackColor(RGB(0, 150, 0));
  EXPECT_TRUE(form.backColorSet);
  Drain();
  EXPECT_EQ(Host().Window(shown)->Pixel(10, 10), Rgb(RGB(0, 150, 0)));
  Host().WindowEvent(shown, host::EventType::Exposed);
  Drain();
  EXPECT_EQ(Host().Window(shown)->Pixel(10, 10), Rgb(RGB(0, 150, 0)));
}

std::u16string ToolText(HWND tooltip, HWND tool) {
  WCHAR buffer[64] = {};
  TOOLINFOW info{};
  info.cbSize = sizeof(TOOLINFOW);
  info.hwnd = tool;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = buffer;
  SendMessageW(tooltip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&info));
  return buffer;
}

TEST(GUIElement, ATooltipTextGivesTheWindowATooltipThatFollowsTheText) {
  TestForm plain;
  plain.Create();
  EXPECT_EQ(plain.tooltip, nullptr);
  TestForm form;
  form.tooltipText = "Gioca";
  form.Create();
  ASSERT_NE(form.tooltip, nullptr);
  EXPECT_EQ(SendMessageW(form.tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
  EXPECT_EQ(ToolText(form.tooltip, form.hwnd), u"Gioca");
  form.tooltipText = "Pausa";
  form.SetSize(300, 200);
  EXPECT_EQ(ToolText(form.tooltip, form.hwnd), u"Pausa");
  EXPECT_EQ(SendMessageW(form.tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
  // Resting on the form shows the tip, and the form still hears of the hover.
  static int hovers = 0;
  form.onMouseHover = [](GUIElement*) { ++hovers; };
  Drain();
  Host().MoveMouse(HostWindowOf(form.hwnd), 40, 30);
  Drain();
  Host().Advance(600);
  Drain();
  EXPECT_TRUE(IsWindowVisible(form.tooltip));
  EXPECT_EQ(hovers, 1);
}

}  // namespace
