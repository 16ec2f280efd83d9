#include "framework/forms/message_loop.h"

#include "framework/forms/form.h"

namespace VexaUtility {

void RunMessageLoop(Form* form) {
  MSG message{};
  // An error result (-1) is handled like a message: the loop has no error exit.
  while (GetMessageW(&message, nullptr, 0, 0) != 0) {
    if (form != nullptr && form->dialog && IsDialogMessageW(form->hwnd, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace VexaUtility
