// The framework's game window: a form with a frame timer that calls the game
// every 20 ms, a table of held keys, the level, lives and score, the game
// elements on the play field, and two drawing surfaces (the window and a back
// surface in memory that always holds the whole picture).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/controls/timer.h"
#include "framework/drawing/drawing.h"
#include "framework/forms/form.h"
#include "framework/games/sprite.h"

namespace VexaUtility {

class FormGames : public Form {
 public:
  std::int32_t level = 1;
  std::int32_t lives = 3;
  std::int32_t score = 0;
  HBITMAP backgroundPicture = nullptr;  // not owned: the game's picture cache keeps it
  HBITMAP levelSnapshot = nullptr;      // owned
  std::array<bool, 256> keys{};         // the key last pressed and not yet released
  Timer* frameTimer = nullptr;          // owned
  std::vector<GameElement*> elements;   // not owned
  bool frameOpen = false;
  HBITMAP screenCopy = nullptr;  // owned
  Drawing* screen = nullptr;       // owned: the window itself
  Drawing* backSurface = nullptr;  // owned: the whole picture, in memory

  FormGames(HINSTANCE instance, const std::string& title);
  ~FormGames() override;

  virtual void Load();
  virtual void StartLevel();
  virtual void StartTimer();
  virtual bool StopTimer();
  virtual void OnSize();
  virtual void OnFrame();
  virtual bool OnChar(std::int32_t code);
  virtual void OnKeyDown(std::int32_t key);
  virtual void OnKeyUp(std::int32_t key);
  virtual void OnMenuCommand(GUIElement* item);
  virtual void OnHotKey(std::uint32_t modifiers, std::int32_t key);
  virtual void OnLButtonUp(std::int32_t x, std::int32_t y);
  virtual void OnLButtonDown(std::int32_t x, std::int32_t y);

  void HandlePaint() override;

  // Drawing a frame: the window surface has a context only in between.
  void BeginFrame(bool repaint);
  void EndFrame();
  void SetBackground(HBITMAP picture);
  void SnapshotPlayField();
  void RedrawSprite(Sprite* sprite);
  RECT DrawSpriteOnBack(Sprite* sprite);
  void EraseSprite(Sprite* sprite);
  void FillBox(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
               COLORREF colour);
  void DrawTextAt(std::int32_t x, std::int32_t y, const std::string& text, COLORREF colour);
  void DrawBarText(std::int32_t width, std::int32_t height, const std::string& text,
                   COLORREF colour, std::int32_t alignment);
  void AddElement(GameElement* element);

 private:
  void MeasureOuterSize();
  void CopyToWindow(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
};

// A menu item's command handler: hands the item to the first game form up
// its parent chain.
void RouteMenuCommand(GUIElement* item);

}  // namespace VexaUtility
