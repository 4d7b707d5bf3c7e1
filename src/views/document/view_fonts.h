#pragma once
// The fonts of the rows (the shared normal and bold fonts and their metrics) and of the byte pane, in
// the sizes the settings file keeps; at start and after the preferences change.
void applyFontSizes();
