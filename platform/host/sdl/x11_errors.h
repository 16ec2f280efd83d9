#pragma once

namespace host::sdl {

// On an X display: a request that names a window the program has already
// destroyed is no reason to end the program.
void ForgiveGoneWindows();

}  // namespace host::sdl
