#include "platform/host/host.h"

namespace host {
namespace {
Host* installed = nullptr;
}

Host& Current() {
  if (!installed) installed = CreateLinkedHost();
  return *installed;
}

void Install(Host* replacement) { installed = replacement; }

}  // namespace host
