#pragma once
// Shared internals of the graphics layer: image and font records, the drawing state,
// and the hooks the gl backend plugs in. Nothing outside platform/ includes this.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/graphics.h"

struct TImageData {
    std::string path;
    int cellW = 0, cellH = 0;
    float handleX = 0, handleY = 0;
    int flags = 0;
    std::vector<Pixmap> frames;  // CPU copy per cell, after masking
    // gl: all cells in one texture, each cell padded by one replicated pixel.
    unsigned texture = 0;
    unsigned textureGeneration = 0;  // context the texture belongs to
    int texW = 0, texH = 0, texCols = 1;
    ~TImageData();
};

namespace gfx {

struct Glyph {
    int advance = 0;           // whole pixels
    int left = 0, top = 0;     // bitmap offset from the pen (top: above the baseline)
    int w = 0, h = 0;          // bitmap size
    int ax = 0, ay = 0;        // place in the atlas
};

}  // namespace gfx

struct TImageFontData {
    std::string path;
    int size = 0;
    int style = 0;
    void* face = nullptr;  // FT_Face; none for a fixed-metrics font
    int fixedAdvance = 0;
    int lineHeight = 0;
    int ascender = 0;
    std::unordered_map<uint32_t, gfx::Glyph> glyphs;
    Pixmap atlas;  // white, alpha = coverage
    int penX = 1, penY = 1, rowH = 0;
    bool atlasDirty = true;
    unsigned texture = 0;
    unsigned textureGeneration = 0;
    ~TImageFontData();
};

namespace gfx {

struct State {
    float virtW = 0, virtH = 0;
    int vpX = 0, vpY = 0, vpW = 0, vpH = 0;
    float originX = 0, originY = 0;
    int clsR = 0, clsG = 0, clsB = 0;
    int r = 255, g = 255, b = 255;
    float alpha = 1;
    float scaleX = 1, scaleY = 1;
    float rotation = 0;
    float rotCos = 1, rotSin = 0;
    int blend = ALPHABLEND;
    int maskR = 0, maskG = 0, maskB = 0;
    TImageFont font;
};

State& state();

// Decoders (image_png.cpp, image_jpeg.cpp). Pixels as 0xAARRGGBB.
bool decodePNG(const std::string& bytes, Pixmap& out, bool& hadAlpha, std::string& error);
bool decodeJPEG(const std::string& bytes, Pixmap& out, std::string& error);
bool encodePNG(const Pixmap& pm, std::string& bytes);

// Fonts (font_freetype.cpp).
const Glyph* fontGlyph(TImageFontData& font, uint32_t codepoint);
void decodeUtf8(const std::string& text, std::vector<uint32_t>& out);
TImageFontData* currentFont();  // the set font or the default one; null when none works
void resetFonts();

// ---- gl backend (platform/gl/) ----------------------------------------------------------
struct Vertex {
    float x, y, u, v;
    uint32_t rgba;  // bytes R, G, B, A in memory order
};
namespace gl {
bool init();  // SDL video; false when it cannot start
void shutdown();
bool open(int width, int height, int depth, int hz);
void close();
bool isOpen();
int drawableWidth();
int drawableHeight();
int desktopWidth();
int desktopHeight();
void setTitle(const std::string& title);
void showCursor(bool show);
void flip();
void clear();
// One textured quad or triangle list; texture 0 = plain colour.
void submit(unsigned texture, const Vertex* verts, int count, int blend);
unsigned imageTexture(TImageData& img);     // uploads on first use
unsigned fontTexture(TImageFontData& font);  // re-uploads when glyphs were added
void deleteTexture(unsigned texture, unsigned generation);
unsigned generation();
void setPacing(bool on);
void setFinish(bool on);
FrameCost lastFrameCost();
bool readPixels(int x, int y, int w, int h, Pixmap& out);  // pixel rect, top-left origin
}  // namespace gl

}  // namespace gfx
