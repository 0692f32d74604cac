#pragma once
// Display, 2D drawing state machine, images and image fonts.
// Drawing state is global: callers set what they need and never restore it.
// Two backends: "gl" (SDL2 + OpenGL) and "headless" (decoded images, recorded draws).
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// ---- backend and display ---------------------------------------------------------------
enum class Backend { Gl, Headless };
// Chooses the backend: headless when ZERKON_HEADLESS=1 (or when asked), else gl.
void InitPlatform(bool forceHeadless = false);
Backend CurrentBackend();
bool IsHeadless();
void ShutdownPlatform();

// Opens (or switches) the display: windowed (depth 0) or full screen at width x height,
// 32-bit, hz (desktop full screen where a mode switch is refused). Keeps the window,
// context and images across a switch. Returns false when no display could be opened.
bool Graphics(int width, int height, int depth = 0, int hz = 60);
void CloseGraphics();
bool GraphicsOpen();
int GraphicsWidth();
int GraphicsHeight();
int DesktopWidth();   // read once at first call
int DesktopHeight();
// Headless: the desktop size DesktopWidth/Height report (1920 x 1080 unless set), so tests
// can try the display choices of other desktops.
void SetHeadlessDesktopSize(int width, int height);
void SetWindowTitle(const std::string& title);
void ShowMouse();
void HideMouse();

// Presents the frame and waits so that frames follow at 1/hz s. Headless: advances the
// clock by exactly 1000/60 ms and paces nothing.
void Flip();
// gl: turns the 1/hz wait of Flip off (benchmarks measure the frame cost alone). On by default.
void SetFramePacing(bool on);
bool FramePacing();
// gl: waits for the drawing to finish after each present, for benchmarks on drivers whose
// swap returns before the picture is drawn. Off by default.
void SetFrameFinish(bool on);
// gl: draws wholly or partly under a later opaque rectangle of the same frame are left out
// (or cut down). On by default; off only to show that it changes no pixel, or to measure.
void SetHiddenDrawCulling(bool on);
// gl: further savings that change no pixel: a draw whose opacity is within half a step of
// the byte GL is given of transparent is left out, and a smoothed (mip-mapped) picture drawn
// nowhere smaller than its size is sampled without its smaller levels, which it then never
// reads. On by default; off only to show that they change no pixel, or to measure.
void SetExactSavings(bool on);
// gl: what the last presented frame cost the driver: draw calls, and the area of the
// triangles drawn, in display pixels (all of it, blended, sampled linearly).
struct FrameCost {
    int draws = 0;
    double pixels = 0;
    double blendedPixels = 0;
    double filteredPixels = 0;
};
FrameCost LastFrameCost();
// The most draws a frame has taken since the last call (the memory report's spans).
int TakeMostDrawsInAFrame();
// What the pictures hold now: images alive and the decoded pixels they keep in memory, fonts
// and their glyph atlases, and (gl) the textures made for them, in bytes. For memory
// benchmarks and for tests that a screen's end lets its pictures go.
struct ImageMemoryUse {
    int images = 0;
    size_t pixelBytes = 0;
    int fonts = 0;
    size_t fontBytes = 0;
    int textures = 0;
    size_t textureBytes = 0;
    size_t frameBytes = 0;  // what the records of the frames drawn and their buffers hold
};
ImageMemoryUse ImageMemory();
// The screen that drew until now has ended (the router goes on to its next place): the
// textures of its large pictures go at once (read again if the next screen draws them), and
// the shared pages and font atlases that the next screen does not draw from in its first
// frames then, not only after the usual idle time.
void ScreenEnded();
// A panel drawn over the screen (a dialogue, the options) has closed and the screen goes on
// alone: whatever it does not draw in its next frames goes then, as at a screen's start, the
// panel's pictures and fonts among them, rather than wait for the textures' budget.
void OverlayClosed();
// Every image with a texture and every texture alive, one a line (the memory report's detail).
void DescribeTextures(std::FILE* out);

// ---- drawing state -----------------------------------------------------------------------
void SetVirtualResolution(float w, float h);
float VirtualResolutionWidth();
float VirtualResolutionHeight();
void SetViewport(int x, int y, int w, int h);  // virtual units, not moved by the origin
void GetViewport(int& x, int& y, int& w, int& h);
void SetOrigin(float x, float y);
void GetOrigin(float& x, float& y);
void SetClsColor(int r, int g, int b);
void GetClsColor(int& r, int& g, int& b);
void Cls();  // fills the current viewport only
void SetColor(int r, int g, int b);  // clamped to 0..255 inside the layer
void GetColor(int& r, int& g, int& b);
void SetAlpha(float a);
float GetAlpha();
void SetScale(float sx, float sy);
void GetScale(float& sx, float& sy);
void SetRotation(float degrees);
float GetRotation();
enum BlendMode { SOLIDBLEND = 1, ALPHABLEND = 2, LIGHTBLEND = 3 };
void SetBlend(int mode);  // ALPHABLEND: src*a + dst*(1-a); LIGHTBLEND: src*a + dst
int GetBlend();
void SetMaskColor(int r, int g, int b);

// ---- images --------------------------------------------------------------------------------
enum ImageFlags { MASKEDIMAGE = 1, FILTEREDIMAGE = 2, MIPMAPPEDIMAGE = 4, DEFAULT_IMAGE_FLAGS = -1 };

// RGBA pixels, 8 bits each, row-major, top row first.
struct Pixmap {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0xAARRGGBB
    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};
// Decodes PNG or JPEG (by content). False (no exit, no throw) when it cannot.
bool LoadPixmap(const std::string& path, Pixmap& out, bool* hadAlpha = nullptr);
bool SavePixmapPNG(const Pixmap& pm, const std::string& path);

struct TImageData;  // backend-owned
using TImage = std::shared_ptr<TImageData>;

// flags -1 = MASKEDIMAGE | FILTEREDIMAGE. Null when the file cannot be loaded.
TImage LoadImage(const std::string& path, int flags = DEFAULT_IMAGE_FLAGS);
// Equal cells taken row by row from the top left.
TImage LoadAnimImage(const std::string& path, int cellWidth, int cellHeight, int firstCell,
                     int cellCount, int flags = DEFAULT_IMAGE_FLAGS);
TImage CreateImageFromPixmap(const Pixmap& pm, int flags = DEFAULT_IMAGE_FLAGS);
// A null image has size 0 and draws nothing.
int ImageWidth(const TImage& img);   // of one cell
int ImageHeight(const TImage& img);
int ImageFrames(const TImage& img);
void MidHandleImage(const TImage& img);  // handle = (w*0.5, h*0.5) as floats
void SetImageHandle(const TImage& img, float x, float y);
void GetImageHandle(const TImage& img, float& x, float& y);
// CPU copy of one cell (what the image holds after masking). With gl, an image's pixels are
// let go once its texture is made and read back from its file on the first call here.
const Pixmap* ImagePixmap(const TImage& img, int frame = 0);
uint32_t ReadPixel(const TImage& img, int x, int y, int frame = 0);  // 0xAARRGGBB, 0 outside
// The game has what it needed of the pixels it read: with gl they go again (and are read back
// from the file if asked for once more). Pixels made in memory, and headless images, stay.
void ForgetImagePixels(const TImage& img);

// Whether `top` drawn at alpha 1 (alpha blending) hides every pixel `under` would draw at
// the same place, scale and rotation, their handles on that place. False when unsure (large
// images are not examined).
bool ImageCovers(const TImage& top, int topFrame, const TImage& under, int underFrame);

void DrawImage(const TImage& img, float x, float y, int frame = 0);
// Draws the source rectangle (sx, sy, sw, sh) of the frame into (x, y, w, h) with the
// handle (hx, hy) in source pixels.
void DrawSubImageRect(const TImage& img, float x, float y, float w, float h, float sx, float sy,
                      float sw, float sh, float hx = 0, float hy = 0, int frame = 0);
void DrawRect(float x, float y, float w, float h);
void DrawLine(float x1, float y1, float x2, float y2, bool drawLastPixel = true);
void DrawOval(float x, float y, float w, float h);
// Draws made from Begin to End go to a frame that the next one clears before it is shown
// (a screen's set-up drawing its scenes once, so their pictures are ready for the first
// frames): headless records them as ever; gl draws and uploads nothing, and has the pictures
// drawn decoded ahead of their first real draw (PrefetchImagePixels). Pairs may nest.
void BeginDiscardedDraws();
void EndDiscardedDraws();
// Copies a rectangle of the back buffer (virtual units) into a new image.
TImage GrabImage(int x, int y, int w, int h);
// The whole back buffer as the player sees it (pixels of the display), for shots.
bool GrabScreen(Pixmap& out);

// ---- image fonts ---------------------------------------------------------------------------
enum FontStyle { BOLDFONT = 1, ITALICFONT = 2, SMOOTHFONT = 4 };
struct TImageFontData;
using TImageFont = std::shared_ptr<TImageFontData>;
// A TrueType file at a pixel size. Null on failure.
TImageFont LoadImageFont(const std::string& path, int size, int style = SMOOTHFONT);
void SetImageFont(const TImageFont& font);  // null selects the built-in default font
TImageFont GetImageFont();
// Whole units, not affected by the scale. TextHeight is the font's line height (the same
// for every string, including "").
int TextWidth(const std::string& text);
int TextHeight(const std::string& text);
void DrawText(const std::string& text, float x, float y);  // top-left at the position
// The TrueType file of the default font (14 px); without one, or when it cannot be read,
// the system's DejaVu Sans is used, and without that text draws nothing and measures 0.
void SetDefaultFontPath(const std::string& path);
// A font with fixed metrics that draws nothing: every character `advance` wide, every line
// `lineHeight` high. For layout tests that must not depend on a real font's shapes.
TImageFont CreateFixedFont(int advance, int lineHeight);

// ---- recording (headless backend; tests inspect what a frame drew) -------------------------
struct DrawCall {
    enum Kind { Image, SubImage, Rect, Line, Oval, Text, Clear } kind = Image;
    std::string what;        // image source path, or the text drawn
    int frame = 0;
    float x = 0, y = 0, w = 0, h = 0;  // position (after origin) and size where it applies
    float sx = 0, sy = 0, sw = 0, sh = 0;
    float handleX = 0, handleY = 0;
    float scaleX = 1, scaleY = 1, rotation = 0, alpha = 1;
    int r = 255, g = 255, b = 255;
    int blend = ALPHABLEND;
    int vpX = 0, vpY = 0, vpW = 0, vpH = 0;
};
const std::vector<DrawCall>& RecordedDraws();
void ClearRecordedDraws();
// Resets drawing state, handles of nothing, and recorded draws: for tests between cases.
void ResetGraphicsState();
