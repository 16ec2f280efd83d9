#include "framework/util/shell.h"
#include "platform/api/user.h"

namespace VexaUtility {

void ShowError(const std::string& text, const std::string& caption) {
  MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_TASKMODAL | MB_ICONERROR);
}

}  // namespace VexaUtility
