// Pixel-precise collision in software, on the decoded pixels, so it works in both backends.
// Each written image is kept as a shape: the image, its frame and the inverse of the
// transform it was written with. A test walks the whole pixels where two shapes' bounds
// meet and samples both at the pixel centre.
#include "platform/collision.h"

#include <algorithm>
#include <cmath>

namespace {

struct Shape {
    TImage img;                   // keeps the pixels alive while the shape is in a layer
    const Pixmap* pm = nullptr;
    double px = 0, py = 0;        // where the handle lands
    double hx = 0, hy = 0;        // handle in image pixels
    double inv[4] = {1, 0, 0, 1}; // world offset from the handle -> image offset
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    uint32_t layers = 0;
    intptr_t id = 0;

    bool solidAt(double wx, double wy) const {
        double dx = wx - px, dy = wy - py;
        double u = hx + inv[0] * dx + inv[1] * dy;
        double v = hy + inv[2] * dx + inv[3] * dy;
        if (!(u >= 0.0 && v >= 0.0 && u < pm->width && v < pm->height)) return false;
        int iu = int(u), iv = int(v);
        return (pm->at(iu, iv) >> 24) >= 128u;
    }
};

std::vector<Shape> g_shapes;  // in write order

// Tests look no further than this from the virtual screen, so an absurd position or
// scale costs a bounded amount of work instead of hanging the frame.
constexpr double kWorldLimit = 8192.0;

// Exact values on the quarter turns, so a turned image keeps its pixels on the grid.
void sinCos(double degrees, double& s, double& c) {
    double q = std::fmod(degrees, 360.0);
    if (q < 0) q += 360.0;
    if (q == 0.0) { s = 0; c = 1; return; }
    if (q == 90.0) { s = 1; c = 0; return; }
    if (q == 180.0) { s = 0; c = -1; return; }
    if (q == 270.0) { s = -1; c = 0; return; }
    double r = degrees * 3.14159265358979323846 / 180.0;
    s = std::sin(r);
    c = std::cos(r);
}

// The shape of img drawn at (x, y) with the current drawing state; false when it covers
// nothing (no image, no such frame, zero scale).
bool makeShape(const TImage& img, float x, float y, int frame, Shape& out) {
    if (!img) return false;
    const Pixmap* pm = ImagePixmap(img, frame);
    if (!pm || pm->width <= 0 || pm->height <= 0 ||
        pm->pixels.size() < size_t(pm->width) * size_t(pm->height))
        return false;
    float ox = 0, oy = 0, hx = 0, hy = 0, sx = 1, sy = 1;
    GetOrigin(ox, oy);
    GetImageHandle(img, hx, hy);
    GetScale(sx, sy);
    if (std::fabs(sx) < 1e-6f || std::fabs(sy) < 1e-6f) return false;
    double s = 0, c = 1;
    sinCos(GetRotation(), s, c);

    out.img = img;
    out.pm = pm;
    out.px = double(x) + ox;
    out.py = double(y) + oy;
    out.hx = hx;
    out.hy = hy;
    // Forward: world = p + R * S * (local - h), R turning clockwise on a y-down screen.
    out.inv[0] = c / sx;
    out.inv[1] = s / sx;
    out.inv[2] = -s / sy;
    out.inv[3] = c / sy;
    double corners[4][2] = {{0, 0}, {double(pm->width), 0}, {0, double(pm->height)},
                            {double(pm->width), double(pm->height)}};
    out.minX = out.minY = INFINITY;
    out.maxX = out.maxY = -INFINITY;
    for (auto& k : corners) {
        double lx = (k[0] - hx) * sx, ly = (k[1] - hy) * sy;
        double wx = out.px + c * lx - s * ly;
        double wy = out.py + s * lx + c * ly;
        out.minX = std::min(out.minX, wx);
        out.maxX = std::max(out.maxX, wx);
        out.minY = std::min(out.minY, wy);
        out.maxY = std::max(out.maxY, wy);
    }
    return std::isfinite(out.minX) && std::isfinite(out.maxX) && std::isfinite(out.minY) &&
           std::isfinite(out.maxY);
}

bool touches(const Shape& a, const Shape& b) {
    double x0 = std::max({a.minX, b.minX, -kWorldLimit});
    double x1 = std::min({a.maxX, b.maxX, kWorldLimit});
    double y0 = std::max({a.minY, b.minY, -kWorldLimit});
    double y1 = std::min({a.maxY, b.maxY, kWorldLimit});
    if (x0 >= x1 || y0 >= y1) return false;
    int ix0 = int(std::floor(x0)), ix1 = int(std::ceil(x1));
    int iy0 = int(std::floor(y0)), iy1 = int(std::ceil(y1));
    for (int py = iy0; py < iy1; ++py) {
        double wy = py + 0.5;
        for (int px = ix0; px < ix1; ++px) {
            double wx = px + 0.5;
            if (a.solidAt(wx, wy) && b.solidAt(wx, wy)) return true;
        }
    }
    return false;
}

}  // namespace

void ResetCollisions(uint32_t layerMask) {
    for (auto& s : g_shapes) s.layers &= ~layerMask;
    std::erase_if(g_shapes, [](const Shape& s) { return s.layers == 0; });
}

std::vector<intptr_t> CollideImage(const TImage& img, float x, float y, int frame,
                                   uint32_t collideMask, uint32_t writeMask, intptr_t id) {
    std::vector<intptr_t> ids;
    Shape shape;
    if (!makeShape(img, x, y, frame, shape)) return ids;
    if (collideMask != 0) {
        for (const Shape& other : g_shapes) {
            if ((other.layers & collideMask) == 0) continue;
            if (std::find(ids.begin(), ids.end(), other.id) != ids.end()) continue;
            if (touches(shape, other)) ids.push_back(other.id);
        }
    }
    if (writeMask != 0) {
        shape.layers = writeMask;
        shape.id = id;
        g_shapes.push_back(std::move(shape));
    }
    return ids;
}
