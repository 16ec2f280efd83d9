// A whole file read into memory at once, for the readers of pictures and
// sounds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace crt {

// The whole of a regular file at a path of the host's own (already
// translated), or false with the last error set: the error of the open for a
// missing file or folder, ERROR_ACCESS_DENIED for what is not a regular file,
// ERROR_NOT_ENOUGH_MEMORY above maxBytes or when there is no room for it
// (refused before a byte is read),
// ERROR_READ_FAULT for a failed read. Opened without blocking, so that a
// named pipe given as a file cannot hang the program.
bool ReadWholeFile(const std::string& systemPath, std::size_t maxBytes,
                   std::vector<std::uint8_t>& bytes);

}  // namespace crt
