#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/api/user.h"
#include "platform/host/headless/headless.h"
#include "tests/support/message_log.h"

namespace {

using testing_support::MessageLog;

host::headless::HeadlessHost& Host() {
  return host::headless::Instance();
}

constexpr char kText[] =
    "Immagini non trovate.\nSe esegui il gioco da un archivio zip dovrai decomprimere tutto il "
    "contenuto in una cartella ed eseguire il gioco dalla cartella";

void Press(int key) {
  Host().KeyDown(static_cast<std::uint32_t>(key));
  Host().KeyUp(static_cast<std::uint32_t>(key));
}

// What a window's timer saw while the box it opened was up.
struct TickRun {
  HWND main = nullptr;
  HWND other = nullptr;
  bool inBox = false;
  int result = -1;
  int ticksDuring = 0;
  bool othersDisabled = false;
  std::uint32_t iconPixel = 0;
  host::WindowId mainHost = 0;
  bool boxTookTheKeyboardBack = false;
  int quitFromTick = -1;  // a tick during the box posts WM_QUIT with this code
};
TickRun run;

LRESULT BoxFromTick(HWND window, UINT message, WPARAM, LPARAM, bool& handled) {
  if (message != WM_TIMER || window != run.main) return 0;
  handled = true;
  if (run.inBox) {
    ++run.ticksDuring;
    run.othersDisabled = !IsWindowEnabled(run.main) && !IsWindowEnabled(run.other);
    const auto& box = *Host().Window(Host().MessageBoxes().back().window);
    run.iconPixel = box.Pixel(28, 18);  // in the disc, above the cross
    const host::WindowId boxHost = Host().MessageBoxes().back().window;
    if (run.quitFromTick >= 0) {
      PostQuitMessage(run.quitFromTick);
    } else if (run.ticksDuring == 2) {
      // The player clicks the disabled game window: the box keeps the keyboard.
      Host().WindowEvent(boxHost, host::EventType::FocusLost);
      Host().WindowEvent(run.mainHost, host::EventType::FocusGained);
    } else if (run.ticksDuring == 3) {
      run.boxTookTheKeyboardBack = GetActiveWindow() != nullptr && GetActiveWindow() != run.main &&
                                   Host().FocusedWindow() == boxHost;
    } else if (run.ticksDuring == 5) {
      Press(VK_RETURN);
    }
    return 0;
  }
  if (run.result != -1) return 0;  // the caller's own guard: one box
  run.inBox = true;
  run.result = MessageBoxA(nullptr, kText, "Errore", MB_TASKMODAL | MB_ICONERROR);
  run.inBox = false;
  if (run.quitFromTick < 0) PostQuitMessage(0);
  return 0;
}

TEST(MessageBox, OpenedFromATimerItKeepsTheTicksComingAndDisablesTheOtherWindowsMeanwhile) {
  run = TickRun{};
  MessageLog log;
  log.reply = BoxFromTick;
  run.main = log.Create(u"game", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300);
  run.mainHost = Host().Windows().back();
  run.other = log.Create(u"scores", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200, 200, 100);
  HWND disabledBefore = log.Create(u"idle", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
  EnableWindow(disabledBefore, FALSE);
  const std::size_t windows = Host().Windows().size();
  SetTimer(run.main, 1, 40, nullptr);

  EXPECT_EQ(log.RunUntilQuit(), 0);
  EXPECT_EQ(run.result, IDOK);
  EXPECT_EQ(run.ticksDuring, 5);
  EXPECT_TRUE(run.othersDisabled);
  EXPECT_TRUE(run.boxTookTheKeyboardBack);
  EXPECT_TRUE(IsWindowEnabled(run.main));
  EXPECT_TRUE(IsWindowEnabled(run.other));
  EXPECT_FALSE(IsWindowEnabled(disabledBefore));  // left as the box found it
  EXPECT_EQ(Host().Windows().size(), windows);    // the box's window is gone

  ASSERT_EQ(Host().MessageBoxes().size(), 1u);
  const auto& box = Host().MessageBoxes().front();
  EXPECT_EQ(box.textUtf8, kText);
  EXPECT_EQ(box.captionUtf8, "Errore");
  EXPECT_EQ(box.style, 0x2010u);
  const std::uint32_t red = (run.iconPixel >> 16) & 0xFF, green = (run.iconPixel >> 8) & 0xFF;
  EXPECT_GT(red, 150u);
  EXPECT_LT(green, 80u);
  for (HWND w : {run.main, run.other, disabledBefore}) DestroyWindow(w);
}

TEST(MessageBox, AQuitDuringTheBoxEndsItAndReachesTheLoopOutside) {
  run = TickRun{};
  run.quitFromTick = 3;
  MessageLog log;
  log.reply = BoxFromTick;
  run.main = log.Create(u"game", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300);
  run.other = log.Create(u"scores", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200, 200, 100);
  SetTimer(run.main, 1, 40, nullptr);
  EXPECT_EQ(log.RunUntilQuit(), 3);
  EXPECT_EQ(run.ticksDuring, 1);
  EXPECT_EQ(run.result, IDOK);
  EXPECT_TRUE(IsWindowEnabled(run.main));
  EXPECT_TRUE(IsWindowEnabled(run.other));
  DestroyWindow(run.main);
  DestroyWindow(run.other);
}

TEST(MessageBox, KeysAnswerWithTheButtonTheyStandFor) {
  struct Case {
    UINT type;
    int key;
    int answer;  // 0: the box stayed until the script ran out
  };
  const Case cases[] = {
      {MB_OK, VK_RETURN, IDOK},
      {MB_OK, VK_ESCAPE, IDOK},
      {MB_OK, VK_SPACE, IDOK},
      {MB_OKCANCEL, VK_ESCAPE, IDCANCEL},
      {MB_OKCANCEL, VK_RETURN, IDOK},
      {MB_YESNO, VK_RETURN, IDYES},
      {MB_YESNO | MB_DEFBUTTON2, VK_RETURN, IDNO},
      {MB_YESNO, VK_ESCAPE, 0},  // no Cancel: Esc does nothing
  };
  static int key = 0;
  Host().onMessageBox = [](const host::headless::MessageBoxRecord&) { Press(key); };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.type << " key " << c.key);
    key = c.key;
    EXPECT_EQ(MessageBoxA(nullptr, "Salvare?", "Zarvo", c.type), c.answer);
    MSG msg;
    bool quit = false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) quit = quit || msg.message == WM_QUIT;
    EXPECT_EQ(quit, c.answer == 0);  // the end of the script ended the box
  }
  Host().onMessageBox = nullptr;
}

struct OwnedRun {
  HWND owner = nullptr;
  HWND other = nullptr;
  bool ownerDisabled = false;
  bool otherEnabled = false;
  POINT boxCentre{};
};
OwnedRun owned;

// Clicks the box's OK button through the host, as a player would.
void ClickOk(const host::headless::MessageBoxRecord& record) {
  HWND box = GetForegroundWindow();
  HWND ok = GetDlgItem(box, IDOK);
  RECT button{}, outer{};
  GetWindowRect(ok, &button);
  GetWindowRect(box, &outer);
  POINT origin{0, 0};
  ClientToScreen(box, &origin);
  owned.ownerDisabled = !IsWindowEnabled(owned.owner);
  owned.otherEnabled = IsWindowEnabled(owned.other) != FALSE;
  owned.boxCentre = POINT{(outer.left + outer.right) / 2, (outer.top + outer.bottom) / 2};
  Host().Click(record.window, (button.left + button.right) / 2 - origin.x,
               (button.top + button.bottom) / 2 - origin.y);
}

TEST(MessageBox, WithAnOwnerItDisablesOnlyTheOwnerSitsOverItAndAClickOnOkAnswers) {
  MessageLog log;
  owned.owner = log.Create(u"game", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300);
  owned.other = log.Create(u"scores", WS_POPUP | WS_VISIBLE, 600, 100, 200, 100);
  HWND name = CreateWindowExW(0, u"edit", u"", WS_CHILD | WS_VISIBLE, 5, 35, 115, 25, owned.owner,
                              reinterpret_cast<HMENU>(1), nullptr, nullptr);
  SetFocus(name);
  Host().onMessageBox = ClickOk;
  EXPECT_EQ(MessageBoxA(owned.owner, "Pronto", "Zarvo", MB_OK | MB_ICONINFORMATION), IDOK);
  Host().onMessageBox = nullptr;
  EXPECT_TRUE(owned.ownerDisabled);
  EXPECT_TRUE(owned.otherEnabled);
  EXPECT_TRUE(IsWindowEnabled(owned.owner));
  EXPECT_EQ(GetActiveWindow(), owned.owner);  // back to where the player was
  EXPECT_EQ(GetFocus(), name);
  EXPECT_NEAR(owned.boxCentre.x, 300, 1);
  EXPECT_NEAR(owned.boxCentre.y, 250, 1);
  EXPECT_EQ(Host().MessageBoxes().back().style, UINT{MB_OK | MB_ICONINFORMATION});
  DestroyWindow(owned.owner);
  DestroyWindow(owned.other);
}

std::vector<LONG> clientHeights;
void MeasureAndAnswer(const host::headless::MessageBoxRecord&) {
  RECT client{};
  GetClientRect(GetForegroundWindow(), &client);
  clientHeights.push_back(client.bottom);
  Press(VK_RETURN);
}

TEST(MessageBox, TheBoxGrowsWithTheLinesOfItsText) {
  Host().onMessageBox = MeasureAndAnswer;
  MessageBoxA(nullptr, "uno", "Zarvo", MB_OK);
  MessageBoxA(nullptr, "uno\ndue\ntre", "Zarvo", MB_OK);
  MessageBoxA(nullptr, "\xe8 pronto", nullptr, MB_OK);  // one byte, one character
  Host().onMessageBox = nullptr;
  ASSERT_EQ(clientHeights.size(), 3u);
  EXPECT_GT(clientHeights[1], clientHeights[0] + 15);
  EXPECT_EQ(Host().MessageBoxes().back().textUtf8, "\xc3\xa8 pronto");
  EXPECT_EQ(Host().MessageBoxes().back().captionUtf8, "Error");
}

}  // namespace
