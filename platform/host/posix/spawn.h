// Starting a helper program of the desktop without a shell in between.
#pragma once

#include <string>
#include <vector>

namespace host::posix {

// Starts `program` (looked up on PATH) with `arguments`, each passed as one
// argument exactly as given, and does not wait for it to finish. True when
// the program was started; the child is never left behind as a zombie.
bool SpawnDetached(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace host::posix
