// Stands in for a program: reports what the process entry handed to WinMain.
#include <cstdio>

#include "platform/api/kernel.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
  if (instance == nullptr || instance != GetModuleHandleW(nullptr)) return 2;
  if (previous != nullptr) return 3;
  if (showCommand != SW_SHOWDEFAULT) return 4;
  std::printf("command line: [%s]\n", commandLine);
  return 0;
}
