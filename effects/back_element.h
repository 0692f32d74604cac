#pragma once
// Moving elements of a hidden-object scene's background. A "FISH" swims straight across its
// box at a random height and, past the far side, starts again from one end of the box.
// The level loader fills url, typ, the box and the handle, loads img and calls reset once;
// the scene updates and draws its list every frame.
#include <list>
#include <memory>
#include <string>

#include "platform/graphics.h"

struct TBackElement {
    TImage img;
    std::string typ;  // upper-cased by reset; "FISH" moves
    std::string url;  // picture path below the asset folder
    float x = 0, y = 0;
    float x1 = 0, y1 = 0;  // box, top-left
    float x2 = 0, y2 = 0;  // box, bottom-right
    float ax = 0, ay = 0;  // movement per 1/60 s; ay is 0
    float r = 0;
    float a = 1;
    float s = 1;
    float hx = 0, hy = 0;  // picture handle

    virtual ~TBackElement() = default;
    virtual void draw();
    virtual void update();
    virtual void reset();
    virtual void reset_fish();
};

using TBackElementList = std::list<std::shared_ptr<TBackElement>>;

// What the level loader does for each element of a level file: the fields, the picture
// from the asset folder with its handle at (hx, hy), then reset (a "FISH" starts swimming).
std::shared_ptr<TBackElement> createBackElement(const std::string& url, const std::string& typ, float x1, float y1,
                                                float x2, float y2, float hx, float hy);

void _updateBackElement(TBackElementList& elements);
void _drawBackElement(TBackElementList& elements);
