// Opening documents and addresses, and the program's one error box.
#pragma once

#include <string>

namespace VexaUtility {

// True when the shell accepted the target.
bool OpenWithShell(std::string target);
// A task-modal error box with one OK button; returns when it is closed.
void ShowError(const std::string& text, const std::string& caption);

}  // namespace VexaUtility
