#pragma once
// The gl backend keeps a frame's draws until it must hand them to GL, and first leaves out
// what a later opaque rectangle hides: a draw wholly under one is dropped, an upright
// rectangle partly under one is cut down to the parts that still show. Pure geometry, no GL.
#include <functional>
#include <vector>

#include "platform/detail/gfx_internal.h"

namespace gfx {

struct DeferredDraw {
    unsigned texture = 0;
    int blend = 0;
    bool linear = false;
    unsigned first = 0, count = 0;  // vertices in the frame's list
    bool opaque = false;  // solid, and every texel it shows and its colour of full opacity
};

// Device pixels per virtual unit and the clip (scissor) rectangle in device pixels, rows
// from the top. Cut pieces are appended to verts; draws is rewritten in drawing order.
// A draw is an occluder only when it replaces what is under it (solid blend) and is an
// upright rectangle; a draw is cut only when it is an upright rectangle of one colour whose
// texture coordinates follow its edges.
void cullHidden(std::vector<DeferredDraw>& draws, std::vector<Vertex>& verts, float kx, float ky,
                const Rect& clip);

// Drivers that rasterise in software pay for every small quad far more than for its pixels.
// A run of blended draws of one texture spot (the same picture stamped many times, side by
// side: the grid squares, the cell covers) can go as one quad over a sheet holding the
// stamps where they were and nothing between. That keeps every pixel only when each stamp
// maps its texels one to one onto the display's pixels and no two stamps overlap.
struct StampRun {
    size_t first = 0, count = 0;          // of the draws
    Rect sheet;                           // device pixels, rows from the top
    int tx = 0, ty = 0, tw = 0, th = 0;   // the stamp's texels in its texture
    std::vector<int> at;                  // each stamp's top-left in the sheet: x, y, x, y...
};
// texSize gives a texture's size; false when it is not known.
std::vector<StampRun> findStampRuns(const std::vector<DeferredDraw>& draws, const std::vector<Vertex>& verts,
                                    float kx, float ky,
                                    const std::function<bool(unsigned texture, int& w, int& h)>& texSize);

}  // namespace gfx

namespace gfx {

// A layer: an opaque upright rectangle (solid, one colour or texels one to one) and the draws
// right after it that lie wholly on it, each an upright quad of one colour on whole pixels
// with its texels (if any) one to one. What they make of the rectangle depends on nothing
// under it, so a frame that draws them the same as the last can copy the rectangle made then.
struct LayerGroup {
    size_t first = 0, count = 0;  // of the draws; the first is the base
    Rect rect;                    // device pixels, rows from the top
};
// The part inside `part` (device pixels) of an upright quad of one colour whose texture
// coordinates follow its edges, appended to out as a quad: 1, or 0 when nothing of it is
// inside, or -1 (nothing appended) for any other quad.
int clipQuad(const Vertex* q, const Rect& part, float kx, float ky, std::vector<Vertex>& out);

std::vector<LayerGroup> findLayerGroups(const std::vector<DeferredDraw>& draws, const std::vector<Vertex>& verts,
                                        float kx, float ky,
                                        const std::function<bool(unsigned texture, int& w, int& h)>& texSize);

}  // namespace gfx

namespace gfx {

// A software driver keeps every change of texture, blend or filter of a frame until it draws
// it, and pays for each far more than for the quads. Draws of one kind go together where no
// pixel can tell: a draw moves back to the last draw of its kind only past draws that cannot
// touch a pixel it touches (device pixels, one to spare), or that add light as it does
// (adding comes out the same in any order). draws is rewritten in the new order.
void batchDraws(std::vector<DeferredDraw>& draws, const std::vector<Vertex>& verts, float kx, float ky,
                const Rect& clip);
// Changes of texture, blend or filter along the draws, the first counted.
size_t countRuns(const std::vector<DeferredDraw>& draws);

}  // namespace gfx

namespace gfx {

// Whether every triangle of the list (whole triangles, vertices in virtual units, kx and ky
// device pixels a unit) shows at most a texel a pixel in every direction on a texture of
// texW x texH texels: enlarged, or one to one, turned or not. Linear sampling of a
// mip-mapped texture then reads its largest level only, the level of detail never above 0.
bool enlargedOnly(const Vertex* v, size_t n, float kx, float ky, int texW, int texH);

}  // namespace gfx
