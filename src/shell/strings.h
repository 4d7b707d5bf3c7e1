#pragma once
// Owned string copies; each result is released with delete[].

// Null gives null; otherwise a copy with its terminating zero.
char* DupString(const char* text);
// The characters after the last backslash, or the whole path. Null gives null.
char* FileNameOfPath(const char* path);
// A copy in which every vertical bar is a zero byte (the filter list of the file dialogs).
char* FilterFromText(const char* text);
