#pragma once
// Shared internals of the graphics layer: image and font records, the drawing state,
// and the hooks the gl backend plugs in. Nothing outside platform/ includes this.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/graphics.h"

namespace gfx {

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

// A piece of a large image's drawn region, in cell pixels: every pixel it can show is
// opaque, or some may be translucent. Pixels outside every piece can show nothing.
struct ImagePiece {
    Rect r;
    bool opaque = false;
    int tx = 0, ty = 0;  // packed: where its block (behind a one-pixel border) lies in the texture
};

// Per-pixel classes of one cell, one bit a pixel: alpha 255, alpha 0.
struct CoverageMask {
    std::vector<uint64_t> solid, blank;
    bool bit(const std::vector<uint64_t>& v, size_t i) const { return (v[i >> 6] >> (i & 63)) & 1u; }
};

}  // namespace gfx

struct TImageData {
    std::string path;
    int cellW = 0, cellH = 0;
    float handleX = 0, handleY = 0;
    int flags = 0;
    int frameCount = 0;
    // CPU copy per cell, after masking. Once the cells are in a texture it is let go, and
    // read back from the file when the game asks for pixels (or the context was lost).
    std::vector<Pixmap> frames;
    bool keepPixels = false;  // made from pixels in memory: nothing to read them back from
    bool pixelsRead = false;  // the game read them: they stay
    size_t heldBytes = 0;     // decoded bytes held until the first draw (see holdPixels)
    int firstCell = 0;        // where the cells came from, to read them back
    bool masked = false;
    uint32_t maskKey = 0;
    // No alpha in the file: every pixel opaque, unless masked and the mask colour is in it
    // (learnt at the first upload in bands, which then reads it whole).
    bool opaqueFile = false;
    // Its file did not stream as its header promised: read whole from now on.
    bool readWhole = false;

    // What drawing needs, worked out once from the pixels (they may be gone later): at load
    // headless, at the first draw or pixel read with gl, whose loads read only the header.
    bool analysed = false;
    bool unreadable = false;  // gl: the pixels could not be read when first needed
    std::vector<uint8_t> frameOpaque;  // every pixel of the cell has alpha 255
    gfx::Rect drawn;    // the pixels any cell can show (with a pixel of filter reach)
    gfx::Rect stored;   // the pixels the texture holds (drawn + what filtering reads)
    std::vector<gfx::ImagePiece> pieces;  // large single images: opaque and translucent parts
    std::vector<gfx::CoverageMask> masks;  // small images: for covering tests
    struct CoverAnswer {
        const TImageData* top;
        int topFrame, frame;
        float dx, dy;  // the handles' offset asked about
        bool covers;
    };
    std::vector<CoverAnswer> coverAnswers;

    // gl: the cells side by side in a texture (a shared page, or one of their own), each
    // stored region padded by one replicated pixel.
    unsigned texture = 0;
    unsigned textureGeneration = 0;  // context the texture belongs to
    int page = -1;                   // shared page, or -1 for a texture of its own
    unsigned pageEpoch = 0;          // the page's epoch when the cells went onto it
    unsigned lastDrawn = 0;          // the frame that last drew it (idle textures go)
    int texW = 0, texH = 0, texCols = 1;
    int texX = 0, texY = 0;  // the top-left of the cells' sheet in the texture
    // A large picture that is mostly empty keeps only its pieces in its texture (cut into
    // slices, each behind its own border) while every draw of it puts its texels one to one
    // on the pixel grid and blends: what it leaves out then shows nothing. The first draw that
    // does not (scaled, rotated, solid) has it stored whole from then on.
    std::vector<gfx::ImagePiece> packedPieces;  // empty: stored whole
    bool noPacking = false;
    // A strip of large cells shown one at a time (the chest filling up with mistakes) keeps
    // only the cell shown in its texture, and reads another from the file when it is drawn;
    // one whose cells change often (an animation) has them all stored until its texture goes.
    int heldCell = -1;          // the cell the texture holds alone, or -1: all of them
    unsigned heldSince = 0;     // the frame it came
    int quickChanges = 0;       // changes in a row that came soon after the last
    bool everyCell = false;
    TImageData();
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

namespace gfx {
// A font's glyphs: coverage, one byte a pixel (drawn as white of that opacity).
struct FontAtlas {
    int width = 0, height = 0;
    std::vector<uint8_t> alpha;
};
}  // namespace gfx

struct TImageFontData {
    std::string path;
    int size = 0;
    int style = 0;
    void* face = nullptr;    // FT_Face, the file's, shared by its sizes; none for a fixed-metrics font
    void* ftSize = nullptr;  // FT_Size: this font's size of that face
    std::shared_ptr<const void> file;  // holds the face and the file's bytes it reads
    int fixedAdvance = 0;
    int lineHeight = 0;
    int ascender = 0;
    std::unordered_map<uint32_t, gfx::Glyph> glyphs;
    gfx::FontAtlas atlas;
    int penX = 1, penY = 1, rowH = 0;
    bool atlasDirty = true;
    bool atlasDropped = false;  // gl: the atlas's pixels went once its texture had them
    unsigned texture = 0;
    unsigned textureGeneration = 0;
    unsigned lastDrawn = 0;  // gl: the frame that last drew with it (idle atlases go)
    TImageFontData();
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
// A PNG or a JPEG file's bytes, by their signature; safe on any thread.
bool decodeImage(const std::string& bytes, Pixmap& out, bool& hadAlpha, std::string& error);
// What decoding would need to know and refuse, without the pixels: the size, whether the
// picture has alpha, and a damaged or cut-short file (every chunk whole, the critical ones'
// checksums) for PNG; the header for JPEG.
bool probePNG(const std::string& bytes, int& width, int& height, bool& hadAlpha, std::string& error);
bool probeJPEG(const std::string& bytes, int& width, int& height, std::string& error);
bool probeImage(const std::string& bytes, int& width, int& height, bool& hadAlpha, std::string& error);
bool encodePNG(const Pixmap& pm, std::string& bytes);
// Decoding a band of rows at a time, so a large picture never exists whole: the sink gets
// rows [first, first + count) of the picture, `width` pixels each, in order. False with the
// reason when the file does not decode (after some bands, maybe); an interlaced PNG is
// refused before any.
using RowSink = std::function<void(const uint32_t* rows, int first, int count, int width)>;
bool decodePNGRows(const std::string& bytes, int band, const RowSink& rows, std::string& error);
bool decodeJPEGRows(const std::string& bytes, int band, const RowSink& rows, std::string& error);
// A picture file's rows so, or its pixels whole in one band when start-up's worker has
// decoded it already; false, quietly, when it cannot be read so (the caller reads it whole).
bool streamImageRows(const std::string& path, int band, const RowSink& rows);
// Rows a band when a picture is streamed.
constexpr int kRowBand = 32;
// An image's one cell streamed so from its file, each band handed to `band` (false stops);
// false when the file no longer streams as the image it was: its width, its rows in order,
// at least its height, and every band taken.
using CellBand = std::function<bool(const uint32_t* rows, int first, int count, int width)>;
bool streamCellRows(const TImageData& img, const CellBand& band);

// Image layout (image_layout.cpp): the drawn and stored regions, pieces and masks of a
// fresh image whose frames hold its cells; and the cells read back from the file.
void analyseImage(TImageData& img);
// What analyseImage finds in a large picture of one cell that is opaque everywhere (a file
// without alpha, and no mask colour in it), set without its pixels; false, nothing set, for
// any other.
bool layOutOpaque(TImageData& img);
bool reloadPixels(TImageData& img);
// One cell of the image read from its file a band of rows at a time, the rest of the file
// never held; false when the file no longer holds it as the image was loaded.
bool readCell(const TImageData& img, int cell, Pixmap& out);
// A large picture of one cell, with alpha and no mask colour, whose pixels are not held: its
// layout can be learnt, and its texture filled, from its file a band of rows at a time.
bool streamable(const TImageData& img);
// analyseImage's findings (no masks: it is large) from the file's alphas alone, never the
// pixels whole; false, nothing set, when the file does not stream as its header said.
bool analyseStreamed(TImageData& img);
// The pieces cut into slices and laid out, each behind a one-pixel border, in a texture at
// most maxSide a side no wider than the stored region and its border; false when that
// would not save a quarter of storing the region whole.
bool packPieces(const TImageData& img, int maxSide, std::vector<ImagePiece>& packed, int& texW, int& texH);
// The cells an image of width x height holds of cellW x cellH, from `first`, at most count.
int cellCount(int width, int height, int cellW, int cellH, int first, int count);
// The image's cells (its firstCell and frameCount) cut out of its whole picture, the mask
// colour made transparent when the image is masked and the file has no alpha.
void takeCells(TImageData& img, Pixmap&& whole, bool hadAlpha);
// The cells read and analysed if they have not been yet (gl loads read only the header);
// false, said once, when the file no longer decodes. The pixels read stay for the caller,
// but for a streamable picture's, whose alphas alone are read, a band at a time.
bool ensureAnalysed(TImageData& img);
// The same ahead of a first draw (a covering test): pixels read for it are held for the draw.
bool analyseAhead(const std::shared_ptr<TImageData>& img);
// gl: a fresh image keeps its decoded pixels for its first draw while the pictures loaded
// lately stay within a small budget; past it the oldest let theirs go (read again later).
void holdPixels(const std::shared_ptr<TImageData>& img);
// Each frame (gl): pictures held for longer than a few seconds without a draw let theirs go.
void letStaleHeldPixelsGo(uint64_t nowMs);
size_t heldPixelBytes();  // what the fresh pictures hold now
size_t pixelBytes(const TImageData& img);  // the decoded pixels it keeps
// After the upload: the pixels go unless they cannot be read again or the game reads them.
void letPixelsGo(TImageData& img);

// Fonts (font_freetype.cpp).
const Glyph* fontGlyph(TImageFontData& font, uint32_t codepoint);
// The atlas's coverage, rendered again first if it was let go (dropFontAtlasPixels).
const uint8_t* fontAtlasPixels(TImageFontData& font);
// gl: once the texture holds the atlas, its pixels go; a new glyph or a lost context has
// them rendered again, the same, by fontAtlasPixels.
void dropFontAtlasPixels(TImageFontData& font);
void decodeUtf8(const std::string& text, std::vector<uint32_t>& out);
TImageFontData* currentFont();  // the set font or the default one; null when none works
void resetFonts();
// The fonts alive and the bytes of their atlases (ImageMemory).
void fontMemory(int& fonts, size_t& bytes);

// ---- gl backend (platform/gl/) ----------------------------------------------------------
struct Vertex {
    float x, y, u, v;
    uint32_t rgba;  // bytes R, G, B, A in memory order
};
// An upright quad as two triangles (corners 0 1 2 and 0 2 3, from the top-left clockwise),
// texture coordinates following its edges, one colour.
inline void appendQuad(std::vector<Vertex>& out, float x0, float y0, float x1, float y1, float u0, float v0,
                       float u1, float v1, uint32_t rgba) {
    const Vertex a{x0, y0, u0, v0, rgba}, b{x1, y0, u1, v0, rgba}, c{x1, y1, u1, v1, rgba}, d{x0, y1, u0, v1, rgba};
    out.insert(out.end(), {a, b, c, a, c, d});
}
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
// filtered: sample linearly (the image is scaled, rotated or off the pixel grid).
// opaque: a solid draw that blended would come out the same (its texels and colour are all of
// full opacity), which may then go blended with the blended draws around it.
void submit(unsigned texture, const Vertex* verts, int count, int blend, bool filtered = false, bool opaque = false);
// Uploads on first use; mayPack: this draw lets it keep only its pieces (see packedPieces);
// cell: the cell drawn (see heldCell), or -1.
unsigned imageTexture(TImageData& img, bool mayPack = false, int cell = -1);
unsigned fontTexture(TImageFontData& font);  // re-uploads when glyphs were added
void deleteTexture(unsigned texture, unsigned generation);
void releaseImageTexture(TImageData& img);  // its own texture, or its share of a page
void releaseFontTexture(TImageFontData& font);  // its atlas's texture
void screenEnded();  // see ScreenEnded
void overlayClosed();  // see OverlayClosed
unsigned generation();
void setPacing(bool on);
bool pacing();
void setFinish(bool on);
void setCulling(bool on);
void setExactSavings(bool on);
FrameCost lastFrameCost();
size_t textureMemory(int& textures);   // the textures alive and their bytes
size_t frameMemory();                  // the frame records' and buffers' bytes (capacity)
void describeTextures(std::FILE* out);  // each texture alive: what it is, its size, how long idle
// A pixel rectangle (top-left origin) of what draws land on (the window, or the picture when
// the display scales it), or with display the window's back buffer as the flip shows it.
bool readPixels(int x, int y, int w, int h, Pixmap& out, bool display = false);
bool readDisplay(Pixmap& out);  // the whole display as the flip shows it
// Display pixels (or picture texels) per virtual unit: what draws land on.
void pixelsPerUnit(float& kx, float& ky);
}  // namespace gl

}  // namespace gfx
