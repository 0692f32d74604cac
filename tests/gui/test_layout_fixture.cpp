// The fixture layout with every widget kind: it loads without a message, each block makes
// the widget it declares, and a frame with every button normal and then hovered draws.
// With ZERKON_GL_SHOT=<folder> set (and SDL_VIDEODRIVER=offscreen) the same frames are
// also drawn with real OpenGL and saved as PNG pictures for a person to look at.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fixtures/widget_env.h"
#include "gui/widgets/anim.h"
#include "gui/widgets/button.h"
#include "gui/widgets/text.h"
#include "gui/widgets/theme.h"

namespace {

using widgettest::WidgetEnv;

// A rounded-looking plate: a border, a vertical shade and a lighter top band.
Pixmap plate(int w, int h, uint32_t base) {
    Pixmap pm;
    pm.width = w;
    pm.height = h;
    pm.pixels.resize(size_t(w) * size_t(h));
    const int r0 = int((base >> 16) & 255), g0 = int((base >> 8) & 255), b0 = int(base & 255);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool edge = x < 2 || y < 2 || x >= w - 2 || y >= h - 2;
            const float shade = 1.15f - 0.4f * float(y) / float(h);
            auto ch = [&](int c) { return std::min(255, int(float(c) * (edge ? 0.45f : shade))); };
            pm.pixels[size_t(y) * size_t(w) + size_t(x)] =
                0xFF000000u | uint32_t(ch(r0)) << 16 | uint32_t(ch(g0)) << 8 | uint32_t(ch(b0));
        }
    return pm;
}

// Cells side by side, each a plate of its own colour.
Pixmap strip(int cellW, int h, const std::vector<uint32_t>& colours) {
    Pixmap out;
    out.width = cellW * int(colours.size());
    out.height = h;
    out.pixels.resize(size_t(out.width) * size_t(h));
    for (size_t i = 0; i < colours.size(); ++i) {
        const Pixmap cell = plate(cellW, h, colours[i]);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < cellW; ++x)
                out.pixels[size_t(y) * size_t(out.width) + i * size_t(cellW) + size_t(x)] =
                    cell.at(x, y);
    }
    return out;
}

class FixtureLayout : public WidgetEnv {
protected:
    void SetUp() override {
        WidgetEnv::SetUp();
        save("gfx/button.png", plate(120, 50, 0xFF8A5A2B));
        save("gfx/anim.png", strip(120, 50, {0xFF2B5A8A, 0xFF3B6A9A, 0xFFC89B3C, 0xFFD8AB4C, 0xFF3C8A4C}));
        save("gfx/steps.png", strip(120, 50, {0xFF7A4A1B, 0xFFB07A3B, 0xFF5A3A10, 0xFF707070}));
        save("gfx/flag.png", strip(40, 60, {0xFFB03030, 0xFFC04040, 0xFFD05050, 0xFFC04040,
                                            0xFF30B030, 0xFF40C040}));
        save("gfx/#LANG#/extra.png", plate(10, 10, 0xFFFFFFFF));
        writeFile("txt/en/labels.txt", "first\nA text taken from a language file\n");
    }
    void save(const std::string& rel, const Pixmap& pm) {
        std::filesystem::create_directories((dir / rel).parent_path());
        ASSERT_TRUE(SavePixmapPNG(pm, (dir / rel).string()));
    }
};

TEST_F(FixtureLayout, EveryKindLoadsAndDraws) {
    auto gui = loadGui(widgettest::fixtureLayout("all_widgets.gui"));
    EXPECT_TRUE(messages.empty()) << messages.front();
    ASSERT_EQ(gui->_listaObiektow.size(), 18u);
    EXPECT_EQ(gui->_fonts.size(), 1u);
    // A THEME path is read as written (not below the asset folder): here it names no file,
    // which gives an empty theme, still registered.
    ASSERT_EQ(gui->_themes.size(), 1u);
    EXPECT_EQ(gui->_themes[0]->id, "SKIN");

    const std::pair<const char*, int> buttons[] = {
        {"simple", 0}, {"anim", 1},     {"blend", 2},     {"fstep", 3},     {"fstepBlend", 6},
        {"zerkon", 7}, {"text", 4},     {"wave", 5},      {"glow", 8},      {"grow", 9},
        {"hidden4", 10}, {"lightOnly", 11}, {"yellow", 12}, {"hidden7", 13}, {"light", 14},
    };
    for (const auto& [name, typ] : buttons) {
        auto b = gui->getItemAs<TButton>(name);
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->_typ, typ) << name;
        EXPECT_LT(b->dim->x1, b->dim->x2) << name;
    }
    EXPECT_EQ(gui->getItemAs<TText>("fromFile")->_txt, "A text taken from a language file");
    EXPECT_EQ(gui->getItemAs<TQGMAnimation>("flag")->allFrames, 6);
    EXPECT_NE(gui->getItemAs<TButton>("hidden7")->_addImg, nullptr);

    ClearRecordedDraws();
    gui->update();
    gui->draw();
    const size_t normalDraws = RecordedDraws().size();
    EXPECT_GT(normalDraws, 20u);

    // Each button under the pointer in turn is the hovered name.
    for (auto& w : gui->_listaObiektow) {
        if (!std::dynamic_pointer_cast<TButton>(w)) continue;
        pointer(int(w->dim->x), int(w->dim->y) - (w->_id == "wave" ? 5 : 0));
        gui->update();
        EXPECT_EQ(gui->_over, w->_id);
    }
    EXPECT_TRUE(messages.empty());
}

// Real pictures: only on request, since the unit tests run without a display.
TEST_F(FixtureLayout, GlPicturesOnRequest) {
    const char* out = std::getenv("ZERKON_GL_SHOT");
    if (!out || !*out) GTEST_SKIP() << "set ZERKON_GL_SHOT=<folder> to take the pictures";
    SetFontCacheLoader(nullptr);
    const char* ttf = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    if (!std::filesystem::exists(ttf)) GTEST_SKIP() << "no DejaVu font";
    std::filesystem::copy_file(ttf, dir / "fonts/main.ttf",
                               std::filesystem::copy_options::overwrite_existing);

    if (!switchToGl()) GTEST_SKIP() << "no GL context here";
    auto gui = loadGui(widgettest::fixtureLayout("all_widgets.gui"));
    auto shot = [&](const std::string& file) {
        savePicture(out, file, 24, 52, 84, [&] { gui->draw(); });
    };
    pointer(2000, 2000);
    for (int i = 0; i < 40; ++i) {
        clock += 100;
        gui->update();
    }
    shot("widgets_normal.png");
    // Every button in its hovered look at once: eased to its hover targets (the clock
    // moving on so that animations run). The power button is part filled, so locked.
    for (auto& w : gui->_listaObiektow) {
        auto b = std::dynamic_pointer_cast<TButton>(w);
        if (!b) continue;
        if (b->_typ == BT_FSTEP_ZERKON) b->stan = 0.6f;
        for (int i = 0; i < 40; ++i) {
            clock += 100;
            b->_over = 1;
            b->updateMe(0, 0);
        }
    }
    shot("widgets_hover.png");

    gui.reset();
    switchToHeadless();
    EXPECT_TRUE(messages.empty()) << messages.front();
}

}  // namespace
