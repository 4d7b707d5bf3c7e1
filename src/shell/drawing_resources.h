#pragma once
// The brushes, pens, fonts and text metrics made once at start-up and used by every window and
// every field type that paints. Nobody deletes them; they live until the process ends.
#include <cstdint>

#include "platform/gdi.h"

extern uint32_t clrHighlight;
extern platform::Brush brWindow;
extern platform::Brush brBtnFace;
extern platform::Brush brHighlight;
extern platform::Brush brInactiveSelection;
extern platform::Pen penBlack;
extern platform::Pen penHighlight;
extern platform::Pen penDivider;
extern platform::Pen penTreeLine;
extern platform::Font fntNormal;
extern platform::Font fntBold;
extern platform::TextMetric tmNormal;
extern platform::TextMetric tmBold;

// Creates them in the order above (the cursor belongs to the windows).
void createDrawingResources();
