#include "framework/forms/form.h"

#include <algorithm>
#include <string>

#include "framework/elements/element_registry.h"
#include "framework/forms/window_procedure.h"

namespace VexaUtility {

HWND mainWindow = nullptr;

namespace {

constexpr DWORD kCaptionedStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW;
constexpr std::int32_t kClientWidth = 800;
constexpr std::int32_t kClientHeight = 640;

std::u16string Decimal(std::int32_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

FormStyle StyleOf(const Form& form) {
  DWORD style = WS_POPUP;
  if (form.captioned) {
    style = kCaptionedStyle;
    if (form.minimizeBox) style |= WS_MINIMIZEBOX;
    if (form.resizable) style |= WS_THICKFRAME;
  }
  if (!form.resizable) style &= ~WS_MAXIMIZEBOX;
  if (!form.minimizeBox) style &= ~WS_MINIMIZEBOX;
  DWORD exStyle = 0;
  // A dialog form always has the captioned style, whatever its other flags
  // say; the name-entry dialog (fixed size, no minimize box) shows 0x10C90000.
  if (form.dialog) {
    exStyle = kDialogExStyle | (form.topmost ? WS_EX_TOPMOST : 0);
    style = kCaptionedStyle;
  }
  if (!form.enabled) style |= WS_DISABLED;
  return FormStyle{style, exStyle};
}

Form::Form(HINSTANCE instance) : GUIElement(instance) {
  typeName = "form";
}

Form::Form(HINSTANCE instance, DialogFormTag) : Form(instance) {
  dialog = true;
}

Form::~Form() {
  if (iconHandle != nullptr) DestroyIcon(iconHandle);
  iconHandle = nullptr;
  if (created && IsWindow(hwnd)) {
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    created = false;
    DestroyWindow(hwnd);
  }
  hotKeys.clear();
  // The class goes with the form, and with it the background brush made for it.
  if (classAtom_ != 0) {
    UnregisterClassW(className_.c_str(), instance);
  } else if (ownsBrush_) {
    DeleteObject(windowClass.hbrBackground);
  }
}

void Form::RegisterWindowClass() {
  className_ = u"Window" + Decimal(nextElementId);
  windowClass = WNDCLASSW{};
  windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = iconId != 0 ? LoadIconW(instance, MAKEINTRESOURCEW(iconId))
                                  : LoadIconW(nullptr, IDI_APPLICATION);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  ownsBrush_ = backColor != kNoColor;
  windowClass.hbrBackground =
      ownsBrush_ ? CreateSolidBrush(backColor) : GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = className_.c_str();
  classAtom_ = RegisterClassW(&windowClass);
}

void Form::Create() {
  if (created) return;
  RegisterWindowClass();
  id = ++nextElementId;
  const FormStyle s = StyleOf(*this);
  hwnd = CreateWindowExW(s.exStyle, className_.c_str(), text.c_str(), s.style, x, y, width, height,
                         nullptr, nullptr, instance, nullptr);
  if (mainWindow == nullptr) mainWindow = hwnd;
  HandleCreate(hwnd);
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  FinishCreate();
}

void Form::FormReserved() {}

void Form::Closing() {}

void Form::SetClientSize() {
  if (!created) return;
  RECT window{}, client{};
  GetWindowRect(hwnd, &window);
  GetClientRect(hwnd, &client);
  width = client.right - client.left;
  height = client.bottom - client.top;
  const std::int32_t frameWidth = std::max<std::int32_t>(0, window.right - window.left - width);
  const std::int32_t frameHeight = std::max<std::int32_t>(0, window.bottom - window.top - height);
  const POINT corner = RefreshPosition();
  x = corner.x - frameWidth;
  y = corner.y - 2 * frameHeight;
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Redraw();
  SetSize(frameWidth + kClientWidth, frameHeight + kClientHeight);
}

void Form::RegisterHotKeys() {
  for (std::size_t i = 0; i < hotKeys.size(); ++i) {
    RegisterHotKey(hwnd, static_cast<int>(i + 1), static_cast<UINT>(hotKeys[i].modifiers),
                   static_cast<UINT>(hotKeys[i].key));
  }
}

void Form::UnregisterHotKeys() {
  for (std::size_t i = 0; i < hotKeys.size(); ++i) UnregisterHotKey(hwnd, static_cast<int>(i + 1));
}

}  // namespace VexaUtility
