// The game's main window and the owner of everything in play: the sprites
// and their movements, the menu, the pictures, the name form.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "framework/controls/menu_bar.h"
#include "framework/controls/sub_menu.h"
#include "framework/games/form_games.h"
#include "framework/games/name_form.h"
#include "game/playfield/sprite_settings.h"
#include "game/playfield/sprites.h"
#include "game/shell/identity.h"

namespace Zarvo {

enum GameState : std::int32_t {
  Idle = 0,
  Intro = 1,
  Playing = 2,
  Paused = 3,
  Interlude = 4,
  EnteringName = 5,
  GameOver = 6,
};

class FormZarvo : public VexaUtility::FormGames {
 public:
  // Play field.
  std::int32_t paddleStepLeft = -4;
  std::int32_t paddleStepRight = 4;
  SpritePlayer* paddle = nullptr;
  SpriteBall* ball = nullptr;
  SpriteMonete* coin1 = nullptr;
  SpriteMonete* coin2 = nullptr;
  SpriteMonete* coin3 = nullptr;
  std::vector<SpriteTiles*> bricks;              // owned, in building order
  std::vector<VexaUtility::SpriteAnim*> movements;  // owned: the ball's, then the coins'
  bool joystickEnabled = false;
  std::int32_t gameState = Idle;
  SpriteSettings paddleSettings, brickSettings, coinSettings, ballSettings;

  // Shell.
  std::map<std::string, HBITMAP> imageCache;  // owns the bitmaps
  std::vector<std::string> highScores;
  std::int32_t highScoreIndex = 0;
  std::int32_t lineHeight = 0;
  VexaUtility::MenuBar* menuBar = nullptr;
  VexaUtility::Menu* fileMenu = nullptr;
  VexaUtility::Menu* optionsMenu = nullptr;
  VexaUtility::Menu* helpMenu = nullptr;
  VexaUtility::SubMenu* exitItem = nullptr;
  VexaUtility::SubMenu* joystickItem = nullptr;
  VexaUtility::SubMenu* homeItem = nullptr;
  VexaUtility::FormNamePlayer* nameForm = nullptr;

  FormZarvo(HINSTANCE instance, const std::string& title);
  ~FormZarvo() override;

  void Load() override;
  void StartLevel() override;
  void OnFrame() override;
  bool OnChar(std::int32_t code) override;
  void OnMenuCommand(VexaUtility::GUIElement* item) override;

  void BuildMenu();
  HBITMAP LoadCheckedImage(const std::string& path);
  void PrepareSpriteSettings();
  void PlayBallSound();
  void AnimateIntro();
  void DrawStatusLine();
  void ShowBlankBackground();
  void LevelComplete();
  void BallLost();
  void RecordScore();

  void BuildWall(int layout);
  void BuildBrickRow(int layout, const SpriteSettings& settings, std::int32_t y,
                     std::int32_t kind, int row);
  void ClearMovements();
  void ClearBricks();
  SpritePlayer* CreatePaddle();
  SpriteBall* CreateBall();
  SpriteMonete* CreateCoin(const std::string& text, std::int32_t speed, COLORREF color);
  void Respawn(SpriteMonete* coin);
  void MovePaddle();
  // True when at least one brick was standing as the test began.
  bool HitBricks(SpriteBall* ball);

 private:
  void SetIcon(VexaUtility::Form& form);
  std::int32_t ClientWidth();
};

// A wave file played at once, replacing what plays.
void PlayWave(const std::string& path, bool loop);

}  // namespace Zarvo
