// The user's local application-data folder, existence tests and folders.
#pragma once

#include <string>

namespace VexaUtility {

// The folder as the system reports it; empty when it cannot be told.
std::string LocalAppDataFolder();
// The same folder made, with every missing folder on the way, where it does
// not exist yet (a fresh account may have none). False when it cannot be
// told or made.
bool EnsureLocalAppDataFolder();
// A file or a folder of that name exists.
bool PathExists(const std::string& path);
// The folder exists now (made one level deep when it was missing).
bool EnsureFolder(std::string path);
std::string WithTrailingBackslash(std::string path);

}  // namespace VexaUtility
