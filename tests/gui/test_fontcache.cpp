// Image fonts are loaded once per file and size, failures included.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "gui/frame/fontcache.h"
#include "platform/graphics.h"

namespace {

const char* const kFontCandidates[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf",
};

class FontCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitPlatform(true);
        ResetGraphicsState();
        ResetFontCache();
        for (const char* p : kFontCandidates)
            if (std::filesystem::exists(p)) fontPath = p;
        SetFontCacheLoader([this](const std::string& url, int size, int style) {
            loads.push_back(url + "@" + std::to_string(size) + "/" + std::to_string(style));
            return LoadImageFont(url, size, style);
        });
    }
    void TearDown() override { ResetFontCache(); }

    std::string fontPath;
    std::vector<std::string> loads;
};

TEST_F(FontCacheTest, SameFileAndSizeGiveOneFontInAnyLetterCase) {
    if (fontPath.empty()) GTEST_SKIP() << "no TrueType font installed";
    const TImageFont a = myLoadImageFont(fontPath, 20);
    ASSERT_TRUE(a);
    EXPECT_EQ(myLoadImageFont(fontPath, 20), a);
    std::string shouted = fontPath;
    for (char& c : shouted) c = char(toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(myLoadImageFont(shouted, 20), a);
    ASSERT_EQ(loads.size(), 1u);
    EXPECT_EQ(loads[0], fontPath + "@20/4");  // smoothed glyphs, nothing else
    ASSERT_EQ(TMyFont::listaFontow.size(), 1u);
    EXPECT_EQ(TMyFont::listaFontow[0]->url, fontPath);  // kept as first requested
}

TEST_F(FontCacheTest, EachSizeIsItsOwnFont) {
    if (fontPath.empty()) GTEST_SKIP() << "no TrueType font installed";
    const TImageFont small = myLoadImageFont(fontPath, 20);
    const TImageFont large = myLoadImageFont(fontPath, 24);
    ASSERT_TRUE(small);
    ASSERT_TRUE(large);
    EXPECT_NE(small, large);
    EXPECT_EQ(myLoadImageFont(fontPath, 24), large);
    EXPECT_EQ(myLoadImageFont(fontPath, 20), small);
    EXPECT_EQ(loads.size(), 2u);
}

TEST_F(FontCacheTest, AFailedLoadIsRememberedAndNeverRetried) {
    const std::string missing = "/nonexistent/fonts/gone.ttf";
    EXPECT_FALSE(myLoadImageFont(missing, 16));
    EXPECT_FALSE(myLoadImageFont(missing, 16));
    EXPECT_FALSE(myLoadImageFont("/NONEXISTENT/FONTS/GONE.TTF", 16));
    EXPECT_EQ(loads.size(), 1u);
    ASSERT_EQ(TMyFont::listaFontow.size(), 1u);
    EXPECT_FALSE(TMyFont::listaFontow[0]->font);
}

}  // namespace
