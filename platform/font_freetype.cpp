// Image fonts: FreeType renders glyphs on demand into one atlas per font, so drawing text
// never creates anything per string. Metrics are whole pixels.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SIZES_H

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "platform/detail/gfx_internal.h"
#include "platform/files.h"
#include "platform/graphics.h"

namespace {

FT_Library library = nullptr;
std::string defaultFontPath;
TImageFont defaultFont;
bool defaultFontTried = false;

constexpr const char* kSystemDefaultFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int kDefaultFontSize = 14;
constexpr int kAtlasWidth = 512;
const FT_Matrix kItalicShear{0x10000, 0x0366A, 0, 0x10000};  // about 12 degrees

// A font file's face, shared by the fonts of its sizes (each with an FT_Size of its own):
// what a face keeps of its file (the hinter's tables of its glyphs) is kept once, not once a
// size. It reads the file's bytes, mapped: its tables and the glyphs drawn, a small part.
struct FontFile {
    std::shared_ptr<const files::MappedBytes> bytes;
    FT_Face face = nullptr;
    FontFile() = default;
    FontFile(const FontFile&) = delete;
    FontFile& operator=(const FontFile&) = delete;
    ~FontFile() {
        if (face) FT_Done_Face(face);
    }
};

bool ensureLibrary() {
    if (library) return true;
    if (FT_Init_FreeType(&library) != 0) {
        library = nullptr;
        std::fprintf(stderr, "FreeType could not start: text will not be drawn\n");
        return false;
    }
    return true;
}

// Makes room for a w x h bitmap; the atlas grows downwards when a row runs out.
bool placeInAtlas(TImageFontData& font, int w, int h, int& ax, int& ay) {
    if (w + 2 > kAtlasWidth) return false;
    if (font.penX + w + 1 > kAtlasWidth) {
        font.penX = 1;
        font.penY += font.rowH + 1;
        font.rowH = 0;
    }
    if (font.penY + h + 1 > font.atlas.height) {
        int newH = font.atlas.height;
        while (font.penY + h + 1 > newH) newH *= 2;
        if (newH > 8192) return false;
        font.atlas.alpha.resize(size_t(kAtlasWidth) * size_t(newH), 0);
        font.atlas.height = newH;
    }
    ax = font.penX;
    ay = font.penY;
    font.penX += w + 1;
    if (h > font.rowH) font.rowH = h;
    return true;
}

}  // namespace

namespace {
std::unordered_set<const TImageFontData*>& liveFonts() {
    static std::unordered_set<const TImageFontData*> live;
    return live;
}
}  // namespace

TImageFontData::TImageFontData() { liveFonts().insert(this); }

void gfx::fontMemory(int& fonts, size_t& bytes) {
    fonts = int(liveFonts().size());
    bytes = 0;
    for (const TImageFontData* f : liveFonts()) bytes += f->atlas.alpha.size();
}

TImageFontData::~TImageFontData() {
    liveFonts().erase(this);
    gfx::gl::releaseFontTexture(*this);
    if (ftSize) FT_Done_Size(static_cast<FT_Size>(ftSize));
    // the face goes with the file's last font
}

namespace gfx {

void decodeUtf8(const std::string& text, std::vector<uint32_t>& out) {
    out.clear();
    size_t i = 0, n = text.size();
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        uint32_t cp = 0xFFFD;
        int extra = 0;
        if (c < 0x80) cp = c;
        else if ((c & 0xE0) == 0xC0) { cp = c & 0x1F; extra = 1; }
        else if ((c & 0xF0) == 0xE0) { cp = c & 0x0F; extra = 2; }
        else if ((c & 0xF8) == 0xF0) { cp = c & 0x07; extra = 3; }
        ++i;
        for (int k = 0; k < extra; ++k) {
            if (i >= n || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
                cp = 0xFFFD;
                break;
            }
            cp = (cp << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
            ++i;
        }
        out.push_back(cp);
    }
}

namespace {

// The file's face set for this font: its size and slant.
FT_Face faceFor(TImageFontData& font) {
    FT_Face face = static_cast<FT_Face>(font.face);
    FT_Size size = static_cast<FT_Size>(font.ftSize);
    if (face->size != size) FT_Activate_Size(size);
    FT_Matrix shear = kItalicShear;
    FT_Set_Transform(face, (font.style & ITALICFONT) ? &shear : nullptr, nullptr);
    return face;
}

// The glyph's bitmap in the face's slot; false when FreeType cannot make it.
bool renderInSlot(TImageFontData& font, uint32_t codepoint) {
    FT_Face face = faceFor(font);
    FT_UInt index = FT_Get_Char_Index(face, codepoint);
    bool smooth = (font.style & SMOOTHFONT) != 0;
    FT_Int32 loadFlags = FT_LOAD_DEFAULT | (smooth ? 0 : FT_LOAD_TARGET_MONO);
    if (FT_Load_Glyph(face, index, loadFlags) != 0) return false;
    FT_GlyphSlot slot = face->glyph;
    if ((font.style & BOLDFONT) && slot->format == FT_GLYPH_FORMAT_OUTLINE)
        FT_Outline_Embolden(&slot->outline, face->size->metrics.x_ppem * 4);
    return FT_Render_Glyph(slot, smooth ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) == 0;
}

// The slot's bitmap at the glyph's place in the atlas.
void copyToAtlas(TImageFontData& font, const Glyph& glyph) {
    const FT_Bitmap& bm = static_cast<FT_Face>(font.face)->glyph->bitmap;
    for (int y = 0; y < glyph.h && y < int(bm.rows); ++y) {
        const unsigned char* src = bm.buffer + y * bm.pitch;
        uint8_t* dst = font.atlas.alpha.data() + size_t(glyph.ay + y) * kAtlasWidth + glyph.ax;
        for (int x = 0; x < glyph.w && x < int(bm.width); ++x)
            dst[x] = bm.pixel_mode == FT_PIXEL_MODE_MONO ? uint8_t(((src[x >> 3] >> (7 - (x & 7))) & 1) * 255u)
                                                         : src[x];
    }
}

}  // namespace

const Glyph* fontGlyph(TImageFontData& font, uint32_t codepoint) {
    auto it = font.glyphs.find(codepoint);
    if (it != font.glyphs.end()) return &it->second;
    FT_Face face = static_cast<FT_Face>(font.face);
    Glyph glyph;
    if (!face) {
        glyph.advance = font.fixedAdvance;
        return &font.glyphs.emplace(codepoint, glyph).first->second;
    }
    if (renderInSlot(font, codepoint)) {
        FT_GlyphSlot slot = face->glyph;
        glyph.advance = int((slot->advance.x + 32) >> 6);
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.w = int(slot->bitmap.width);
        glyph.h = int(slot->bitmap.rows);
        // A glyph with pixels joins the others' in the atlas, rendered again if they went.
        if (glyph.w > 0 && glyph.h > 0 && font.atlasDropped) {
            fontAtlasPixels(font);
            renderInSlot(font, codepoint);
        }
        if (glyph.w > 0 && glyph.h > 0 && placeInAtlas(font, glyph.w, glyph.h, glyph.ax, glyph.ay)) {
            copyToAtlas(font, glyph);
            font.atlasDirty = true;
        } else {
            glyph.w = glyph.h = 0;
        }
    }
    return &font.glyphs.emplace(codepoint, glyph).first->second;
}

const uint8_t* fontAtlasPixels(TImageFontData& font) {
    if (font.atlasDropped) {
        // The same glyphs rendered again, each at its place.
        font.atlasDropped = false;
        font.atlas.alpha.assign(size_t(font.atlas.width) * size_t(font.atlas.height), 0);
        for (const auto& [codepoint, glyph] : font.glyphs)
            if (glyph.w > 0 && glyph.h > 0 && renderInSlot(font, codepoint)) copyToAtlas(font, glyph);
    }
    return font.atlas.alpha.data();
}

void dropFontAtlasPixels(TImageFontData& font) {
    if (!font.face || font.atlasDropped) return;  // a fixed font could not render them again
    font.atlas.alpha.clear();
    font.atlas.alpha.shrink_to_fit();
    font.atlasDropped = true;
}

void resetFonts() {
    defaultFont.reset();
    defaultFontTried = false;
}

TImageFontData* currentFont() {
    State& st = state();
    if (st.font) return st.font.get();
    if (!defaultFontTried) {
        defaultFontTried = true;
        if (!defaultFontPath.empty()) defaultFont = LoadImageFont(defaultFontPath, kDefaultFontSize);
        if (!defaultFont) defaultFont = LoadImageFont(kSystemDefaultFont, kDefaultFontSize);
        if (!defaultFont)
            std::fprintf(stderr, "No default font could be loaded: text will not be drawn\n");
    }
    return defaultFont.get();
}

}  // namespace gfx

void SetDefaultFontPath(const std::string& path) {
    defaultFontPath = path;
    gfx::resetFonts();
}

TImageFont LoadImageFont(const std::string& path, int size, int style) {
    if (size <= 0 || size > 1000 || !ensureLibrary()) return nullptr;
    auto resolved = files::resolve(path);
    if (!resolved) return nullptr;
    // The game opens a few files at many sizes: each file is opened once, its sizes share it.
    static std::unordered_map<std::string, std::weak_ptr<FontFile>> opened;
    std::shared_ptr<FontFile> file = opened[*resolved].lock();
    if (!file) {
        file = std::make_shared<FontFile>();
        file->bytes = files::mapBytes(*resolved, 64u << 20, false);
        if (!file->bytes || FT_New_Memory_Face(library, reinterpret_cast<const FT_Byte*>(file->bytes->data()),
                                               FT_Long(file->bytes->size()), 0, &file->face) != 0) {
            file->face = nullptr;
            return nullptr;
        }
        opened[*resolved] = file;
    }
    FT_Face face = file->face;
    FT_Size ftSize = nullptr;
    if (FT_New_Size(face, &ftSize) != 0) return nullptr;
    if (FT_Activate_Size(ftSize) != 0 || FT_Set_Pixel_Sizes(face, 0, FT_UInt(size)) != 0) {
        FT_Done_Size(ftSize);
        return nullptr;
    }
    auto font = std::make_shared<TImageFontData>();
    font->path = path;
    font->size = size;
    font->style = style;
    font->face = face;
    font->ftSize = ftSize;
    font->file = std::move(file);
    const FT_Size_Metrics& m = face->size->metrics;
    font->ascender = int((m.ascender + 63) >> 6);
    font->lineHeight = int((m.height + 63) >> 6);
    if (font->lineHeight <= 0) font->lineHeight = size;
    // Small to start: the atlas doubles as glyphs come, so a small font holds a few rows, not 256.
    font->atlas.width = kAtlasWidth;
    font->atlas.height = 16;
    font->atlas.alpha.assign(size_t(kAtlasWidth) * 16, 0);
    // The printable ASCII set up front, so common text never touches the atlas mid-frame.
    for (uint32_t c = 32; c < 127; ++c) gfx::fontGlyph(*font, c);
    // Under gl a font may wait many screens for its first draw: until then only the glyphs'
    // places are kept, and that draw renders them again, the same (a millisecond or two).
    if (!IsHeadless()) gfx::dropFontAtlasPixels(*font);
    return font;
}

TImageFont CreateFixedFont(int advance, int lineHeight) {
    auto font = std::make_shared<TImageFontData>();
    font->path = "fixed";
    font->size = lineHeight;
    font->fixedAdvance = std::max(0, advance);
    font->lineHeight = std::max(0, lineHeight);
    font->ascender = font->lineHeight;
    font->atlas.width = kAtlasWidth;
    font->atlas.height = 1;
    font->atlas.alpha.assign(kAtlasWidth, 0);
    return font;
}

void SetImageFont(const TImageFont& font) { gfx::state().font = font; }

TImageFont GetImageFont() { return gfx::state().font; }

int TextWidth(const std::string& text) {
    TImageFontData* font = gfx::currentFont();
    if (!font) return 0;
    static std::vector<uint32_t> cps;
    gfx::decodeUtf8(text, cps);
    int w = 0;
    for (uint32_t cp : cps) w += gfx::fontGlyph(*font, cp)->advance;
    return w;
}

int TextHeight(const std::string&) {
    TImageFontData* font = gfx::currentFont();
    return font ? font->lineHeight : 0;
}
