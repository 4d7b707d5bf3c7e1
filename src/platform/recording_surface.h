#pragma once
// A device context that records text and lines instead of drawing them: the command-line tool
// prints what the document view would draw, and tests check where things were drawn.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

namespace platform {

struct DrawnText {
    int x;
    int y;
    std::string text;
    Font font;
    uint32_t align;
    bool transparent;
};

struct DrawnLine {
    int x1;
    int y1;
    int x2;
    int y2;
    Pen pen;
};

class RecordingSurface {
  public:
    RecordingSurface();
    ~RecordingSurface();
    RecordingSurface(const RecordingSurface&) = delete;
    RecordingSurface& operator=(const RecordingSurface&) = delete;

    Dc dc() { return this; }
    static RecordingSurface* find(Dc dc);

    std::vector<DrawnText> texts;
    std::vector<DrawnLine> lines;
    Font font = nullptr;
    Pen pen = nullptr;
    uint32_t align = 0;
    bool transparent = false;
    int penX = 0;
    int penY = 0;

    void clear();
};

}  // namespace platform
