// The program's one message loop.
#pragma once

namespace VexaUtility {

class Form;

// Runs until WM_QUIT. The messages of a dialog form given here go through
// the system's dialog keyboard handling first.
void RunMessageLoop(Form* form);

}  // namespace VexaUtility
