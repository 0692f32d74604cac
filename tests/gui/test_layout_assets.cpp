// Every layout of the default asset tree reads without a single message: no entry out of
// step, no unknown button type, no font named before its declaration, no broken scheme.
// Images and fonts are made by the build, so here fonts come from a stand-in and missing
// images only leave their buttons empty.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fixtures/widget_env.h"

namespace {

namespace fs = std::filesystem;
using widgettest::WidgetEnv;

class AssetLayouts : public WidgetEnv {};

TEST_F(AssetLayouts, ReadWithoutMessages) {
    const fs::path tree = fs::path(ZERKON_SOURCE_DIR) / "assets" / "tree";
    if (!fs::exists(tree / "gfx")) GTEST_SKIP() << "no asset tree";
    bDir = tree.string() + "/";
    lang = "en";
    SetFontCacheLoader([this](const std::string&, int, int) { return fixed; });
    int layouts = 0;
    for (const auto& e : fs::recursive_directory_iterator(tree / "gfx")) {
        if (!e.is_regular_file() || e.path().extension() != ".gui") continue;
        if (e.path().parent_path().filename() != lang) continue;
        // The path a screen passes: the language folder is the loader's to insert.
        const fs::path asked = e.path().parent_path().parent_path() / e.path().filename();
        SCOPED_TRACE(asked.string());
        messages.clear();
        auto gui = loadGui(asked.string());
        EXPECT_FALSE(gui->_listaObiektow.empty());
        EXPECT_TRUE(messages.empty()) << messages.front();
        ++layouts;
    }
    EXPECT_GT(layouts, 0);
}

}  // namespace
