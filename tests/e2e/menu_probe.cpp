// A small program for the end-to-end test of menus and controls: a form with
// a menu bar and a text box on the real host. It writes down every command
// chosen, and the box's text when "Esci" ends it (a minute without it ends
// it too).
#include <cstdio>

#include "framework/controls/menu_bar.h"
#include "framework/controls/sub_menu.h"
#include "framework/controls/text_box.h"
#include "framework/controls/timer.h"
#include "framework/forms/form.h"
#include "framework/forms/message_loop.h"

using namespace VexaUtility;

namespace {

void Report(const char* what, const std::string& value) {
  std::printf("%s %s\n", what, value.c_str());
  std::fflush(stdout);
}

// Green all over: wherever a drop-down covers the client area, it shows.
void OnPaint(GUIElement* element) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(element->hwnd, &paint);
  RECT client{};
  GetClientRect(element->hwnd, &client);
  HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
  FillRect(dc, &client, green);
  DeleteObject(green);
  EndPaint(element->hwnd, &paint);
  Report("painted", "1");
}

void OnNew(GUIElement*) { Report("command", "nuovo"); }
TextBox* nameBox = nullptr;

void OnExit(GUIElement* item) {
  Report("command", "esci");
  Report("text", nameBox->GetText());
  GUIElement* form = item->parent->parent->parent;
  SendMessageW(form->hwnd, WM_CLOSE, 0, 0);
}
void OnJoystick(GUIElement* item) {
  Report("checked", static_cast<SubMenu*>(item)->IsChecked() ? "1" : "0");
}
void OnTick(Timer* timer) { SendMessageW(timer->parent->hwnd, WM_CLOSE, 0, 0); }

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  Form form(instance);
  form.text = u"Menu probe";
  form.x = 0;
  form.y = 0;
  form.width = 400;
  form.height = 300;
  form.onPaint = OnPaint;
  form.Create();

  MenuBar bar;
  bar.parent = &form;
  Menu file(&bar, "&File");
  SubMenu newItem(&file, "&Nuovo");
  SubMenu separator(&file, "");
  separator.itemFlags = MF_SEPARATOR;
  SubMenu exitItem(&file, "&Esci");
  Menu options(&bar, "&Opzioni");
  SubMenu joystick(&options, "&Abilita Joystick");
  newItem.onCommand = OnNew;
  exitItem.onCommand = OnExit;
  joystick.checkable = true;
  joystick.onCommand = OnJoystick;
  bar.Create();

  TextBox name(&form, "");
  name.x = 150;
  name.y = 100;
  name.SetSize(150, 25);
  name.maxLength = 10;
  name.upperCase = true;
  name.Create();
  nameBox = &name;

  Timer deadline(&form);
  deadline.interval = 60000;
  deadline.onTick = OnTick;
  deadline.Start();
  RunMessageLoop(&form);
  Report("exit", "0");
  return 0;
}
