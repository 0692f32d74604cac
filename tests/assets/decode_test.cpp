// Loads every file of the built asset tree through the platform layer, headless, as the game
// will: each picture decodes, each strip cuts into its cells, each font rasterises at the sizes
// the screens use, each sound decodes to samples.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/audio.h"
#include "platform/graphics.h"

namespace {

std::string treeDir() { return ZERKON_ASSET_TREE; }

std::vector<std::string> manifestWith(const std::string& suffix) {
    std::vector<std::string> out;
    std::ifstream in(ZERKON_ASSET_MANIFEST);
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() > suffix.size() && line.compare(line.size() - suffix.size(), suffix.size(), suffix) == 0)
            out.push_back(line);
    }
    return out;
}

class AssetDecode : public ::testing::Test {
protected:
    void SetUp() override {
        InitPlatform(true);
        ResetAudio();
    }
    void TearDown() override { ShutdownPlatform(); }
};

TEST_F(AssetDecode, EveryPictureDecodes) {
    std::vector<std::string> files = manifestWith(".png");
    for (const std::string& f : manifestWith(".jpg")) files.push_back(f);
    ASSERT_GT(files.size(), 50u) << "manifest " << ZERKON_ASSET_MANIFEST << " lists too few pictures";
    for (const std::string& rel : files) {
        TImage img = LoadImage(treeDir() + "/" + rel);
        EXPECT_TRUE(img) << rel;
        EXPECT_GT(ImageWidth(img), 0) << rel;
    }
}

TEST_F(AssetDecode, StripsCutIntoTheirCells) {
    struct Strip {
        const char* rel;
        int w, h, cells;
    };
    const Strip strips[] = {
        {"gfx/gui/mainGame/chest-back.png", 200, 205, 7},
        {"gfx/gui/mainGame/chest-front.png", 200, 205, 7},
        {"gfx/gui/mainGame/hint-anim.png", 80, 54, 8},
        {"gfx/gui/mainGame/bonus-1.png", 56, 56, 4},
        {"gfx/gui/window/suwak-gora.png", 24, 24, 4},
    };
    for (const Strip& s : strips) {
        TImage img = LoadAnimImage(treeDir() + "/" + s.rel, s.w, s.h, 0, s.cells);
        ASSERT_TRUE(img) << s.rel;
        EXPECT_EQ(ImageFrames(img), s.cells) << s.rel;
        EXPECT_EQ(ImageWidth(img), s.w) << s.rel;
        // the last cell is drawn, not empty padding
        const Pixmap* last = ImagePixmap(img, s.cells - 1);
        ASSERT_NE(last, nullptr) << s.rel;
        bool anyOpaque = false;
        for (uint32_t p : last->pixels) anyOpaque = anyOpaque || (p >> 24) >= 128;
        EXPECT_TRUE(anyOpaque) << s.rel << " last cell is empty";
    }
}

TEST_F(AssetDecode, EveryFontRasterisesAtItsSizes) {
    std::vector<std::string> fonts = manifestWith(".ttf");
    ASSERT_GE(fonts.size(), 4u);
    for (const std::string& rel : fonts) {
        for (int size : {14, 26, 72}) {
            TImageFont font = LoadImageFont(treeDir() + "/" + rel, size);
            ASSERT_TRUE(font) << rel << " at " << size;
            SetImageFont(font);
            EXPECT_GT(TextWidth("Zerkon 0123456789"), size) << rel << " at " << size;
        }
    }
    SetImageFont(nullptr);
}

TEST_F(AssetDecode, EverySoundDecodes) {
    std::vector<std::string> sounds = manifestWith(".ogg");
    ASSERT_GE(sounds.size(), 40u);
    for (const std::string& rel : sounds) {
        TSound s = LoadSound(treeDir() + "/" + rel);
        ASSERT_TRUE(s) << rel;
        EXPECT_GT(SoundSampleFrames(s), 0) << rel;
        if (rel.rfind("sfx/music/", 0) == 0) {
            double seconds = double(SoundSampleFrames(s)) / SoundRate(s);
            EXPECT_GE(seconds, 20.0) << rel;
            EXPECT_LE(seconds, 60.0) << rel;
        }
    }
}

// Lines the game draws without wrapping must fit the place it draws them in.
TEST_F(AssetDecode, UnwrappedTextsFitTheirPlaces) {
    struct Fit {
        const char* text;  // language text file
        int line;          // 1-based; 0 = every line
        const char* font;
        int size;
        int maxWidth;
    };
    const Fit fits[] = {
        {"txt/en/story-flow-2.txt", 0, "gfx/fonts/storyFont.ttf", 36, 1004},
        {"txt/en/story-flow-4.txt", 0, "gfx/fonts/storyFont.ttf", 36, 1004},
        {"txt/en/story-flow-5.txt", 0, "gfx/fonts/storyFont.ttf", 36, 1004},
        {"txt/en/story-flow-6.txt", 0, "gfx/fonts/storyFont.ttf", 36, 1004},
        {"txt/en/pauseGame.txt", 1, "gfx/fonts/font.ttf", 72, 1000},
        {"txt/en/profileManager.txt", 8, "gfx/fonts/berry.ttf", 26, 290},  // panel title plaque
        {"txt/en/mainGame.txt", 5, "gfx/fonts/berry.ttf", 16, 176},        // hints plaque
        {"txt/en/options.txt", 6, "gfx/fonts/berry.ttf", 42, 600},
    };
    for (const Fit& f : fits) {
        TImageFont font = LoadImageFont(treeDir() + "/" + f.font, f.size);
        ASSERT_TRUE(font) << f.font;
        SetImageFont(font);
        std::ifstream in(treeDir() + "/" + f.text);
        ASSERT_TRUE(in) << f.text;
        std::string line;
        int n = 0;
        while (std::getline(in, line)) {
            ++n;
            if (f.line != 0 && n != f.line) continue;
            EXPECT_LE(TextWidth(line), f.maxWidth) << f.text << " line " << n << ": \"" << line << "\"";
        }
        EXPECT_GE(n, f.line) << f.text;
    }
    SetImageFont(nullptr);
}

// The lines of a language text file, without a byte-order mark.
std::vector<std::string> textLines(const std::string& rel) {
    std::ifstream in(treeDir() + "/" + rel);
    std::vector<std::string> out;
    std::string line;
    while (std::getline(in, line)) {
        if (out.empty() && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
        out.push_back(line);
    }
    return out;
}

// A cut-scene's subtitle rows stand on the plaque in the frame's bottom band (886 px inside
// its gold rim), and each credits row across the screen.
TEST_F(AssetDecode, SubtitlesFitTheirPlaqueAndCreditsTheScreen) {
    TImageFont story = LoadImageFont(treeDir() + "/gfx/fonts/storyFont.ttf", 48);
    ASSERT_TRUE(story);
    SetImageFont(story);
    for (const char* rel : {"txt/en/story-texts.txt", "txt/en/story-start.txt", "txt/en/storyOutro.txt"}) {
        const auto lines = textLines(rel);
        EXPECT_FALSE(lines.empty()) << rel;
        for (std::string rest : lines) {
            for (size_t cut; !rest.empty(); rest = cut == std::string::npos ? "" : rest.substr(cut + 7)) {
                cut = rest.find("#ENTER#");
                const std::string row = rest.substr(0, cut);
                EXPECT_LE(TextWidth(row), 860) << rel << ": \"" << row << "\"";
            }
        }
    }
    // Rows marked "#" (42 px) and "$" (60 px) lose the marker and their last character.
    TImageFont sizes[3] = {LoadImageFont(treeDir() + "/gfx/fonts/berry.ttf", 26),
                           LoadImageFont(treeDir() + "/gfx/fonts/berry.ttf", 42),
                           LoadImageFont(treeDir() + "/gfx/fonts/berry.ttf", 60)};
    const auto credits = textLines("txt/en/credits.txt");
    EXPECT_FALSE(credits.empty());
    for (const std::string& line : credits) {
        if (line.empty()) continue;
        const int marked = line[0] == '#' ? 1 : line[0] == '$' ? 2 : 0;
        SetImageFont(sizes[marked]);
        const std::string row = marked ? line.substr(1, line.size() - 2) : line;
        EXPECT_LE(TextWidth(row), 1000) << "credits: \"" << row << "\"";
    }
    SetImageFont(nullptr);
}

}  // namespace
