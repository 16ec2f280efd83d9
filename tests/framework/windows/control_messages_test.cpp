// The rows of the window procedure for controls that report to their form:
// commands, notifications, scrolling and owner drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/button.h"
#include "framework/controls/command_controls.h"
#include "framework/controls/scroll_panel.h"
#include "framework/controls/value_controls.h"
#include "framework/forms/window_procedure.h"
#include "tests/framework/windows/window_fixture.h"

namespace {

using namespace VexaUtility;
using window_tests::Adopt;
using window_tests::Probe;
using window_tests::ProbeControl;
using window_tests::TestForm;

std::vector<std::string> seen;

void Commanded(GUIElement* e) {
  seen.push_back("command " + e->typeName);
}

LRESULT Command(const TestForm& form, const GUIElement& control, WORD code) {
  return SendMessageW(form.hwnd, WM_COMMAND, MAKELONG(static_cast<WORD>(control.id), code),
                      reinterpret_cast<LPARAM>(control.hwnd));
}

class ControlMessages : public ::testing::Test {
 protected:
  void SetUp() override {
    form.Create();
    seen.clear();
  }
  TestForm form;
};

TEST_F(ControlMessages, AButtonRunsItsCommandAndACheckBoxTurnsItsCheckOverFirst) {
  Button button(&form, "OK");
  Adopt(button, form.hwnd);
  button.onCommand = Commanded;
  CheckBox box(&form, "Joystick");
  Adopt(box, form.hwnd);
  box.onCommand = [](GUIElement* e) {
    seen.push_back(static_cast<CheckBox*>(e)->checked ? "checked" : "unchecked");
  };
  Command(form, button, BN_CLICKED);
  Command(form, button, 5);  // any code
  Command(form, box, BN_CLICKED);
  EXPECT_EQ(Probe(box.hwnd).check, BST_CHECKED);
  Command(form, box, BN_CLICKED);
  EXPECT_EQ(Probe(box.hwnd).check, BST_UNCHECKED);
  EXPECT_EQ(seen,
            (std::vector<std::string>{"command button", "command button", "checked", "unchecked"}));
}

struct RefusingCombo : ComboBox {
  using ComboBox::ComboBox;
  bool HandleDropDown() override { return allowOpen; }
  bool HandleCloseUp() override { return allowClose; }
  bool allowOpen = true, allowClose = true;
};

TEST_F(ControlMessages, AComboBoxAnswersEachNotificationCodeOnItsOwn) {
  RefusingCombo combo(&form, "");
  Adopt(combo, form.hwnd);
  combo.onCommand = Commanded;
  struct Case {
    WORD code;
    bool allow;
    LRESULT result;
    std::vector<std::string> commands;
    bool opensList;
  };
  const Case cases[] = {
      {CBN_SELCHANGE, true, 0, {"command combobox"}, false},
      {0, true, 0, {}, true},  // asks the list to open
      {CBN_DROPDOWN, true, 0, {}, false},
      {CBN_DROPDOWN, false, 1, {}, false},
      {CBN_CLOSEUP, false, 1, {}, false},
      {CBN_EDITCHANGE, true, 0, {}, false},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    combo.allowOpen = combo.allowClose = c.allow;
    seen.clear();
    Probe(combo.hwnd).messages.clear();
    EXPECT_EQ(Command(form, combo, c.code), c.result) << "case " << i;
    EXPECT_EQ(seen, c.commands) << "case " << i;
    const auto& got = Probe(combo.hwnd).messages;
    EXPECT_EQ(std::count(got.begin(), got.end(), CB_SHOWDROPDOWN), c.opensList ? 1 : 0)
        << "case " << i;
  }
}

TEST_F(ControlMessages, AListBoxTellsOfASelectionOnlyAndAToolbarHandsOnToItsButton) {
  ListBox list(&form, "");
  Adopt(list, form.hwnd);
  list.onCommand = Commanded;
  Command(form, list, 2);
  Command(form, list, LBN_SELCHANGE);
  Toolbar toolbar(&form);
  Adopt(toolbar, form.hwnd);
  ToolbarItem open(&toolbar, "Apri");
  open.Create();
  open.onCommand = Commanded;
  SendMessageW(form.hwnd, WM_COMMAND, MAKELONG(static_cast<WORD>(open.id), BN_CLICKED),
               reinterpret_cast<LPARAM>(toolbar.hwnd));
  // A window no element claims, and a menu code that is not a menu's, do nothing.
  HWND stranger = window_tests::MakeProbeWindow(form.hwnd, 99);
  SendMessageW(form.hwnd, WM_COMMAND, MAKELONG(99, BN_CLICKED), reinterpret_cast<LPARAM>(stranger));
  SendMessageW(form.hwnd, WM_COMMAND, MAKELONG(static_cast<WORD>(list.id), 5), 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"command listbox", "command toolbaritem"}));
}

std::vector<SYSTEMTIME> dates;
std::vector<std::int32_t> values;
int textChanges = 0;

void Dated(GUIElement*, SYSTEMTIME date) {
  dates.push_back(date);
}
void Valued(GUIElement*, std::int32_t value) {
  values.push_back(value);
}
void Changed(GUIElement*) {
  ++textChanges;
}

LRESULT Notify(const TestForm& form, void* record) {
  return SendMessageW(form.hwnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(record));
}

NMHDR Header(const GUIElement& control, UINT code) {
  return NMHDR{control.hwnd, static_cast<UINT_PTR>(control.id), code};
}

bool SameDay(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
         a.wMinute == b.wMinute && a.wSecond == b.wSecond && a.wMilliseconds == b.wMilliseconds;
}

TEST_F(ControlMessages, DatesAreReadFromTheControlWithTheTimeOfDayCleared) {
  const SYSTEMTIME shown{2026, 3, 1, 2, 14, 30, 15, 500};
  const SYSTEMTIME day{2026, 3, 1, 2, 0, 0, 0, 0};
  DatePicker picker(&form, "");
  Adopt(picker, form.hwnd);
  picker.onDateChanged = Dated;
  picker.onTextChanged = Changed;
  Calendar calendar(&form, "");
  Adopt(calendar, form.hwnd);
  calendar.onDateChanged = Dated;
  calendar.onTextChanged = Changed;
  Probe(picker.hwnd).date = shown;
  Probe(calendar.hwnd).date = shown;
  NMHDR pickerChange = Header(picker, DTN_DATETIMECHANGE);
  Notify(form, &pickerChange);
  NMHDR calendarSelect = Header(calendar, MCN_SELECT);
  Notify(form, &calendarSelect);
  Probe(picker.hwnd).dateAnswer = GDT_NONE;  // the picker shows no date
  Notify(form, &pickerChange);
  NMHDR wrongKind = Header(calendar, DTN_DATETIMECHANGE);
  Notify(form, &wrongKind);
  ASSERT_EQ(dates.size(), 3u);
  EXPECT_TRUE(SameDay(dates[0], day));
  EXPECT_TRUE(SameDay(dates[1], day));
  EXPECT_TRUE(SameDay(dates[2], SYSTEMTIME{}));
  EXPECT_TRUE(SameDay(picker.date, SYSTEMTIME{}));
  EXPECT_EQ(textChanges, 3);
}

TEST_F(ControlMessages, ANumericBoxStepsWithinItsLimitsAndATabControlTellsItsTab) {
  NumericBox box(&form, "");
  Adopt(box, form.hwnd);
  box.minimum = -10;
  box.maximum = 10;
  box.onValueChanged = Valued;
  box.onTextChanged = Changed;
  struct Case {
    int pos, delta;
  };
  for (const Case c : {Case{4, 2}, Case{9, 5}, Case{-8, -5}, Case{INT_MAX, 1}}) {
    NMUPDOWN step{Header(box, UDN_DELTAPOS), c.pos, c.delta};
    Notify(form, &step);
  }
  EXPECT_EQ(values, (std::vector<std::int32_t>{6, 10, -10, 10}));
  EXPECT_EQ(textChanges, 4);

  values.clear();
  TabControl tabs(&form, "");
  Adopt(tabs, form.hwnd);
  tabs.onSelectionChanged = Valued;
  Probe(tabs.hwnd).position = 2;
  NMHDR change = Header(tabs, TCN_SELCHANGE);
  Notify(form, &change);
  EXPECT_EQ(values, (std::vector<std::int32_t>{2}));
}

TEST_F(ControlMessages, AToolbarButtonGivesItsTooltipTextCutToTheBuffer) {
  ToolbarItem withTip(&form, "Apri");
  withTip.Create();
  withTip.tooltipText = std::string(3000, 'a');
  ToolbarItem without(&form, "Chiudi");
  without.Create();
  NMTTDISPINFOW ask{};
  ask.hdr = NMHDR{nullptr, static_cast<UINT_PTR>(withTip.id), TTN_GETDISPINFOW};
  Notify(form, &ask);
  ASSERT_NE(ask.lpszText, nullptr);
  EXPECT_EQ(std::u16string(ask.lpszText), std::u16string(2023, u'a'));
  NMTTDISPINFOW none{};
  none.hdr = NMHDR{nullptr, static_cast<UINT_PTR>(without.id), TTN_GETDISPINFOW};
  Notify(form, &none);
  EXPECT_EQ(none.lpszText, nullptr);
}

struct NoticeRecorder : ProbeControl {
  using ProbeControl::ProbeControl;
  void HandleNotify(std::int32_t kind, std::vector<std::int32_t> integers,
                    std::vector<std::string> strings) override {
    notices.push_back({kind, integers, strings.size()});
  }
  struct Notice {
    std::int32_t kind;
    std::vector<std::int32_t> integers;
    std::size_t strings;
    bool operator==(const Notice&) const = default;
  };
  std::vector<Notice> notices;
};

TEST_F(ControlMessages, HeaderAndClickNoticesReachHandleNotify) {
  NoticeRecorder header(&form);
  header.Create();
  HDITEMW item{};
  item.mask = HDI_WIDTH;
  item.cxy = 120;
  NMHEADERW changed{Header(header, HDN_ITEMCHANGEDW), 3, 0, &item};
  NMHEADERW clicked{Header(header, HDN_ITEMCLICKW), 4, 0, nullptr};
  NMHDR rightClick = Header(header, NM_RCLICK);
  Notify(form, &changed);
  Notify(form, &clicked);
  Notify(form, &rightClick);
  using Notice = NoticeRecorder::Notice;
  EXPECT_EQ(header.notices, (std::vector<Notice>{{1, {3, 120}, 0}, {2, {4}, 0}, {3, {}, 0}}));
}

std::vector<std::int32_t> scrolled;
void Scrolled(GUIElement*, std::int32_t delta) {
  scrolled.push_back(delta);
}

class Scrolling : public ControlMessages {
 protected:
  void SetUp() override {
    ControlMessages::SetUp();
    owned = std::make_unique<PanelChildren>(&form);  // made once the form exists
    Panel().verticalScroll = true;
    Panel().onVerticalScroll = Scrolled;
    Panel().onHorizontalScroll = Scrolled;
    Panel().Create();
    SCROLLINFO range{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 100, 10, 0, 0};
    SetScrollInfo(Panel().hwnd, SB_VERT, &range, TRUE);
    SetScrollInfo(Panel().hwnd, SB_HORZ, &range, TRUE);
    scrolled.clear();
  }
  void Place(int bar, int pos) {
    SCROLLINFO at{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, pos, 0};
    SetScrollInfo(Panel().hwnd, bar, &at, TRUE);
  }
  int Position(int bar) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(Panel().hwnd, bar, &info);
    return info.nPos;
  }
  std::unique_ptr<PanelChildren> owned;
  PanelChildren& Panel() { return *owned; }
};

TEST_F(Scrolling, APanelMovesByTheRequestClampedAndTellsTheDistanceAsked) {
  struct Case {
    WORD request;
    int from, to;
    std::vector<std::int32_t> told;
  };
  const Case cases[] = {
      {SB_LINEDOWN, 0, 1, {-1}},   {SB_LINEUP, 0, 0, {1}},  // asked past the start
      {SB_PAGEDOWN, 5, 15, {-10}}, {SB_PAGEUP, 5, 0, {10}},      {SB_BOTTOM, 0, 91, {-100}},
      {SB_TOP, 50, 0, {50}},       {SB_THUMBPOSITION, 7, 7, {}}, {SB_THUMBTRACK, 7, 7, {}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    Place(SB_VERT, c.from);
    scrolled.clear();
    EXPECT_EQ(SendMessageW(Panel().hwnd, WM_VSCROLL, MAKELONG(c.request, 0), 0), 0) << "case " << i;
    EXPECT_EQ(Position(SB_VERT), c.to) << "case " << i;
    EXPECT_EQ(scrolled, c.told) << "case " << i;
  }
  EXPECT_EQ(wheelPanel, &Panel());
}

TEST_F(Scrolling, TheHorizontalBarHasNoTopAndScrollsOnlyWhenThePanelDoes) {
  Place(SB_HORZ, 30);
  SendMessageW(Panel().hwnd, WM_HSCROLL, MAKELONG(SB_LEFT, 0), 0);
  EXPECT_EQ(Position(SB_HORZ), 30);
  EXPECT_TRUE(scrolled.empty());
  Panel().horizontalScroll = true;
  SendMessageW(Panel().hwnd, WM_HSCROLL, MAKELONG(SB_LINERIGHT, 0), 0);
  SendMessageW(Panel().hwnd, WM_HSCROLL, MAKELONG(SB_LEFT, 0), 0);
  EXPECT_EQ(Position(SB_HORZ), 31);
  EXPECT_EQ(scrolled, (std::vector<std::int32_t>{-1}));
  Panel().horizontalScroll = false;
  SendMessageW(Panel().hwnd, WM_HSCROLL, MAKELONG(SB_LINERIGHT, 0), 0);
  EXPECT_EQ(Position(SB_HORZ), 31);
}

TEST_F(Scrolling, TheWheelScrollsAPageOfThePanelLastClicked) {
  const WPARAM away = MAKELONG(0, static_cast<WORD>(WHEEL_DELTA));
  const WPARAM towards = MAKELONG(0, static_cast<WORD>(-WHEEL_DELTA));
  SendMessageW(form.hwnd, WM_MOUSEWHEEL, towards, 0);  // no panel chosen yet
  EXPECT_EQ(Position(SB_VERT), 0);
  SendMessageW(Panel().hwnd, WM_LBUTTONDOWN, 0, 0);
  SendMessageW(form.hwnd, WM_MOUSEWHEEL, towards, 0);
  EXPECT_EQ(Position(SB_VERT), 10);
  SendMessageW(Panel().hwnd, WM_MOUSEWHEEL, away, 0);
  EXPECT_EQ(Position(SB_VERT), 0);
  EXPECT_EQ(scrolled, (std::vector<std::int32_t>{-10, 10}));
  SendMessageW(form.hwnd, WM_LBUTTONDOWN, 0, 0);  // a click elsewhere forgets the panel
  EXPECT_EQ(wheelPanel, nullptr);
}

TEST_F(ControlMessages, ASliderTellsItsPositionWhenTheDragEnds) {
  Slider slider(&form, "");
  Adopt(slider, form.hwnd);
  slider.onValueChanged = Valued;
  slider.onTextChanged = Changed;
  Probe(slider.hwnd).position = 42;
  const LPARAM from = reinterpret_cast<LPARAM>(slider.hwnd);
  SendMessageW(form.hwnd, WM_HSCROLL, MAKELONG(SB_THUMBTRACK, 0), from);
  EXPECT_TRUE(values.empty());
  SendMessageW(form.hwnd, WM_HSCROLL, MAKELONG(SB_ENDSCROLL, 0), from);
  EXPECT_EQ(values, (std::vector<std::int32_t>{42}));
  EXPECT_EQ(slider.position, 42);
  EXPECT_EQ(textChanges, 1);
}

TEST_F(ControlMessages, AnOwnerDrawnButtonIsPaintedByTheFramework) {
  Button button(&form, "OK");
  button.ownerDraw = true;
  button.Create();
  ASSERT_NE(button.id, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(40, 20, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  constexpr COLORREF kText = RGB(0, 0, 128), kBack = RGB(200, 200, 200);
  SetTextColor(dc, kText);
  SetBkColor(dc, kBack);
  struct Case {
    UINT state;
    COLORREF frame;
  };
  const Case cases[] = {
      {0, kText},
      {ODS_SELECTED, 0xFFFFFF - kText},
      {ODS_DISABLED | ODS_SELECTED, 0x696969},
  };
  for (const Case& c : cases) {
    DRAWITEMSTRUCT item{
        ODT_BUTTON, static_cast<UINT>(button.id), 0, ODA_DRAWENTIRE, c.state, nullptr,
        dc,         RECT{0, 0, 40, 20},           0};
    EXPECT_EQ(SendMessageW(form.hwnd, WM_DRAWITEM, button.id, reinterpret_cast<LPARAM>(&item)),
              TRUE);
    EXPECT_EQ(GetPixel(dc, 0, 0), c.frame) << c.state;
    EXPECT_EQ(GetPixel(dc, 39, 19), c.frame) << c.state;
    EXPECT_EQ(GetPixel(dc, 20, 10), kBack) << c.state;
  }
  DRAWITEMSTRUCT focused{ODT_BUTTON, static_cast<UINT>(button.id), 0, ODA_FOCUS, ODS_FOCUS, nullptr,
                         dc,         RECT{0, 0, 40, 20},           0};
  SendMessageW(form.hwnd, WM_DRAWITEM, button.id, reinterpret_cast<LPARAM>(&focused));
  EXPECT_NE(GetPixel(dc, 3, 3), kBack);
  EXPECT_EQ(GetPixel(dc, 2, 2), kBack);
  // Not a button's picture to paint: the form leaves it alone.
  DRAWITEMSTRUCT other = focused;
  other.CtlType = ODT_STATIC;
  EXPECT_EQ(SendMessageW(form.hwnd, WM_DRAWITEM, button.id, reinterpret_cast<LPARAM>(&other)), 0);
  EXPECT_EQ(SendMessageW(form.hwnd, WM_DRAWITEM, form.id, reinterpret_cast<LPARAM>(&focused)), 0);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

}  // namespace
