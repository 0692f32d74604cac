// The map's clouds and waves on the shipped tree: the effects' own clouds and ten-frame
// waves, drawn over the chart under the panel.
#include <filesystem>

#include "app/frame.h"
#include "effects/chmura.h"
#include "effects/effects.h"
#include "effects/fala.h"
#include "gui/frame/letterbox.h"
#include "map_fixture.h"

using namespace flowtest;

namespace {

class MapAmbienceTest : public MapFlowTest {
protected:
    void SetUp() override {
        MapFlowTest::SetUp();
        resetEffects();
    }
    void TearDown() override {
        resetEffects();
        CloseGraphics();
        MapFlowTest::TearDown();
    }
};

TEST_F(MapAmbienceTest, CloudsAndWavesDriftOverTheChartOfTheBuiltTree) {
    if (std::string why = setupMapOnBuiltTree("gfx/efekty/fale/9.png"); !why.empty()) GTEST_SKIP() << why;
    setupFala();
    for (const auto& im : TFala::img) ASSERT_NE(im, nullptr);
    for (const auto& im : TChmura::img) ASSERT_NE(im, nullptr);
    makeProfile("CASUAL", 1, 1);

    size_t wavesMost = 0;
    int cloudDraws = 0, waveDraws = 0;
    mapa.prepare();
    for (int i = 0; i < 390; ++i) {
        ClearRecordedDraws();
        mapa.update();
        mapa.draw();
        myFlip(1, &mapa);
        wavesMost = std::max(wavesMost, fx::live(listaFal));
        for (const DrawCall& d : RecordedDraws()) {
            cloudDraws += d.what.find("chmura-") != std::string::npos;
            waveDraws += d.what.find("efekty/fale/") != std::string::npos;
        }
    }
    EXPECT_EQ(fx::live(TChmura::listaChmur), 8u);
    EXPECT_GT(cloudDraws, 8 * 300);
    EXPECT_GT(waveDraws, 300);
    EXPECT_EQ(wavesMost, 2u);
    EXPECT_TRUE(notices.empty()) << notices.front();
}

}  // namespace
