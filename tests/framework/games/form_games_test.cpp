#include <gtest/gtest.h>

#include "framework/controls/button.h"
#include "framework/controls/menu_bar.h"
#include "framework/controls/sub_menu.h"
#include "framework/elements/font.h"
#include "framework/games/form_games.h"
#include "framework/games/name_form.h"
#include "tests/framework/windows/window_fixture.h"

namespace {

using namespace VexaUtility;
using window_tests::Drain;
using window_tests::Host;
using window_tests::HostWindowOf;
using window_tests::RunLoop;

struct TestGame : FormGames {
  TestGame() : FormGames(GetModuleHandleW(nullptr), "Prova") {}
  void OnFrame() override { ++frames; }
  void OnMenuCommand(GUIElement* item) override { commands.push_back(item); }
  int frames = 0;
  std::vector<GUIElement*> commands;
};

bool NoKeyMarked(const FormGames& game) {
  for (bool k : game.keys) {
    if (k) return false;
  }
  return true;
}

TEST(GameForm, IsBuiltShownWithItsTimerRunningAndTheFixedFont) {
  TestGame game;
  EXPECT_TRUE(game.created);
  EXPECT_TRUE(IsWindowVisible(game.hwnd));
  EXPECT_EQ(game.GetText(), "Prova");
  ASSERT_NE(game.frameTimer, nullptr);
  EXPECT_TRUE(game.frameTimer->running);
  EXPECT_EQ(game.frameTimer->interval, 20);
  ASSERT_NE(game.screen, nullptr);
  ASSERT_NE(game.backSurface, nullptr);
  ASSERT_NE(game.font, nullptr);
  EXPECT_EQ(game.font->faceName, u"Lucida Console");
  EXPECT_EQ(game.font->height, 16);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(game.hwnd, WM_GETFONT, 0, 0)), game.font->handle);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(game.hwnd, GWL_STYLE));
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
  RECT outer{};
  GetWindowRect(game.hwnd, &outer);
  EXPECT_EQ(outer.right - outer.left, 800);
  EXPECT_EQ(outer.bottom - outer.top, 600);
  EXPECT_EQ(game.level, 1);
  EXPECT_EQ(game.lives, 3);
  EXPECT_EQ(game.score, 0);
}

TEST(GameForm, TheFrameTimerCallsOnFrameEvery20MillisecondsUntilStopped) {
  TestGame game;
  RunLoop(nullptr, 210);
  EXPECT_EQ(game.frames, 10);
  EXPECT_TRUE(game.StopTimer());
  RunLoop(nullptr, 200);
  EXPECT_EQ(game.frames, 10);
}

TEST(GameForm, ClosingTheWindowStopsTheFramesBeforeItGoes) {
  TestGame* game = new TestGame;
  RunLoop(nullptr, 50);
  const int before = game->frames;
  SendMessageW(game->hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(game->hwnd));
  EXPECT_FALSE(game->frameTimer->running);
  RunLoop(nullptr, 100);
  EXPECT_EQ(game->frames, before);
  delete game;  // the window is gone already: nothing else happens
}

TEST(GameForm, OnlyTheKeyLastPressedIsMarked) {
  TestGame game;
  game.Focus();
  Drain();
  Host().KeyDown(VK_LEFT);
  Drain();
  EXPECT_TRUE(game.keys[VK_LEFT]);
  Host().KeyDown(VK_SPACE);
  Drain();
  EXPECT_FALSE(game.keys[VK_LEFT]);
  EXPECT_TRUE(game.keys[VK_SPACE]);
  Host().KeyUp(VK_SPACE);
  Drain();
  EXPECT_TRUE(NoKeyMarked(game));  // Left is still held, but unmarked
  Host().KeyDown(VK_LEFT, true);    // until its next key-down
  Drain();
  EXPECT_TRUE(game.keys[VK_LEFT]);
  Host().KeyUp(VK_RIGHT);  // another key's release changes nothing
  Drain();
  EXPECT_TRUE(game.keys[VK_LEFT]);
  game.OnKeyDown(256);  // no such key: the table is cleared, nothing marked
  EXPECT_TRUE(NoKeyMarked(game));
  game.OnKeyDown(-1);
  game.OnKeyUp(1000);
  EXPECT_TRUE(NoKeyMarked(game));
}

TEST(GameForm, TabKeepsTheFocusOnTheGameWindowAndEscDoesNotClose) {
  TestGame game;
  Button button(&game, "Altro");
  button.Create();
  game.Focus();
  Drain();
  Host().KeyDown(VK_TAB);
  Host().KeyUp(VK_TAB);
  Drain();
  EXPECT_EQ(GetFocus(), game.hwnd);
  Host().KeyDown(VK_TAB);
  Drain();
  EXPECT_TRUE(game.keys[VK_TAB]);
  Host().KeyDown(VK_ESCAPE);
  Host().KeyUp(VK_ESCAPE);
  Drain();
  EXPECT_TRUE(IsWindow(game.hwnd));
  EXPECT_TRUE(game.created);
}

TEST(GameForm, AMenuCommandFindsTheGameFormUpTheParentChain) {
  TestGame game;
  MenuBar bar;
  bar.parent = &game;
  Menu menu(&bar, "&File");
  SubMenu item(&menu, "&Nuova");
  item.onCommand = RouteMenuCommand;
  bar.Create();
  PostMessageW(game.hwnd, WM_COMMAND, MAKELONG(item.id, 0), 0);
  Drain();
  EXPECT_EQ(game.commands, (std::vector<GUIElement*>{&item}));
  // Without a game form up the chain nothing happens.
  SubMenu orphan(nullptr, "Solo");
  RouteMenuCommand(&orphan);
  RouteMenuCommand(nullptr);
  EXPECT_EQ(game.commands.size(), 1u);
}

TEST(GameForm, StartLevelOfTheBaseResetsTheCounters) {
  TestGame game;
  game.level = 7;
  game.lives = 1;
  game.score = 4200;
  game.StartLevel();
  EXPECT_EQ(game.level, 1);
  EXPECT_EQ(game.lives, 3);
  EXPECT_EQ(game.score, 0);
}

}  // namespace

namespace {

using namespace VexaUtility;

// The game form gives the keyboard to the name dialog and waits disabled;
// however the dialog goes, the game form gets its place back.
TEST(GameFormWithNameDialog, ClosingOrDeletingTheDialogEnablesTheGameFormAgain) {
  struct Game : FormGames {
    Game() : FormGames(GetModuleHandleW(nullptr), "Prova") {}
  } game;
  for (const bool byDelete : {false, true}) {
    auto* dialog = new FormNamePlayer(nullptr, "Classifica");
    dialog->owner = &game;
    game.companion = dialog;
    game.SetEnabled(false);
    ASSERT_FALSE(IsWindowEnabled(game.hwnd));
    if (byDelete) {
      delete dialog;
    } else {
      SendMessageW(dialog->hwnd, WM_CLOSE, 0, 0);
      EXPECT_FALSE(IsWindow(dialog->hwnd));
    }
    EXPECT_EQ(game.companion, nullptr) << byDelete;
    EXPECT_TRUE(game.enabled) << byDelete;
    EXPECT_TRUE(IsWindowEnabled(game.hwnd)) << byDelete;
    if (!byDelete) delete dialog;
  }
  EXPECT_TRUE(IsWindow(game.hwnd));
}

}  // namespace
