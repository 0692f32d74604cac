// The drawing state machine and image records, shared by both backends. Headless records
// every draw; gl turns draws into batched quads (platform/gl/).
#include "platform/graphics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <unordered_set>
#include <utility>

#include "platform/audio.h"
#include "platform/detail/gfx_internal.h"
#include "platform/detail/prefetch.h"
#include "platform/files.h"
#include "platform/harness.h"
#include "platform/input.h"
#include "platform/prefetch.h"
#include "platform/system.h"

namespace {

bool initialised = false;
Backend backend = Backend::Headless;
bool displayOpen = false;
int headlessW = 0, headlessH = 0;
int64_t headlessFlips = 0;

std::vector<DrawCall> recorded;
constexpr size_t kMaxRecorded = 100000;
constexpr size_t kRecordDropChunk = 10000;

int headlessDesktopW = 1920;
int headlessDesktopH = 1080;

void ensureInit() {
    if (!initialised) InitPlatform(false);
}

bool headless() {
    ensureInit();
    return backend == Backend::Headless;
}

int clampByte(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

int displayW() { return headless() ? headlessW : gfx::gl::drawableWidth(); }
int displayH() { return headless() ? headlessH : gfx::gl::drawableHeight(); }

// Pixels per virtual unit of what draws land on: the display, or the picture the gl backend
// scales onto it.
void pixelsPerUnit(float& kx, float& ky) {
    const gfx::State& st = gfx::state();
    if (headless()) {
        kx = float(displayW()) / st.virtW;
        ky = float(displayH()) / st.virtH;
    } else {
        gfx::gl::pixelsPerUnit(kx, ky);
    }
}

void resetVirtual() {
    gfx::State& st = gfx::state();
    int w = displayOpen ? displayW() : 1024;
    int h = displayOpen ? displayH() : 768;
    st.virtW = float(w);
    st.virtH = float(h);
    st.vpX = st.vpY = 0;
    st.vpW = w;
    st.vpH = h;
}

DrawCall& record(DrawCall::Kind kind) {
    if (recorded.size() >= kMaxRecorded)
        recorded.erase(recorded.begin(), recorded.begin() + kRecordDropChunk);
    const gfx::State& st = gfx::state();
    DrawCall& d = recorded.emplace_back();
    d.kind = kind;
    d.scaleX = st.scaleX;
    d.scaleY = st.scaleY;
    d.rotation = st.rotation;
    d.alpha = st.alpha;
    d.r = st.r;
    d.g = st.g;
    d.b = st.b;
    d.blend = st.blend;
    d.vpX = st.vpX;
    d.vpY = st.vpY;
    d.vpW = st.vpW;
    d.vpH = st.vpH;
    return d;
}

// The opacity GL is given: a byte.
int alphaStep(float alpha) { return int(std::lround(alpha * 255.0f)); }

uint32_t vertexColour() {
    const gfx::State& st = gfx::state();
    uint32_t a = uint32_t(alphaStep(st.alpha));
    return uint32_t(st.r) | (uint32_t(st.g) << 8) | (uint32_t(st.b) << 16) | (a << 24);
}

// Corners of the local rectangle (x0, y0)-(x1, y1), given relative to the handle, scaled,
// rotated and moved to (px, py); written as two triangles.
void transformQuad(float px, float py, float x0, float y0, float x1, float y1, float u0,
                   float v0, float u1, float v1, gfx::Vertex* out) {
    const gfx::State& st = gfx::state();
    uint32_t c = vertexColour();
    const float lx[4] = {x0, x1, x1, x0};
    const float ly[4] = {y0, y0, y1, y1};
    const float tu[4] = {u0, u1, u1, u0};
    const float tv[4] = {v0, v0, v1, v1};
    gfx::Vertex q[4];
    for (int i = 0; i < 4; ++i) {
        float sx = lx[i] * st.scaleX, sy = ly[i] * st.scaleY;
        q[i].x = px + sx * st.rotCos - sy * st.rotSin;
        q[i].y = py + sx * st.rotSin + sy * st.rotCos;
        q[i].u = tu[i];
        q[i].v = tv[i];
        q[i].rgba = c;
    }
    out[0] = q[0];
    out[1] = q[1];
    out[2] = q[2];
    out[3] = q[0];
    out[4] = q[2];
    out[5] = q[3];
}

// UV rectangle of a source rectangle of one cell inside the image's texture.
void cellUV(const TImageData& img, int frame, float sx, float sy, float sw, float sh, float& u0,
            float& v0, float& u1, float& v1, const gfx::ImagePiece* packed = nullptr) {
    const int slot = img.heldCell >= 0 ? 0 : frame;  // a strip holding one cell has it first
    int col = slot % img.texCols, row = slot / img.texCols;
    // The texture holds each cell's stored region behind a one-pixel border, or (packed) each
    // piece behind its own.
    float ox = float(img.texX + col * (img.stored.w + 2) + 1 - img.stored.x);
    float oy = float(img.texY + row * (img.stored.h + 2) + 1 - img.stored.y);
    if (packed) {
        ox = float(packed->tx + 1 - packed->r.x);
        oy = float(packed->ty + 1 - packed->r.y);
    }
    u0 = (ox + sx) / float(img.texW);
    v0 = (oy + sy) / float(img.texH);
    u1 = (ox + sx + sw) / float(img.texW);
    v1 = (oy + sy + sh) / float(img.texH);
}

// Whether a quad (as transformQuad writes it) maps texels one to one onto display pixels,
// lined up with them: nearest sampling then shows exactly what linear sampling would.
bool onPixelGrid(const gfx::Vertex* q, float texW, float texH) {
    if (q[0].y != q[1].y || q[0].x != q[5].x) return false;  // rotated
    float kx = 1, ky = 1;
    pixelsPerUnit(kx, ky);
    float pw = (q[1].x - q[0].x) * kx, ph = (q[5].y - q[0].y) * ky;
    float tw = (q[1].u - q[0].u) * texW, th = (q[5].v - q[0].v) * texH;
    if (std::fabs(pw - tw) > 1e-3f * std::max(1.0f, tw) || std::fabs(ph - th) > 1e-3f * std::max(1.0f, th))
        return false;
    float x = q[0].x * kx, y = q[0].y * ky;
    return std::fabs(x - std::round(x)) < 1e-3f && std::fabs(y - std::round(y)) < 1e-3f;
}

bool drawable(const TImage& img, int frame) {
    return img && frame >= 0 && frame < img->frameCount && img->cellW > 0 && img->cellH > 0;
}

// Draws into a frame the next one clears (BeginDiscardedDraws), and the pictures they drew.
int discardDepth = 0;
std::vector<TImage> discardedPictures;

// Savings that change no pixel (see SetExactSavings).
bool exactSavings = true;

// Fully transparent draws cost nothing; solid blending ignores alpha and still draws. A draw
// whose opacity is less than half a step of the byte GL gets adds nothing either.
bool glReady() {
    const gfx::State& st = gfx::state();
    return displayOpen && discardDepth == 0 &&
           (st.blend == SOLIDBLEND || (exactSavings ? alphaStep(st.alpha) > 0 : st.alpha > 0.0f));
}

// A picture drawn where nothing will show it: no texture now, its pixels decoded ahead.
void noteDiscarded(const TImage& img) {
    if (discardDepth > 0 &&
        std::find(discardedPictures.begin(), discardedPictures.end(), img) == discardedPictures.end())
        discardedPictures.push_back(img);
}

int normaliseFlags(int flags) { return flags < 0 ? (MASKEDIMAGE | FILTEREDIMAGE) : flags; }

// A fresh image record: what it is cut from and how it is masked; no cells yet.
std::shared_ptr<TImageData> newImage(const std::string& path, int width, int height, bool hadAlpha, int cellW,
                                     int cellH, int first, int count, int flags) {
    flags = normaliseFlags(flags);
    auto img = std::make_shared<TImageData>();
    if ((flags & MASKEDIMAGE) && !hadAlpha) {
        const gfx::State& st = gfx::state();
        img->masked = true;
        img->maskKey = (uint32_t(st.maskR) << 16) | (uint32_t(st.maskG) << 8) | uint32_t(st.maskB);
    }
    img->opaqueFile = !hadAlpha;
    img->path = path;
    img->flags = flags;
    img->cellW = cellW;
    img->cellH = cellH;
    img->firstCell = first;
    img->frameCount = gfx::cellCount(width, height, cellW, cellH, first, count);
    return img;
}

// fromFile: the pixels can be read again from path, so they need not stay in memory.
TImage makeImage(const std::string& path, Pixmap&& whole, bool hadAlpha, int cellW, int cellH,
                 int first, int count, int flags, bool fromFile = true) {
    auto img = newImage(path, whole.width, whole.height, hadAlpha, cellW, cellH, first, count, flags);
    img->keepPixels = !fromFile;
    gfx::takeCells(*img, std::move(whole), hadAlpha);
    gfx::analyseImage(*img);
    return img;
}

// A picture file's size and alpha, and headless its pixels. With gl only the file is looked
// over (its header, and that it is whole): its pixels are read and analysed when it is first
// drawn or read, and go again once its texture has them, so only what the screens draw is
// ever decoded, and once.
bool readImageFile(const std::string& path, Pixmap& pm, int& w, int& h, bool& alpha) {
    if (headless()) {
        if (!LoadPixmap(path, pm, &alpha)) return false;
        w = pm.width;
        h = pm.height;
        return true;
    }
    auto bytes = files::loadBytes(path);
    if (!bytes) return false;
    std::string error;
    if (!gfx::probeImage(*bytes, w, h, alpha, error)) {
        std::fprintf(stderr, "Cannot decode image %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    return true;
}

TImage imageFrom(const std::string& path, Pixmap&& pm, int w, int h, bool alpha, int cellW, int cellH, int first,
                 int count, int flags) {
    if (pm.pixels.empty()) return newImage(path, w, h, alpha, cellW, cellH, first, count, flags);
    return makeImage(path, std::move(pm), alpha, cellW, cellH, first, count, flags);
}

// Pictures smaller than this are never packed: too little to gain.
constexpr int kPackFromArea = 256 * 256;

// Draws the source rectangle (sx0, sy0)-(sx1, sy1) of a cell, source pixel (sx0, sy0) put
// at the handle's distance from (px, py), k display units a source pixel. Only the pixels
// that can show anything are drawn; opaque ones without blending when that changes nothing.
void drawCellPart(TImageData& img, int frame, float px, float py, float sx0, float sy0,
                  float sx1, float sy1, float kx, float ky, float hx, float hy) {
    const gfx::State& st = gfx::state();
    // Only its pieces need be kept when this draw blends texels one to one onto the pixel
    // grid: what lies between them is transparent and, drawn so, shows nothing.
    bool mayPack = false;
    if (st.blend != SOLIDBLEND && !img.noPacking && img.frameCount == 1 && img.cellW * img.cellH >= kPackFromArea) {
        gfx::Vertex q[6];
        transformQuad(px, py, -hx * kx, -hy * ky, (sx1 - sx0 - hx) * kx, (sy1 - sy0 - hy) * ky, sx0, sy0, sx1,
                      sy1, q);
        mayPack = onPixelGrid(q, 1, 1);
    }
    unsigned tex = gfx::gl::imageTexture(img, mayPack, frame);
    if (!tex) return;
    const bool solidOk = st.blend == ALPHABLEND && st.alpha >= 1.0f;
    static std::vector<gfx::Vertex> solid, blended;
    solid.clear();
    blended.clear();
    auto emit = [&](const gfx::Rect& r, bool opaque, const gfx::ImagePiece* packed) {
        // The piece inside the source rectangle (and the cell, so no neighbour bleeds in).
        float cx0 = std::max({sx0, float(r.x), 0.0f}), cy0 = std::max({sy0, float(r.y), 0.0f});
        float cx1 = std::min({sx1, float(r.x + r.w), float(img.cellW)});
        float cy1 = std::min({sy1, float(r.y + r.h), float(img.cellH)});
        if (cx1 <= cx0 || cy1 <= cy0) return;
        float u0, v0, u1, v1;
        cellUV(img, frame, cx0, cy0, cx1 - cx0, cy1 - cy0, u0, v0, u1, v1, packed);
        auto& out = opaque && solidOk ? solid : blended;
        size_t at = out.size();
        out.resize(at + 6);
        transformQuad(px, py, (cx0 - sx0 - hx) * kx, (cy0 - sy0 - hy) * ky, (cx1 - sx0 - hx) * kx,
                      (cy1 - sy0 - hy) * ky, u0, v0, u1, v1, out.data() + at);
    };
    if (st.blend == SOLIDBLEND)
        emit(img.stored, true, nullptr);  // a solid draw shows every stored pixel, alpha or not
    else if (!img.packedPieces.empty())
        for (const gfx::ImagePiece& p : img.packedPieces) emit(p.r, p.opaque, &p);
    else if (!img.pieces.empty())
        for (const gfx::ImagePiece& p : img.pieces) emit(p.r, p.opaque, nullptr);
    else
        emit(img.drawn, img.frameOpaque[size_t(frame)] != 0, nullptr);
    const bool filtered = (img.flags & FILTEREDIMAGE) != 0;
    // A filtered draw of an opaque piece may sample its translucent neighbours at its edges:
    // only a whole opaque cell (its border copied from its edges) stays opaque so.
    const bool wholeCell = img.packedPieces.empty() && img.pieces.empty();
    for (auto* list : {&solid, &blended}) {
        if (list->empty()) continue;
        bool linear = filtered && !onPixelGrid(list->data(), float(img.texW), float(img.texH));
        gfx::gl::submit(tex, list->data(), int(list->size()), list == &solid ? SOLIDBLEND : st.blend,
                        linear, list == &solid && (wholeCell || !linear));
    }
}

}  // namespace

namespace gfx {
namespace {
constexpr size_t kHeldBudget = 8u << 20;
// Pictures loaded and not drawn within this long (say a screen's pictures loaded at start-up
// for later) let their pixels go: they are read again when first drawn.
constexpr uint64_t kHeldMs = 3000;
struct Held {
    std::weak_ptr<TImageData> img;
    uint64_t since = 0;
};
std::deque<Held> held;
size_t heldTotal = 0;
uint64_t heldClock = 0;  // the time of the last frame, in ms

void dropPixels(TImageData& img) {
    heldTotal -= img.heldBytes;
    img.heldBytes = 0;
    img.frames.clear();
    img.frames.shrink_to_fit();
}

// The oldest held picture's pixels go, or leave the budget for good when the game reads them.
void releaseOldestHeld() {
    std::shared_ptr<TImageData> old = held.front().img.lock();
    held.pop_front();
    if (old && old->heldBytes) letPixelsGo(*old);
}
}  // namespace

size_t pixelBytes(const TImageData& img) {
    size_t bytes = 0;
    for (const Pixmap& pm : img.frames) bytes += pm.pixels.size() * sizeof(uint32_t);
    return bytes;
}

void holdPixels(const std::shared_ptr<TImageData>& img) {
    img->heldBytes += pixelBytes(*img);
    heldTotal += img->heldBytes;
    held.push_back({img, heldClock});
    while (heldTotal > kHeldBudget && !held.empty()) releaseOldestHeld();
}

void letStaleHeldPixelsGo(uint64_t nowMs) {
    if (heldClock == 0)  // the first frame: what was loaded before it is held from now on
        for (Held& h : held) h.since = nowMs;
    heldClock = nowMs;
    while (!held.empty() && nowMs - held.front().since >= kHeldMs) releaseOldestHeld();
}

size_t heldPixelBytes() { return heldTotal; }

bool analyseAhead(const std::shared_ptr<TImageData>& img) {
    if (img->analysed) return true;
    const bool read = img->frames.empty();
    if (!ensureAnalysed(*img)) return false;
    if (read) holdPixels(img);
    return true;
}

void letPixelsGo(TImageData& img) {
    if (img.keepPixels || img.pixelsRead) {
        heldTotal -= img.heldBytes;  // kept for good: no longer on the budget
        img.heldBytes = 0;
        return;
    }
    dropPixels(img);
}
}  // namespace gfx

namespace {
std::unordered_set<const TImageData*>& liveImages() {
    static std::unordered_set<const TImageData*> live;
    return live;
}
}  // namespace

TImageData::TImageData() { liveImages().insert(this); }

TImageData::~TImageData() {
    liveImages().erase(this);
    gfx::heldTotal -= heldBytes;
    gfx::gl::releaseImageTexture(*this);
}

void ScreenEnded() {
    if (!headless()) gfx::gl::screenEnded();
}

void OverlayClosed() {
    if (!headless()) gfx::gl::overlayClosed();
}

void SetFramePacing(bool on) { gfx::gl::setPacing(on); }
bool FramePacing() { return gfx::gl::pacing(); }
void SetFrameFinish(bool on) { gfx::gl::setFinish(on); }
void SetHiddenDrawCulling(bool on) { gfx::gl::setCulling(on); }
void SetExactSavings(bool on) {
    exactSavings = on;
    if (!headless()) gfx::gl::setExactSavings(on);
}
FrameCost LastFrameCost() { return gfx::gl::lastFrameCost(); }

namespace {
int mostDraws = 0;
}

int TakeMostDrawsInAFrame() { return std::exchange(mostDraws, 0); }

void DescribeTextures(std::FILE* out) {
    if (headless()) return;
    for (const TImageData* img : liveImages()) {
        const size_t kept = gfx::pixelBytes(*img);
        if ((img->texture && img->textureGeneration) || kept)
            std::fprintf(out, "  image %s texture %u page %d %dx%d pixels kept %zu\n", img->path.c_str(), img->texture,
                         img->page, img->stored.w, img->stored.h, kept);
    }
    gfx::gl::describeTextures(out);
}

ImageMemoryUse ImageMemory() {
    ImageMemoryUse u;
    u.images = int(liveImages().size());
    for (const TImageData* img : liveImages())
        u.pixelBytes += gfx::pixelBytes(*img);
    gfx::fontMemory(u.fonts, u.fontBytes);
    if (!headless()) {
        u.textureBytes = gfx::gl::textureMemory(u.textures);
        u.frameBytes = gfx::gl::frameMemory();
    }
    return u;
}

namespace gfx {
State& state() {
    static State s;
    return s;
}
}  // namespace gfx

// ---- backend and display ---------------------------------------------------------------

void InitPlatform(bool forceHeadless) {
    initialised = true;
    const char* env = std::getenv("ZERKON_HEADLESS");
    bool wantHeadless = forceHeadless || (env && std::strcmp(env, "1") == 0);
    backend = wantHeadless ? Backend::Headless : Backend::Gl;
    if (backend == Backend::Headless) {
        // The clock follows the flips: exactly 1000/60 ms each, so runs repeat exactly.
        headlessFlips = 0;
        SetClockSource([] { return int32_t(headlessFlips * 1000 / 60); });
    } else if (!gfx::gl::init()) {
        std::fprintf(stderr, "The video system could not start: no display can be opened\n");
    }
    if (gfx::state().virtW <= 0) resetVirtual();
}

Backend CurrentBackend() {
    ensureInit();
    return backend;
}

bool IsHeadless() { return headless(); }

void ShutdownPlatform() {
    CloseGraphics();
    if (initialised && backend == Backend::Gl) gfx::gl::shutdown();
    initialised = false;
}

bool Graphics(int width, int height, int depth, int hz) {
    if (width <= 0 || height <= 0) return false;
    if (headless()) {
        headlessW = width;
        headlessH = height;
        displayOpen = true;
    } else {
        // A refused switch leaves the display that was open before.
        bool ok = gfx::gl::open(width, height, depth, hz);
        displayOpen = gfx::gl::isOpen();
        if (!ok) return false;
    }
    resetVirtual();
    return true;
}

void CloseGraphics() {
    if (!displayOpen) return;
    if (!headless()) gfx::gl::close();
    displayOpen = false;
    headlessW = headlessH = 0;
}

bool GraphicsOpen() { return displayOpen; }
int GraphicsWidth() { return displayOpen ? displayW() : 0; }
int GraphicsHeight() { return displayOpen ? displayH() : 0; }
int DesktopWidth() { return headless() ? headlessDesktopW : gfx::gl::desktopWidth(); }
int DesktopHeight() { return headless() ? headlessDesktopH : gfx::gl::desktopHeight(); }
void SetHeadlessDesktopSize(int width, int height) {
    if (width <= 0 || height <= 0) return;
    headlessDesktopW = width;
    headlessDesktopH = height;
}

void SetWindowTitle(const std::string& title) {
    if (!headless()) gfx::gl::setTitle(title);
}
void ShowMouse() {
    if (!headless()) gfx::gl::showCursor(true);
}
void HideMouse() {
    if (!headless()) gfx::gl::showCursor(false);
}

void Flip() {
    if (headless()) {
        int32_t before = int32_t(headlessFlips * 1000 / 60);
        ++headlessFlips;
        int32_t after = int32_t(headlessFlips * 1000 / 60);
        AdvanceAudio(after - before);
        if (HarnessFrame()) InjectTerminate();
        return;
    }
    gfx::gl::flip();
    gfx::letStaleHeldPixelsGo(uint64_t(std::max(Millisecs(), 1)));
    mostDraws = std::max(mostDraws, gfx::gl::lastFrameCost().draws);
}

// ---- drawing state -----------------------------------------------------------------------

void SetVirtualResolution(float w, float h) {
    if (!(w > 0) || !(h > 0)) return;  // a zero or NaN size would break every mapping
    gfx::state().virtW = w;
    gfx::state().virtH = h;
}
float VirtualResolutionWidth() { return gfx::state().virtW; }
float VirtualResolutionHeight() { return gfx::state().virtH; }

void SetViewport(int x, int y, int w, int h) {
    gfx::State& st = gfx::state();
    st.vpX = x;
    st.vpY = y;
    st.vpW = w;
    st.vpH = h;
}
void GetViewport(int& x, int& y, int& w, int& h) {
    const gfx::State& st = gfx::state();
    x = st.vpX;
    y = st.vpY;
    w = st.vpW;
    h = st.vpH;
}
void SetOrigin(float x, float y) {
    gfx::state().originX = x;
    gfx::state().originY = y;
}
void GetOrigin(float& x, float& y) {
    x = gfx::state().originX;
    y = gfx::state().originY;
}
void SetClsColor(int r, int g, int b) {
    gfx::State& st = gfx::state();
    st.clsR = clampByte(r);
    st.clsG = clampByte(g);
    st.clsB = clampByte(b);
}
void GetClsColor(int& r, int& g, int& b) {
    const gfx::State& st = gfx::state();
    r = st.clsR;
    g = st.clsG;
    b = st.clsB;
}
void Cls() {
    if (headless()) {
        const gfx::State& st = gfx::state();
        DrawCall& d = record(DrawCall::Clear);
        d.r = st.clsR;
        d.g = st.clsG;
        d.b = st.clsB;
        d.x = float(st.vpX);
        d.y = float(st.vpY);
        d.w = float(st.vpW);
        d.h = float(st.vpH);
        return;
    }
    if (displayOpen) gfx::gl::clear();
}
void SetColor(int r, int g, int b) {
    gfx::State& st = gfx::state();
    st.r = clampByte(r);
    st.g = clampByte(g);
    st.b = clampByte(b);
}
void GetColor(int& r, int& g, int& b) {
    const gfx::State& st = gfx::state();
    r = st.r;
    g = st.g;
    b = st.b;
}
void SetAlpha(float a) {
    if (std::isnan(a)) a = 0;
    gfx::state().alpha = std::clamp(a, 0.0f, 1.0f);
}
float GetAlpha() { return gfx::state().alpha; }
void SetScale(float sx, float sy) {
    gfx::state().scaleX = sx;
    gfx::state().scaleY = sy;
}
void GetScale(float& sx, float& sy) {
    sx = gfx::state().scaleX;
    sy = gfx::state().scaleY;
}
void SetRotation(float degrees) {
    gfx::State& st = gfx::state();
    st.rotation = degrees;
    double rad = double(degrees) * 3.14159265358979323846 / 180.0;
    st.rotCos = float(std::cos(rad));
    st.rotSin = float(std::sin(rad));
}
float GetRotation() { return gfx::state().rotation; }
void SetBlend(int mode) {
    if (mode == SOLIDBLEND || mode == ALPHABLEND || mode == LIGHTBLEND) gfx::state().blend = mode;
}
int GetBlend() { return gfx::state().blend; }
void SetMaskColor(int r, int g, int b) {
    gfx::State& st = gfx::state();
    st.maskR = clampByte(r);
    st.maskG = clampByte(g);
    st.maskB = clampByte(b);
}

// ---- images --------------------------------------------------------------------------------

namespace gfx {
namespace {
enum class ImageKind { Png, Jpeg, Other };
ImageKind kindOf(const std::string& bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    if (bytes.size() >= 8 && std::memcmp(b, "\x89PNG\r\n\x1a\n", 8) == 0) return ImageKind::Png;
    if (bytes.size() >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF) return ImageKind::Jpeg;
    return ImageKind::Other;
}
}  // namespace

bool decodeImage(const std::string& bytes, Pixmap& out, bool& hadAlpha, std::string& error) {
    hadAlpha = false;
    switch (kindOf(bytes)) {
    case ImageKind::Png: return gfx::decodePNG(bytes, out, hadAlpha, error);
    case ImageKind::Jpeg: return gfx::decodeJPEG(bytes, out, error);
    default: error = "neither PNG nor JPEG"; return false;
    }
}

bool streamImageRows(const std::string& path, int band, const RowSink& rows) {
    if (auto ready = prefetch_detail::TakeImage(path)) {
        if (!ready->ok) return false;
        rows(ready->pixels.pixels.data(), 0, ready->pixels.height, ready->pixels.width);
        return true;
    }
    auto bytes = files::loadBytes(path);
    if (!bytes) return false;
    std::string error;
    switch (kindOf(*bytes)) {
    case ImageKind::Png: return gfx::decodePNGRows(*bytes, band, rows, error);
    case ImageKind::Jpeg: return gfx::decodeJPEGRows(*bytes, band, rows, error);
    default: return false;
    }
}

bool probeImage(const std::string& bytes, int& width, int& height, bool& hadAlpha, std::string& error) {
    hadAlpha = false;
    switch (kindOf(bytes)) {
    case ImageKind::Png: return gfx::probePNG(bytes, width, height, hadAlpha, error);
    case ImageKind::Jpeg: return gfx::probeJPEG(bytes, width, height, error);
    default: error = "neither PNG nor JPEG"; return false;
    }
}
}  // namespace gfx

bool LoadPixmap(const std::string& path, Pixmap& out, bool* hadAlpha) {
    std::string error;
    bool alpha = false;
    bool ok = false;
    // Start-up's worker may have decoded it already; it reports nothing itself.
    if (auto ready = prefetch_detail::TakeImage(path)) {
        ok = ready->ok;
        if (ok) out = std::move(ready->pixels);
        alpha = ready->alpha;
        error = std::move(ready->error);
    } else {
        auto bytes = files::loadBytes(path);
        if (!bytes) return false;
        ok = gfx::decodeImage(*bytes, out, alpha, error);
    }
    if (!ok) {
        std::fprintf(stderr, "Cannot decode image %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    if (hadAlpha) *hadAlpha = alpha;
    return true;
}

bool SavePixmapPNG(const Pixmap& pm, const std::string& path) {
    std::string bytes;
    if (!gfx::encodePNG(pm, bytes)) return false;
    return files::saveBytes(bytes, path);
}

TImage LoadImage(const std::string& path, int flags) {
    Pixmap pm;
    int w = 0, h = 0;
    bool alpha = false;
    if (!readImageFile(path, pm, w, h, alpha)) return nullptr;
    return imageFrom(path, std::move(pm), w, h, alpha, w, h, 0, 1, flags);
}

TImage LoadAnimImage(const std::string& path, int cellWidth, int cellHeight, int firstCell,
                     int cellCount, int flags) {
    if (cellWidth <= 0 || cellHeight <= 0 || firstCell < 0 || cellCount <= 0) return nullptr;
    Pixmap pm;
    int w = 0, h = 0;
    bool alpha = false;
    if (!readImageFile(path, pm, w, h, alpha)) return nullptr;
    int total = (w / cellWidth) * (h / cellHeight);
    if (firstCell >= total) {
        std::fprintf(stderr, "Image %s holds %d cells of %dx%d, not cell %d\n", path.c_str(),
                     total, cellWidth, cellHeight, firstCell);
        return nullptr;
    }
    return imageFrom(path, std::move(pm), w, h, alpha, cellWidth, cellHeight, firstCell, cellCount, flags);
}

TImage CreateImageFromPixmap(const Pixmap& pm, int flags) {
    if (pm.width <= 0 || pm.height <= 0 || pm.pixels.size() < size_t(pm.width) * pm.height)
        return nullptr;
    // A pixmap carries no format: one that is opaque everywhere counts as having no alpha.
    bool alpha = std::any_of(pm.pixels.begin(), pm.pixels.end(),
                             [](uint32_t p) { return (p >> 24) != 0xFF; });
    Pixmap copy = pm;
    copy.pixels.resize(size_t(pm.width) * pm.height);
    return makeImage("", std::move(copy), alpha, pm.width, pm.height, 0, 1, flags, false);
}

int ImageWidth(const TImage& img) { return img ? img->cellW : 0; }
int ImageHeight(const TImage& img) { return img ? img->cellH : 0; }
int ImageFrames(const TImage& img) { return img ? img->frameCount : 0; }

void MidHandleImage(const TImage& img) {
    if (!img) return;
    img->handleX = float(img->cellW) * 0.5f;
    img->handleY = float(img->cellH) * 0.5f;
}
void SetImageHandle(const TImage& img, float x, float y) {
    if (!img) return;
    img->handleX = x;
    img->handleY = y;
}
void GetImageHandle(const TImage& img, float& x, float& y) {
    x = img ? img->handleX : 0;
    y = img ? img->handleY : 0;
}

const Pixmap* ImagePixmap(const TImage& img, int frame) {
    if (!img || frame < 0 || frame >= img->frameCount) return nullptr;
    // Read back once and kept: the game reads this image's pixels.
    img->pixelsRead = true;
    if (img->frames.empty() && !gfx::reloadPixels(*img)) return nullptr;
    if (frame >= int(img->frames.size())) return nullptr;
    return &img->frames[size_t(frame)];
}

void ForgetImagePixels(const TImage& img) {
    if (!img || !img->pixelsRead) return;
    img->pixelsRead = false;
    if (headless() || img->keepPixels || img->path.empty()) return;
    gfx::letPixelsGo(*img);
}

uint32_t ReadPixel(const TImage& img, int x, int y, int frame) {
    const Pixmap* pm = ImagePixmap(img, frame);
    if (!pm || x < 0 || y < 0 || x >= pm->width || y >= pm->height) return 0;
    return pm->at(x, y);
}

void DrawImage(const TImage& img, float x, float y, int frame) {
    if (!drawable(img, frame)) return;
    const gfx::State& st = gfx::state();
    float px = x + st.originX, py = y + st.originY;
    if (headless()) {
        DrawCall& d = record(DrawCall::Image);
        d.what = img->path;
        d.frame = frame;
        d.x = px;
        d.y = py;
        d.w = float(img->cellW);
        d.h = float(img->cellH);
        d.sw = float(img->cellW);
        d.sh = float(img->cellH);
        d.handleX = img->handleX;
        d.handleY = img->handleY;
        return;
    }
    noteDiscarded(img);
    if (!glReady()) return;
    drawCellPart(*img, frame, px, py, 0, 0, float(img->cellW), float(img->cellH), 1, 1,
                 img->handleX, img->handleY);
}

void DrawSubImageRect(const TImage& img, float x, float y, float w, float h, float sx, float sy,
                      float sw, float sh, float hx, float hy, int frame) {
    if (!drawable(img, frame)) return;
    const gfx::State& st = gfx::state();
    float px = x + st.originX, py = y + st.originY;
    if (headless()) {
        DrawCall& d = record(DrawCall::SubImage);
        d.what = img->path;
        d.frame = frame;
        d.x = px;
        d.y = py;
        d.w = w;
        d.h = h;
        d.sx = sx;
        d.sy = sy;
        d.sw = sw;
        d.sh = sh;
        d.handleX = hx;
        d.handleY = hy;
        return;
    }
    noteDiscarded(img);
    if (!glReady() || sw == 0 || sh == 0) return;
    drawCellPart(*img, frame, px, py, sx, sy, sx + sw, sy + sh, w / sw, h / sh, hx, hy);
}

void BeginDiscardedDraws() { ++discardDepth; }

void EndDiscardedDraws() {
    if (discardDepth == 0 || --discardDepth > 0) return;
    PrefetchImagePixels(discardedPictures);
    discardedPictures.clear();
}

// Rectangles and ovals record the same box: position after the origin, size.
static void recordBox(DrawCall::Kind kind, float px, float py, float w, float h) {
    DrawCall& d = record(kind);
    d.x = px;
    d.y = py;
    d.w = w;
    d.h = h;
}

void DrawRect(float x, float y, float w, float h) {
    const gfx::State& st = gfx::state();
    float px = x + st.originX, py = y + st.originY;
    if (headless()) {
        recordBox(DrawCall::Rect, px, py, w, h);
        return;
    }
    if (!glReady()) return;
    gfx::Vertex v[6];
    transformQuad(px, py, 0, 0, w, h, 0, 0, 0, 0, v);
    // An opaque colour blended over the picture replaces it.
    bool replaces = st.blend == ALPHABLEND && st.alpha >= 1.0f;
    gfx::gl::submit(0, v, 6, replaces ? SOLIDBLEND : st.blend, false, replaces);
}

void DrawLine(float x1, float y1, float x2, float y2, bool drawLastPixel) {
    const gfx::State& st = gfx::state();
    float ax = x1 + st.originX, ay = y1 + st.originY;
    float bx = x2 + st.originX, by = y2 + st.originY;
    if (headless()) {
        DrawCall& d = record(DrawCall::Line);
        d.x = ax;
        d.y = ay;
        d.w = bx - ax;  // the end point, relative to the start
        d.h = by - ay;
        return;
    }
    if (!glReady()) return;
    // A one-unit-wide quad through the pixel centres; the ends reach half a pixel out.
    float dx = bx - ax, dy = by - ay;
    float len = std::sqrt(dx * dx + dy * dy);
    float ux = len > 0 ? dx / len : 1, uy = len > 0 ? dy / len : 0;
    float tail = drawLastPixel ? 0.5f : -0.5f;
    float sx = ax + 0.5f - ux * 0.5f, sy = ay + 0.5f - uy * 0.5f;
    float ex = bx + 0.5f + ux * tail, ey = by + 0.5f + uy * tail;
    // At least one display pixel wide, or a shrunken picture loses its lines.
    float kx = 1, ky = 1;
    pixelsPerUnit(kx, ky);
    float half = 0.5f * std::max(1.0f, std::max(1.0f / std::max(kx, 1e-6f), 1.0f / std::max(ky, 1e-6f)));
    float nx = -uy * half, ny = ux * half;
    uint32_t c = vertexColour();
    gfx::Vertex v[6] = {{sx + nx, sy + ny, 0, 0, c}, {ex + nx, ey + ny, 0, 0, c},
                        {ex - nx, ey - ny, 0, 0, c}, {sx + nx, sy + ny, 0, 0, c},
                        {ex - nx, ey - ny, 0, 0, c}, {sx - nx, sy - ny, 0, 0, c}};
    gfx::gl::submit(0, v, 6, st.blend);
}

void DrawOval(float x, float y, float w, float h) {
    const gfx::State& st = gfx::state();
    float px = x + st.originX, py = y + st.originY;
    if (headless()) {
        recordBox(DrawCall::Oval, px, py, w, h);
        return;
    }
    if (!glReady()) return;
    constexpr int kSegments = 48;
    gfx::Vertex v[kSegments * 3];
    uint32_t c = vertexColour();
    float cx = w * 0.5f, cy = h * 0.5f;
    auto at = [&](float lx, float ly) {
        float sx = lx * st.scaleX, sy = ly * st.scaleY;
        return gfx::Vertex{px + sx * st.rotCos - sy * st.rotSin, py + sx * st.rotSin + sy * st.rotCos,
                           0, 0, c};
    };
    for (int i = 0; i < kSegments; ++i) {
        double a0 = 2 * 3.14159265358979 * i / kSegments, a1 = 2 * 3.14159265358979 * (i + 1) / kSegments;
        v[i * 3] = at(cx, cy);
        v[i * 3 + 1] = at(cx + cx * float(std::cos(a0)), cy + cy * float(std::sin(a0)));
        v[i * 3 + 2] = at(cx + cx * float(std::cos(a1)), cy + cy * float(std::sin(a1)));
    }
    gfx::gl::submit(0, v, kSegments * 3, st.blend);
}

// The grab is placed like a drawing: moved by the origin, so grabbing (0, 0, w, h) and
// drawing the result at (0, 0) puts the picture back where it was.
TImage GrabImage(int x, int y, int w, int h) {
    if (w <= 0 || h <= 0 || w > 16384 || h > 16384) return nullptr;
    const gfx::State& st = gfx::state();
    Pixmap pm;
    pm.width = w;
    pm.height = h;
    if (headless() || !displayOpen) {
        uint32_t fill = 0xFF000000u | (uint32_t(st.clsR) << 16) | (uint32_t(st.clsG) << 8) |
                        uint32_t(st.clsB);
        pm.pixels.assign(size_t(w) * h, fill);
    } else {
        float kx = 1, ky = 1;
        pixelsPerUnit(kx, ky);
        int px0 = int(std::lround((float(x) + st.originX) * kx));
        int py0 = int(std::lround((float(y) + st.originY) * ky));
        int pw = std::max(1, int(std::lround(float(w) * kx)));
        int ph = std::max(1, int(std::lround(float(h) * ky)));
        Pixmap raw;
        if (!gfx::gl::readPixels(px0, py0, pw, ph, raw)) return nullptr;
        if (pw == w && ph == h) {
            pm = std::move(raw);
        } else {
            pm.pixels.resize(size_t(w) * h);
            for (int yy = 0; yy < h; ++yy) {
                int sy = std::min(ph - 1, int(float(yy) * float(ph) / float(h)));
                for (int xx = 0; xx < w; ++xx) {
                    int sx = std::min(pw - 1, int(float(xx) * float(pw) / float(w)));
                    pm.pixels[size_t(yy) * w + xx] = raw.pixels[size_t(sy) * pw + sx];
                }
            }
        }
    }
    auto img = makeImage("grab", std::move(pm), true, w, h, 0, 1, FILTEREDIMAGE, false);
    return img;
}

bool GrabScreen(Pixmap& out) {
    if (headless() || !displayOpen) return false;
    return gfx::gl::readDisplay(out);
}

// ---- text ------------------------------------------------------------------------------

void DrawText(const std::string& text, float x, float y) {
    const gfx::State& st = gfx::state();
    float px = x + st.originX, py = y + st.originY;
    if (headless()) {
        DrawCall& d = record(DrawCall::Text);
        d.what = text;
        d.x = px;
        d.y = py;
        d.w = float(TextWidth(text));
        d.h = float(TextHeight(text));
        return;
    }
    if (!glReady() || text.empty()) return;
    TImageFontData* font = gfx::currentFont();
    if (!font) return;
    if (st.rotation == 0 && st.scaleX == 1 && st.scaleY == 1 && st.virtW > 0 && st.virtH > 0) {
        // Unscaled text lands on whole pixels, so glyphs stay crisp.
        float kx = 1, ky = 1;
        pixelsPerUnit(kx, ky);
        if (kx > 0 && ky > 0) {
            px = std::round(px * kx) / kx;
            py = std::round(py * ky) / ky;
        }
    }
    static std::vector<uint32_t> cps;
    static std::vector<const gfx::Glyph*> glyphs;
    static std::vector<gfx::Vertex> verts;
    gfx::decodeUtf8(text, cps);
    glyphs.clear();
    for (uint32_t cp : cps) glyphs.push_back(gfx::fontGlyph(*font, cp));
    unsigned tex = gfx::gl::fontTexture(*font);  // after every glyph is in the atlas
    if (!tex) return;
    float aw = float(font->atlas.width), ah = float(font->atlas.height);
    verts.clear();
    int pen = 0;
    for (const gfx::Glyph* g : glyphs) {
        if (g->w > 0) {
            float x0 = float(pen + g->left), y0 = float(font->ascender - g->top);
            size_t at = verts.size();
            verts.resize(at + 6);
            transformQuad(px, py, x0, y0, x0 + float(g->w), y0 + float(g->h), float(g->ax) / aw,
                          float(g->ay) / ah, float(g->ax + g->w) / aw, float(g->ay + g->h) / ah,
                          verts.data() + at);
        }
        pen += g->advance;
    }
    if (!verts.empty())
        gfx::gl::submit(tex, verts.data(), int(verts.size()), st.blend, !onPixelGrid(verts.data(), aw, ah));
}

// ---- recording -------------------------------------------------------------------------

const std::vector<DrawCall>& RecordedDraws() { return recorded; }
void ClearRecordedDraws() { recorded.clear(); }

void ResetGraphicsState() {
    gfx::State& st = gfx::state();
    st = gfx::State{};
    resetVirtual();
    recorded.clear();
}
