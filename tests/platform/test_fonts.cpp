// Font metrics through FreeType: whole units, line height constant, scale ignored.
#include "test_graphics_fixture.h"

#include <fstream>
#include <vector>

#include "platform/detail/gfx_internal.h"

namespace {
void writeBytesForFont(const std::string& path) {
    std::ofstream(path, std::ios::binary) << "true type? no: just words";
}
const char* kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
}

TEST_F(GraphicsTest, DefaultFontMeasuresRealText) {
    SetImageFont(nullptr);
    int h = TextHeight("A");
    EXPECT_GE(h, 14);
    EXPECT_LE(h, 20);
    EXPECT_EQ(TextHeight(""), h);
    EXPECT_EQ(TextHeight("gyp|ÅÉ"), h);
    EXPECT_EQ(TextWidth(""), 0);
    int one = TextWidth("M");
    EXPECT_GT(one, 0);
    EXPECT_EQ(TextWidth("MMMM"), 4 * one);
    EXPECT_LT(TextWidth("iiii"), TextWidth("MMMM"));
    EXPECT_GT(TextWidth("zażółć"), 0);  // non-ASCII glyphs are rendered on demand
    SetScale(3, 3);
    EXPECT_EQ(TextWidth("MMMM"), 4 * one);
    EXPECT_EQ(TextHeight("A"), h);
}

TEST_F(GraphicsTest, LoadedFontsFollowTheirSize) {
    TImageFont small = LoadImageFont(kDejaVu, 12);
    TImageFont big = LoadImageFont(kDejaVu, 40, SMOOTHFONT);
    ASSERT_TRUE(small);
    ASSERT_TRUE(big);
    SetImageFont(small);
    EXPECT_EQ(GetImageFont(), small);
    int hs = TextHeight("A"), ws = TextWidth("Pirate");
    SetImageFont(big);
    EXPECT_GT(TextHeight("A"), 2 * hs);
    EXPECT_GT(TextWidth("Pirate"), 2 * ws);
    SetImageFont(nullptr);
    EXPECT_EQ(GetImageFont(), nullptr);
    EXPECT_GT(TextHeight("A"), 0);
}

TEST_F(GraphicsTest, BadFontFilesGiveNull) {
    writeBytesForFont(file("junk.ttf"));
    EXPECT_EQ(LoadImageFont(file("junk.ttf"), 14), nullptr);
    EXPECT_EQ(LoadImageFont(file("absent.ttf"), 14), nullptr);
    EXPECT_EQ(LoadImageFont(kDejaVu, 0), nullptr);
    EXPECT_EQ(LoadImageFont(kDejaVu, -5), nullptr);
}

TEST_F(GraphicsTest, DefaultFontPathFallsBackToTheSystemFont) {
    SetDefaultFontPath(file("absent.ttf"));
    SetImageFont(nullptr);
    EXPECT_GT(TextHeight("A"), 0);
    SetDefaultFontPath("/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf");
    EXPECT_GT(TextWidth("Serif"), 0);
}

TEST_F(GraphicsTest, TextDrawRecordsItsBox) {
    SetOrigin(10, 0);
    DrawText("Ahoy", 5, 7);
    ASSERT_EQ(RecordedDraws().size(), 1u);
    const DrawCall& d = RecordedDraws()[0];
    EXPECT_EQ(d.kind, DrawCall::Text);
    EXPECT_EQ(d.what, "Ahoy");
    EXPECT_FLOAT_EQ(d.x, 15);
    EXPECT_FLOAT_EQ(d.y, 7);
    EXPECT_FLOAT_EQ(d.w, float(TextWidth("Ahoy")));
    EXPECT_FLOAT_EQ(d.h, float(TextHeight("Ahoy")));
}

TEST_F(GraphicsTest, FixedFontHasExactMetrics) {
    TImageFont fixed = CreateFixedFont(7, 12);
    SetImageFont(fixed);
    EXPECT_EQ(TextWidth("abc"), 21);
    EXPECT_EQ(TextWidth("żółw"), 28);  // characters, not bytes
    EXPECT_EQ(TextHeight(""), 12);
    DrawText("abc", 1, 2);
    ASSERT_EQ(RecordedDraws().size(), 1u);
    EXPECT_FLOAT_EQ(RecordedDraws()[0].w, 21);
}

namespace {
// Each glyph as the font renders it: its metrics and its pixels in the atlas.
std::string renderedGlyphs(TImageFontData& font, const std::u32string& text) {
    std::string out;
    for (char32_t c : text) {
        const gfx::Glyph* g = gfx::fontGlyph(font, uint32_t(c));
        out += std::to_string(g->advance) + "," + std::to_string(g->left) + "," + std::to_string(g->top) + "," +
               std::to_string(g->w) + "x" + std::to_string(g->h) + ":";
        for (int y = 0; y < g->h; ++y)
            out.append(reinterpret_cast<const char*>(font.atlas.alpha.data()) + size_t(g->ay + y) * size_t(font.atlas.width) +
                           size_t(g->ax),
                       size_t(g->w));
    }
    return out;
}
}  // namespace

// The sizes of one file share its face: each renders exactly as it does as the file's only
// font, whatever order they render in, slanted, emboldened or monochrome among them. One
// file hinted by its own instructions, one by FreeType's hinter. (Printable ASCII is rendered
// as a font loads: these letters are rendered when asked for.)
TEST_F(GraphicsTest, SizesOfOneFileRenderAsEachDoesAlone) {
    const std::u32string text = U"\u0105\u0107\u0119\u0142\u0144\u00F3\u015B\u017A\u017C\u00C5\u00C9\u00DF";
    struct Font {
        int size, style;
    } fonts[] = {{20, SMOOTHFONT}, {40, SMOOTHFONT | ITALICFONT}, {20, 0}, {33, SMOOTHFONT | BOLDFONT}, {20, SMOOTHFONT}};
    for (const char* path : {"/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
                             "/usr/share/fonts/truetype/averia-gwf/AveriaGWF-Bold.ttf"}) {
        SCOPED_TRACE(path);
        if (!std::filesystem::exists(path)) continue;
        std::vector<std::string> alone;
        for (const Font& f : fonts) {
            TImageFont font = LoadImageFont(path, f.size, f.style);
            ASSERT_TRUE(font);
            alone.push_back(renderedGlyphs(*font, text));
        }
        std::vector<TImageFont> together;
        for (const Font& f : fonts) together.push_back(LoadImageFont(path, f.size, f.style));
        // A glyph of each in turn, so that each render follows another size's.
        std::vector<std::string> got(together.size());
        for (char32_t c : text)
            for (size_t i = 0; i < together.size(); ++i) got[i] += renderedGlyphs(*together[i], std::u32string(1, c));
        for (size_t i = 0; i < together.size(); ++i) {
            SCOPED_TRACE("font " + std::to_string(i));
            EXPECT_EQ(got[i], alone[i]);
            EXPECT_EQ(together[i]->face, together[0]->face);
        }
    }
}
