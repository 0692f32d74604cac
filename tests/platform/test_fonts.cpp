// Font metrics through FreeType: whole units, line height constant, scale ignored.
#include "test_graphics_fixture.h"

#include <fstream>

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
