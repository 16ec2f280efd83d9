#include "framework/games/name_form.h"

#include "framework/controls/button.h"
#include "framework/controls/label.h"
#include "framework/controls/text_box.h"
#include "framework/games/form_games.h"

namespace VexaUtility {

std::string playerName;

namespace {

constexpr std::int32_t kEnter = 13;
constexpr std::int32_t kMaxNameLength = 10;
constexpr std::int32_t kMargin = 5;
constexpr std::int32_t kRowHeight = 25;
constexpr std::int32_t kFieldTop = 35;
constexpr std::int32_t kButtonWidth = 80;

FormNamePlayer* AsNameForm(GUIElement* element) {
  return dynamic_cast<FormNamePlayer*>(element);
}

// Characters typed into the name box, or into the dialog itself, are the
// dialog's to judge; those of any other element go on untouched.
bool RouteChar(GUIElement* element, std::int32_t code) {
  FormNamePlayer* target = nullptr;
  if (dynamic_cast<TextBox*>(element) != nullptr) {
    target = AsNameForm(element->parent);
  } else {
    target = AsNameForm(element);
  }
  return target != nullptr ? target->OnChar(code) : true;
}

void ForwardCommand(GUIElement* button) {
  if (FormNamePlayer* form = AsNameForm(button->parent)) form->OnCommand(button);
}

void CallLoad(GUIElement* element, HWND) {
  if (FormNamePlayer* form = AsNameForm(element)) form->Load();
}

bool CallClose(GUIElement* element) {
  FormNamePlayer* form = AsNameForm(element);
  return form != nullptr ? form->OnClose() : true;
}

void CallSize(GUIElement* element) {
  if (FormNamePlayer* form = AsNameForm(element)) form->OnSize();
}

void CallKeyDown(GUIElement* element, std::int32_t key) {
  if (FormNamePlayer* form = AsNameForm(element)) form->OnKeyDown(key);
}

void CallKeyUp(GUIElement* element, std::int32_t key) {
  if (FormNamePlayer* form = AsNameForm(element)) form->OnKeyUp(key);
}

// The controls' windows normally went with the dialog's; one that is left
// goes before its element does, so no window outlives what it stands for.
template <typename Control>
void Release(Control*& control) {
  if (control == nullptr) return;
  if (control->hwnd != nullptr && IsWindow(control->hwnd)) DestroyWindow(control->hwnd);
  delete control;
  control = nullptr;
}

}  // namespace

FormNamePlayer::FormNamePlayer(HINSTANCE instance, const std::string& title)
    : Form(instance, kDialogForm) {
  width = 250;
  height = 150;
  SetText(title);
  minimizeBox = false;
  resizable = false;
  onCreate = CallLoad;
  onClose = CallClose;
  onSize = CallSize;
  onChar = RouteChar;
  onKeyDown = CallKeyDown;
  onKeyUp = CallKeyUp;
  Create();  // Load runs inside, from WM_CREATE
}

FormNamePlayer::~FormNamePlayer() {
  // Closed while this is still a whole FormNamePlayer, so that OnClose and
  // the game's onDestroy run just as for a close by the player.
  if (created && IsWindow(hwnd)) {
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    created = false;
  }
  Release(nameBox);
  Release(promptLabel);
  Release(okButton);
}

void FormNamePlayer::SetPrompt(const std::string& text) {
  prompt = text;
  if (created && promptLabel != nullptr) promptLabel->SetText(prompt);
}

// Runs while the window is being made: `created` is still false and the
// layout follows the stored outer width, not a measured client width.
void FormNamePlayer::Load() {
  auto* label = new Label(this, prompt);
  label->SetSize(width - 2 * kMargin, kRowHeight);
  label->x = kMargin;
  label->y = kMargin;
  label->Create();

  auto* box = new TextBox(this, "");
  box->SetSize(width / 2 - 2 * kMargin, kRowHeight);
  box->x = kMargin;
  box->y = kFieldTop;
  box->maxLength = kMaxNameLength;
  box->lowerCase = false;
  box->upperCase = true;
  box->ApplyStyle();
  box->onChar = RouteChar;
  box->Create();
  box->Focus();

  auto* button = new Button(this, "OK");
  button->SetSize(kButtonWidth, kRowHeight);
  button->x = width / 2 + kMargin;
  button->y = kFieldTop;
  button->onCommand = ForwardCommand;
  button->Create();

  promptLabel = label;
  nameBox = box;
  okButton = button;
}

bool FormNamePlayer::OnClose() {
  UnregisterHotKeys();
  if (owner != nullptr) {
    owner->companion = nullptr;
    owner->SetEnabled(true);
  }
  return true;
}

void FormNamePlayer::OnSize() {}

bool FormNamePlayer::OnChar(std::int32_t code) {
  if (code != kEnter) return true;
  OnCommand(okButton);
  return false;
}

void FormNamePlayer::OnKeyDown(std::int32_t) {}

void FormNamePlayer::OnKeyUp(std::int32_t) {}

void FormNamePlayer::OnCommand(GUIElement* button) {
  if (button == nullptr || okButton == nullptr || button->id != okButton->id) return;
  if (nameBox == nullptr) return;
  const std::string name = nameBox->GetText();
  if (name.empty()) return;
  playerName = name;
  // The window, and with it the controls, is gone when this returns: OnClose
  // and the game's onDestroy have run.
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  created = false;
}

}  // namespace VexaUtility
