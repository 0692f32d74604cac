#pragma once
// A swaying leaf: one frond pinned at its stem, swinging about it, first slowly to one side,
// then faster from side to side. It never moves itself; its owner moves and scales it and
// calls update and draw every frame (there is no list of leaves).
#include <array>
#include <memory>

#include "platform/graphics.h"

struct TLeaf {
    int n = 0;          // picture 0 or 1
    float x = 0, y = 0; // stem (the picture's handle)
    float r = 0;        // rotation, degrees
    float str = 0;      // rest angle, the middle of the swing
    float s = 1;        // scale
    float p = 0;        // swing progress, 0 at rest to 1 at full swing
    float speed = 0;    // change of p per 1/60 s
    float pKier = 1;    // side of the swing, +1 or -1
    int state = 1;      // 1 swinging out, 0 swinging back
    float maxRot = 0;   // largest swing, degrees

    // Handles at the stems.
    static std::array<TImage, 2> img;

    virtual ~TLeaf() = default;
    virtual void draw();
    virtual void update();
    virtual void setkier();
    virtual void randKier();
};

int setupLeafs();
std::shared_ptr<TLeaf> createLeafObj(int n, float x, float y, float str, float maxRot);
void resetLeafs();
