#pragma once
// The clue numbers of one row or column, and the bookkeeping of the line as a whole:
// a line is finished once every one of its numbers has settled as resolved; at that
// moment, if the player's latest move was right, it asks for a praise caption, and from
// then on its numbers fade out.
#include <memory>
#include <vector>

#include "game/board/number.h"

using TNumberList = std::vector<std::shared_ptr<TNumber>>;

class TNumberLine {
public:
    TNumberList lista;   // the line's numbers, the last run of the line first
    int wszystkie = 0;   // 1 once every number has settled as cleared; never reset

    // The settled check right after the line is built: no caption.
    int check();
    // One frame of every number, the finished check, the caption and the fade-out.
    int update();
    int setMajorNAlpha(float a);
    int setMajorAlpha(float a);
    int setDAlpha(float a);
    int setNAlpha(float a);
};
