// Kernel services: time, file times, the last error, modules, files.
#pragma once

#include "platform/api/base.h"

void GetLocalTime(SYSTEMTIME* time);
BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, FILETIME* fileTime);
BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime);
LONG CompareFileTime(const FILETIME* first, const FILETIME* second);
DWORD GetTickCount();
ULONGLONG GetTickCount64();

DWORD GetLastError();
void SetLastError(DWORD error);

HMODULE GetModuleHandleW(LPCWSTR moduleName);
constexpr DWORD ERROR_MOD_NOT_FOUND = 126;

// Resources embedded in the executable, found by type and id. Types are
// either numbers (MAKEINTRESOURCEW) or names such as u"WAVE".
inline LPCWSTR const RT_ICON = MAKEINTRESOURCEW(3);
inline LPCWSTR const RT_GROUP_ICON = MAKEINTRESOURCEW(14);
inline LPCWSTR const RT_VERSION = MAKEINTRESOURCEW(16);
inline LPCWSTR const RT_MANIFEST = MAKEINTRESOURCEW(24);
HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL data);
DWORD SizeofResource(HMODULE module, HRSRC resource);

constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;
constexpr DWORD MOVEFILE_COPY_ALLOWED = 0x2;
constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x8;
BOOL MoveFileExA(LPCSTR existingName, LPCSTR newName, DWORD flags);
BOOL DeleteFileA(LPCSTR name);

// The program's own entry point, called by the platform once the host is up.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);
