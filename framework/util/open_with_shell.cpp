#include "framework/util/shell.h"
#include "framework/util/text.h"
#include "platform/api/shell.h"

namespace VexaUtility {

bool OpenWithShell(std::string target) {
  const std::u16string file = ToWide(std::move(target));
  const HINSTANCE result = ShellExecuteW(nullptr, u"open", file.c_str(), nullptr, nullptr, SW_SHOW);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace VexaUtility
