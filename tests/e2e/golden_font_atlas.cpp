// With real OpenGL (offscreen), a font's glyph atlas lives in its texture: a loaded font keeps
// only its glyphs' places until the first draw renders them, once uploaded the coverage bytes
// go from memory, and a glyph met later has the others rendered again for the new texture;
// the texture goes once a next screen has drawn a second without the font, and comes back
// the same. Text drawn before and after each of those must be the same, pixel for pixel, in
// each of the font's styles.
// Exit codes: 0 pass, 1 failure, 77 no GL or no font.
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/graphics.h"
#include "tests/e2e/golden_support.h"

namespace {

constexpr int kW = 1024, kH = 768;

void drawLines(const TImageFont& font, const std::string& text) {
    golden::freshFrame(kW, kH, 20, 30, 40);
    SetImageFont(font);
    DrawText(text, 20, 20);
    SetScale(1.5f, 1.5f);
    DrawText(text, 20, 120);
    SetScale(1, 1);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string shotPath = argc > 1 ? argv[1] : "golden_font_atlas.png";
    const std::string assets = golden::findAssets(argv[0]);
    const std::string path = assets + "/gfx/fonts/font.ttf";
    if (assets.empty() || !std::filesystem::exists(path)) {
        std::printf("SKIP: no font at '%s'\n", path.c_str());
        return 77;
    }
    const std::string dir = golden::scratchDir("zerkon_golden_fonts_");
    if (int rc = golden::openOffscreenGl(kW, kH, dir)) return rc;
    int failures = 0;
    const std::string text = "Pieces of eight: 1234567890 AaBbCcXxYyZz!?";
    for (int style : {int(SMOOTHFONT), SMOOTHFONT | BOLDFONT, SMOOTHFONT | ITALICFONT, 0}) {
        const size_t before = ImageMemory().fontBytes;
        TImageFont font = LoadImageFont(path, 28, style);
        if (!font) {
            std::printf("FAIL: the font did not load\n");
            return 1;
        }
        // Until its first draw a font keeps only its glyphs' places, no coverage.
        if (ImageMemory().fontBytes != before) {
            std::printf("FAIL: style %d: the atlas kept its bytes before the first draw\n", style);
            ++failures;
        }
        drawLines(font, text);
        Pixmap first;
        if (!golden::grabShot(first, shotPath)) return 1;
        Flip();
        if (ImageMemory().fontBytes != before) {
            std::printf("FAIL: style %d: the atlas kept its bytes once in its texture\n", style);
            ++failures;
        }
        // Glyphs beyond the first set: the atlas is made again and grows.
        std::string more;
        for (int c = 0xC0; c < 0x180; ++c) more += char(0xC0 | (c >> 6)), more += char(0x80 | (c & 0x3F));
        drawLines(font, more);
        Flip();
        drawLines(font, text);
        Pixmap again;
        if (!golden::grabShot(again, shotPath)) return 1;
        Flip();
        size_t differ = 0;
        for (size_t i = 0; i < first.pixels.size(); ++i)
            if ((first.pixels[i] & 0xFFFFFFu) != (again.pixels[i] & 0xFFFFFFu)) ++differ;
        if (differ) {
            std::printf("FAIL: style %d: %zu pixels differ after the atlas was made again\n", style, differ);
            ++failures;
        }
        // A next screen that draws no text: within its first second the atlas's texture
        // goes, and the text drawn after that is the same again.
        int textures = 0;
        const size_t withAtlas = ImageMemory().textureBytes;
        ScreenEnded();
        for (int f = 0; f < 60; ++f) {
            golden::freshFrame(kW, kH, 20, 30, 40);
            Flip();
        }
        const size_t without = ImageMemory().textureBytes;
        textures = ImageMemory().textures;
        if (without >= withAtlas || textures != 0) {
            std::printf("FAIL: style %d: %zu bytes in %d textures once no screen drew the font (%zu before)\n",
                        style, without, textures, withAtlas);
            ++failures;
        }
        drawLines(font, text);
        Pixmap back;
        if (!golden::grabShot(back, shotPath)) return 1;
        Flip();
        if (const int n = golden::differingPixels(first, back)) {
            std::printf("FAIL: style %d: %d pixels differ once the atlas's texture was made again\n", style, n);
            ++failures;
        }
    }
    SetImageFont(nullptr);
    std::filesystem::remove_all(dir);
    if (failures) return 1;
    std::printf("PASS: %s\n", shotPath.c_str());
    return 0;
}
