// A real picture of the toolkit fixture layout with every widget kind at once, drawn from
// the game's own theme and fonts: with ZERKON_GL_SHOT=<folder> (and SDL_VIDEODRIVER=offscreen)
// it is saved as toolkit.png for a person to look at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "toolkit_env.h"
#include "gui/frame/fontcache.h"
#include "gui/widgets/menubar.h"
#include "gui/widgets/slider.h"
#include "gui/widgets/textentry.h"
#include "gui/widgets/textlist.h"

namespace {

namespace fs = std::filesystem;
using widgettest::ToolkitEnv;

class ToolkitPicture : public ToolkitEnv {};

TEST_F(ToolkitPicture, GlPictureOnRequest) {
    const char* out = std::getenv("ZERKON_GL_SHOT");
    if (!out || !*out) GTEST_SKIP() << "set ZERKON_GL_SHOT=<folder> to take the picture";
    const fs::path tree = fs::path(ZERKON_BINARY_DIR) / "assets";
    if (!fs::exists(tree / "gfx/gui/window/temat.txt")) GTEST_SKIP() << "no built asset tree";
    fs::copy_file(tree / "gfx/gui/window/temat.txt", dir / "theme/temat.txt",
                  fs::copy_options::overwrite_existing);
    bDir = tree.string() + "/";
    SetFontCacheLoader(nullptr);

    if (!switchToGl()) GTEST_SKIP() << "no GL context here";
    auto gui = toolkit();
    auto theme = getTheme("skin", gui.get());
    theme->loadSuwakGFX(*loadQCMFile("theme/temat.txt"));
    auto list = createTextList("log", 600, 120, 300, 200, 247, 222, 113,
                               myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 20), 1, 1);
    for (const char* t : {"Tortuga", "Port Royal", "Nassau", "Havana", "Maracaibo",
                          "Cartagena", "Santiago", "Veracruz", "Campeche", "Portobelo"})
        list->addText(t, t);
    list->suwak = createSuwak("scroll", 930, 140, 160, 10, theme);
    list->clickedOption = list->listaWpisow[2];
    list->overedOption = list->listaWpisow[4];
    list->suwak->ySuwaka = 16;
    list->setRGB(122, 74, 36);  // wood marks under the gold text
    gui->addItem(list);
    auto side = createSuwak("side", 540, 140, 220, 4, theme);
    side->ySuwaka = 60;
    gui->addItem(side);
    gui->getItemAs<TTextEntry>("name")->setTxt("Black Pearl");

    // The game menu open with its sea sub-menu, the pointer on "South sea".
    auto frame = [&](int x, int y, int press) {
        pointer(x, y, press, press);
        for (int i = 0; i < 30; ++i) {
            gui->update();
            mouse.leftPressed = 0;
        }
    };
    frame(20, 10, 1);
    frame(30, 80, 0);
    frame(300, 100, 0);

    savePicture(out, "toolkit.png", 36, 89, 122, [&] { gui->draw(); });

    gui.reset();
    switchToHeadless();
    EXPECT_TRUE(messages.empty()) << messages.front();
}

}  // namespace
