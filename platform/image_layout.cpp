// What an image's pixels say about drawing it, worked out once at load: which cells are
// opaque, which rectangle can show anything at all (the rest is trimmed), and for large
// images the opaque and translucent pieces, so the driver blends and fills only where the
// picture needs it. Filtering reads one pixel around each sample, so every test below
// looks one pixel further than the rectangle it decides about.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/detail/gfx_internal.h"

namespace gfx {
namespace {

// Large single images are cut into blocks of this size, classified one by one.
constexpr int kBlock = 32;
constexpr int kPiecesFromArea = 192 * 192;
// Small images keep a bit a pixel of coverage for covering tests.
constexpr int kMasksUpToArea = 128 * 128;

Rect grow(const Rect& r, int by, int w, int h) {
    int x0 = std::max(0, r.x - by), y0 = std::max(0, r.y - by);
    int x1 = std::min(w, r.x + r.w + by), y1 = std::min(h, r.y + r.h + by);
    return Rect{x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

enum Kind { Empty, Opaque, Mixed };

// The analysis reads only alphas, from decoded pixels or from a plane of alphas alone (a
// picture streamed from its file, never decoded whole).
struct PixelRows {
    const Pixmap& pm;
    int width() const { return pm.width; }
    int height() const { return pm.height; }
    const uint32_t* row(int y) const { return pm.pixels.data() + size_t(y) * size_t(pm.width); }
    static uint32_t alpha(uint32_t p) { return p >> 24; }
};
struct AlphaRows {
    const std::vector<uint8_t>& a;
    int w, h;
    int width() const { return w; }
    int height() const { return h; }
    const uint8_t* row(int y) const { return a.data() + size_t(y) * size_t(w); }
    static uint32_t alpha(uint8_t v) { return v; }
};

// The class of the pixels of r and one pixel around it (inside the cell).
template <class Rows>
Kind classify(const Rows& pm, const Rect& r) {
    Rect g = grow(r, 1, pm.width(), pm.height());
    // The alphas or-ed and and-ed together, without a branch a pixel.
    uint32_t some = 0, every = 0xFFu;
    for (int y = g.y; y < g.y + g.h; ++y) {
        const auto* row = pm.row(y);
        for (int x = g.x; x < g.x + g.w; ++x) {
            some |= Rows::alpha(row[x]);
            every &= Rows::alpha(row[x]);
        }
        if (some != 0 && every != 255) return Mixed;
    }
    return some == 0 ? Empty : (every == 255 ? Opaque : Mixed);
}

template <class Rows>
void makePieces(TImageData& img, const Rows& pm) {
    const Rect& d = img.drawn;
    // Runs of blocks of one class along each row of blocks...
    std::vector<ImagePiece> runs;
    for (int by = d.y; by < d.y + d.h; by += kBlock) {
        int bh = std::min(kBlock, d.y + d.h - by);
        for (int bx = d.x; bx < d.x + d.w; bx += kBlock) {
            int bw = std::min(kBlock, d.x + d.w - bx);
            Kind k = classify(pm, Rect{bx, by, bw, bh});
            if (k == Empty) continue;
            ImagePiece* last = runs.empty() ? nullptr : &runs.back();
            if (last && last->r.y == by && last->r.x + last->r.w == bx && last->opaque == (k == Opaque))
                last->r.w += bw;
            else
                runs.push_back(ImagePiece{Rect{bx, by, bw, bh}, k == Opaque});
        }
    }
    // ...then runs of the same span stacked down the rows.
    for (const ImagePiece& run : runs) {
        bool merged = false;
        for (ImagePiece& p : img.pieces)
            if (p.opaque == run.opaque && p.r.x == run.r.x && p.r.w == run.r.w &&
                p.r.y + p.r.h == run.r.y) {
                p.r.h += run.r.h;
                merged = true;
                break;
            }
        if (!merged) img.pieces.push_back(run);
    }
}

CoverageMask makeMask(const Pixmap& pm) {
    CoverageMask m;
    size_t n = size_t(pm.width) * size_t(pm.height);
    m.solid.assign((n + 63) / 64, 0);
    m.blank.assign((n + 63) / 64, 0);
    for (size_t i = 0; i < n; ++i) {
        uint32_t a = pm.pixels[i] >> 24;
        if (a == 255) m.solid[i >> 6] |= uint64_t(1) << (i & 63);
        if (a == 0) m.blank[i >> 6] |= uint64_t(1) << (i & 63);
    }
    return m;
}

// Everything but the masks, from the cells' alphas.
template <class Rows>
void analyseCells(TImageData& img, const std::vector<Rows>& cells) {
    img.analysed = true;
    const int w = img.cellW, h = img.cellH;
    img.frameOpaque.assign(cells.size(), 0);
    img.pieces.clear();
    img.masks.clear();
    int x0 = w, y0 = h, x1 = 0, y1 = 0;
    for (size_t f = 0; f < cells.size(); ++f) {
        const Rows& pm = cells[f];
        bool opaque = true;
        for (int y = 0; y < h; ++y) {
            const auto* row = pm.row(y);
            // Plain loops the compiler can run many pixels at a time: this is most of the
            // loading's own work on the pixels.
            if (opaque) {
                uint32_t all = 0xFFu;
                for (int x = 0; x < w; ++x) all &= Rows::alpha(row[x]);
                opaque = all == 255;
            }
            int first = 0;
            while (first < w && Rows::alpha(row[first]) == 0) ++first;
            if (first < w) {
                int last = w - 1;
                while (Rows::alpha(row[last]) == 0) --last;
                x0 = std::min(x0, first);
                x1 = std::max(x1, last + 1);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y + 1);
            }
        }
        img.frameOpaque[f] = opaque;
    }
    const bool mipmapped = (img.flags & MIPMAPPEDIMAGE) != 0;
    if (mipmapped) {
        // Smaller mip levels read far beyond a pixel: keep the whole cell.
        img.drawn = img.stored = Rect{0, 0, w, h};
    } else if (x1 <= x0) {
        img.drawn = img.stored = Rect{};  // nothing to show in any cell
    } else {
        Rect shows{x0, y0, x1 - x0, y1 - y0};
        img.drawn = grow(shows, 1, w, h);
        img.stored = grow(shows, 2, w, h);
    }
    if (!mipmapped && cells.size() == 1 && w * h >= kPiecesFromArea && img.drawn.w > 0)
        makePieces(img, cells[0]);
}

}  // namespace

void analyseImage(TImageData& img) {
    std::vector<PixelRows> cells;
    cells.reserve(img.frames.size());
    for (const Pixmap& pm : img.frames) cells.push_back(PixelRows{pm});
    analyseCells(img, cells);
    if (img.cellW * img.cellH <= kMasksUpToArea)
        for (const Pixmap& pm : img.frames) img.masks.push_back(makeMask(pm));
}

bool streamable(const TImageData& img) {
    return img.frames.empty() && !img.keepPixels && !img.pixelsRead && !img.readWhole && !img.masked &&
           !img.path.empty() && img.frameCount == 1 && img.firstCell == 0 && !(img.flags & MIPMAPPEDIMAGE) &&
           img.cellW * img.cellH >= kPiecesFromArea;
}

bool streamCellRows(const TImageData& img, const CellBand& band) {
    int next = 0;
    bool same = true;
    const bool read = streamImageRows(img.path, kRowBand, [&](const uint32_t* rows, int first, int count, int width) {
        same = same && width == img.cellW && first == next;
        next = first + count;
        if (same) same = band(rows, first, count, width);
    });
    return read && same && next >= img.cellH;
}

bool analyseStreamed(TImageData& img) {
    if (!streamable(img)) return false;
    const int w = img.cellW, h = img.cellH;
    std::vector<uint8_t> alphas(size_t(w) * size_t(h));
    // The picture the header promised, no taller.
    const bool read = streamCellRows(img, [&](const uint32_t* rows, int first, int count, int) {
        if (first + count > h) return false;
        uint8_t* out = alphas.data() + size_t(first) * size_t(w);
        for (size_t i = 0, n = size_t(count) * size_t(w); i < n; ++i) out[i] = uint8_t(rows[i] >> 24);
        return true;
    });
    if (!read) return false;
    analyseCells(img, std::vector<AlphaRows>{AlphaRows{alphas, w, h}});
    return true;
}

namespace {

// Packed pieces are cut into slices no wider than this, which fill the space beside tall ones.
constexpr int kSliceWidth = 256;

struct Span {  // a stretch of the packed texture's skyline: [x, x + w) is filled down to y
    int x, w, y;
};

// The lowest place for a w x h block under a skyline of `width`, leftmost of those; false
// when it is wider than the skyline.
bool lowestPlace(const std::vector<Span>& sky, int width, int w, int& px, int& py) {
    py = -1;
    for (size_t i = 0; i < sky.size() && sky[i].x + w <= width; ++i) {
        int y = 0;
        for (size_t j = i; j < sky.size() && sky[j].x < sky[i].x + w; ++j) y = std::max(y, sky[j].y);
        if (py < 0 || y < py) {
            px = sky[i].x;
            py = y;
        }
    }
    return py >= 0;
}

void fill(std::vector<Span>& sky, int x, int w, int bottom) {
    std::vector<Span> next;
    for (const Span& s : sky) {
        if (s.x + s.w <= x || s.x >= x + w) {
            next.push_back(s);
            continue;
        }
        if (s.x < x) next.push_back(Span{s.x, x - s.x, s.y});
        if (s.x + s.w > x + w) next.push_back(Span{x + w, s.x + s.w - x - w, s.y});
    }
    next.push_back(Span{x, w, bottom});
    std::sort(next.begin(), next.end(), [](const Span& a, const Span& b) { return a.x < b.x; });
    sky.clear();
    for (const Span& s : next)
        if (!sky.empty() && sky.back().y == s.y) sky.back().w += s.w;
        else sky.push_back(s);
}

// The slices laid out under a skyline `width` wide: the height they take, or -1.
int layOut(std::vector<ImagePiece>& slices, int width, int maxSide) {
    std::vector<Span> sky{Span{0, width, 0}};
    int height = 0;
    for (ImagePiece& p : slices) {
        const int bw = p.r.w + 2, bh = p.r.h + 2;
        int x = 0, y = 0;
        if (!lowestPlace(sky, width, bw, x, y) || y + bh > maxSide) return -1;
        p.tx = x;
        p.ty = y;
        fill(sky, x, bw, y + bh);
        height = std::max(height, y + bh);
    }
    return height;
}

}  // namespace

bool packPieces(const TImageData& img, int maxSide, std::vector<ImagePiece>& packed, int& texW, int& texH) {
    packed.clear();
    std::vector<ImagePiece> slices;
    int widest = 0;
    for (const ImagePiece& p : img.pieces)
        for (int x = p.r.x; x < p.r.x + p.r.w; x += kSliceWidth) {
            ImagePiece s = p;
            s.r.x = x;
            s.r.w = std::min(kSliceWidth, p.r.x + p.r.w - x);
            widest = std::max(widest, s.r.w + 2);
            slices.push_back(s);
        }
    if (slices.empty()) return false;
    std::stable_sort(slices.begin(), slices.end(), [](const ImagePiece& a, const ImagePiece& b) { return a.r.h > b.r.h; });
    // The narrowest texture that holds them in the least area, of a few widths tried.
    const int most = std::min(maxSide, img.stored.w + 2);
    long best = -1;
    for (int width = widest; width <= most; width = width == most ? most + 1 : std::min(most, width + 64)) {
        std::vector<ImagePiece> tried = slices;
        const int height = layOut(tried, width, maxSide);
        if (height > 0 && (best < 0 || long(width) * height < best)) {
            best = long(width) * height;
            texW = width;
            texH = height;
            packed.swap(tried);
        }
    }
    if (best < 0 || best * 4 > long(img.stored.w + 2) * long(img.stored.h + 2) * 3) {
        packed.clear();
        return false;
    }
    return true;
}

bool layOutOpaque(TImageData& img) {
    const int w = img.cellW, h = img.cellH;
    if (!img.opaqueFile || img.frameCount != 1 || (img.flags & MIPMAPPEDIMAGE) || w * h < kPiecesFromArea ||
        w * h <= kMasksUpToArea)
        return false;
    img.analysed = true;
    img.frameOpaque.assign(1, 1);
    img.drawn = img.stored = Rect{0, 0, w, h};
    img.pieces.assign(1, ImagePiece{img.drawn, true});
    img.masks.clear();
    return true;
}

bool reloadPixels(TImageData& img) {
    if (!img.frames.empty()) return true;
    if (img.keepPixels || img.path.empty() || img.frameCount <= 0) return false;
    Pixmap whole;
    bool alpha = false;
    if (!LoadPixmap(img.path, whole, &alpha)) return false;
    int cols = img.cellW > 0 ? whole.width / img.cellW : 0;
    if (cols <= 0 || (img.firstCell + img.frameCount - 1) / cols >= whole.height / std::max(1, img.cellH))
        return false;  // the file changed under us
    takeCells(img, std::move(whole), alpha);
    return true;
}

bool readCell(const TImageData& img, int cell, Pixmap& out) {
    if (img.path.empty() || img.cellW <= 0 || img.cellH <= 0 || cell < 0 || cell >= img.frameCount) return false;
    const int at = img.firstCell + cell;
    out = Pixmap{};
    out.width = img.cellW;
    out.height = img.cellH;
    out.pixels.assign(size_t(img.cellW) * size_t(img.cellH), 0);
    int rowsTaken = 0, next = 0;
    bool same = true;
    const bool read = streamImageRows(img.path, kRowBand, [&](const uint32_t* rows, int first, int count, int width) {
        const int cols = width / img.cellW;
        same = same && cols > 0 && first == next;
        next = first + count;
        if (!same) return;
        const int cx = (at % cols) * img.cellW, cy = (at / cols) * img.cellH;
        for (int y = std::max(first, cy); y < std::min(first + count, cy + img.cellH); ++y, ++rowsTaken)
            std::memcpy(out.pixels.data() + size_t(y - cy) * size_t(img.cellW),
                        rows + size_t(y - first) * size_t(width) + size_t(cx), size_t(img.cellW) * sizeof(uint32_t));
    });
    if (read && same && rowsTaken == img.cellH) return true;
    out = Pixmap{};
    return false;
}

int cellCount(int width, int height, int cellW, int cellH, int first, int count) {
    if (cellW == width && cellH == height && first == 0 && count == 1) return 1;
    const int total = (width / cellW) * (height / cellH);
    return std::min(count, std::max(0, total - first));  // no overflow on huge counts
}

void takeCells(TImageData& img, Pixmap&& whole, bool hadAlpha) {
    if (img.masked && !hadAlpha)
        for (uint32_t& p : whole.pixels)
            if ((p & 0x00FFFFFFu) == img.maskKey) p = 0;
    if (img.firstCell == 0 && img.frameCount == 1 && whole.width == img.cellW && whole.height == img.cellH) {
        img.frames.push_back(std::move(whole));
        return;
    }
    const int cols = whole.width / img.cellW;
    for (int i = img.firstCell; i < img.firstCell + img.frameCount; ++i) {
        Pixmap cell;
        cell.width = img.cellW;
        cell.height = img.cellH;
        cell.pixels.resize(size_t(img.cellW) * size_t(img.cellH));
        int cx = (i % cols) * img.cellW, cy = (i / cols) * img.cellH;
        for (int y = 0; y < img.cellH; ++y)
            std::memcpy(cell.pixels.data() + size_t(y) * img.cellW,
                        whole.pixels.data() + size_t(cy + y) * whole.width + cx,
                        size_t(img.cellW) * sizeof(uint32_t));
        img.frames.push_back(std::move(cell));
    }
    whole = Pixmap{};
}

bool ensureAnalysed(TImageData& img) {
    if (img.analysed) return true;
    if (img.unreadable) return false;
    // A large translucent picture's from its alphas, streamed: its pixels not decoded whole.
    if (analyseStreamed(img)) return true;
    if (streamable(img)) img.readWhole = true;  // it did not stream as its header said
    if (!reloadPixels(img)) {
        std::fprintf(stderr, "Image %s can no longer be read\n", img.path.c_str());
        img.unreadable = true;
        return false;
    }
    analyseImage(img);
    return true;
}

}  // namespace gfx

bool ImageCovers(const TImage& top, int topFrame, const TImage& under, int underFrame) {
    if (!top || !under || !gfx::analyseAhead(top) || !gfx::analyseAhead(under)) return false;
    if (!top || !under || topFrame < 0 || topFrame >= int(top->masks.size()) || underFrame < 0 ||
        underFrame >= int(under->masks.size()))
        return false;
    // Under's pixel (x, y) lands on top's pixel (x + dx, y + dy); only whole-pixel offsets
    // sample both pictures alike.
    const float fx = top->handleX - under->handleX, fy = top->handleY - under->handleY;
    for (const auto& a : under->coverAnswers)
        if (a.top == top.get() && a.topFrame == topFrame && a.frame == underFrame && a.dx == fx &&
            a.dy == fy)
            return a.covers;
    const int dx = int(fx), dy = int(fy);
    bool covers = float(dx) == fx && float(dy) == fy;
    const gfx::CoverageMask& u = under->masks[size_t(underFrame)];
    const gfx::CoverageMask& t = top->masks[size_t(topFrame)];
    const int uw = under->cellW, uh = under->cellH, tw = top->cellW, th = top->cellH;
    auto solidAround = [&](int x, int y) {
        // What a filtered sample at this pixel reads of top: itself and its neighbours,
        // clamped at the edges as the texture is.
        for (int yy = std::max(0, y - 1); yy <= std::min(th - 1, y + 1); ++yy)
            for (int xx = std::max(0, x - 1); xx <= std::min(tw - 1, x + 1); ++xx)
                if (!t.bit(t.solid, size_t(yy) * size_t(tw) + size_t(xx))) return false;
        return true;
    };
    for (int y = 0; covers && y < uh; ++y)
        for (int x = 0; x < uw; ++x) {
            if (u.bit(u.blank, size_t(y) * size_t(uw) + size_t(x))) continue;
            // Under's filter reach (its neighbours) must land on top too.
            int tx = x + dx, ty = y + dy;
            int lx = x > 0 ? tx - 1 : tx, hx = x < uw - 1 ? tx + 1 : tx;
            int ly = y > 0 ? ty - 1 : ty, hy = y < uh - 1 ? ty + 1 : ty;
            if (lx < 0 || ly < 0 || hx >= tw || hy >= th || !solidAround(tx, ty)) {
                covers = false;
                break;
            }
        }
    under->coverAnswers.push_back({top.get(), topFrame, underFrame, fx, fy, covers});
    return covers;
}
