// The default asset tree, when the build laid it out: every image the board's effects load
// is there and decodes (particle table, stones, rock strips, bonus icons).
#include <filesystem>

#include "effects_fixture.h"
#include "gui/globals.h"

namespace fxtest {
namespace {

class DefaultTreeTest : public EffectsTest {
protected:
    void SetUp() override {
        EffectsTest::SetUp();
        const std::string tree = std::string(ZERKON_BINARY_DIR) + "/assets/";
        if (!std::filesystem::exists(tree + "gfx")) GTEST_SKIP() << "no asset tree in this build";
        bDir = tree;
    }
    void TearDown() override {
        resetGuiGlobals();
        EffectsTest::TearDown();
    }
};

TEST_F(DefaultTreeTest, EveryBoardEffectImageLoads) {
    setupBoardEffects();
    EXPECT_TRUE(notices.empty()) << notices.front();
    ASSERT_EQ(TParticle::img.size(), 22u);
    for (size_t i = 0; i < TParticle::img.size(); ++i) EXPECT_NE(TParticle::img[i], nullptr) << i;
    const int sides[kTileSizeClasses] = {50, 36, 30, 24, 20};
    for (int s = 0; s < kTileSizeClasses; ++s) {
        SCOPED_TRACE(s);
        EXPECT_GT(ImageWidth(TKamien::gfx[size_t(s)]) / 4, 0) << "the dust needs a spread";
        EXPECT_LT(ImageWidth(TKamien::gfx[size_t(s)]), sides[s]);
        EXPECT_EQ(ImageFrames(TKamien::img[size_t(s)]), TKamien::frames);
        EXPECT_EQ(ImageWidth(TKamien::img[size_t(s)]), sides[s]);
    }
    for (int n = 0; n < 5; ++n) EXPECT_NE(TFlyingBonus::img[size_t(n)], nullptr) << n;
}

}  // namespace
}  // namespace fxtest
