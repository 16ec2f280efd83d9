#include "framework/games/form_games.h"

#include "framework/elements/font.h"
#include "framework/util/shell.h"
#include "framework/util/text.h"
#include "platform/api/kernel.h"

namespace VexaUtility {
namespace {

FormGames* GameFormOf(GUIElement* element) { return static_cast<FormGames*>(element); }

// The marker pixels in the top-left corner tell whether the window still
// shows the picture.
struct Marker {
  int x;
  COLORREF colour;
};
constexpr Marker kMarkers[] = {{0, 0x0000FF00}, {1, 0x00FFFFFF}, {2, 0x000000FF}};

void StampMarkers(Drawing* surface) {
  if (surface == nullptr || surface->dc == nullptr) return;
  for (const Marker& m : kMarkers) surface->PutPixel(m.x, 0, m.colour);
}

// A rectangle whose top edge is row 0 and whose left edge is left of column
// 3 may have covered the markers.
void RestampIfCovered(Drawing* surface, std::int32_t x, std::int32_t y) {
  if (y == 0 && x < 3) StampMarkers(surface);
}

bool AllMarkersOn(Drawing* surface) {
  for (const Marker& m : kMarkers) {
    if (surface->PixelAt(m.x, 0) != m.colour) return false;
  }
  return true;
}

bool AnyMarkerOn(Drawing* surface) {
  for (const Marker& m : kMarkers) {
    if (surface->PixelAt(m.x, 0) == m.colour) return true;
  }
  return false;
}

void FillOn(Drawing* surface, std::int32_t x, std::int32_t y, std::int32_t width,
            std::int32_t height, COLORREF colour) {
  if (surface == nullptr || surface->dc == nullptr) return;
  HDC dc = surface->dc;
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HBRUSH brush = CreateSolidBrush(colour);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  Rectangle(dc, x, y, x + width, y + height);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
  RestampIfCovered(surface, x, y);
}

}  // namespace

FormGames::FormGames(HINSTANCE instance, const std::string& title) : Form(instance) {
  font = new FontSpec("Lucida Console", 16);
  SetBackColor(0);
  width = 800;
  height = 600;
  SetText(title);
  minimizeBox = true;
  resizable = false;
  onCreate = [](GUIElement* e, HWND) { GameFormOf(e)->StartTimer(); };
  onClose = [](GUIElement* e) { return GameFormOf(e)->StopTimer(); };
  onSize = [](GUIElement* e) { GameFormOf(e)->OnSize(); };
  onChar = [](GUIElement* e, std::int32_t code) { return GameFormOf(e)->OnChar(code); };
  onKeyDown = [](GUIElement* e, std::int32_t key) { GameFormOf(e)->OnKeyDown(key); };
  onKeyUp = [](GUIElement* e, std::int32_t key) { GameFormOf(e)->OnKeyUp(key); };
  onLButtonUp = [](GUIElement* e, HWND, std::int32_t x, std::int32_t y) {
    GameFormOf(e)->OnLButtonUp(x, y);
  };
  onLButtonDown = [](GUIElement* e, HWND, std::int32_t x, std::int32_t y) {
    GameFormOf(e)->OnLButtonDown(x, y);
  };
  Create();
  if (created) {
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font->Realize()), TRUE);
  }
}

FormGames::~FormGames() {
  // The timer goes first, so that nothing later in the destruction reaches it.
  delete frameTimer;
  frameTimer = nullptr;
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  created = false;
  if (levelSnapshot != nullptr) DeleteObject(levelSnapshot);
  if (screenCopy != nullptr) DeleteObject(screenCopy);
  levelSnapshot = screenCopy = nullptr;
  delete font;  // deletes its font object too
  font = nullptr;
  delete screen;  // each surface ends what it was drawing first
  delete backSurface;
  screen = backSurface = nullptr;
  elements.clear();
  elements.shrink_to_fit();
}

void FormGames::Load() {}

void FormGames::StartLevel() {
  level = 1;
  lives = 3;
  score = 0;
}

void FormGames::StartTimer() {
  screen = new Drawing(this);
  backSurface = new Drawing(this);
  frameTimer = new Timer(this);
  frameTimer->onTick = [](Timer* timer) { GameFormOf(timer->parent)->OnFrame(); };
  frameTimer->Start();
}

bool FormGames::StopTimer() {
  for (std::size_t i = 1; i <= hotKeys.size(); ++i) UnregisterHotKey(hwnd, static_cast<int>(i));
  if (frameTimer != nullptr) frameTimer->Stop();
  return true;
}

void FormGames::OnSize() {}

void FormGames::OnFrame() {}

bool FormGames::OnChar(std::int32_t) { return true; }

void FormGames::OnKeyDown(std::int32_t key) {
  // Tab and Alt would take the keyboard elsewhere: the game window keeps it.
  if (key == VK_TAB || key == VK_MENU || key == VK_LMENU || key == VK_RMENU) Focus();
  keys.fill(false);
  if (key >= 0 && key < 256) keys[static_cast<std::size_t>(key)] = true;
}

void FormGames::OnKeyUp(std::int32_t key) {
  if (key >= 0 && key < 256) keys[static_cast<std::size_t>(key)] = false;
}

void FormGames::OnMenuCommand(GUIElement*) {}

void FormGames::OnHotKey(std::uint32_t, std::int32_t key) {
  if (key != VK_ESCAPE) return;
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  created = false;
}

void FormGames::OnLButtonUp(std::int32_t, std::int32_t) {}

void FormGames::OnLButtonDown(std::int32_t, std::int32_t) {}

void FormGames::HandlePaint() {
  if (created) {
    if (!frameOpen) {
      BeginFrame(true);
      EndFrame();
    } else {
      frameOpen = false;
    }
  }
  Form::HandlePaint();
}

void FormGames::BeginFrame(bool repaint) {
  frameOpen = true;
  if (!repaint) {
    FormGames::HandlePaint();
    InvalidateRect(hwnd, nullptr, FALSE);
  } else {
    InvalidateRect(hwnd, nullptr, TRUE);
  }
  if (screen->dc != nullptr) DeleteDC(screen->dc);
  screen->dc = BeginPaint(hwnd, &screen->paint);
  if (screenCopy == nullptr) {
    backSurface->AttachDc(screen->CreateBackBuffer());
    return;
  }
  if (AnyMarkerOn(screen)) return;
  if (!AllMarkersOn(backSurface)) return;
  // The window lost its picture while the back surface kept it.
  RECT client{};
  GetClientRect(hwnd, &client);
  DeleteObject(screenCopy);
  screenCopy = backSurface->CaptureRegion(0, 0, client.right, client.bottom);
  screen->PasteBitmap(screenCopy);
}

void FormGames::EndFrame() {
  if (screenCopy == nullptr) {
    MeasureOuterSize();
    screenCopy = backSurface->CaptureRegion(0, 0, width, height);
  }
  screen->EndDraw();
  frameOpen = false;
}

void FormGames::MeasureOuterSize() {
  if (!created) return;
  RECT outer{};
  if (!GetWindowRect(hwnd, &outer)) return;
  width = outer.right - outer.left;
  height = outer.bottom - outer.top;
}

void FormGames::SetBackground(HBITMAP picture) {
  backgroundPicture = picture;
  if (picture == nullptr) {
    ShowError("Errore caricamento immagine - codice errore: " +
                  Int64ToText(static_cast<std::int64_t>(GetLastError())),
              "Errore");
  }
  backSurface->PasteBitmap(picture);
  StampMarkers(backSurface);
  screen->PasteBitmap(picture);
  StampMarkers(screen);
}

void FormGames::SnapshotPlayField() {
  if (levelSnapshot != nullptr) DeleteObject(levelSnapshot);
  MeasureOuterSize();
  levelSnapshot = backSurface->CaptureRegion(0, 0, width, height);
}

void FormGames::CopyToWindow(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
  HBITMAP copy = backSurface->CaptureRegion(x, y, w, h);
  screen->DrawBitmap(x, y, w, h, copy);
  if (copy != nullptr) DeleteObject(copy);
}

RECT FormGames::DrawSpriteOnBack(Sprite* sprite) {
  const auto [oldX, oldY] = sprite->Draw(*backSurface);
  const std::int32_t w = sprite->width, h = sprite->height;
  const std::int32_t px = oldX == -1 ? sprite->x : oldX;
  const std::int32_t py = oldY == -1 ? sprite->y : oldY;
  const std::int32_t left = std::min(px, sprite->x);
  const std::int32_t top = std::min(py, sprite->y);
  const std::int32_t unionWidth = std::max(px, sprite->x) - left + w;
  const std::int32_t unionHeight = std::max(py, sprite->y) - top + h;
  RestampIfCovered(backSurface, left, top);
  return RECT{left, top, left + unionWidth, top + unionHeight};
}

void FormGames::RedrawSprite(Sprite* sprite) {
  const std::int32_t oldX = sprite->lastX == -1 ? sprite->x : sprite->lastX;
  const std::int32_t oldY = sprite->lastY == -1 ? sprite->y : sprite->lastY;
  const RECT changed = DrawSpriteOnBack(sprite);
  const std::int32_t w = sprite->width, h = sprite->height;
  // A long sideways jump is two small copies rather than one wide one.
  if (changed.right - changed.left > 2 * w + 10) {
    CopyToWindow(oldX, oldY, w, h);
    CopyToWindow(sprite->x, sprite->y, w, h);
  } else {
    CopyToWindow(changed.left, changed.top, changed.right - changed.left,
                 changed.bottom - changed.top);
  }
}

void FormGames::EraseSprite(Sprite* sprite) {
  const std::int32_t x = sprite->x, y = sprite->y, w = sprite->width, h = sprite->height;
  sprite->Erase(*backSurface);
  RestampIfCovered(backSurface, x, y);
  CopyToWindow(x, y, w, h);
}

void FormGames::FillBox(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                        COLORREF colour) {
  FillOn(backSurface, x, y, w, h, colour);
  FillOn(screen, x, y, w, h, colour);
}

void FormGames::DrawTextAt(std::int32_t x, std::int32_t y, const std::string& text,
                           COLORREF colour) {
  for (Drawing* surface : {backSurface, screen}) {
    surface->DrawString(x, y, 0, 0, text, colour, font, 0);
    RestampIfCovered(surface, x, y);
  }
}

void FormGames::DrawBarText(std::int32_t w, std::int32_t h, const std::string& text,
                            COLORREF colour, std::int32_t alignment) {
  const int align = alignment == 1 || alignment == 2 ? alignment : 0;
  for (Drawing* surface : {backSurface, screen}) {
    surface->DrawString(2, 2, w, h, text, colour, font, align);
  }
}

void FormGames::AddElement(GameElement* element) { elements.push_back(element); }

void RouteMenuCommand(GUIElement* item) {
  if (item == nullptr) return;
  for (GUIElement* e = item->parent; e != nullptr; e = e->parent) {
    if (auto* form = dynamic_cast<FormGames*>(e)) {
      form->OnMenuCommand(item);
      return;
    }
  }
}

}  // namespace VexaUtility
