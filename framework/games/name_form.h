// The small dialog in which the player types a name when the last life is
// lost. A confirmed name goes into `playerName`; the game records the result
// when the dialog's window is destroyed, however it was closed.
#pragma once

#include <cstdint>
#include <string>

#include "framework/forms/form.h"

namespace VexaUtility {

class Button;
class FormGames;
class Label;
class TextBox;

// The name last confirmed in any name dialog; kept from one game to the next.
extern std::string playerName;

class FormNamePlayer : public Form {
 public:
  FormGames* owner = nullptr;    // not owned: the game form that opened the dialog
  TextBox* nameBox = nullptr;    // owned
  Label* promptLabel = nullptr;  // owned
  Button* okButton = nullptr;    // owned
  std::string prompt;

  // Makes the window and its controls; the window is shown when this returns.
  FormNamePlayer(HINSTANCE instance, const std::string& title);
  ~FormNamePlayer() override;

  void SetPrompt(const std::string& text);

  // Builds the label, the text box and the button (during WM_CREATE).
  virtual void Load();
  // Gives the game form back its place; the window is always let go.
  virtual bool OnClose();
  virtual void OnSize();
  // Enter confirms the name and is swallowed; every other character goes on.
  virtual bool OnChar(std::int32_t code);
  virtual void OnKeyDown(std::int32_t key);
  virtual void OnKeyUp(std::int32_t key);
  // "OK": a name that is not empty becomes `playerName` and closes the dialog.
  virtual void OnCommand(GUIElement* button);
};

}  // namespace VexaUtility
