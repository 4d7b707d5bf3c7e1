#pragma once
// Saving without losing the old file on failure and without changing what the file is: the bytes
// go to a fresh file beside the real file (a symbolic link's target), which then takes its place
// with the old file's permissions and attributes.

namespace platform {

// Creates an empty file beside the file a save to path ends in, under a name no file had, and
// returns that name (release with delete[]). Null when that file is read-only or nothing can be
// created there.
char* createSaveFile(const char* path);
// Puts the save file in place of the file a save to path ends in; false leaves both as they were.
bool replaceBySaveFile(const char* saveFile, const char* path);

// The halves: the file a save to path ends in (release with delete[]), whether it is read-only,
// and the replacement that keeps the replaced file's permissions or attributes.
char* realFileOf(const char* path);
bool isReadOnlyFile(const char* path);
bool replaceKeepingIdentity(const char* source, const char* target);

}  // namespace platform
