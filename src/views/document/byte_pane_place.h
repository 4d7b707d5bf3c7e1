#pragma once
// Where the byte pane of every document tab stands: beside the rows or below them, as the user last
// chose it, remembered in the settings file.
#include <windows.h>

enum class BytePlace { Beside, Below };

BytePlace bytePlace();
void chooseBytePlace(BytePlace place);

// Splits a tab's area between the rows and a pane that needs paneWidth for a whole line.
void splitForBytes(const RECT& area, int paneWidth, RECT* rows, RECT* pane);
