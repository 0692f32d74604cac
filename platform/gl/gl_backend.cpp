// The gl backend: one SDL window with one OpenGL context for the whole run, fixed-function
// GL with client arrays; a frame's draws are kept until GL must have them, what later opaque
// draws hide is left out, and draws of one texture, blend and filter in a row go as one.
#include <SDL.h>
#include <SDL_opengl.h>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>
#include <unordered_map>
#include <thread>
#include <unordered_set>
#include <vector>

#include "platform/detail/frame_diff.h"
#include "platform/detail/gfx_internal.h"
#include "platform/detail/occlusion.h"
#include "platform/harness.h"
#include "platform/system.h"
#include "platform/input.h"

namespace gfx::gl {
namespace {

SDL_Window* window = nullptr;
SDL_GLContext context = nullptr;
bool videoReady = false;
unsigned contextGeneration = 0;
int desktopW = -1, desktopH = -1;
int frameHz = 60;
bool pacingOn = true;
bool finishEachFrame = false;
bool culling = true;
bool exactSavings = true;
FrameCost frameCost, lastCost;
using PaceClock = std::chrono::steady_clock;
PaceClock::time_point nextFrame{};  // none yet
bool cursorShown = true;
std::string windowTitle;
int cachedW = 0, cachedH = 0;  // drawable size, refreshed at each frame boundary

void refreshSize() {
    cachedW = cachedH = 0;
    if (window) SDL_GL_GetDrawableSize(window, &cachedW, &cachedH);
}

int maxTextureSize = 2048;

// The draws being handed to GL, each with its texture, blend and filter, and the vertices
// they index (what later opaque draws hide left out, and stand-ins, go after them).
std::vector<Vertex> frameVerts;
std::vector<DeferredDraw> deferred;
std::vector<Vertex> run;  // one glDrawArrays' vertices
// Vertices a glDrawArrays takes at most: a large board's win has runs of tens of thousands,
// and the copy for one would be a MiB. Split at draws, in order, the pixels are the same.
// A part of the frame ends at this many too: the driver bins what a part holds until it is
// drawn, and half of 6 K kept the win's burst most of a MiB lighter for the same time.
constexpr size_t kMostRunVerts = 3 * 1024;
bool texturing = true;    // GL_TEXTURE_2D enabled
bool replacing = false;   // the texture environment is GL_REPLACE, not GL_MODULATE

// Shading by small programs where the driver has them, the fixed-function texture
// environment otherwise. A software rasteriser shades upright rectangles on a far cheaper
// path when the program only reads a texture, or only passes the colour on, and the texture
// holds BGRA texels: a screen of texture copied costs it a sixth of the fixed-function
// shading. A texture times a colour other than white stays with the fixed-function
// pipeline: that path drew such draws wrong (the board's clues vanished where their run
// went as one quad); so do linearly sampled ones, which it filters a shade differently by
// where the picture lies in its texture.
// The programs are assembly fragment programs behind the fixed-function vertex stage: they
// reach the same cheap path as the shading language, whose compiler would keep some 6 MiB
// of its own for the rest of the run.
using GenProgramsFn = void (*)(GLsizei, GLuint*);
using BindProgramFn = void (*)(GLenum, GLuint);
using ProgramStringFn = void (*)(GLenum, GLenum, GLsizei, const void*);
constexpr GLenum kFragmentProgram = 0x8804;       // GL_FRAGMENT_PROGRAM_ARB
constexpr GLenum kProgramFormatAscii = 0x8875;    // GL_PROGRAM_FORMAT_ASCII_ARB
constexpr GLenum kProgramErrorPosition = 0x864B;  // GL_PROGRAM_ERROR_POSITION_ARB
struct {
    BindProgramFn bind = nullptr;
    GLuint copy = 0;      // the texture as it is (white at full opacity)
    GLuint coverage = 0;  // the colour at the coverage of a one-byte texture (a font)
    GLuint colour = 0;    // the colour alone
    GLuint current = 0;   // 0: the fixed-function pipeline
    bool usable() const { return bind && copy && coverage && colour; }
    void use(GLuint p) const {
        if (!p) {
            glDisable(kFragmentProgram);
            return;
        }
        glEnable(kFragmentProgram);
        bind(kFragmentProgram, p);
    }
} programs;

constexpr const char* kCopyProgram =
    "!!ARBfp1.0\n"
    "TEX result.color, fragment.texcoord[0], texture[0], 2D;\n"
    "END\n";
constexpr const char* kCoverageProgram =
    "!!ARBfp1.0\n"
    "TEMP t;\n"
    "TEX t, fragment.texcoord[0], texture[0], 2D;\n"
    "MOV result.color.xyz, fragment.color;\n"
    "MUL result.color.w, fragment.color.w, t.w;\n"
    "END\n";
constexpr const char* kColourProgram =
    "!!ARBfp1.0\n"
    "MOV result.color, fragment.color;\n"
    "END\n";

// A GL entry point beyond 1.1, or null where the driver has none.
template <typename Fn>
Fn glProc(const char* name) {
    return reinterpret_cast<Fn>(SDL_GL_GetProcAddress(name));
}

// The programs, or none (then the fixed-function pipeline shades).
void makePrograms() {
    programs = {};
    if (!SDL_GL_ExtensionSupported("GL_ARB_fragment_program")) return;
    auto genPrograms = glProc<GenProgramsFn>("glGenProgramsARB");
    auto bindProgram = glProc<BindProgramFn>("glBindProgramARB");
    auto programString = glProc<ProgramStringFn>("glProgramStringARB");
    if (!genPrograms || !bindProgram || !programString) return;
    while (glGetError() != GL_NO_ERROR) {
    }
    auto make = [&](const char* source) -> GLuint {
        GLuint prog = 0;
        genPrograms(1, &prog);
        bindProgram(kFragmentProgram, prog);
        programString(kFragmentProgram, kProgramFormatAscii, GLsizei(std::strlen(source)), source);
        GLint errorAt = 0;
        glGetIntegerv(kProgramErrorPosition, &errorAt);
        return glGetError() == GL_NO_ERROR && errorAt == -1 ? prog : 0;
    };
    programs.copy = make(kCopyProgram);
    programs.coverage = make(kCoverageProgram);
    programs.colour = make(kColourProgram);
    programs.bind = bindProgram;
    if (!programs.usable()) programs = {};
    glDisable(kFragmentProgram);
}

bool isCoverage(GLuint texture);

// The shading of a run of draws: its texture (0 for plain colour) and whether every vertex
// is white at full opacity, which changes nothing a texture shows. True when a program
// shades it.
bool shade(GLuint texture, bool plain, bool linear) {
    const GLuint p = !programs.usable() || linear ? 0
                     : !texture                   ? programs.colour
                     : isCoverage(texture)        ? programs.coverage
                     : plain                      ? programs.copy
                                                  : 0;
    if (p != programs.current) programs.use(p);
    programs.current = p;
    if (p) return true;
    // Plain colour needs no texture: the driver's shading is cheaper without one.
    if (bool(texture) != texturing) {
        texturing = bool(texture);
        if (texturing) glEnable(GL_TEXTURE_2D);
        else glDisable(GL_TEXTURE_2D);
    }
    // White at full opacity changes nothing: the texture alone is a cheaper shading.
    if (texture && plain != replacing) {
        replacing = plain;
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, plain ? GL_REPLACE : GL_MODULATE);
    }
    return false;
}

// Filtering is a texture's own setting: what each texture has now, and whether it is
// mip-mapped (its linear minification then reads the mip levels).
struct Sampling {
    bool mipmapped = false;
    int filter = -1;  // the minification filter set now; -1 unknown
    int w = 0, h = 0;
    bool alphaOnly = false;  // one byte a texel: a font's coverage
};
std::unordered_map<GLuint, Sampling> sampling;

bool isCoverage(GLuint texture) {
    auto it = sampling.find(texture);
    return it != sampling.end() && it->second.alphaOnly;
}

// levels: whether a mip-mapped texture's smaller levels may be read. Without them a
// software rasteriser samples far more cheaply; a draw that never shows more than a texel
// a pixel reads only the largest level anyway (see readsLevels).
void setSampling(GLuint tex, bool linear, bool levels = true) {
    Sampling& s = sampling[tex];
    const int min = !linear ? GL_NEAREST : s.mipmapped && levels ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR;
    if (s.filter == min) return;
    s.filter = min;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, min);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, linear ? GL_LINEAR : GL_NEAREST);
}

// Images loaded together share pages: cells packed on shelves, the last page filled
// before a new one is made. A page goes when its last image does.
constexpr int kPageSize = 512;
constexpr int kOwnTextureFrom = 256;  // larger sheets get a texture of their own
struct Page {
    GLuint texture = 0;
    int users = 0;
    int penX = 0, shelfY = 0, shelfH = 0;
    unsigned epoch = 0;      // counts the times its texture went while its images lived
    unsigned lastDrawn = 0;  // the frame that last drew one of its images
    std::vector<TImageData*> images;  // those whose cells are on it now
};
std::vector<Page> pages;
// A frame goes in parts of kFirstPart draws, then kDrawsPerPart: llvmpipe keeps a 64 KiB
// block for every draw that changes state until its part is drawn, so small parts keep a
// busy frame (a win's particles) a few MiB lighter, for no more time a frame.
constexpr int kFirstPart = 8;
constexpr int kDrawsPerPart = 8;
// Parts of a frame handed to the driver and not drawn yet: it draws them on threads of its
// own while we go on, and keeps every draw of them until then. With more than these waiting,
// the oldest is waited for.
constexpr size_t kPartsInFlight = 2;
using FenceSyncFn = GLsync (*)(GLenum, GLbitfield);
using ClientWaitSyncFn = GLenum (*)(GLsync, GLbitfield, GLuint64);
using DeleteSyncFn = void (*)(GLsync);
struct {
    FenceSyncFn fence = nullptr;
    ClientWaitSyncFn wait = nullptr;
    DeleteSyncFn del = nullptr;
    std::deque<GLsync> waiting;
    bool usable() const { return fence && wait && del; }
} parts;

void handOverPart() {
    if (parts.usable())
        if (GLsync s = parts.fence(GL_SYNC_GPU_COMMANDS_COMPLETE, 0)) parts.waiting.push_back(s);
    glFlush();
    while (parts.waiting.size() > kPartsInFlight) {
        parts.wait(parts.waiting.front(), GL_SYNC_FLUSH_COMMANDS_BIT, GLuint64(1000000000));
        parts.del(parts.waiting.front());
        parts.waiting.pop_front();
    }
}

// The swap waits for the whole frame: every part is drawn by then.
void forgetParts() {
    if (parts.usable())
        for (GLsync s : parts.waiting) parts.del(s);
    parts.waiting.clear();
}

// Fewer changes of state than this are not worth sorting the draws for.
constexpr size_t kBatchFrom = 64;
int drawsUnflushed = 0;     // draws handed to GL since the last flush or swap
size_t vertsUnflushed = 0;  // and their vertices
bool partedFrame = false;  // the frame has been handed over in parts
// Images with a texture of their own (larger than a page takes).
std::unordered_set<TImageData*> ownTextures;
// Fonts whose atlas has a texture.
std::unordered_set<TImageFontData*> fontTextures;
// Image textures (pages and own) are let go once they have not been drawn for a while and
// all of them together are over the budget, the least lately drawn first; an image whose
// texture went is read from its file again when it is next drawn. So memory follows what
// the screens of the moment draw, not every picture the game has shown since it started.
constexpr size_t kTextureBudget = 12u << 20;
constexpr unsigned kTextureIdleFrames = 120;
// Once a screen has ended, its large pictures go at once, and what else it drew and the
// next screen has not drawn in its first frames then, without waiting the idle time.
unsigned screenFrom = 0;
constexpr unsigned kScreenSettleFrames = 20;

// What GL currently has for the mapping and the clip, to notice changes: dw x dh pixels of
// what draws land on (the window's drawable, or the picture) show vw x vh units.
struct Applied {
    int dw = -1, dh = -1;
    float vw = -1, vh = -1;
    int vpX = 0, vpY = 0, vpW = -1, vpH = -1;
    Rect clip;  // the scissor in device pixels, rows from the top
    int winW = -1, winH = -1;      // the drawable and the virtual space they were set for
    float virtW = -1, virtH = -1;
} applied;

// Sheets of stamps (see findStampRuns), made with GL itself: the stamps copied texel for
// texel into a fresh texture through a framebuffer, so the sheet holds exactly what the
// page does. A run gets its sheet the second frame in a row it is drawn the same way (a
// board whose cells are all changing draws as before); sheets not drawn for a while go.
using GenFramebuffersFn = void (*)(GLsizei, GLuint*);
using DeleteFramebuffersFn = void (*)(GLsizei, const GLuint*);
using BindFramebufferFn = void (*)(GLenum, GLuint);
using FramebufferTexture2DFn = void (*)(GLenum, GLenum, GLenum, GLuint, GLint);
using CheckFramebufferStatusFn = GLenum (*)(GLenum);
struct {
    GenFramebuffersFn gen = nullptr;
    DeleteFramebuffersFn del = nullptr;
    BindFramebufferFn bind = nullptr;
    FramebufferTexture2DFn attach = nullptr;
    CheckFramebufferStatusFn status = nullptr;
    GLuint fbo = 0;
    bool usable() const { return gen && del && bind && attach && status; }
} fb;

// The picture: where the display does not show the virtual space one unit a pixel (a window
// smaller than the picture, a full screen larger than it), a frame is drawn one unit a pixel
// into a texture, and the flip scales it onto the display where it changed. Every
// picture then lies on the pixel grid and takes the cheap unfiltered shading; only the copy
// is filtered, over the display's pixels once.
struct {
    GLuint fbo = 0, texture = 0;
    int w = 0, h = 0;          // texels: the virtual space rounded up
    float vw = 0, vh = 0;      // the virtual space it holds
    bool active = false;       // draws land on it
} picture;

struct Sheet {
    unsigned source = 0;  // the stamps' texture
    int tx = 0, ty = 0, tw = 0, th = 0, w = 0, h = 0;
    std::vector<int> at;
    size_t hash = 0;
    GLuint texture = 0;  // 0 until made
    unsigned lastFrame = 0;
};
constexpr size_t kMaxSheets = 8;
constexpr size_t kSheetBudget = 8u << 20;  // bytes of texels
constexpr unsigned kSheetIdleFrames = 60;
std::vector<Sheet> sheets;
unsigned frameNumber = 1;
bool sheetsBroken = false;  // the driver could not render into a texture: never again

// Layers (see findLayerGroups): what a run of draws made of an opaque rectangle, kept as a
// texture and copied while the frame draws them the same way.
struct Layer {
    size_t hash = 0;
    Rect rect;
    std::vector<DeferredDraw> draws;  // first: into verts
    std::vector<Vertex> verts;
    GLuint texture = 0;  // 0 until made
    unsigned lastFrame = 0;
};
constexpr size_t kMaxLayers = 4;
constexpr long kMaxLayerPixels = 1024 * 1024;
std::vector<Layer> layers;

void dropLayer(Layer& l) {
    if (l.texture) {
        glDeleteTextures(1, &l.texture);
        sampling.erase(l.texture);
    }
    l.texture = 0;
}

size_t hashRun(unsigned source, const StampRun& r) {
    size_t h = std::hash<unsigned>()(source);
    auto mix = [&](long long v) { h ^= std::hash<long long>()(v) + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2); };
    for (int v : {r.tx, r.ty, r.tw, r.th, r.sheet.w, r.sheet.h}) mix(v);
    for (int v : r.at) mix(v);
    return h;
}

void dropSheet(Sheet& sh) {
    if (sh.texture) {
        glDeleteTextures(1, &sh.texture);
        sampling.erase(sh.texture);
    }
    sh.texture = 0;
}

// Sheets and layers made from a texture whose texels changed (or that went) no longer hold
// them.
void dropCopiesOf(unsigned source) {
    for (Sheet& sh : sheets)
        if (sh.source == source) {
            dropSheet(sh);
            sh.source = 0;
            sh.lastFrame = 0;
        }
    for (size_t i = layers.size(); i-- > 0;)
        if (std::any_of(layers[i].draws.begin(), layers[i].draws.end(),
                        [&](const DeferredDraw& d) { return d.texture == source; })) {
            dropLayer(layers[i]);
            layers.erase(layers.begin() + long(i));
        }
}

// The mapping from virtual units onto GL's window rows (upward).
void setProjection(float left, float right, float bottom, float top) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(left, right, bottom, top, -1, 1);
    glMatrixMode(GL_MODELVIEW);
}

void pointArrays(const std::vector<Vertex>& v) {
    const char* base = reinterpret_cast<const char*>(v.data());
    glVertexPointer(2, GL_FLOAT, sizeof(Vertex), base + offsetof(Vertex, x));
    glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), base + offsetof(Vertex, u));
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Vertex), base + offsetof(Vertex, rgba));
}

GLuint makeTexture(int w, int h, bool mipmapped, const void* pixels, bool alphaOnly = false);

// The texture `tex` as what the framebuffer draws on and reads from; false when the driver
// does not take it.
bool framebufferOn(GLuint tex) {
    if (!fb.fbo) fb.gen(1, &fb.fbo);
    fb.bind(GL_FRAMEBUFFER, fb.fbo);
    fb.attach(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, tex, 0);
    return fb.status(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

// Back to what frames draw on: the window, or the picture.
void framebufferOff() {
    fb.attach(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, 0, 0);
    fb.bind(GL_FRAMEBUFFER, picture.active ? picture.fbo : 0);
}

// Draws into the w x h texture through the framebuffer: all of it cleared first, or only
// the window rectangle `only` (rows upward), drawn over.
bool renderInto(GLuint tex, int w, int h, const Rect* only, const std::function<void()>& draw) {
    if (!fb.usable() || sheetsBroken) return false;
    const bool complete = framebufferOn(tex);
    if (complete) {
        glViewport(0, 0, w, h);
        if (only) {
            glScissor(only->x, only->y, only->w, only->h);
        } else {
            glDisable(GL_SCISSOR_TEST);
            glClearColor(0, 0, 0, 0);
            glClear(GL_COLOR_BUFFER_BIT);
        }
        draw();
    }
    framebufferOff();
    // Back to the window (or the picture) as applyState left it.
    glEnable(GL_SCISSOR_TEST);
    const Rect& c = applied.clip;
    glScissor(c.x, applied.dh - c.y - c.h, c.w, c.h);
    glViewport(0, 0, applied.dw, applied.dh);
    setProjection(0, applied.vw, applied.vh, 0);
    if (!complete) sheetsBroken = true;
    return complete;
}

GLuint makeTexture(int w, int h, bool mipmapped, const void* pixels, bool alphaOnly);

// A fresh w x h texture drawn by `draw` (cleared to transparent, unclipped, its window rows
// the texture's rows); 0 when the driver cannot, and then never tried again.
GLuint renderToTexture(int w, int h, const std::function<void()>& draw) {
    if (!fb.usable() || sheetsBroken) return 0;
    GLuint tex = makeTexture(w, h, false, nullptr);
    if (!renderInto(tex, w, h, nullptr, draw)) {
        glDeleteTextures(1, &tex);
        sampling.erase(tex);
        return 0;
    }
    return tex;
}

// Copies the stamps into the sheet's fresh texture; false when the driver cannot.
bool makeSheet(Sheet& sh) {
    const Sampling src = sampling[sh.source];
    if (src.w <= 0 || src.h <= 0) return false;
    sh.texture = renderToTexture(sh.w, sh.h, [&] {
        // The stamps' rows from the sheet's first: window rows upward.
        setProjection(0, float(sh.w), 0, float(sh.h));
        shade(sh.source, true, false);
        glBindTexture(GL_TEXTURE_2D, sh.source);
        setSampling(sh.source, false);
        glDisable(GL_BLEND);
        const float u0 = float(sh.tx) / float(src.w), u1 = float(sh.tx + sh.tw) / float(src.w);
        const float v0 = float(sh.ty) / float(src.h), v1 = float(sh.ty + sh.th) / float(src.h);
        run.clear();
        for (size_t i = 0; i + 1 < sh.at.size(); i += 2) {
            const float x0 = float(sh.at[i]), y0 = float(sh.at[i + 1]);
            appendQuad(run, x0, y0, x0 + float(sh.tw), y0 + float(sh.th), u0, v0, u1, v1, 0xFFFFFFFFu);
        }
        pointArrays(run);
        glDrawArrays(GL_TRIANGLES, 0, GLsizei(run.size()));
        run.clear();
    });
    return sh.texture != 0;
}

// A stamp laid out anew (a board whose cells changed) leaves its old sheets behind for good;
// those not drawn this frame or the last go when the new one is made. Other stamps (the
// frames of an animation) keep theirs: those come round again.
void dropSupersededSheets(Sheet made) {
    for (size_t i = sheets.size(); i-- > 0;) {
        Sheet& sh = sheets[i];
        if (sh.texture == made.texture || sh.source != made.source || sh.tx != made.tx || sh.ty != made.ty ||
            sh.tw != made.tw || sh.th != made.th || sh.lastFrame + 1 >= frameNumber)
            continue;
        dropSheet(sh);
        sheets.erase(sheets.begin() + long(i));
    }
}

// The sheet's texture for a run, or 0: draw the run as it is.
GLuint sheetFor(unsigned source, const StampRun& r) {
    const size_t h = hashRun(source, r);
    for (Sheet& sh : sheets)
        if (sh.hash == h && sh.source == source && sh.tx == r.tx && sh.ty == r.ty && sh.tw == r.tw &&
            sh.th == r.th && sh.w == r.sheet.w && sh.h == r.sheet.h && sh.at == r.at) {
            const bool again = sh.lastFrame + 1 >= frameNumber;
            sh.lastFrame = frameNumber;
            if (sh.texture || !again) return sh.texture;
            if (!makeSheet(sh)) return 0;
            const GLuint made = sh.texture;
            dropSupersededSheets(sh);  // may move this one
            return made;
        }
    // New: remembered, made if it comes again. The longest idle ones make room, never one
    // this frame's draws may use.
    auto bytes = [](const Sheet& sh) { return size_t(sh.w) * size_t(sh.h) * 4; };
    size_t held = bytes(Sheet{0, 0, 0, 0, 0, r.sheet.w, r.sheet.h, {}, 0, 0, 0});
    for (const Sheet& sh : sheets) held += bytes(sh);
    while (sheets.size() >= kMaxSheets || held > kSheetBudget) {
        auto idle = std::min_element(sheets.begin(), sheets.end(),
                                     [](const Sheet& a, const Sheet& b) { return a.lastFrame < b.lastFrame; });
        if (idle == sheets.end() || idle->lastFrame == frameNumber) return 0;
        held -= bytes(*idle);
        dropSheet(*idle);
        sheets.erase(idle);
    }
    sheets.push_back(Sheet{source, r.tx, r.ty, r.tw, r.th, r.sheet.w, r.sheet.h, r.at, h, 0, frameNumber});
    return 0;
}

// A shared page's texture goes; its pictures are uploaded again when next drawn (their
// epoch no longer the page's), and nothing more goes onto it.
void dropPage(Page& page) {
    deleteTexture(page.texture, contextGeneration);
    page.texture = 0;
    page.users = 0;
    ++page.epoch;
    page.shelfY = kPageSize;
    page.images.clear();
}

// Image textures not drawn since frame `before` go, the least lately drawn first, while all
// of them are over `budget`; shared pages only when `pagesToo`. True when any went.
bool forgetTexturesBefore(unsigned before, bool pagesToo, size_t budget) {
    size_t total = 0;
    for (const Page& p : pages)
        if (p.texture) total += size_t(kPageSize) * kPageSize * 4;
    for (const TImageData* img : ownTextures) total += size_t(img->texW) * size_t(img->texH) * 4;
    bool released = false;
    while (total > budget) {
        Page* page = nullptr;
        TImageData* own = nullptr;
        unsigned oldest = before;
        if (pagesToo)
            for (Page& p : pages)
                if (p.texture && p.lastDrawn < oldest) {
                    oldest = p.lastDrawn;
                    page = &p;
                }
        for (TImageData* img : ownTextures)
            if (img->lastDrawn < oldest) {
                oldest = img->lastDrawn;
                own = img;
                page = nullptr;
            }
        if (own) {
            total -= size_t(own->texW) * size_t(own->texH) * 4;
            releaseImageTexture(*own);
            own->textureGeneration = 0;  // uploaded again when next drawn
        } else if (page) {
            total -= size_t(kPageSize) * kPageSize * 4;
            dropPage(*page);
        } else {
            break;
        }
        released = true;
    }
#ifdef __GLIBC__
    // What the driver freed around the textures goes back to the system too.
    if (released) malloc_trim(0);
#endif
    return released;
}

void trimFrameBuffers();

// A software driver draws a frame's parts as batches of its own, from a few slots it reuses:
// it takes the lowest slot that is free and only then lets go what that slot's last batch
// held (the textures it drew from, its binned triangles). A slot used only in a busy moment
// (a win's burst, a screen's last frames) keeps all that until a moment as busy comes. So a
// batch of nothing, slow to draw, takes the first slot; while it draws, each next batch of
// nothing finds the slots before it busy, takes the next one and empties it. Should the slow
// batch end too soon, a slower one tries again.
constexpr int kDriverSlots = 8;  // slots emptied past the slow batch's
bool slottedDriver = false;      // the driver is llvmpipe
void applyState();
void emptyDriverSlots() {
    if (!slottedDriver) return;
    applyState();  // drawn where frames are, under their mapping and clip (the flip leaves others)
    if (!(applied.vw > 0) || !(applied.vh > 0) || applied.clip.w <= 0 || applied.clip.h <= 0) return;
    shade(0, false, false);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);  // at opacity 0: every pixel stays
    std::vector<Vertex> whole, tiny;
    appendQuad(whole, 0, 0, applied.vw, applied.vh, 0, 0, 0, 0, 0);
    // One pixel at the clip's corner, in virtual units.
    const float kx = float(applied.dw) / applied.vw, ky = float(applied.dh) / applied.vh;
    const float px = float(applied.clip.x) / kx, py = float(applied.clip.y) / ky;
    appendQuad(tiny, px, py, px + 1 / kx, py + 1 / ky, 0, 0, 0, 0, 0);
    for (int wholes = 4; wholes <= 64; wholes *= 2) {
        pointArrays(whole);
        for (int i = 0; i < wholes; ++i) glDrawArrays(GL_TRIANGLES, 0, GLsizei(whole.size()));
        GLsync slow = parts.usable() ? parts.fence(GL_SYNC_GPU_COMMANDS_COMPLETE, 0) : nullptr;
        glFlush();
        pointArrays(tiny);
        int emptied = 0;
        for (; emptied < kDriverSlots; ++emptied) {
            if (slow && parts.wait(slow, 0, 0) != GL_TIMEOUT_EXPIRED) break;
            glDrawArrays(GL_TRIANGLES, 0, GLsizei(tiny.size()));
            glFlush();
        }
        if (slow) parts.del(slow);
        if (!slow || emptied == kDriverSlots) return;
        glFinish();  // every slot free again before a slower try
    }
}

void gatherPages(unsigned since);

// The atlases of fonts not drawn with since `before` go; a font drawn again has its glyphs
// rendered again, the same, for a new texture.
void forgetFontTexturesBefore(unsigned before) {
    std::vector<TImageFontData*> idle;
    for (TImageFontData* font : fontTextures)
        if (font->lastDrawn < before) idle.push_back(font);
    for (TImageFontData* font : idle) releaseFontTexture(*font);
}

void forgetIdleTextures() {
    if (frameNumber % 30 != 0) return;
    if (frameNumber % kTextureIdleFrames == 0) trimFrameBuffers();
    unsigned before = frameNumber > kTextureIdleFrames ? frameNumber - kTextureIdleFrames : 0;
    if (frameNumber >= screenFrom + kScreenSettleFrames) {
        before = std::max(before, screenFrom);
        // Shared pages the new screen has drawn nothing from in its first frames hold only
        // past screens' small pictures: they go, under the budget or not, rather than sit
        // under the new screen's own pictures (read again from their files if drawn again).
        forgetTexturesBefore(screenFrom, true, 0);
        gatherPages(before);
        forgetFontTexturesBefore(screenFrom);
    }
#ifdef __GLIBC__
    // A long screen (a level) frees as it goes, the driver most of all: every two seconds
    // the allocator's free pages go back, not only at the next place.
    if (!forgetTexturesBefore(before, true, kTextureBudget) && frameNumber % kTextureIdleFrames == 0) malloc_trim(0);
#else
    forgetTexturesBefore(before, true, kTextureBudget);
#endif
}

void forgetIdleCopies() {
    ++frameNumber;
    for (size_t i = sheets.size(); i-- > 0;)
        if (sheets[i].lastFrame + kSheetIdleFrames < frameNumber) {
            dropSheet(sheets[i]);
            sheets.erase(sheets.begin() + long(i));
        }
    for (size_t i = layers.size(); i-- > 0;)
        if (layers[i].lastFrame + kSheetIdleFrames < frameNumber) {
            dropLayer(layers[i]);
            layers.erase(layers.begin() + long(i));
        }
}

bool textureSize(unsigned tex, int& w, int& h) {
    auto it = sampling.find(tex);
    if (it == sampling.end()) return false;
    w = it->second.w;
    h = it->second.h;
    return true;
}

// What stands in for a range of the deferred draws: one upright quad over `rect` (device
// pixels) showing the whole texture, its rows from vTop down to vBottom.
struct StandIn {
    GLuint texture = 0;
    int blend = SOLIDBLEND;
    Rect rect;
    float vTop = 0, vBottom = 1;
    uint32_t rgba = 0xFFFFFFFFu;
};

// Each range (first, count) of the deferred draws that `make` gives a stand-in becomes it.
template <class Range, class Make>
void standIn(const std::vector<Range>& ranges, Make make) {
    if (ranges.empty()) return;
    const float kx = float(applied.dw) / applied.vw, ky = float(applied.dh) / applied.vh;
    std::vector<DeferredDraw> out;
    out.reserve(deferred.size());
    size_t next = 0;
    for (const Range& r : ranges) {
        out.insert(out.end(), deferred.begin() + long(next), deferred.begin() + long(r.first));
        next = r.first + r.count;
        StandIn st;
        if (!make(r, st)) {
            out.insert(out.end(), deferred.begin() + long(r.first), deferred.begin() + long(next));
            continue;
        }
        const float x0 = float(st.rect.x) / kx, x1 = float(st.rect.x + st.rect.w) / kx;
        const float y0 = float(st.rect.y) / ky, y1 = float(st.rect.y + st.rect.h) / ky;
        out.push_back(DeferredDraw{st.texture, st.blend, false, unsigned(frameVerts.size()), 6});
        appendQuad(frameVerts, x0, y0, x1, y1, 0, st.vTop, 1, st.vBottom, st.rgba);
    }
    out.insert(out.end(), deferred.begin() + long(next), deferred.end());
    deferred.swap(out);
}

// Runs of stamps that have a sheet become one quad over it.
void drawStampsAsSheets() {
    if (sheetsBroken || !fb.usable()) return;
    const float kx = float(applied.dw) / applied.vw, ky = float(applied.dh) / applied.vh;
    standIn(findStampRuns(deferred, frameVerts, kx, ky, textureSize), [](const StampRun& r, StandIn& st) {
        const DeferredDraw& d = deferred[r.first];
        st = StandIn{sheetFor(d.texture, r), d.blend, r.sheet, 0, 1, frameVerts[d.first].rgba};
        return st.texture != 0;
    });
}

// Whether linear sampling of the draw may read the smaller levels of its texture: not when
// it shows nowhere more than a texel a pixel (then only the largest is read anyway).
bool readsLevels(const DeferredDraw& d, const std::vector<Vertex>& verts) {
    if (!exactSavings || !d.linear) return true;
    auto it = sampling.find(d.texture);
    if (it == sampling.end() || !it->second.mipmapped) return true;
    return !enlargedOnly(&verts[d.first], d.count, float(applied.dw) / applied.vw, float(applied.dh) / applied.vh,
                         it->second.w, it->second.h);
}

double cheapArea = 0;  // pixels the programs shaded since fixed-function shading last came

// One glDrawArrays of the run's triangles.
void drawRun(GLuint texture, int blend, bool linear, bool levels) {
    if (run.empty()) return;
    const bool cheap = shade(texture, texture && std::all_of(run.begin(), run.end(), [](const Vertex& v) {
                                 return v.rgba == 0xFFFFFFFFu;
                             }), linear);
    // A software rasteriser shades a tile on its cheap path only when every draw the driver
    // has for it can take that path: one fixed-function draw has the whole tile shaded the
    // slow way. So what the programs drew is handed over on its own before fixed-function
    // shading follows, once it covers an eighth of what draws land on.
    if (!cheap) {
        if (cheapArea * 8 >= double(applied.dw) * double(applied.dh)) glFlush();
        cheapArea = 0;
    }
    if (texture) {
        glBindTexture(GL_TEXTURE_2D, texture);
        setSampling(texture, linear, levels);
    }
    switch (blend) {
        case SOLIDBLEND:
            glDisable(GL_BLEND);
            break;
        case LIGHTBLEND:
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE);
            break;
        default:
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            break;
    }
    pointArrays(run);
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(run.size()));
    ++frameCost.draws;
    // A software driver keeps every draw's state until the frame is drawn: a frame of
    // thousands of draws (a large board's win) would hold a hundred MiB. Handing it over in
    // parts, no more than a few of them waiting to be drawn, bounds that and changes no pixel.
    // Its triangles binned into every tile they touch cost the driver more than the draw:
    // a part ends at a run's worth of vertices too (a win's pieces, 2 MiB less at their peak).
    vertsUnflushed += run.size();
    if (++drawsUnflushed >= (partedFrame ? kDrawsPerPart : kFirstPart) || vertsUnflushed >= kMostRunVerts) {
        partedFrame = true;
        handOverPart();
        drawsUnflushed = 0;
        vertsUnflushed = 0;
    }
    // Vertices are in virtual units: the draws were made under the mapping GL has now. A quad
    // (or triangle) counts only inside the clip: the part of its bounds there, times the
    // share of its bounds it fills.
    const double kx = double(applied.dw) / double(applied.vw), ky = double(applied.dh) / double(applied.vh);
    const Rect& clip = applied.clip;
    double area = 0;
    const size_t step = run.size() % 6 == 0 ? 6 : 3;
    for (size_t i = 0; i + step <= run.size(); i += step) {
        double filled = 0, x0 = 1e30, y0 = 1e30, x1 = -1e30, y1 = -1e30;
        for (size_t t = i; t < i + step; t += 3) {
            const Vertex &a = run[t], &b = run[t + 1], &c = run[t + 2];
            filled += 0.5 * std::fabs(double(b.x - a.x) * double(c.y - a.y) - double(c.x - a.x) * double(b.y - a.y));
        }
        for (size_t t = i; t < i + step; ++t) {
            x0 = std::min(x0, double(run[t].x));
            y0 = std::min(y0, double(run[t].y));
            x1 = std::max(x1, double(run[t].x));
            y1 = std::max(y1, double(run[t].y));
        }
        const double box = (x1 - x0) * (y1 - y0) * kx * ky;
        const double mx0 = std::max(x0 * kx, double(clip.x)), my0 = std::max(y0 * ky, double(clip.y));
        const double mx1 = std::min(x1 * kx, double(clip.x + clip.w)), my1 = std::min(y1 * ky, double(clip.y + clip.h));
        if (box > 0 && mx1 > mx0 && my1 > my0) area += filled * kx * ky * (mx1 - mx0) * (my1 - my0) / box;
    }
    frameCost.pixels += area;
    if (blend != SOLIDBLEND) frameCost.blendedPixels += area;
    if (texture && linear) frameCost.filteredPixels += area;
    if (programs.current) cheapArea += area;
    run.clear();
}

Rect reach(const DeferredDraw& d, const std::vector<Vertex>& verts);

// Opaque draws no larger than this (device pixels) go blended with the blended draws of their
// texture around them: a software rasteriser pays far more for a change of state than for a
// few blended pixels (a win's pieces, each a solid tile and a blended treasure over it, were
// two draws apiece). Blending a texel of full opacity gives that texel.
constexpr long kBlendedOpaqueArea = 64 * 64;

bool blendsAlong(const DeferredDraw& d, const std::vector<Vertex>& verts) {
    if (!d.opaque) return false;
    const Rect r = reach(d, verts);
    return long(r.w) * r.h <= kBlendedOpaqueArea;
}

// Draws to GL, those of one texture, blend and filter in a row as one.
void issue(const std::vector<DeferredDraw>& draws, const std::vector<Vertex>& verts) {
    const DeferredDraw* last = nullptr;
    bool lastLevels = true;
    int blend = 0;              // the run's
    bool smallOpaque = false;   // the run is of small opaque draws only, so far
    for (const DeferredDraw& d : draws) {
        const bool levels = readsLevels(d, verts);
        const bool along = culling && blendsAlong(d, verts);
        bool joins = last && d.texture == last->texture && d.linear == last->linear && levels == lastLevels &&
                     run.size() + d.count <= kMostRunVerts;
        if (joins && d.blend != blend) {
            if (along && blend == ALPHABLEND) {
                // goes blended
            } else if (d.blend == ALPHABLEND && smallOpaque) {
                blend = ALPHABLEND;
            } else {
                joins = false;
            }
        }
        if (last && !joins) drawRun(last->texture, blend, last->linear, lastLevels);
        if (!joins) {
            blend = d.blend;
            smallOpaque = true;
        }
        smallOpaque = smallOpaque && along;
        run.insert(run.end(), verts.begin() + d.first, verts.begin() + d.first + d.count);
        last = &d;
        lastLevels = levels;
    }
    if (last) drawRun(last->texture, blend, last->linear, lastLevels);
}

// The layer's draws made again into its fresh texture, in the window's orientation (the
// texture's first row is the rectangle's bottom row), moved by whole pixels only.
void layerProjection(const Rect& r) {
    const float kx = float(applied.dw) / applied.vw, ky = float(applied.dh) / applied.vh;
    setProjection(float(r.x) / kx, float(r.x + r.w) / kx, float(r.y + r.h) / ky, float(r.y) / ky);
}

bool makeLayer(Layer& l) {
    l.texture = renderToTexture(l.rect.w, l.rect.h, [&] {
        layerProjection(l.rect);
        issue(l.draws, l.verts);
    });
    return l.texture != 0;
}

// The device pixels a draw may touch, a pixel to spare on each side.
Rect reach(const DeferredDraw& d, const std::vector<Vertex>& verts, float kx, float ky) {
    float x0 = verts[d.first].x, y0 = verts[d.first].y, x1 = x0, y1 = y0;
    for (unsigned i = d.first + 1; i < d.first + d.count; ++i) {
        x0 = std::min(x0, verts[i].x);
        y0 = std::min(y0, verts[i].y);
        x1 = std::max(x1, verts[i].x);
        y1 = std::max(y1, verts[i].y);
    }
    const int px0 = int(std::floor(x0 * kx)) - 1, py0 = int(std::floor(y0 * ky)) - 1;
    const int px1 = int(std::ceil(x1 * kx)) + 1, py1 = int(std::ceil(y1 * ky)) + 1;
    return Rect{px0, py0, px1 - px0, py1 - py0};
}

Rect reach(const DeferredDraw& d, const std::vector<Vertex>& verts) {
    return reach(d, verts, float(applied.dw) / applied.vw, float(applied.dh) / applied.vh);
}

Rect meetRect(const Rect& a, const Rect& b) {
    const int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
    const int x1 = std::min(a.x + a.w, b.x + b.w), y1 = std::min(a.y + a.h, b.y + b.h);
    return Rect{x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

bool sameDraw(const DeferredDraw& a, const std::vector<Vertex>& va, const DeferredDraw& b,
              const std::vector<Vertex>& vb) {
    return a.texture == b.texture && a.blend == b.blend && a.linear == b.linear && a.count == b.count &&
           std::memcmp(&va[a.first], &vb[b.first], a.count * sizeof(Vertex)) == 0;
}

// The group's draws, kept with their own vertices.
void keepDraws(Layer& l, const LayerGroup& g) {
    l.draws.assign(deferred.begin() + long(g.first), deferred.begin() + long(g.first + g.count));
    l.verts.clear();
    for (DeferredDraw& d : l.draws) {
        const unsigned at = unsigned(l.verts.size());
        l.verts.insert(l.verts.end(), frameVerts.begin() + d.first, frameVerts.begin() + d.first + d.count);
        d.first = at;
    }
}

// A made layer the group draws the same but for a few draws in small parts of it (the cells
// the pointer left and entered): those parts alone are drawn again into it, every draw
// reaching into one clipped to it, so the rest stays as the same draws made it.
constexpr size_t kMaxPatchedDraws = 128;
constexpr size_t kMaxPatches = 16;
bool patchLayer(Layer& l, const LayerGroup& g, size_t hash) {
    if (!l.texture || l.draws.size() != g.count || l.rect.x != g.rect.x || l.rect.y != g.rect.y ||
        l.rect.w != g.rect.w || l.rect.h != g.rect.h)
        return false;
    std::vector<Rect> dirty;  // apart from each other
    size_t changed = 0;
    for (size_t i = 0; i < g.count; ++i) {
        const DeferredDraw& now = deferred[g.first + i];
        if (sameDraw(l.draws[i], l.verts, now, frameVerts)) continue;
        if (++changed > kMaxPatchedDraws) return false;
        for (const Rect& part : {reach(l.draws[i], l.verts), reach(now, frameVerts)}) {
            Rect r = meetRect(part, l.rect);
            for (size_t k = dirty.size(); k-- > 0;) {
                const Rect m = meetRect(r, dirty[k]);
                if (m.w > 0 && m.h > 0) {
                    r = joinRect(r, dirty[k]);
                    dirty.erase(dirty.begin() + long(k));
                    k = dirty.size();  // the grown one may meet others now
                }
            }
            if (r.w > 0 && r.h > 0) dirty.push_back(r);
        }
    }
    long area = 0;
    for (const Rect& r : dirty) area += long(r.w) * r.h;
    if (changed == 0 || dirty.size() > kMaxPatches || area * 4 > long(l.rect.w) * l.rect.h) return false;
    keepDraws(l, g);
    l.hash = hash;
    // Window rows run upward from the rectangle's bottom row.
    auto rows = [&](const Rect& part) {
        return Rect{part.x - l.rect.x, l.rect.y + l.rect.h - part.y - part.h, part.w, part.h};
    };
    const Rect firstRows = rows(dirty[0]);
    const bool done = renderInto(l.texture, l.rect.w, l.rect.h, &firstRows, [&] {
        layerProjection(l.rect);
        const float kx = float(applied.dw) / applied.vw, ky = float(applied.dh) / applied.vh;
        std::vector<Rect> reaches;
        reaches.reserve(l.draws.size());
        for (const DeferredDraw& d : l.draws) reaches.push_back(reach(d, l.verts));
        std::vector<DeferredDraw> reaching;
        std::vector<Vertex> cut;
        for (const Rect& part : dirty) {
            // Each draw reaching into the part cut down to it (whole where it cannot be cut,
            // the clip keeps it in).
            reaching.clear();
            cut.clear();
            for (size_t i = 0; i < l.draws.size(); ++i) {
                const Rect r = meetRect(reaches[i], part);
                if (r.w <= 0 || r.h <= 0) continue;
                DeferredDraw d = l.draws[i];
                const unsigned at = unsigned(cut.size());
                const int clipped = clipQuad(&l.verts[d.first], part, kx, ky, cut);
                if (clipped == 0) continue;
                if (clipped < 0)
                    cut.insert(cut.end(), l.verts.begin() + d.first, l.verts.begin() + d.first + d.count);
                d.first = at;
                d.count = unsigned(cut.size()) - at;
                reaching.push_back(d);
            }
            const Rect only = rows(part);
            glScissor(only.x, only.y, only.w, only.h);
            issue(reaching, cut);
        }
    });
    if (!done) dropLayer(l);
    return done;
}

// The layer's texture for a group of the deferred draws, or 0: draw them as they are.
GLuint layerFor(const LayerGroup& g) {
    size_t h = std::hash<long long>()((long long)g.rect.x << 32 | unsigned(g.rect.y));
    const DeferredDraw* first = &deferred[g.first];
    for (size_t i = 0; i < g.count; ++i) {
        const DeferredDraw& d = first[i];
        h = h * 1099511628211ull ^ (size_t(d.texture) << 8 | size_t(d.blend) << 1 | size_t(d.linear));
        const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&frameVerts[d.first]);
        for (size_t b = 0; b < d.count * sizeof(Vertex); b += sizeof(uint32_t)) {
            uint32_t word;
            std::memcpy(&word, bytes + b, sizeof word);
            h = (h ^ word) * 1099511628211ull;
        }
    }
    auto same = [&](const Layer& l) {
        if (l.hash != h || l.draws.size() != g.count || l.rect.x != g.rect.x || l.rect.y != g.rect.y ||
            l.rect.w != g.rect.w || l.rect.h != g.rect.h)
            return false;
        for (size_t i = 0; i < g.count; ++i)
            if (!sameDraw(l.draws[i], l.verts, first[i], frameVerts)) return false;
        return true;
    };
    for (Layer& l : layers)
        if (same(l)) {
            const bool again = l.lastFrame + 1 >= frameNumber;
            l.lastFrame = frameNumber;
            if (!l.texture && again && !makeLayer(l)) return 0;
            return l.texture;
        }
    // The latest made layer may be mended.
    Layer* latest = nullptr;
    for (Layer& l : layers)
        if (l.texture && (!latest || l.lastFrame > latest->lastFrame)) latest = &l;
    if (latest && patchLayer(*latest, g, h)) {
        latest->lastFrame = frameNumber;
        return latest->texture;
    }
    if (long(g.rect.w) * g.rect.h > kMaxLayerPixels) return 0;
    // New: remembered, made if it comes again. The longest idle one makes room (one not made
    // first, so a board that keeps changing keeps the copy it mends), never one this frame's
    // draws may use.
    if (layers.size() >= kMaxLayers) {
        auto idle = std::min_element(layers.begin(), layers.end(), [](const Layer& a, const Layer& b) {
            return std::make_pair(a.texture != 0, a.lastFrame) < std::make_pair(b.texture != 0, b.lastFrame);
        });
        if (idle->lastFrame == frameNumber) return 0;
        dropLayer(*idle);
        layers.erase(idle);
    }
    Layer l;
    l.hash = h;
    l.rect = g.rect;
    l.lastFrame = frameNumber;
    keepDraws(l, g);
    layers.push_back(std::move(l));
    return 0;
}

// Groups drawn the same as when their layer was made become one solid copy of it (its
// texture's first row is the rectangle's bottom one).
void drawLayersAsCopies() {
    if (sheetsBroken || !fb.usable()) return;
    const float kx = float(applied.dw) / applied.vw, ky = float(applied.dh) / applied.vh;
    standIn(findLayerGroups(deferred, frameVerts, kx, ky, textureSize), [](const LayerGroup& g, StandIn& st) {
        st = StandIn{layerFor(g), SOLIDBLEND, g.rect, 1, 0, 0xFFFFFFFFu};
        return st.texture != 0;
    });
}

// Hands the deferred draws to GL, what later opaque draws hide left out and (standIns) what
// was made before copied.
// `keep`: the vertices before it stay (the frame's record, drawn in place).
void drawDeferred(bool standIns, size_t keep = 0) {
    if (deferred.empty()) return;
    if (culling) {
        cullHidden(deferred, frameVerts, float(applied.dw) / applied.vw, float(applied.dh) / applied.vh,
                   applied.clip);
        if (standIns) {
            drawLayersAsCopies();
            drawStampsAsSheets();
        }
        if (countRuns(deferred) > kBatchFrom)
            batchDraws(deferred, frameVerts, float(applied.dw) / applied.vw, float(applied.dh) / applied.vh,
                       applied.clip);
    }
    issue(deferred, frameVerts);
    deferred.clear();
    frameVerts.resize(keep);
}

// ---- frames drawn again only where they changed ------------------------------------------
// A frame is kept as a record of its steps (clears, and runs of draws with the mapping and
// clip they were made under) and handed to GL at the flip: where the last frame was kept on
// what draws land on (the picture, or a window back buffer that survives the swap) and this
// one begins with clearing all of it, only the rectangles covering the steps either frame
// has alone are drawn again, each through the scissor; everywhere else the last frame's
// pixels are this one's. What must reach GL before the flip (a read-back, a texture that
// goes or changes) has the frame drawn whole.

// Whether the window's back buffer keeps its pixels across a swap (the driver copies it to
// the screen instead of swapping buffers); found out as a display opens.
bool keptBackBuffer = false;
constexpr int kDriverTile = 64;  // a software rasteriser's tile, from the buffer's top-left
// A draw of its own costs the software rasteriser about what copying a tile and a half does.
constexpr long kDrawPixels = kDriverTile * kDriverTile * 3 / 2;

// What draws land on: the picture or the window's drawable, and its size.
struct Target {
    bool picture = false;
    int w = -1, h = -1;
};
Target target;
int shownW = -1, shownH = -1;  // the window the picture was last shown on

struct Step {
    bool clear = false;
    float r = 0, g = 0, b = 0;    // the clear's colour
    Applied at;                   // mapping and clip
    size_t first = 0, count = 0;  // its draws in the record
};

// Draws go into the record of the frame as they are made (its vertices first, the draws
// once the run they belong to ends).
struct FrameRecord {
    std::vector<Step> steps;
    std::vector<DeferredDraw> draws;  // first: into verts
    std::vector<Vertex> verts;
    std::vector<uint64_t> keys;       // one a clear or a draw, in order
    std::vector<Rect> reaches;        // one a draw: the target's pixels it may touch, clipped
    std::vector<unsigned> textures;   // those the draws use, sorted
    size_t issued = 0;                // steps handed to GL
    bool whole = false;               // handed to GL whole (so far)

    void reset() {
        steps.clear();
        draws.clear();
        verts.clear();
        keys.clear();
        reaches.clear();
        textures.clear();
        issued = 0;
        whole = false;
    }
};
FrameRecord frameNow, frameLast;
// Rectangles of the picture drawn since it was last shown (all of it when `unshownAll`),
// and whether the window's back buffer holds the picture as last shown.
std::vector<Rect> unshown;
bool unshownAll = true;
bool windowHoldsPicture = false;

// Buffers the size of a frame keep what the busiest frame needed (a large board's win: some
// MiB of vertices). Every two seconds, and when a screen ends, what the frame of the moment
// does not need goes.
template <typename T>
void trimBuffer(std::vector<T>& v) {
    if (v.capacity() * sizeof(T) >= (64u << 10) && v.capacity() > 2 * v.size()) v.shrink_to_fit();
}

// Each buffer that grows with a frame, handed to `fn`.
template <typename Fn>
void eachFrameBuffer(Fn&& fn) {
    for (FrameRecord* f : {&frameNow, &frameLast}) {
        fn(f->steps);
        fn(f->draws);
        fn(f->verts);
        fn(f->keys);
        fn(f->reaches);
        fn(f->textures);
    }
    fn(frameVerts);
    fn(deferred);
    fn(run);
    fn(unshown);
}

void trimFrameBuffers() {
    eachFrameBuffer([](auto& v) { trimBuffer(v); });
}
bool lastKept = false;  // frameLast is what draws land on now, pixel for pixel

constexpr size_t kMostAlone = 256;   // steps the two frames have alone, past which all is drawn
constexpr size_t kMostParts = 8;     // rectangles drawn again
constexpr long kMostPartsArea = 55;  // percent of the target, past which all is drawn

bool retaining() { return culling && (picture.active || keptBackBuffer); }

// Forgets the last frame: what draws land on may no longer hold it.
void forgetLastFrame() {
    lastKept = false;
    unshownAll = true;
}

// The last frame used a texture whose texels changed or went.
void textureChanged(unsigned texture) {
    if (std::binary_search(frameLast.textures.begin(), frameLast.textures.end(), texture)) lastKept = false;
}

void recordDraws() {
    Step st;
    st.at = applied;
    st.first = frameNow.draws.size();
    st.count = deferred.size();
    frameNow.draws.insert(frameNow.draws.end(), deferred.begin(), deferred.end());
    frameNow.steps.push_back(st);
    deferred.clear();
}

// GL set to the step's mapping and the clip `clip` (device pixels, rows from the top).
void applyStep(const Step& st, const Rect& clip) {
    applied.dw = st.at.dw;
    applied.dh = st.at.dh;
    applied.vw = st.at.vw;
    applied.vh = st.at.vh;
    applied.clip = clip;
    glViewport(0, 0, applied.dw, applied.dh);
    setProjection(0, applied.vw, applied.vh, 0);
    glScissor(clip.x, applied.dh - clip.y - clip.h, clip.w, clip.h);
}

// One step to GL, whole or (part) only where it meets that rectangle.
void issueStep(const Step& st, const Rect* part) {
    const Rect clip = part ? meetRect(st.at.clip, *part) : st.at.clip;
    if (clip.w <= 0 || clip.h <= 0) return;
    applyStep(st, clip);
    if (st.clear) {
        glClearColor(st.r, st.g, st.b, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    if (!part) {
        // Whole: drawn from the record's own vertices, what drawing adds going after them.
        // Layers and sheets are made and mended from whole frames only.
        deferred.assign(frameNow.draws.begin() + long(st.first), frameNow.draws.begin() + long(st.first + st.count));
        frameVerts.swap(frameNow.verts);
        drawDeferred(true, frameVerts.size());
        frameVerts.swap(frameNow.verts);
        return;
    }
    const float kx = float(st.at.dw) / st.at.vw, ky = float(st.at.dh) / st.at.vh;
    for (size_t i = st.first; i < st.first + st.count; ++i) {
        DeferredDraw d = frameNow.draws[i];
        const Rect r = meetRect(reach(d, frameNow.verts, kx, ky), clip);
        if (r.w <= 0 || r.h <= 0) continue;
        const unsigned at = unsigned(frameVerts.size());
        frameVerts.insert(frameVerts.end(), frameNow.verts.begin() + d.first, frameNow.verts.begin() + d.first + d.count);
        d.first = at;
        deferred.push_back(d);
    }
    drawDeferred(false);
}

// What the frame has not handed to GL yet goes whole; the rest of it follows as it comes.
void issuePending() {
    // Nothing drawn yet: the frame may still be drawn only where it changed.
    if (frameNow.issued == frameNow.steps.size() && (frameNow.whole || frameNow.steps.empty())) return;
    frameNow.whole = true;
    unshownAll = true;
    const Applied keep = applied;
    for (; frameNow.issued < frameNow.steps.size(); ++frameNow.issued)
        issueStep(frameNow.steps[frameNow.issued], nullptr);
    applyStep(Step{false, 0, 0, 0, keep}, keep.clip);
    applied = keep;
}

// A run of draws ends (the mapping or the clip changes, a clear or the flip comes): kept in
// the frame's record, and handed on at once when this frame goes whole anyway.
void flushBatch() {
    if (deferred.empty()) return;
    recordDraws();
    if (!retaining() || frameNow.whole) issuePending();
}

// Everything drawn so far must reach GL now.
void drawPending() {
    flushBatch();
    issuePending();
}

void recordClear(float r, float g, float b) {
    flushBatch();
    Step st;
    st.clear = true;
    st.r = r;
    st.g = g;
    st.b = b;
    st.at = applied;
    st.first = frameNow.draws.size();
    frameNow.steps.push_back(st);
    if (!retaining() || frameNow.whole) issuePending();
}

uint64_t mixKey(uint64_t h, uint64_t v) { return (h ^ v) * 1099511628211ull; }

uint64_t placeKey(const Applied& at) {
    uint64_t h = 14695981039346656037ull;
    for (long long v : {(long long)at.dw, (long long)at.dh, (long long)at.clip.x, (long long)at.clip.y,
                        (long long)at.clip.w, (long long)at.clip.h})
        h = mixKey(h, uint64_t(v));
    uint32_t w = 0, hh = 0;
    std::memcpy(&w, &at.vw, sizeof w);
    std::memcpy(&hh, &at.vh, sizeof hh);
    return mixKey(mixKey(h, w), hh);
}

// Keys of the record's clears and draws, where each draw reaches, and the textures it uses.
void keyRecord(FrameRecord& f) {
    f.keys.clear();
    f.reaches.resize(f.draws.size());
    f.textures.clear();
    for (const Step& st : f.steps) {
        const uint64_t place = placeKey(st.at);
        const float kx = float(st.at.dw) / st.at.vw, ky = float(st.at.dh) / st.at.vh;
        if (st.clear) {
            uint32_t c[3];
            std::memcpy(&c[0], &st.r, 4);
            std::memcpy(&c[1], &st.g, 4);
            std::memcpy(&c[2], &st.b, 4);
            f.keys.push_back(mixKey(mixKey(mixKey(mixKey(place, 1), c[0]), c[1]), c[2]));
            continue;
        }
        for (size_t i = st.first; i < st.first + st.count; ++i) {
            const DeferredDraw& d = f.draws[i];
            uint64_t h = mixKey(mixKey(place, uint64_t(d.texture) << 8 | uint64_t(d.blend) << 1 | uint64_t(d.linear)),
                                d.count);
            const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&f.verts[d.first]);
            for (size_t k = 0; k + 8 <= d.count * sizeof(Vertex); k += 8) {
                uint64_t word;
                std::memcpy(&word, bytes + k, sizeof word);
                h = mixKey(h, word);
            }
            f.keys.push_back(h);
            f.reaches[i] = meetRect(reach(d, f.verts, kx, ky), st.at.clip);
            if (d.texture) f.textures.push_back(d.texture);
        }
    }
    std::sort(f.textures.begin(), f.textures.end());
    f.textures.erase(std::unique(f.textures.begin(), f.textures.end()), f.textures.end());
}

// The target's pixels each step marked alone may touch (clears: their clip).
void aloneRects(const FrameRecord& f, const std::vector<bool>& alone, std::vector<Rect>& out) {
    size_t op = 0;
    for (const Step& st : f.steps) {
        if (st.clear) {
            if (alone[op++]) out.push_back(st.at.clip);
            continue;
        }
        for (size_t i = st.first; i < st.first + st.count; ++i)
            if (alone[op++]) out.push_back(f.reaches[i]);
    }
}

// Whether the frame begins with clearing all that draws land on.
bool clearsAllFirst(const FrameRecord& f) {
    if (f.steps.empty() || !f.steps[0].clear) return false;
    const Applied& at = f.steps[0].at;
    return at.clip.x <= 0 && at.clip.y <= 0 && at.clip.x + at.clip.w >= at.dw && at.clip.y + at.clip.h >= at.dh;
}

// The frame to GL at the flip: only where it differs from the last one when it can be.
void drawFrame() {
    flushBatch();
    keyRecord(frameNow);
    if (frameNow.whole || !retaining()) {
        issuePending();
        return;
    }
    static std::vector<bool> lastAlone, nowAlone;
    static std::vector<Rect> parts, changed;
    parts.clear();
    changed.clear();
    // Where the two frames differ. Past the limit the frame is drawn whole, but the picture
    // is still shown only where it changed: a coarser marking will do for that.
    bool known = lastKept && clearsAllFirst(frameNow);
    const bool some = known && stepsAlone(frameLast.keys, frameNow.keys, kMostAlone, lastAlone, nowAlone);
    if (known && !some) known = picture.active && stepsAloneByCount(frameLast.keys, frameNow.keys, lastAlone, nowAlone);
    if (known) {
        aloneRects(frameLast, lastAlone, changed);
        aloneRects(frameNow, nowAlone, changed);
        const Rect all{0, 0, applied.dw, applied.dh};
        for (Rect& r : changed) r = meetRect(r, all);
    }
    bool few = some;
    if (some) {
        parts = coverRects(changed, kMostParts);
        long area = 0;
        for (const Rect& r : parts) area += long(r.w) * r.h;
        few = area * 100 <= kMostPartsArea * long(applied.dw) * applied.dh;
    }
    if (!few) {
        const bool shownAll = unshownAll;
        issuePending();
        // Drawn whole, the same as the last frame wherever no step either has alone reaches.
        if (known) {
            unshownAll = shownAll;
            unshown.insert(unshown.end(), changed.begin(), changed.end());
        }
        return;
    }
    const Applied keep = applied;
    for (const Rect& part : parts)
        for (const Step& st : frameNow.steps) issueStep(st, &part);
    frameNow.issued = frameNow.steps.size();
    applyStep(Step{false, 0, 0, 0, keep}, keep.clip);
    applied = keep;
    unshown.insert(unshown.end(), changed.begin(), changed.end());
}

// After the flip: this frame is the last one, kept where draws land when it can be.
void endFrame() {
    std::swap(frameLast, frameNow);
    // The last frame is compared by its keys and reaches alone: its draws and vertices (most
    // of a busy frame's record) become the next frame's buffers instead of second copies.
    std::swap(frameLast.draws, frameNow.draws);
    std::swap(frameLast.verts, frameNow.verts);
    frameNow.reset();
    lastKept = retaining();
}

// Whether a drawable of winW x winH showing the virtual space vw x vh goes through the
// picture, and the size the picture then has.
bool wantPicture(int winW, int winH, float vw, float vh, int& w, int& h) {
    if (!fb.usable() || sheetsBroken || !(vw > 0) || !(vh > 0)) return false;
    if (std::fabs(float(winW) - vw) < 0.01f && std::fabs(float(winH) - vh) < 0.01f) return false;
    w = int(std::ceil(vw - 0.01f));
    h = int(std::ceil(vh - 0.01f));
    return w > 0 && h > 0 && w <= maxTextureSize && h <= maxTextureSize;
}

void dropPicture() {
    forgetLastFrame();
    if (picture.fbo) fb.del(1, &picture.fbo);
    if (picture.texture) {
        glDeleteTextures(1, &picture.texture);
        sampling.erase(picture.texture);
    }
    picture = {};
}

// The picture of w x h texels for the virtual space vw x vh, bound to draw on; false (and
// the window drawn on) when the driver cannot.
bool usePicture(int w, int h, float vw, float vh) {
    if (picture.texture && (picture.w != w || picture.h != h)) dropPicture();
    if (!picture.texture) {
        picture.texture = makeTexture(w, h, false, nullptr);
        fb.gen(1, &picture.fbo);
        fb.bind(GL_FRAMEBUFFER, picture.fbo);
        fb.attach(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, picture.texture, 0);
        if (fb.status(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
            fb.bind(GL_FRAMEBUFFER, 0);
            dropPicture();
            sheetsBroken = true;
            return false;
        }
        picture.w = w;
        picture.h = h;
    }
    fb.bind(GL_FRAMEBUFFER, picture.fbo);
    picture.vw = vw;
    picture.vh = vh;
    picture.active = true;
    return true;
}

// The picture scaled onto the window's drawable (its back buffer), unblended: all of it, or
// where it was drawn since it was last shown when the back buffer still holds the rest.
void showPicture() {
    if (!picture.active) {
        unshown.clear();  // drawn on the window itself: there is nothing to show
        return;
    }
    if (!unshownAll && unshown.empty() && windowHoldsPicture) return;
    const int winW = drawableWidth(), winH = drawableHeight();
    fb.bind(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, winW, winH);
    setProjection(0, float(winW), float(winH), 0);
    // The texture's top row holds the virtual space's first.
    const float u1 = picture.vw / float(picture.w), v1 = 1.0f - picture.vh / float(picture.h);
    const float x1 = float(winW), y1 = float(winH);
    run.clear();
    appendQuad(run, 0, 0, x1, y1, 0, 1, u1, v1, 0xFFFFFFFFu);
    // The copy goes with the cheap shading, the one filtered draw it takes well: upright,
    // unmirrored and inside the window.
    shade(picture.texture, true, false);
    glBindTexture(GL_TEXTURE_2D, picture.texture);
    setSampling(picture.texture, true);
    glDisable(GL_BLEND);
    pointArrays(run);
    std::vector<Rect> parts;
    if (unshownAll || !windowHoldsPicture || !keptBackBuffer || winW != shownW || winH != shownH) {
        parts.push_back(Rect{0, 0, winW, winH});
    } else {
        // Each changed rectangle of the picture where the copy shows it, a texel's filtering
        // to spare around it, widened to the whole tiles of the driver's it touches: a
        // filtered copy begun inside a tile can come out a shade off the one begun at its
        // corner.
        const float sx = float(winW) / picture.vw, sy = float(winH) / picture.vh;
        for (const Rect& r : unshown) {
            if (r.w <= 0 || r.h <= 0) continue;
            const int px0 = int(std::floor(float(r.x - 1) * sx)), py0 = int(std::floor(float(r.y - 1) * sy));
            const int px1 = int(std::ceil(float(r.x + r.w + 1) * sx)), py1 = int(std::ceil(float(r.y + r.h + 1) * sy));
            parts.push_back(Rect{px0, py0, px1 - px0, py1 - py0});
        }
        parts = touchedTiles(parts, winW, winH, kDriverTile, kDrawPixels);
    }
    for (const Rect& r : parts) {
        glScissor(r.x, winH - r.y - r.h, r.w, r.h);
        glDrawArrays(GL_TRIANGLES, 0, 6);
        ++frameCost.draws;
        frameCost.pixels += double(r.w) * double(r.h);
        frameCost.filteredPixels += double(r.w) * double(r.h);
    }
    run.clear();
    unshown.clear();
    unshownAll = false;
    windowHoldsPicture = true;
    shownW = winW;
    shownH = winH;
    // Drawing goes on in the picture as applyState sets it up again.
    applied.winW = -1;
}

// Maps the whole drawable (or the picture) to the virtual resolution and clips to the
// viewport.
void applyState() {
    const State& st = state();
    const int winW = drawableWidth(), winH = drawableHeight();
    if (winW == applied.winW && winH == applied.winH && st.virtW == applied.virtW && st.virtH == applied.virtH &&
        st.vpX == applied.vpX && st.vpY == applied.vpY && st.vpW == applied.vpW &&
        st.vpH == applied.vpH)
        return;
    flushBatch();
    int pw = 0, ph = 0;
    const bool toPicture = wantPicture(winW, winH, st.virtW, st.virtH, pw, ph);
    // Drawn on something else now: what the frame has drawn so far goes where it was meant to.
    const Target now{toPicture, toPicture ? pw : winW, toPicture ? ph : winH};
    if (now.picture != target.picture || now.w != target.w || now.h != target.h) {
        drawPending();
        forgetLastFrame();
        target = now;
    }
    int dw = winW, dh = winH;
    float vw = st.virtW, vh = st.virtH;
    if (toPicture && usePicture(pw, ph, st.virtW, st.virtH)) {
        dw = pw;
        dh = ph;
        vw = float(pw);
        vh = float(ph);
    } else if (picture.active) {
        picture.active = false;
        fb.bind(GL_FRAMEBUFFER, 0);
    }
    applied = Applied{dw, dh, vw, vh, st.vpX, st.vpY, st.vpW, st.vpH, Rect{}, winW, winH, st.virtW, st.virtH};
    glEnable(GL_SCISSOR_TEST);
    glViewport(0, 0, dw, dh);
    setProjection(0, vw, vh, 0);
    glLoadIdentity();
    float kx = float(dw) / vw, ky = float(dh) / vh;
    int x0 = int(std::lround(float(st.vpX) * kx)), y0 = int(std::lround(float(st.vpY) * ky));
    int x1 = int(std::lround(float(st.vpX + std::max(0, st.vpW)) * kx));
    int y1 = int(std::lround(float(st.vpY + std::max(0, st.vpH)) * ky));
    glScissor(x0, dh - y1, std::max(0, x1 - x0), std::max(0, y1 - y0));
    applied.clip = Rect{x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

void setupContext() {
    ++contextGeneration;
    applied = Applied{};
    picture = {};  // an old context's went with it
    target = Target{};
    frameNow.reset();
    frameLast.reset();
    forgetLastFrame();
    windowHoldsPicture = false;
    deferred.clear();
    frameVerts.clear();
    frameNow.verts.reserve(6 * 4096);
    sampling.clear();
    pages.clear();  // textures of an old context are gone with it
    ownTextures.clear();
    fontTextures.clear();
    sheets.clear();
    layers.clear();
    sheetsBroken = false;
    fb = {};
    fb.gen = glProc<GenFramebuffersFn>("glGenFramebuffers");
    fb.del = glProc<DeleteFramebuffersFn>("glDeleteFramebuffers");
    fb.bind = glProc<BindFramebufferFn>("glBindFramebuffer");
    fb.attach = glProc<FramebufferTexture2DFn>("glFramebufferTexture2D");
    fb.status = glProc<CheckFramebufferStatusFn>("glCheckFramebufferStatus");
    parts = {};  // those of an old context are gone with it
    if (SDL_GL_ExtensionSupported("GL_ARB_sync")) {
        parts.fence = glProc<FenceSyncFn>("glFenceSync");
        parts.wait = glProc<ClientWaitSyncFn>("glClientWaitSync");
        parts.del = glProc<DeleteSyncFn>("glDeleteSync");
    }
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glEnable(GL_SCISSOR_TEST);
    glEnable(GL_TEXTURE_2D);
    texturing = true;
    replacing = false;
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    makePrograms();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTextureSize);
    if (SDL_GL_SetSwapInterval(1) != 0) SDL_GL_SetSwapInterval(0);
}

// A texture of w x h (contents undefined) for the cells of images, or (alphaOnly) a font's
// coverage: sampled as white of that opacity, it draws as white RGBA texels would, in a
// quarter of the memory.
GLuint makeTexture(int w, int h, bool mipmapped, const void* pixels, bool alphaOnly) {
    GLuint tex = 0;
    glGenTextures(1, &tex);
    glBindTexture(GL_TEXTURE_2D, tex);
    sampling[tex] = Sampling{mipmapped, -1, w, h, alphaOnly};
    setSampling(tex, false);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    if (alphaOnly) {
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, w, h, 0, GL_ALPHA, GL_UNSIGNED_BYTE, pixels);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    } else {
        // Unsized: the driver keeps the texels as they come, BGRA, which its cheapest
        // shading reads.
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, w, h, 0, GL_BGRA, GL_UNSIGNED_BYTE, pixels);
    }
    return tex;
}

// Uploads rows [first, first + count) of one cell (`px`, `width` pixels a row) into the bound
// texture, the cell's sheet at (x, y): what of them the stored region holds, with its
// one-pixel border (its first and last rows bring the border above and below). A cell sent
// band by band ends up the same as sent whole.
void uploadRows(const TImageData& img, const uint32_t* px, int width, int first, int count, int x, int y) {
    const Rect& r = img.stored;
    const int y0 = std::max(first, r.y), y1 = std::min(first + count, r.y + r.h);
    if (y0 >= y1) return;
    auto row = [&](int cy) { return px + size_t(cy - first) * size_t(width); };
    auto at = [&](int cx, int cy) { return row(cy)[std::clamp(cx, 0, width - 1)]; };
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, width);
    glTexSubImage2D(GL_TEXTURE_2D, 0, x + 1, y + 1 + y0 - r.y, r.w, y1 - y0, GL_BGRA, GL_UNSIGNED_BYTE, row(y0) + r.x);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    // The border repeats the stored region's edge, as clamping would.
    static std::vector<uint32_t> strip;
    strip.resize(size_t(std::max(r.w, y1 - y0) + 2));
    auto edgeRow = [&](int cy, int ty) {
        for (int i = -1; i <= r.w; ++i) strip[size_t(i + 1)] = at(r.x + i, cy);
        glTexSubImage2D(GL_TEXTURE_2D, 0, x, ty, r.w + 2, 1, GL_BGRA, GL_UNSIGNED_BYTE, strip.data());
    };
    if (y0 == r.y) edgeRow(r.y, y);
    if (y1 == r.y + r.h) edgeRow(r.y + r.h - 1, y + r.h + 1);
    for (int i = y0; i < y1; ++i) strip[size_t(i - y0)] = at(r.x, i);
    glTexSubImage2D(GL_TEXTURE_2D, 0, x, y + 1 + y0 - r.y, 1, y1 - y0, GL_BGRA, GL_UNSIGNED_BYTE, strip.data());
    for (int i = y0; i < y1; ++i) strip[size_t(i - y0)] = at(r.x + r.w - 1, i);
    glTexSubImage2D(GL_TEXTURE_2D, 0, x + r.w + 1, y + 1 + y0 - r.y, 1, y1 - y0, GL_BGRA, GL_UNSIGNED_BYTE, strip.data());
}

// A large opaque picture goes from its file into the bound texture a band of rows at a time,
// never decoded whole. False when the file no longer reads so, or has the mask colour in it;
// some bands may be in.
std::unordered_set<std::string> keyedFiles;  // files found to hold the mask colour: read whole
bool uploadInBands(TImageData& img, int x, int y) {
    bool keyed = false;  // a pixel of the mask colour, which masking clears
    const bool read = streamCellRows(img, [&](const uint32_t* rows, int first, int count, int width) {
        for (size_t i = 0, n = size_t(width) * size_t(count); i < n; ++i) {
            if ((rows[i] >> 24) != 0xFFu) return false;  // no longer the opaque picture it was
            keyed = img.masked && (rows[i] & 0x00FFFFFFu) == img.maskKey;
            if (keyed) return false;
        }
        uploadRows(img, rows, width, first, count, x, y);
        return true;
    });
    if (keyed) keyedFiles.insert(img.path);
    return read;
}

// Rectangle r of a cell behind a one-pixel border into `out` (`stride` texels a row): what
// the cell's texture holds there, every texel outside the stored region its nearest inside.
// Only the block's rows [from, to) are written, from `rowAt(cell row)`, row `from` at `out`: a
// picture streamed from its file has a band of its rows at hand at a time.
template <class RowAt>
void copyBorderedRows(const RowAt& rowAt, const Rect& stored, const Rect& r, int from, int to, uint32_t* out,
                      size_t stride) {
    for (int y = from; y < to; ++y) {
        const uint32_t* row = rowAt(std::clamp(r.y + y - 1, stored.y, stored.y + stored.h - 1));
        for (int x = 0; x < r.w + 2; ++x)
            out[size_t(y - from) * stride + size_t(x)] = row[std::clamp(r.x + x - 1, stored.x, stored.x + stored.w - 1)];
    }
}
void copyBordered(const Pixmap& cell, const Rect& stored, const Rect& r, uint32_t* out, size_t stride) {
    copyBorderedRows([&](int y) { return cell.pixels.data() + size_t(y) * size_t(cell.width); }, stored, r, 0,
                     r.h + 2, out, stride);
}

// The smaller levels of a mipmapped image's own texture (w x h, cells laid out as
// imageTexture puts them), each the average of 2 x 2 texels of the one above. Made here,
// not by the driver: llvmpipe makes its first mipmaps with a blit whose shaders it must
// compile first, some 50 ms at start-up.
void uploadMipmaps(const TImageData& img, int w, int h, int cols) {
    const Rect& r = img.stored;
    const int pw = r.w + 2, ph = r.h + 2;
    std::vector<uint32_t> above(size_t(w) * size_t(h), 0), below;
    for (size_t i = 0; i < img.frames.size(); ++i) {
        const int x0 = int(i % size_t(cols)) * pw, y0 = int(i / size_t(cols)) * ph;
        copyBordered(img.frames[i], r, r, above.data() + size_t(y0) * size_t(w) + size_t(x0), size_t(w));
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    for (int level = 1; w > 1 || h > 1; ++level) {
        const int nw = std::max(1, w / 2), nh = std::max(1, h / 2);
        below.assign(size_t(nw) * size_t(nh), 0);
        for (int y = 0; y < nh; ++y)
            for (int x = 0; x < nw; ++x) {
                const int xa = std::min(2 * x, w - 1), xb = std::min(2 * x + 1, w - 1);
                const int ya = std::min(2 * y, h - 1), yb = std::min(2 * y + 1, h - 1);
                const uint32_t q[4] = {above[size_t(ya) * w + xa], above[size_t(ya) * w + xb],
                                       above[size_t(yb) * w + xa], above[size_t(yb) * w + xb]};
                uint32_t out = 0;
                for (int shift = 0; shift < 32; shift += 8) {
                    uint32_t sum = 2;  // rounded
                    for (uint32_t t : q) sum += (t >> shift) & 0xFFu;
                    out |= (sum / 4) << shift;
                }
                below[size_t(y) * nw + x] = out;
            }
        glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA, nw, nh, 0, GL_BGRA, GL_UNSIGNED_BYTE, below.data());
        above.swap(below);
        w = nw;
        h = nh;
    }
}

// A place for a sheet of w x h on the last page (or a new one); false when it is too large.
bool placeOnPage(int w, int h, int& page, int& x, int& y) {
    if (w > kOwnTextureFrom || h > kOwnTextureFrom) return false;
    if (!pages.empty()) {
        Page& p = pages.back();
        if (p.penX + w > kPageSize) {  // next shelf
            p.shelfY += p.shelfH;
            p.shelfH = 0;
            p.penX = 0;
        }
        if (p.shelfY + h <= kPageSize) {
            page = int(pages.size()) - 1;
            x = p.penX;
            y = p.shelfY;
            p.penX += w;
            p.shelfH = std::max(p.shelfH, h);
            ++p.users;
            return true;
        }
    }
    Page fresh;
    fresh.texture = makeTexture(kPageSize, kPageSize, false, nullptr);
    fresh.penX = w;
    fresh.shelfH = h;
    fresh.users = 1;
    pages.push_back(fresh);
    page = int(pages.size()) - 1;
    x = y = 0;
    return true;
}

// The texels of `r` in texture `from` copied to (x, y) in `to`, exactly; false when the
// driver cannot. Read back and uploaded, which a driver does by copying bytes: a copy from
// texture to texture may be drawn with a shader it must compile first.
bool copyTexels(GLuint from, const Rect& r, GLuint to, int x, int y) {
    if (!fb.usable() || sheetsBroken) return false;
    std::vector<uint32_t> texels(size_t(r.w) * size_t(r.h));
    const bool complete = framebufferOn(from);
    if (complete) glReadPixels(r.x, r.y, r.w, r.h, GL_BGRA, GL_UNSIGNED_BYTE, texels.data());
    framebufferOff();
    if (complete) {
        glBindTexture(GL_TEXTURE_2D, to);
        glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, r.w, r.h, GL_BGRA, GL_UNSIGNED_BYTE, texels.data());
    }
    return complete;
}

// Pages fill in the order pictures are first drawn, so a few pictures that a later screen
// draws too (the pointer, a panel's corners) keep a whole page of past screens' pictures.
// Pages whose pictures drawn since `since` fill less than half of each have those copied,
// texel for texel, onto the page being filled (or new ones) and go, when that frees a page;
// their other pictures come back from their files if drawn again.
void gatherPages(unsigned since) {
    if (!fb.usable() || sheetsBroken) return;
    constexpr long kPageArea = long(kPageSize) * kPageSize;
    auto block = [](const TImageData* img, int& w, int& h) {
        const int rows = (img->frameCount + img->texCols - 1) / std::max(1, img->texCols);
        w = img->texCols * (img->stored.w + 2);
        h = rows * (img->stored.h + 2);
    };
    std::vector<size_t> thin;
    long live = 0;
    for (size_t i = 0; i < pages.size(); ++i) {
        const Page& p = pages[i];
        if (!p.texture || p.lastDrawn < since) continue;  // gone, or going as idle
        long area = 0;
        for (const TImageData* img : p.images)
            if (img->lastDrawn >= since && img->pageEpoch == p.epoch) {
                int w = 0, h = 0;
                block(img, w, h);
                area += long(w) * h;
            }
        if (area * 2 < kPageArea) {
            thin.push_back(i);
            live += area;
        }
    }
    // Only when the copies surely take fewer pages than they leave (shelves waste some room):
    // the page being filled takes what its free shelves hold, new pages the rest.
    long room = 0;
    if (!pages.empty() && pages.back().texture && std::find(thin.begin(), thin.end(), pages.size() - 1) == thin.end()) {
        const Page& fill = pages.back();
        room = std::max(0L, long(kPageSize - fill.penX) * fill.shelfH +
                                long(kPageSize - fill.shelfY - fill.shelfH) * kPageSize);
    }
    const long over = std::max(0L, live * 3 / 2 - room);
    if (long(thin.size()) <= (over + kPageArea - 1) / kPageArea) return;
    for (size_t i : thin) pages[i].shelfY = kPageSize;  // nothing more goes onto them
    for (size_t i : thin) {
        const GLuint old = pages[i].texture;
        const std::vector<TImageData*> images = std::move(pages[i].images);
        for (TImageData* img : images) {
            if (img->lastDrawn < since || img->pageEpoch != pages[i].epoch) continue;
            int w = 0, h = 0, page = -1, x = 0, y = 0;
            block(img, w, h);
            if (!placeOnPage(w, h, page, x, y)) continue;
            Page& to = pages[size_t(page)];
            if (!copyTexels(old, Rect{img->texX, img->texY, w, h}, to.texture, x, y)) {
                --to.users;  // its place stays unused; the picture is read again when drawn
                continue;
            }
            dropCopiesOf(to.texture);
            img->texture = to.texture;
            img->page = page;
            img->pageEpoch = to.epoch;
            img->texX = x;
            img->texY = y;
            to.lastDrawn = std::max(to.lastDrawn, img->lastDrawn);
            to.images.push_back(img);
        }
        dropPage(pages[i]);
    }
}

std::string rendererName() {
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    return renderer ? renderer : "";
}

// Whether the back buffer keeps its pixels across a swap: a pixel cleared before one swap
// must still be there after it, and after the next one too (two buffers taking turns would
// show the one before). The display is left black; everything is set up again by the next
// draw, and nothing drawn before is taken to be kept.
bool probeKeptBackBuffer() {
    if (!window) return false;
    // Only Mesa's software renderers keep the back buffer as plain memory of their own; a
    // GPU driver may flip buffers or drop them when the desktop rearranges windows, after
    // any probe, and draws a whole frame cheaply anyway.
    const std::string name = rendererName();
    if (name.find("llvmpipe") == std::string::npos && name.find("softpipe") == std::string::npos &&
        name.find("Software Rasterizer") == std::string::npos)
        return false;
    const int w = drawableWidth(), h = drawableHeight();
    if (w < 2 || h < 1) return false;
    if (programs.current) programs.use(0);
    programs.current = 0;
    if (picture.active) fb.bind(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, w, h);
    glEnable(GL_SCISSOR_TEST);
    auto fill = [](int x, int y, int fw, int fh, float r, float g) {
        glScissor(x, y, fw, fh);
        glClearColor(r, g, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    };
    auto pixel = [](int x) {
        uint32_t p = 0;
        glReadBuffer(GL_BACK);
        glReadPixels(x, 0, 1, 1, GL_BGRA, GL_UNSIGNED_BYTE, &p);
        return p & 0xFFFFFFu;
    };
    const float one = 1.0f / 255.0f;
    fill(0, 0, w, h, 0, 0);
    SDL_GL_SwapWindow(window);
    fill(0, 0, 1, 1, one, 0);
    SDL_GL_SwapWindow(window);
    bool kept = pixel(0) == 0x010000u;
    fill(1, 0, 1, 1, 0, one);
    SDL_GL_SwapWindow(window);
    kept = kept && pixel(0) == 0x010000u && pixel(1) == 0x000100u;
    fill(0, 0, w, h, 0, 0);
    SDL_GL_SwapWindow(window);
    applied = Applied{};
    target = Target{};
    picture.active = false;
    forgetLastFrame();
    windowHoldsPicture = false;
    return kept;
}

// The offscreen driver's GL surface keeps the size it was made with, whatever the window
// says. A new window of the wanted size takes over the same context, so textures live on.
void resizeOffscreenSurface(int width, int height) {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "offscreen") != 0) return;
    SDL_Window* fresh = SDL_CreateWindow(windowTitle.c_str(), SDL_WINDOWPOS_CENTERED,
                                         SDL_WINDOWPOS_CENTERED, width, height, SDL_WINDOW_OPENGL);
    if (!fresh) return;
    if (SDL_GL_MakeCurrent(fresh, context) != 0) {
        SDL_DestroyWindow(fresh);
        SDL_GL_MakeCurrent(window, context);
        return;
    }
    SDL_DestroyWindow(window);
    window = fresh;
    applied = Applied{};
}

}  // namespace

bool init() {
    if (videoReady) return true;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "SDL video: %s\n", SDL_GetError());
        return false;
    }
    videoReady = true;
#ifdef __GLIBC__
    // Decoded pictures are large and short-lived (their texture keeps the picture). With a
    // fixed threshold each one is mapped on its own and given back whole when freed; the
    // default sliding threshold would move them onto the heap, which never shrinks.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
    return true;
}

void shutdown() {
    close();
    if (videoReady) SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    videoReady = false;
}

bool open(int width, int height, int depth, int hz) {
    if (!videoReady && !init()) return false;
    frameHz = hz > 0 ? hz : 60;
    bool fullscreen = depth != 0;
    if (!window) {
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
        Uint32 flags = SDL_WINDOW_OPENGL;  // drawable = window size, as the mouse expects
        if (!fullscreen) flags |= SDL_WINDOW_RESIZABLE;
        window = SDL_CreateWindow(windowTitle.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                                  flags);
        if (!window) {
            std::fprintf(stderr, "Cannot open a window: %s\n", SDL_GetError());
            return false;
        }
        context = SDL_GL_CreateContext(window);
        if (!context) {
            std::fprintf(stderr, "Cannot create an OpenGL context: %s\n", SDL_GetError());
            SDL_DestroyWindow(window);
            window = nullptr;
            return false;
        }
        SDL_GL_MakeCurrent(window, context);
        setupContext();
        SDL_ShowCursor(cursorShown ? SDL_ENABLE : SDL_DISABLE);
    }
    drawPending();
    if (fullscreen) {
        SDL_DisplayMode want{SDL_PIXELFORMAT_RGB888, width, height, frameHz, nullptr};
        SDL_DisplayMode got;
        int display = std::max(0, SDL_GetWindowDisplayIndex(window));
        bool switched = false;
        if (SDL_GetClosestDisplayMode(display, &want, &got) && got.w == width && got.h == height &&
            SDL_SetWindowDisplayMode(window, &got) == 0)
            switched = SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) == 0;
        if (!switched && SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
            std::fprintf(stderr, "Cannot go full screen: %s\n", SDL_GetError());
            return false;
        }
    } else {
        SDL_SetWindowFullscreen(window, 0);
        SDL_SetWindowSize(window, width, height);
        SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        resizeOffscreenSurface(width, height);
    }
    nextFrame = PaceClock::time_point{};
    refreshSize();
    keptBackBuffer = probeKeptBackBuffer();
    slottedDriver = rendererName().find("llvmpipe") != std::string::npos;
    return true;
}

void close() {
    if (!window) return;
    drawPending();
    frameNow.reset();
    frameLast.reset();
    forgetLastFrame();
    forgetParts();
    sheets.clear();  // their textures go with the context
    layers.clear();
    pages.clear();
    ownTextures.clear();
    fontTextures.clear();
    picture = {};
    SDL_GL_DeleteContext(context);
    context = nullptr;
    SDL_DestroyWindow(window);
    window = nullptr;
    refreshSize();
    ++contextGeneration;  // textures of the old context are gone with it
}

bool isOpen() { return window != nullptr; }

int drawableWidth() { return cachedW; }

int drawableHeight() { return cachedH; }

static void readDesktop() {
    if (desktopW >= 0) return;
    desktopW = 1024;
    desktopH = 768;
    SDL_DisplayMode mode;
    if ((videoReady || init()) && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        desktopW = mode.w;
        desktopH = mode.h;
    }
}

int desktopWidth() {
    readDesktop();
    return desktopW;
}

int desktopHeight() {
    readDesktop();
    return desktopH;
}

void setTitle(const std::string& title) {
    windowTitle = title;  // kept for a window opened later
    if (window) SDL_SetWindowTitle(window, title.c_str());
}

void showCursor(bool show) {
    cursorShown = show;
    if (videoReady) SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void setPacing(bool on) { pacingOn = on; }

bool pacing() { return pacingOn; }

void setFinish(bool on) { finishEachFrame = on; }

void setCulling(bool on) {
    drawPending();
    forgetLastFrame();
    culling = on;
}

void setExactSavings(bool on) {
    drawPending();
    forgetLastFrame();
    exactSavings = on;
}

FrameCost lastFrameCost() { return lastCost; }

size_t frameMemory() {
    size_t bytes = 0;
    eachFrameBuffer([&](const auto& v) { bytes += v.capacity() * sizeof(v[0]); });
    return bytes;
}

size_t textureMemory(int& textures) {
    textures = int(sampling.size());
    size_t bytes = 0;
    // A mip chain adds a third to the picture.
    for (const auto& [tex, s] : sampling)
        bytes += size_t(s.w) * size_t(s.h) * (s.alphaOnly ? 1 : 4) * (s.mipmapped ? 4 : 3) / 3;
    return bytes;
}

void describeTextures(std::FILE* out) {
    for (const auto& [tex, s] : sampling) {
        const char* kind = "other";
        long age = -1;
        for (const Page& p : pages)
            if (p.texture == tex) kind = "page", age = long(frameNumber - p.lastDrawn);
        for (const Sheet& sh : sheets)
            if (sh.texture == tex) kind = "sheet", age = long(frameNumber - sh.lastFrame);
        for (const Layer& l : layers)
            if (l.texture == tex) kind = "layer", age = long(frameNumber - l.lastFrame);
        for (const TImageData* img : ownTextures)
            if (img->texture == tex) kind = "own", age = long(frameNumber - img->lastDrawn);
        std::fprintf(out, "  texture %u %s %dx%d%s%s idle %ld frames\n", tex, kind, s.w, s.h,
                     s.alphaOnly ? " alpha" : "", s.mipmapped ? " mipmapped" : "", age);
    }
}

void flip() {
    bool endNow = false;
    if (window) {
        drawFrame();
        showPicture();
        // Shots read the back buffer, which is only defined before the swap.
        endNow = HarnessFrame();
        SDL_GL_SwapWindow(window);
        if (!keptBackBuffer) windowHoldsPicture = false;
        cheapArea = 0;
        endFrame();
        drawsUnflushed = 0;
        vertsUnflushed = 0;
        partedFrame = false;
        forgetParts();
        if (finishEachFrame) glFinish();
        lastCost = frameCost;
        forgetIdleCopies();
        forgetIdleTextures();
        frameCost = FrameCost{};
        TimingFramePresented();
        if (pacingOn) {
            const auto period = std::chrono::nanoseconds(1000000000 / frameHz);
            const auto now = PaceClock::now();
            // A frame that came too late is shown at once; the next one is due a period on.
            if (nextFrame == PaceClock::time_point{} || now > nextFrame + period) nextFrame = now;
            // Slept to the moment, never spun: a wait spun through its last milliseconds cost
            // a third of a frame's CPU.
            std::this_thread::sleep_until(nextFrame);
            nextFrame += period;
        }
    } else {
        endNow = HarnessFrame();
    }
    refreshSize();  // the window may have been resized since the last frame
    if (endNow) InjectTerminate();
}

void clear() {
    if (!window) return;
    refreshSize();
    applyState();
    const State& st = state();
    recordClear(float(st.clsR) / 255.0f, float(st.clsG) / 255.0f, float(st.clsB) / 255.0f);
}

void submit(unsigned texture, const Vertex* verts, int count, int blend, bool filtered, bool opaque) {
    if (!window || count <= 0) return;
    applyState();
    if (!texture) filtered = false;  // plain colour: filtering changes nothing
    // Quads one by one, so each can be left out on its own.
    const unsigned step = count % 6 == 0 ? 6u : unsigned(count);
    std::vector<Vertex>& into = frameNow.verts;
    for (unsigned at = 0; at < unsigned(count); at += step) {
        deferred.push_back(DeferredDraw{texture, blend, filtered, unsigned(into.size()), step, opaque && blend == SOLIDBLEND});
        into.insert(into.end(), verts + at, verts + at + step);
    }
    if (into.size() - deferred.front().first >= 6 * 16384) flushBatch();
}

unsigned generation() { return contextGeneration; }

// The driver keeps the textures of the last draws (the state they were drawn with, batches
// drawn but not yet let go) until later draws replace them, deleted or not: emptied here,
// rather than kept alongside the next screen's pictures.
void letDriverForgetTextures() {
    if (!window) return;
    drawPending();
    glFinish();
    emptyDriverSlots();
    glFinish();
    forgetParts();
}

void screenEnded() {
    screenFrom = frameNumber;
    // The large pictures of the screen that ended go at once, before the next one loads its
    // own (one that draws them too reads them again); those on shared pages (small ones,
    // often the next screen's too) wait for its first frames.
    forgetTexturesBefore(screenFrom, false, 0);
    // What it left idle for a while (under the budget) is no one's now: gone before the next
    // screen's pictures come, rather than alongside them.
    if (frameNumber > kTextureIdleFrames) forgetTexturesBefore(frameNumber - kTextureIdleFrames, true, 0);
    // And what the driver still holds of the screen, even when none of ours went.
    letDriverForgetTextures();
    trimFrameBuffers();
}

// Nothing goes at once: the screen under the panel drew its own pictures all along.
void overlayClosed() { screenFrom = frameNumber; }

// Each packed piece of the (one) cell into the bound texture at its place, behind the border
// the whole picture's texture has around it there.
void uploadPieces(const TImageData& img) {
    std::vector<uint32_t> block;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    for (const ImagePiece& p : img.packedPieces) {
        const int bw = p.r.w + 2, bh = p.r.h + 2;
        block.resize(size_t(bw) * size_t(bh));
        copyBordered(img.frames[0], img.stored, p.r, block.data(), size_t(bw));
        glTexSubImage2D(GL_TEXTURE_2D, 0, p.tx, p.ty, bw, bh, GL_BGRA, GL_UNSIGNED_BYTE, block.data());
    }
}

// The same, the picture streamed from its file: each band's share of every piece as it
// comes. False when the file no longer streams as it did (some pieces may be in).
bool uploadPiecesStreamed(const TImageData& img) {
    std::vector<uint32_t> block;
    const Rect& st = img.stored;
    return streamCellRows(img, [&](const uint32_t* rows, int first, int count, int width) {
        auto rowAt = [&](int y) { return rows + size_t(y - first) * size_t(width); };
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        for (const ImagePiece& p : img.packedPieces) {
            // The block's rows whose source row is in this band: a run, as rows only grow.
            const int bw = p.r.w + 2;
            int from = -1, to = -1;
            for (int y = 0; y < p.r.h + 2; ++y) {
                const int sy = std::clamp(p.r.y + y - 1, st.y, st.y + st.h - 1);
                if (sy < first || sy >= first + count) continue;
                if (from < 0) from = y;
                to = y + 1;
            }
            if (from < 0) continue;
            block.resize(size_t(bw) * size_t(to - from));
            copyBorderedRows(rowAt, st, p.r, from, to, block.data(), size_t(bw));
            glTexSubImage2D(GL_TEXTURE_2D, 0, p.tx, p.ty + from, bw, to - from, GL_BGRA, GL_UNSIGNED_BYTE,
                            block.data());
        }
        return true;
    });
}

// A picture's cell (one, not packed) from its file, a band of rows at a time.
bool uploadStreamed(const TImageData& img, int x, int y) {
    return streamCellRows(img, [&](const uint32_t* rows, int first, int count, int width) {
        uploadRows(img, rows, width, first, count, x, y);
        return true;
    });
}

// A picture that did not stream from its file as it did before: read whole after all, and
// looked over again, as its layout may be another.
unsigned readWholeAfterAll(TImageData& img, bool mayPack) {
    releaseImageTexture(img);
    img.textureGeneration = 0;
    img.analysed = false;
    img.readWhole = true;
    return imageTexture(img, mayPack);
}

// Strips whose cells together would take this much keep only the cell shown (see heldCell).
constexpr size_t kOneCellFrom = 256u << 10;
// Cells that change this soon after the last change, twice in a row, or two cells drawn in
// one frame: they animate, and are all stored until the texture goes.
constexpr unsigned kCellStayFrames = 60;

bool holdsOneCell(const TImageData& img, int cell, int pw, int ph) {
    return cell >= 0 && cell < img.frameCount && img.frameCount > 1 && !img.everyCell &&
           !(img.flags & MIPMAPPEDIMAGE) && !img.masked && !img.keepPixels && !img.pixelsRead && !img.path.empty() &&
           size_t(img.frameCount) * size_t(pw) * size_t(ph) * 4 >= kOneCellFrom;
}

// The texture shows `cell`: the one it holds, or another read from the file in its place.
// False when the cells change too often for that (or the file no longer has it).
bool showCell(TImageData& img, int cell) {
    if (img.heldCell < 0 || cell < 0 || cell == img.heldCell) return true;
    img.quickChanges = frameNumber - img.heldSince < kCellStayFrames ? img.quickChanges + 1 : 0;
    Pixmap pm;
    if (img.lastDrawn == frameNumber || img.quickChanges >= 2 || !readCell(img, cell, pm)) return false;
    drawPending();  // what was drawn of the cell before
    textureChanged(img.texture);
    dropCopiesOf(img.texture);
    glBindTexture(GL_TEXTURE_2D, img.texture);
    uploadRows(img, pm.pixels.data(), pm.width, 0, pm.height, img.texX, img.texY);
    img.heldCell = cell;
    img.heldSince = frameNumber;
    return true;
}

unsigned imageTexture(TImageData& img, bool mayPack, int cell) {
    if (!window) return 0;
    // A packed picture drawn where what it left out could show is stored whole from now on.
    if (!img.packedPieces.empty() && !mayPack) {
        releaseImageTexture(img);
        img.packedPieces.clear();
        img.noPacking = true;
        img.textureGeneration = 0;
    }
    // A strip holding one cell (never on a page) asked for another that it cannot take in.
    if (img.textureGeneration == contextGeneration && img.texture && !showCell(img, cell)) {
        releaseImageTexture(img);
        img.textureGeneration = 0;
        img.everyCell = true;
    }
    if (img.textureGeneration == contextGeneration && (img.texture || img.texW < 0)) {
        if (!img.texture) return 0;  // known not to fit
        if (img.page < 0) {
            img.lastDrawn = frameNumber;
            return img.texture;
        }
        Page& p = pages.at(size_t(img.page));
        if (p.epoch == img.pageEpoch) {
            img.lastDrawn = p.lastDrawn = frameNumber;
            return img.texture;
        }
        img.texture = 0;  // its page went while it was idle: uploaded again below
    }
    // A large opaque picture's layout is known without its pixels: they need not be read whole.
    const bool keyed = img.masked && keyedFiles.count(img.path);
    if (!img.analysed && img.frames.empty() && !img.unreadable && !keyed) layOutOpaque(img);
    if (!ensureAnalysed(img)) {
        img.textureGeneration = contextGeneration;
        img.texW = -1;  // not tried again every frame
        return 0;
    }
    int n = img.frameCount;
    if (n == 0 || img.stored.w <= 0 || img.stored.h <= 0) return 0;
    // The cells come back from the file for the upload (the first draw, or after a lost
    // context), and go again; a large opaque picture straight from the file, in bands.
    const bool reloaded = img.frames.empty();
    const bool banded = reloaded && img.opaqueFile && n == 1 && img.firstCell == 0 && !(img.flags & MIPMAPPEDIMAGE) && !keyed;
    const bool streamed = reloaded && !banded && streamable(img);
    if (reloaded && !banded && !streamed && !reloadPixels(img)) {
        std::fprintf(stderr, "Image %s can no longer be read\n", img.path.c_str());
        img.textureGeneration = contextGeneration;
        img.texW = -1;  // not tried again every frame
        return 0;
    }
    // Cells side by side in a grid, each with a one-pixel border copied from its edge, so
    // filtering never reaches into a neighbour.
    int pw = img.stored.w + 2, ph = img.stored.h + 2;
    const bool oneCell = holdsOneCell(img, cell, pw, ph);
    img.heldCell = oneCell ? cell : -1;
    img.heldSince = frameNumber;
    img.quickChanges = 0;
    if (oneCell) n = 1;
    int cols = std::max(1, std::min(n, maxTextureSize / pw));
    int rows = (n + cols - 1) / cols;
    img.textureGeneration = contextGeneration;
    if (pw > maxTextureSize || rows * ph > maxTextureSize) {
        std::fprintf(stderr, "Image %s is too large for a texture\n", img.path.c_str());
        img.texW = -1;
        return 0;
    }
    flushBatch();
    const bool mipmapped = (img.flags & MIPMAPPEDIMAGE) != 0;
    img.packedPieces.clear();
    int packedW = 0, packedH = 0;
    if (mayPack && !img.noPacking && n == 1 && !mipmapped && !banded &&
        packPieces(img, maxTextureSize, img.packedPieces, packedW, packedH)) {
        img.texture = makeTexture(packedW, packedH, false, nullptr);
        img.texW = packedW;
        img.texH = packedH;
        img.page = -1;
        img.texX = img.texY = 0;
        img.texCols = 1;
        img.lastDrawn = frameNumber;
        ownTextures.insert(&img);
        dropCopiesOf(img.texture);
        if (streamed && !uploadPiecesStreamed(img)) return readWholeAfterAll(img, mayPack);
        if (!streamed) uploadPieces(img);
        letPixelsGo(img);
        return img.texture;
    }
    // A cell held alone has a texture of its own: another cell written over it then leaves a
    // shared page, and the copies made from it (the board's sheets), as they were.
    int page = -1, x = 0, y = 0;
    if (!mipmapped && !oneCell && placeOnPage(cols * pw, rows * ph, page, x, y)) {
        img.texture = pages[size_t(page)].texture;
        img.texW = img.texH = kPageSize;
        glBindTexture(GL_TEXTURE_2D, img.texture);
    } else {
        img.texture = makeTexture(cols * pw, rows * ph, mipmapped, nullptr);
        img.texW = cols * pw;
        img.texH = rows * ph;
    }
    img.page = page;
    img.texX = x;
    img.texY = y;
    img.texCols = cols;
    img.lastDrawn = frameNumber;
    if (page >= 0) {
        img.pageEpoch = pages[size_t(page)].epoch;
        pages[size_t(page)].lastDrawn = frameNumber;
        pages[size_t(page)].images.push_back(&img);
    } else {
        ownTextures.insert(&img);
    }
    dropCopiesOf(img.texture);
    if (banded && !uploadInBands(img, x, y)) {
        img.opaqueFile = false;
        return readWholeAfterAll(img, mayPack);
    }
    if (streamed && !uploadStreamed(img, x, y)) return readWholeAfterAll(img, mayPack);
    if (oneCell && size_t(cell) < img.frames.size())
        uploadRows(img, img.frames[size_t(cell)].pixels.data(), img.frames[size_t(cell)].width, 0,
                   img.frames[size_t(cell)].height, x, y);
    for (size_t i = 0; !oneCell && i < img.frames.size(); ++i)
        uploadRows(img, img.frames[i].pixels.data(), img.frames[i].width, 0, img.frames[i].height,
                   x + int(i % size_t(cols)) * pw, y + int(i / size_t(cols)) * ph);
    if (mipmapped) uploadMipmaps(img, img.texW, img.texH, cols);
    letPixelsGo(img);
    return img.texture;
}

void releaseImageTexture(TImageData& img) {
    img.everyCell = false;  // shown again, its cells may well stay put
    // Without a window (closed, or the program ending) the lists went with the context.
    if (!window) return;
    ownTextures.erase(&img);
    if (img.page >= 0 && size_t(img.page) < pages.size()) std::erase(pages[size_t(img.page)].images, &img);
    if (!img.texture || img.textureGeneration != contextGeneration) return;
    if (img.page < 0) {
        deleteTexture(img.texture, img.textureGeneration);
    } else if (size_t(img.page) < pages.size() && pages[size_t(img.page)].epoch != img.pageEpoch) {
        // The page went already.
    } else if (size_t(img.page) < pages.size() && --pages[size_t(img.page)].users == 0 &&
               size_t(img.page) + 1 != pages.size()) {
        // An empty page that is not being filled: its memory goes back.
        deleteTexture(pages[size_t(img.page)].texture, contextGeneration);
        pages[size_t(img.page)].texture = 0;
    }
    img.texture = 0;
}

unsigned fontTexture(TImageFontData& font) {
    if (!window) return 0;
    font.lastDrawn = frameNumber;
    if (font.texture && font.textureGeneration == contextGeneration && !font.atlasDirty)
        return font.texture;
    // Draws waiting for GL were placed on the atlas as it is.
    drawPending();
    if (font.texture) textureChanged(font.texture);
    const uint8_t* pixels = fontAtlasPixels(font);
    if (!font.texture || font.textureGeneration != contextGeneration) {
        font.texture = makeTexture(font.atlas.width, font.atlas.height, false, pixels, true);
        font.textureGeneration = contextGeneration;
        fontTextures.insert(&font);
    } else {
        dropCopiesOf(font.texture);
        sampling[font.texture].w = font.atlas.width;
        sampling[font.texture].h = font.atlas.height;
        glBindTexture(GL_TEXTURE_2D, font.texture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, font.atlas.width, font.atlas.height, 0, GL_ALPHA,
                     GL_UNSIGNED_BYTE, pixels);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    }
    font.atlasDirty = false;
    // The texture holds them now: only a new glyph needs them again.
    dropFontAtlasPixels(font);
    return font.texture;
}

void releaseFontTexture(TImageFontData& font) {
    if (!window) return;  // the list went with the context
    fontTextures.erase(&font);
    if (font.texture) deleteTexture(font.texture, font.textureGeneration);
    font.texture = 0;
}

void deleteTexture(unsigned texture, unsigned gen) {
    if (!window || gen != contextGeneration || texture == 0) return;
    drawPending();  // deferred draws may still use it
    textureChanged(texture);
    dropCopiesOf(texture);
    GLuint t = texture;
    glDeleteTextures(1, &t);
    sampling.erase(t);
}

void pixelsPerUnit(float& kx, float& ky) {
    const State& st = state();
    const int winW = drawableWidth(), winH = drawableHeight();
    int pw = 0, ph = 0;
    if (window && wantPicture(winW, winH, st.virtW, st.virtH, pw, ph)) {
        kx = ky = 1;
    } else {
        kx = st.virtW > 0 ? float(winW) / st.virtW : 1;
        ky = st.virtH > 0 ? float(winH) / st.virtH : 1;
    }
}

bool readDisplay(Pixmap& out) {
    if (!window) return false;
    refreshSize();
    applyState();
    drawPending();
    if (!picture.active) return readPixels(0, 0, applied.winW, applied.winH, out);
    showPicture();
    fb.bind(GL_FRAMEBUFFER, 0);
    const bool read = readPixels(0, 0, drawableWidth(), drawableHeight(), out, true);
    applied.winW = -1;  // the picture is bound again by the next draw
    return read;
}

bool readPixels(int x, int y, int w, int h, Pixmap& out, bool display) {
    if (!window || w <= 0 || h <= 0) return false;
    if (!display) {
        applyState();
        drawPending();
    }
    // What draws land on, or (display) the window's back buffer with the picture on it.
    const bool fromPicture = picture.active && !display;
    int dw = display ? drawableWidth() : applied.dw, dh = display ? drawableHeight() : applied.dh;
    out.width = w;
    out.height = h;
    out.pixels.assign(size_t(w) * h, 0xFF000000u);
    int x0 = std::max(0, x), y0 = std::max(0, y);
    int x1 = std::min(dw, x + w), y1 = std::min(dh, y + h);
    if (x1 <= x0 || y1 <= y0) return true;
    int rw = x1 - x0, rh = y1 - y0;
    std::vector<uint32_t> raw(size_t(rw) * rh);
    glReadBuffer(fromPicture ? GL_COLOR_ATTACHMENT0 : GL_BACK);
    glReadPixels(x0, dh - y1, rw, rh, GL_BGRA, GL_UNSIGNED_BYTE, raw.data());
    // GL rows run bottom-up; ours top-down. The back buffer's alpha means nothing here.
    for (int row = 0; row < rh; ++row) {
        const uint32_t* src = raw.data() + size_t(rh - 1 - row) * rw;
        uint32_t* dst = out.pixels.data() + size_t(y0 - y + row) * w + (x0 - x);
        for (int col = 0; col < rw; ++col) dst[col] = src[col] | 0xFF000000u;
    }
    return true;
}

}  // namespace gfx::gl
