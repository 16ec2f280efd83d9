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

// The replacement takes the replaced file's name and its identity: its
// permissions (and, for a privileged process, its owner) stay those of the
// replaced file. Both must be on the same volume; a replaced file that is
// missing fails with ERROR_FILE_NOT_FOUND and changes nothing. The name is
// replaced as given: to replace the file a link leads to, pass the link's
// final path (GetFinalPathNameByHandleA).
constexpr DWORD REPLACEFILE_WRITE_THROUGH = 0x1;
BOOL ReplaceFileA(LPCSTR replacedName, LPCSTR replacementName, LPCSTR backupName, DWORD flags,
                  LPVOID exclude, LPVOID reserved);

// Files opened as handles, for locking and for asking where a name leads.
// Sharing modes are accepted and not enforced: the host has none.
constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;
constexpr DWORD FILE_SHARE_DELETE = 0x4;
constexpr DWORD CREATE_NEW = 1;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr DWORD TRUNCATE_EXISTING = 5;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
// Opens a link itself rather than the file it leads to.
constexpr DWORD FILE_FLAG_OPEN_REPARSE_POINT = 0x00200000;
inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(-1);
struct SECURITY_ATTRIBUTES;
HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD shareMode, SECURITY_ATTRIBUTES* security,
                   DWORD disposition, DWORD flagsAndAttributes, HANDLE templateFile);
BOOL CloseHandle(HANDLE object);

// Locks are exclusive, advisory and held by the handle until it unlocks or
// closes; a second handle to the same file, in this process or another,
// waits for it. Only the whole file can be locked (offset 0, every byte).
struct OVERLAPPED {
  ULONG_PTR Internal;
  ULONG_PTR InternalHigh;
  DWORD Offset;
  DWORD OffsetHigh;
  HANDLE hEvent;
};
constexpr DWORD LOCKFILE_FAIL_IMMEDIATELY = 0x1;
constexpr DWORD LOCKFILE_EXCLUSIVE_LOCK = 0x2;
BOOL LockFileEx(HANDLE file, DWORD flags, DWORD reserved, DWORD bytesLow, DWORD bytesHigh,
                OVERLAPPED* overlapped);
BOOL UnlockFileEx(HANDLE file, DWORD reserved, DWORD bytesLow, DWORD bytesHigh,
                  OVERLAPPED* overlapped);

// The file's own path with every link on the way resolved, as narrow text.
// The result's length, or the size needed (with the zero) when the buffer is
// too small, or 0 on failure.
constexpr DWORD FILE_NAME_NORMALIZED = 0x0;
constexpr DWORD VOLUME_NAME_DOS = 0x0;
DWORD GetFinalPathNameByHandleA(HANDLE file, LPSTR path, DWORD size, DWORD flags);

DWORD GetCurrentProcessId();
// Waits on the real clock, whatever the host.
void Sleep(DWORD milliseconds);

// The program's own entry point, called by the platform once the host is up.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);
