// A key combination that a form registers with the system while it is the
// active form; pressing it calls the entry's callback.
#pragma once

#include <cstdint>

namespace VexaUtility {

class Form;

using HotKeyCallback = void (*)(Form* form, std::int32_t modifiers, std::int32_t key);

struct HotKey {
  std::int32_t modifiers = 0;  // MOD_ flags
  std::int32_t key = 0;        // virtual-key code
  HotKeyCallback callback = nullptr;
};

}  // namespace VexaUtility
