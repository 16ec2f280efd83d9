// The C runtime library of the windowing system, as far as this program uses
// it: file existence, folders, and buffered file streams with text and binary
// modes. The functions keep the runtime's names and behaviour; they live in
// the namespace crt so that they stand beside the host's own C library.
//
// Paths are narrow text, one byte per character (code points 0 to 255), with
// "\" or "/" as separators.
//
// Text mode (the default, or "t" in the mode): reading turns CR LF into LF and
// stops at a Ctrl-Z byte (0x1A) as at the end of the file; writing turns LF
// into CR LF. Binary mode ("b") passes every byte unchanged.
#pragma once

#include <cstddef>
#include <cstdio>  // EOF, SEEK_SET, SEEK_CUR, SEEK_END

namespace crt {

struct FILE;

// Mode 0 exists, 2 write, 4 read, 6 both. A file without any write
// permission is read-only and fails mode 2 for every user.
int _access(const char* path, int mode);
int _mkdir(const char* path);

// Modes "r", "w", "a", each with "+", "t" or "b"; "x" after "w" (as in
// "wtx") makes a new file only: an existing name, a link included, fails.
FILE* fopen(const char* path, const char* mode);
int fclose(FILE* stream);

int fgetc(FILE* stream);
char* fgets(char* buffer, int size, FILE* stream);
std::size_t fread(void* buffer, std::size_t size, std::size_t count, FILE* stream);

int fputc(int c, FILE* stream);
int fputs(const char* text, FILE* stream);
std::size_t fwrite(const void* buffer, std::size_t size, std::size_t count, FILE* stream);
int fflush(FILE* stream);

int fseek(FILE* stream, long offset, int origin);
long ftell(FILE* stream);
void rewind(FILE* stream);

int feof(FILE* stream);
int ferror(FILE* stream);
void clearerr(FILE* stream);

int _fileno(FILE* stream);
int _commit(int fd);  // writes the file's data through to the disk

int remove(const char* path);
int rename(const char* oldPath, const char* newPath);  // fails when newPath exists

}  // namespace crt
