#include "game/shell/form_zarvo.h"

#include <algorithm>

#include "framework/elements/font.h"
#include "framework/scores/score_table.h"
#include "framework/util/date_time.h"
#include "framework/util/shell.h"
#include "framework/util/text.h"
#include "game/playfield/hits_paddle.h"
#include "game/playfield/joystick.h"
#include "game/playfield/movements.h"
#include "game/playfield/wall_layouts.h"
#include "game/shell/asset_check.h"
#include "game/shell/asset_paths.h"
#include "platform/api/mm.h"

namespace Zarvo {

using VexaUtility::DateTime;

namespace {

constexpr int kIconId = 1005;
constexpr COLORREF kRed = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0, kBlue = 0xFF0000;

// What the frame step keeps from one call to the next.
struct FrameClock {
  DateTime lastFrameTime;
  bool started = false;
  DateTime interludeDeadline;  // the year 1900: unset
  bool frameBusy = false;
} frameClock;

// What the intro animation keeps, across returns to the intro too.
struct IntroState {
  DateTime lastTick;
  bool started = false;
  std::int32_t ticks = 0;
  COLORREF promptColour = kRed;
} introState;

// The cycle of eight levels a level belongs to, 0 to 5.
std::int32_t Cycle(std::int32_t level) { return std::clamp((level - 1) / 8, 0, 5); }

void OnNameFormDestroyed(VexaUtility::GUIElement* element) {
  auto* form = static_cast<VexaUtility::FormNamePlayer*>(element);
  if (auto* game = dynamic_cast<FormZarvo*>(form->owner)) game->RecordScore();
}

}  // namespace

void PlayWave(const std::string& path, bool loop) {
  const std::u16string wide = VexaUtility::ToWide(path);
  PlaySoundW(wide.c_str(), nullptr,
             SND_FILENAME | SND_ASYNC | SND_NODEFAULT | (loop ? SND_LOOP : 0));
}

FormZarvo::FormZarvo(HINSTANCE instance, const std::string& title) : FormGames(instance, title) {
  SetIcon(*this);
  BuildMenu();
  SetClientSize();
  Load();
}

FormZarvo::~FormZarvo() {
  for (auto& [path, bitmap] : imageCache) {
    if (bitmap != nullptr) DeleteObject(bitmap);
  }
  imageCache.clear();
  backgroundPicture = nullptr;  // it was one of the cache's
  delete paddle;
  delete ball;
  delete coin1;
  delete coin2;
  delete coin3;
  paddle = nullptr;
  ball = nullptr;
  coin1 = coin2 = coin3 = nullptr;
  delete exitItem;
  delete joystickItem;
  delete homeItem;
  delete fileMenu;
  delete optionsMenu;
  delete helpMenu;
  delete menuBar;
  exitItem = joystickItem = homeItem = nullptr;
  fileMenu = optionsMenu = helpMenu = nullptr;
  menuBar = nullptr;
  ClearMovements();
  ClearBricks();
  elements.clear();
  // An open name form closes now, and the finished game is recorded.
  delete nameForm;
  nameForm = nullptr;
}

void FormZarvo::SetIcon(VexaUtility::Form& form) {
  form.iconId = kIconId;
  if (!form.created) return;
  HICON icon = LoadIconW(form.instance, MAKEINTRESOURCEW(kIconId));
  if (icon == nullptr) return;
  SendMessageW(form.hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  if (form.iconHandle != nullptr && form.iconHandle != icon) DestroyIcon(form.iconHandle);
  form.iconHandle = icon;
}

std::int32_t FormZarvo::ClientWidth() {
  RECT client{};
  if (created && GetClientRect(hwnd, &client)) return client.right - client.left;
  return width;
}

// The menu ---------------------------------------------------------------

void FormZarvo::BuildMenu() {
  using VexaUtility::Menu;
  using VexaUtility::MenuBar;
  using VexaUtility::RouteMenuCommand;
  using VexaUtility::SubMenu;
  menuBar = new MenuBar();
  menuBar->parent = this;
  fileMenu = new Menu(menuBar, "&File");
  exitItem = new SubMenu(fileMenu, "&Esci");
  exitItem->onCommand = RouteMenuCommand;
  optionsMenu = new Menu(menuBar, "&Opzioni");
  joystickItem = new SubMenu(optionsMenu, "&Abilita Joystick");
  joystickItem->checkable = true;
  joystickItem->checkMark = joystickEnabled;
  joystickItem->onCommand = RouteMenuCommand;
  helpMenu = new Menu(menuBar, "&?");
  homeItem = new SubMenu(helpMenu, "&Home");
  homeItem->onCommand = RouteMenuCommand;
  menuBar->Create();
}

void FormZarvo::OnMenuCommand(VexaUtility::GUIElement* item) {
  if (item == nullptr) return;
  if (exitItem != nullptr && item->id == exitItem->id) {
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    created = false;
  }
  if (homeItem != nullptr && item->id == homeItem->id) VexaUtility::OpenWithShell(kHomePage);
  if (joystickItem != nullptr && item->id == joystickItem->id) {
    joystickEnabled = joystickItem->IsChecked();
  }
}

// Pictures and sounds -----------------------------------------------------

HBITMAP FormZarvo::LoadCheckedImage(const std::string& path) {
  const std::string resolved = ResolveImagePath(path);
  if (auto found = imageCache.find(resolved); found != imageCache.end()) return found->second;
  if (FileChecksum(resolved) == ExpectedChecksum(FileNameOf(resolved))) {
    HBITMAP bitmap = VexaUtility::LoadBitmapFile(resolved);
    imageCache[resolved] = bitmap;
    return bitmap;
  }
  VexaUtility::ShowError("Immagine corrotta o dannegiata. Ripristinare la cartella immagine",
                         "errore");
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  created = false;
  return nullptr;
}

void FormZarvo::PlayBallSound() {
  const std::string path = ResolveImagePath(std::string(kAssetPrefix) + "ball.wav");
  if (FileChecksum(path) == kBallSoundChecksum) PlayWave(path, false);
}

void FormZarvo::PrepareSpriteSettings() {
  RECT client{};
  if (created && GetClientRect(hwnd, &client)) {
    width = client.right - client.left;
    height = client.bottom - client.top;
  }
  const std::int32_t w = width, h = height;
  paddleSettings = SpriteSettings{w, h, 48, 20, "player"};
  brickSettings = SpriteSettings{w, h, (w - 40) / 20, 18, "tiles"};
  coinSettings = SpriteSettings{w, h, 24, 24, "money"};
  ballSettings = SpriteSettings{w, h, 24, 24, "ball"};
}

// Screens -----------------------------------------------------------------

void FormZarvo::Load() {
  BeginFrame(false);
  SetBackground(LoadCheckedImage(std::string(kAssetPrefix) + "logo.bmp"));
  DrawTextAt(180, 120, kCreditLine, kRed);
  lineHeight = -1;
  if (screen->dc != nullptr && font != nullptr) {
    HGDIOBJ old = SelectObject(screen->dc, font->Realize());
    TEXTMETRICW metrics{};
    if (GetTextMetricsW(screen->dc, &metrics)) lineHeight = metrics.tmHeight;
    if (old != nullptr) SelectObject(screen->dc, old);
  }
  EndFrame();
  VexaUtility::ScoreTable table("Zarvo");
  highScores = table.LoadScores();
  gameState = Intro;
}

void FormZarvo::AnimateIntro() {
  // The first call takes the last tick from the clock before it reads now.
  if (!introState.started) {
    introState.lastTick = DateTime::Now();
    introState.started = true;
  }
  const DateTime now = DateTime::Now();
  if (introState.lastTick.MillisecondsUntil(now) <= 500) return;
  ++introState.ticks;
  introState.promptColour = introState.promptColour == kRed ? kWhite : kRed;
  introState.lastTick = DateTime::Now();
  BeginFrame(false);
  if (!highScores.empty() && introState.ticks == 1) {
    FillBox(0, 0, ClientWidth(), 20, kWhite);
    const auto count = static_cast<std::int32_t>(highScores.size());
    if (highScoreIndex >= count) highScoreIndex = 0;
    const std::string line = "Classifica: " +
                             VexaUtility::PadLeft(VexaUtility::Int64ToText(highScoreIndex + 1),
                                                  ' ', 2) +
                             "\xB0 Score " + highScores[static_cast<std::size_t>(highScoreIndex)];
    DrawTextAt(0, 0, line, kBlack);
    if (++highScoreIndex >= count) highScoreIndex = 0;
  }
  if (introState.ticks > 4) introState.ticks = 0;
  FillBox(480, 570, 320, 20, kBlue);
  DrawTextAt(480, 570, "Premi il tasto [G] per giocare", introState.promptColour);
  EndFrame();
}

void FormZarvo::DrawStatusLine() {
  const std::int32_t w = ClientWidth();
  const std::int32_t h = lineHeight + 4;
  FillBox(0, 0, w, h, kBlack);
  DrawTextAt(2, 2, "Score: " + VexaUtility::ZeroPadded(score, 6), kWhite);
  DrawBarText(w - 4, h, "Lives: " + VexaUtility::Int64ToText(lives), kWhite, 2);
  DrawBarText(w - 4, h, "Level: " + VexaUtility::Int64ToText(level), kWhite, 1);
}

void FormZarvo::ShowBlankBackground() {
  SetBackground(LoadCheckedImage(std::string(kAssetPrefix) + "blank.bmp"));
}

void FormZarvo::LevelComplete() {
  gameState = Paused;
  elements.clear();
  ClearMovements();
  ++level;
  SetBackground(LoadCheckedImage(std::string(kAssetPrefix) + "livello.bmp"));
  EndFrame();
  gameState = Interlude;
}

// Game over -----------------------------------------------------------------

void FormZarvo::BallLost() {
  gameState = Paused;
  elements.clear();
  ClearMovements();
  --lives;
  if (lives >= 1) {
    SetBackground(LoadCheckedImage(std::string(kAssetPrefix) + "replay.bmp"));
    gameState = Interlude;
  } else {
    SetBackground(LoadCheckedImage(std::string(kAssetPrefix) + "gameover.bmp"));
    delete nameForm;
    nameForm = new VexaUtility::FormNamePlayer(instance, "Classifica");
    nameForm->owner = this;
    nameForm->onDestroy = OnNameFormDestroyed;
    SetIcon(*nameForm);
    nameForm->SetPrompt("Inserisci il tuo nome:");
    const POINT corner = RefreshPosition();
    RECT game{}, dialog{};
    GetWindowRect(hwnd, &game);
    GetWindowRect(nameForm->hwnd, &dialog);
    nameForm->x = corner.x + ((game.right - game.left) - (dialog.right - dialog.left)) / 2;
    nameForm->y = corner.y + ((game.bottom - game.top) - (dialog.bottom - dialog.top)) / 2;
    if (nameForm->created) {
      SetWindowPos(nameForm->hwnd, nullptr, nameForm->x, nameForm->y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER);
      nameForm->Redraw();
    } else {
      nameForm->Create();
    }
    ShowWindow(nameForm->hwnd, SW_SHOWNA);
    nameForm->visible = true;
    gameState = EnteringName;
  }
  // The frame stays open: the ball's step goes on to draw the ball once more
  // at the bottom, over the picture, and the frame step then closes the frame.
  // Closed here, the ball would reach the back surface only.
}

void FormZarvo::RecordScore() {
  VexaUtility::ScoreTable table("Zarvo");
  const std::string entry = VexaUtility::PadRight(VexaUtility::playerName, ' ', 12) + " Level " +
                            VexaUtility::Int64ToText(level);
  table.AddScore(score, entry);
  gameState = GameOver;
}

// The frame step -----------------------------------------------------------

void FormZarvo::OnFrame() {
  // The first call takes the last frame's time from the clock before it
  // reads now: two equal readings make a frame that does nothing.
  if (!frameClock.started) {
    frameClock.lastFrameTime = DateTime::Now();
    frameClock.started = true;
  }
  const DateTime now = DateTime::Now();
  const auto dt = static_cast<std::int32_t>(frameClock.lastFrameTime.MillisecondsUntil(now));
  if (dt == 0 || frameClock.frameBusy) return;
  frameClock.frameBusy = true;
  switch (gameState) {
    case Intro: AnimateIntro(); break;
    case Playing: {
      BeginFrame(false);
      std::vector<VexaUtility::SpriteAnim*> snapshot;
      for (VexaUtility::SpriteAnim* movement : movements) {
        snapshot.push_back(movement->Clone());
        movement->elapsed += dt;
        if (movement->elapsed >= movement->period) movement->elapsed = 0;
      }
      for (VexaUtility::SpriteAnim* clone : snapshot) {
        if (gameState == Playing) {
          clone->elapsed += dt;
          if (clone->elapsed >= clone->period) clone->Step();
        }
        delete clone;
      }
      if (gameState == Playing) MovePaddle();
      EndFrame();
      break;
    }
    case Interlude: {
      DateTime t = DateTime::Now();
      if (frameClock.interludeDeadline.time.wYear == 1900) {
        frameClock.interludeDeadline = t.PlusDelay();
      } else if (t.IsLaterThan(frameClock.interludeDeadline)) {
        frameClock.interludeDeadline = DateTime();
        StartLevel();
      }
      break;
    }
    default: break;
  }
  frameClock.lastFrameTime = now;
  frameClock.frameBusy = false;
}

bool FormZarvo::OnChar(std::int32_t code) {
  // The whole character code counts: a letter beyond Latin-1 whose low byte
  // happens to be a G, P or N is not one of them.
  const auto is = [code](char upper) { return code == upper || code == upper + ('a' - 'A'); };
  switch (gameState) {
    case Intro:
      if (is('G')) {
        PrepareSpriteSettings();
        level = 1;
        score = 0;
        lives = 3;
        elements.clear();
        StartLevel();
      }
      break;
    case Playing:
      if (is('P')) {
        gameState = Paused;
      } else if (is('N')) {
        // A character arrives outside the frame step: the level picture
        // reaches the window only inside a frame, which LevelComplete closes.
        BeginFrame(false);
        LevelComplete();
      }
      break;
    case Paused:
      if (is('P')) gameState = Playing;
      break;
    case GameOver: Load(); break;
    default: break;
  }
  return true;
}

// Levels ---------------------------------------------------------------------

void FormZarvo::StartLevel() {
  gameState = Idle;
  const int layout = LayoutForLevel(level);
  elements.clear();
  ClearMovements();
  ClearBricks();
  BeginFrame(false);
  ShowBlankBackground();
  SnapshotPlayField();
  DrawStatusLine();
  BuildWall(layout);
  delete paddle;
  paddle = CreatePaddle();
  delete ball;
  ball = CreateBall();
  delete coin1;
  delete coin2;
  delete coin3;
  coin1 = CreateCoin("50", 1, 0x00FFFF);
  coin2 = CreateCoin("100", 2, 0x0000FF);
  coin3 = CreateCoin("150", 3, 0xFF0000);
  EndFrame();
  gameState = Playing;
}

void FormZarvo::BuildWall(int layout) {
  for (int row = 1; row <= kWallRows; ++row) {
    BuildBrickRow(layout, brickSettings, RowTop(row), RowKind(row), row);
  }
}

void FormZarvo::BuildBrickRow(int layout, const SpriteSettings& settings, std::int32_t y,
                              std::int32_t kind, int row) {
  for (int column = 1; column <= kWallColumns; ++column) {
    if (!HasBrick(layout, row, column)) continue;
    auto* brick = static_cast<SpriteTiles*>(settings.CreateSprite(this, kind));
    if (brick == nullptr) continue;
    brick->x = column * (settings.width + 2);
    brick->y = y;
    bricks.push_back(brick);
    RedrawSprite(brick);
  }
}

void FormZarvo::ClearMovements() {
  for (VexaUtility::SpriteAnim* movement : movements) delete movement;
  movements.clear();
}

void FormZarvo::ClearBricks() {
  for (SpriteTiles* brick : bricks) delete brick;
  bricks.clear();
}

SpritePlayer* FormZarvo::CreatePaddle() {
  paddleSettings.width = 100 - 10 * Cycle(level);
  auto* made = static_cast<SpritePlayer*>(paddleSettings.CreateSprite(this, 0));
  if (made == nullptr) return nullptr;
  made->y = paddleSettings.fieldHeight - made->height;
  made->x = (paddleSettings.fieldWidth - made->width) / 2;
  RedrawSprite(made);
  return made;
}

SpriteBall* FormZarvo::CreateBall() {
  ballSettings.width = ballSettings.height = 17 + Cycle(level);
  auto* made = static_cast<SpriteBall*>(ballSettings.CreateSprite(this, 0));
  if (made == nullptr) return nullptr;
  made->x = 50;
  made->y = 250;
  RedrawSprite(made);
  movements.push_back(new MovementBall(&ballSettings, made, this));
  return made;
}

SpriteMonete* FormZarvo::CreateCoin(const std::string& text, std::int32_t speed, COLORREF color) {
  auto* made =
      static_cast<SpriteMonete*>(coinSettings.CreateSprite(this, static_cast<std::int32_t>(color)));
  if (made == nullptr) return nullptr;
  made->text = text;
  made->stepX = made->stepY = made->baseStepX = speed;
  Respawn(made);
  RedrawSprite(made);
  movements.push_back(new MovementMoney(&coinSettings, made, this));
  return made;
}

void FormZarvo::Respawn(SpriteMonete* coin) {
  coin->x = VexaUtility::RandomBetween(coin->minX, coin->maxX);
  coin->y = coin->minY;
  coin->caught = false;
}

bool FormZarvo::HitBricks(SpriteBall* hitter) {
  bool anyStanding = false;
  for (SpriteTiles* brick : bricks) {
    if (!brick->alive) continue;
    anyStanding = true;
    if (!hitter->Intersects(*brick)) continue;
    EraseSprite(brick);
    score += 50;
    PlaySoundW(MAKEINTRESOURCEW(1008), instance, SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
    DrawStatusLine();
    brick->alive = false;
    hitter->movingUp = brick->y >= hitter->y;
  }
  return anyStanding;
}

void FormZarvo::MovePaddle() {
  if (paddle == nullptr) return;
  JoystickReading reading;
  if (joystickEnabled) {
    reading.id = FindJoystick();
    if (reading.id != -1 &&
        joyGetDevCapsW(static_cast<UINT_PTR>(reading.id), &reading.capabilities,
                       sizeof reading.capabilities) == JOYERR_NOERROR) {
      reading.valid = true;
    }
  }
  const auto step = [&](std::int32_t delta) {
    const std::int32_t newX = paddle->x + delta;
    if (10 - paddleSettings.width <= newX && newX <= paddleSettings.fieldWidth - 10) {
      paddle->x = newX;
      RedrawSprite(paddle);
    }
  };
  if (keys[VK_LEFT] ||
      (reading.valid && ReadJoystick(reading, reading.id) && MappedX(reading) < 0)) {
    step(paddleStepLeft);
  }
  if (keys[VK_RIGHT] ||
      (reading.valid && ReadJoystick(reading, reading.id) && MappedX(reading) > 0)) {
    step(paddleStepRight);
  }
}

}  // namespace Zarvo
