#pragma once
// What the real-GL picture tests share: the expected colour type, plain test images, the
// colour comparison, one board frame, and the switch from the headless recording run to an
// offscreen GL display of the same size.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "game/board/level.h"
#include "game/board/links.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "tests/support/gl_shot.h"

namespace golden {

struct Rgb {
    float r, g, b;
};

inline Pixmap filled(int w, int h, uint32_t argb) {
    Pixmap pm;
    pm.width = w;
    pm.height = h;
    pm.pixels.assign(size_t(w) * size_t(h), argb);
    return pm;
}

// The built asset tree next to a test program (build/tests/e2e/<program> -> build/assets),
// or $ZERKON_ASSET_DIR; "" when the program's own path cannot be resolved.
inline std::string findAssets(const char* argv0) {
    if (const char* env = std::getenv("ZERKON_ASSET_DIR")) return env;
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::canonical(std::filesystem::path(argv0), ec);
    if (ec) return "";
    return (exe.parent_path().parent_path().parent_path() / "assets").string();
}

inline bool near(uint32_t p, const Rgb& e, int tolerance) {
    return std::abs(int((p >> 16) & 0xFF) - int(std::lround(e.r))) <= tolerance &&
           std::abs(int((p >> 8) & 0xFF) - int(std::lround(e.g))) <= tolerance &&
           std::abs(int(p & 0xFF) - int(std::lround(e.b))) <= tolerance;
}

// Pixels whose colour differs between two shots; shots of different sizes differ in all.
inline int differingPixels(const Pixmap& a, const Pixmap& b) {
    if (a.width != b.width || a.height != b.height) return std::max(1, a.width * a.height);
    int n = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        if ((a.pixels[i] ^ b.pixels[i]) & 0x00FFFFFFu) ++n;
    return n;
}

// One board frame on a black w x h display, drawn as the play screen draws the board.
inline void drawBoard(TLevel& level, int w, int h) {
    SetViewport(0, 0, w, h);
    SetOrigin(0, 0);
    SetClsColor(0, 0, 0);
    Cls();
    level.drawBack();
    level.drawTiles();
    SetRotation(0);
    level.drawNumbers();
    level.drawOver(playLink().overTile());
}

// A w x h frame cleared to (r, g, b), drawing state back to plain: alpha blending, white,
// opaque, unscaled, unrotated.
inline void freshFrame(int w, int h, int r, int g, int b) {
    SetViewport(0, 0, w, h);
    SetOrigin(0, 0);
    SetClsColor(r, g, b);
    Cls();
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetAlpha(1);
    SetScale(1, 1);
    SetRotation(0);
}

// A fresh scratch folder of this process, named with `prefix`.
inline std::string scratchDir(const std::string& prefix) {
    std::string dir = (std::filesystem::temp_directory_path() / (prefix + std::to_string(::getpid()))).string();
    std::filesystem::create_directories(dir);
    return dir;
}

// The back buffer into `shot`, also written to `path`; false (reported) when it cannot be read.
inline bool grabShot(Pixmap& shot, const std::string& path) {
    if (!GrabScreen(shot)) {
        std::printf("FAIL: the back buffer could not be read\n");
        return false;
    }
    SavePixmapPNG(shot, path);
    return true;
}

// Closes the headless display and opens an offscreen GL one of w x h. Returns 0 when it is
// open, 77 (skipped; the scratch folder is removed) when no such display can be had here.
inline int openOffscreenGl(int w, int h, const std::string& scratchDir) {
    CloseGraphics();
    if (!std::getenv("SDL_VIDEODRIVER")) setenv("SDL_VIDEODRIVER", "offscreen", 1);
    InitPlatform(false);
    if (!Graphics(w, h, 0)) {
        std::printf("SKIP: no OpenGL context could be created here\n");
        std::filesystem::remove_all(scratchDir);
        return 77;
    }
    ResetGraphicsState();
    if (GraphicsWidth() != w || GraphicsHeight() != h) {
        std::printf("SKIP: the display is %dx%d, not %dx%d\n", GraphicsWidth(), GraphicsHeight(), w, h);
        std::filesystem::remove_all(scratchDir);
        return 77;
    }
    return 0;
}

// A real GL display over the built asset tree, which must hold `needed` (a path in it), and
// the fake clock `now`. 0 when open, else 77 (skipped) once the reason is printed.
inline int openAssetTree(const char* argv0, const std::string& needed, int32_t& now) {
    const std::string assets = findAssets(argv0);
    if (assets.empty() || !std::filesystem::exists(std::filesystem::path(assets) / needed)) {
        std::printf("SKIP: no built asset tree at '%s'\n", assets.c_str());
        return 77;
    }
    if (!std::getenv("SDL_VIDEODRIVER")) setenv("SDL_VIDEODRIVER", "offscreen", 1);
    const std::string tree = assets + "/";
    if (!glshot::open(tree.c_str())) {
        std::printf("SKIP: no OpenGL context could be created here\n");
        return 77;
    }
    SetClockSource([&now] { return now; });
    return 0;
}

// The shipped 25 x 25 level on the play screen at stage `stage`, level `levelNr`, with real
// GL over the built asset tree and the fake clock `now`. 0 when ready, else the exit code
// (77 skipped, 1 failed) once the reason is printed.
inline int openHardBoard(const char* argv0, int32_t& now, int stage, int levelNr,
                         std::shared_ptr<TLevel>& level) {
    if (int code = openAssetTree(argv0, "data/levels/hard/021.lvl", now)) return code;
    level = glshot::playLevel("data/levels/hard/021.lvl", stage, levelNr);
    if (!level) {
        std::printf("FAIL: the level could not be read\n");
        return 1;
    }
    return 0;
}

}  // namespace golden
