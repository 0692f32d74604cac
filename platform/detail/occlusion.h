#pragma once
// The gl backend keeps a frame's draws until it must hand them to GL, and first leaves out
// what a later opaque rectangle hides: a draw wholly under one is dropped, an upright
// rectangle partly under one is cut down to the parts that still show. Pure geometry, no GL.
#include <vector>

#include "platform/detail/gfx_internal.h"

namespace gfx {

struct DeferredDraw {
    unsigned texture = 0;
    int blend = 0;
    bool linear = false;
    unsigned first = 0, count = 0;  // vertices in the frame's list
};

// Device pixels per virtual unit and the clip (scissor) rectangle in device pixels, rows
// from the top. Cut pieces are appended to verts; draws is rewritten in drawing order.
// A draw is an occluder only when it replaces what is under it (solid blend) and is an
// upright rectangle; a draw is cut only when it is an upright rectangle of one colour whose
// texture coordinates follow its edges.
void cullHidden(std::vector<DeferredDraw>& draws, std::vector<Vertex>& verts, float kx, float ky,
                const Rect& clip);

}  // namespace gfx
