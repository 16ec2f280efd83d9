// The process entry: bring up the host, then hand over to the program's
// WinMain as the system does, with the command line after the program name.
#include <string>

#include "platform/api/kernel.h"
#include "platform/host/host.h"

namespace {

std::string CommandLineAfterProgram(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (!line.empty()) line += ' ';
    const std::string argument = argv[i];
    const bool quote = argument.empty() || argument.find_first_of(" \t") != std::string::npos;
    if (quote) line += '"';
    line += argument;
    if (quote) line += '"';
  }
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  host::Current();
  std::string commandLine = CommandLineAfterProgram(argc, argv);
  return WinMain(GetModuleHandleW(nullptr), nullptr, commandLine.data(), SW_SHOWDEFAULT);
}
