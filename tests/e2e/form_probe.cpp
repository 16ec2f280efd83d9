// A small program for the end-to-end test: a form on the real host that
// paints a known picture and writes down the keys and characters it gets.
// It ends on the character "q", or by itself after a minute.
#include <cstdio>

#include "framework/controls/timer.h"
#include "framework/forms/form.h"
#include "framework/forms/message_loop.h"

using namespace VexaUtility;

namespace {

void Report(const char* what, int value) {
  std::printf("%s %d\n", what, value);
  std::fflush(stdout);
}

void OnKeyDown(GUIElement*, std::int32_t key) { Report("keydown", key); }

bool OnChar(GUIElement* element, std::int32_t code) {
  Report("char", code);
  if (code == 'q') SendMessageW(element->hwnd, WM_CLOSE, 0, 0);
  return true;
}

// Green all over, with a red block at (20, 30)-(70, 60) of the client area.
void OnPaint(GUIElement* element) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(element->hwnd, &paint);
  RECT client{};
  GetClientRect(element->hwnd, &client);
  HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &client, green);
  RECT block{20, 30, 70, 60};
  FillRect(dc, &block, red);
  DeleteObject(green);
  DeleteObject(red);
  EndPaint(element->hwnd, &paint);
  Report("painted", 1);
}

void OnTick(Timer* timer) { SendMessageW(timer->parent->hwnd, WM_CLOSE, 0, 0); }

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  Form form(instance);
  form.text = u"Probe";
  form.width = 300;
  form.height = 200;
  form.onKeyDown = OnKeyDown;
  form.onChar = OnChar;
  form.onPaint = OnPaint;
  form.Create();
  Timer deadline(&form);
  deadline.interval = 60000;
  deadline.onTick = OnTick;
  deadline.Start();
  RunMessageLoop(&form);
  Report("exit", 0);
  return 0;
}
