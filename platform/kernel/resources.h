// The resources of the executable. The build turns the files of resources/
// into a table in a generated source of the executable, which hands it over
// here before WinMain runs; a test program can hand over a table of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/api/base.h"

namespace kernel {

struct EmbeddedResource {
  std::u16string_view typeName;  // a named type (u"WAVE"), or empty for a numbered one
  WORD typeId;                   // the number of a numbered type (RT_ICON, ...)
  WORD id;                       // resources are named by number only
  std::span<const std::uint8_t> data;
};

// Adds a table of resources; the table must live as long as the process.
// A later table's resource hides an earlier one with the same type and id.
void RegisterResources(std::span<const EmbeddedResource> table);

// Forgets every table (for tests).
void ClearResources();

}  // namespace kernel
