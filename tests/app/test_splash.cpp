// The partner splash screens: which pictures are shown and in what order, how long each
// stands, a click that cuts one short, and a language without pictures.
#include "app/app_fixture.h"
#include "app/splash/branding.h"

namespace {

class Splash : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        InitPlatform(true);  // the clock that follows the flips
        resetBranding();
        bDir = dir.string() + "/";
        lang = "en";
    }
    void TearDown() override {
        resetBranding();
        AppTest::TearDown();
    }
    // A picture whose width tells it apart (PNG content decodes under the .jpg name).
    void picture(int n, int width) {
        writePng("gfx/branding/en/partnerscreen-" + std::to_string(n) + ".jpg", width, 8, 0xFF204060u);
    }
    // Runs the whole splash with the script's input.
    void runAndWatch(std::vector<ScriptCommand> cmds = {}) {
        script(std::move(cmds), 5000);
        branding.setup();
        branding.mainLoop();
    }
};

TEST_F(Splash, OnlyExistingDecodablePicturesInNumberOrder) {
    picture(5, 50);
    picture(2, 20);
    write("gfx/branding/en/partnerscreen-3.jpg", "not a picture");
    write("gfx/branding/de/partnerscreen-1.jpg", "another language");
    picture(11, 110);  // beyond the ten numbers
    branding.setup();
    ASSERT_EQ(branding.imgList.size(), 2u);
    EXPECT_EQ(ImageWidth(branding.imgList[0]), 20);
    EXPECT_EQ(ImageWidth(branding.imgList[1]), 50);
}

TEST_F(Splash, EachPictureFadesInStandsAndFadesOutToBlack) {
    picture(1, 10);
    picture(2, 20);
    script({}, 5000);
    branding.setup();
    ASSERT_EQ(branding.prepare(), 0);
    // Frame by frame: which picture is up and the black cover over it.
    std::vector<int> widthPerFrame;
    int frames = 0;
    for (; frames < 1000; ++frames) {
        Cls();
        branding.update();
        branding.draw();
        Flip();
        widthPerFrame.push_back(ImageWidth(branding.aktImg));
        if (branding.fade == 1 && branding.dFade == 1 && !branding.aktImg) break;
    }
    // First picture: 1500 ms (90 frames, fade-in included) then a 20-frame fade-out.
    int firstEnds = 0;
    while (firstEnds < int(widthPerFrame.size()) && widthPerFrame[size_t(firstEnds)] == 10) ++firstEnds;
    EXPECT_GE(firstEnds, 105);
    EXPECT_LE(firstEnds, 115);
    // The second stands as long, and the loop ends on a black frame with nothing left.
    EXPECT_GE(frames - firstEnds, 105);
    EXPECT_LE(frames - firstEnds, 115);
    EXPECT_EQ(branding.fade, 1);
    EXPECT_FALSE(branding.aktImg);
}

TEST_F(Splash, AClickDuringTheFadeInCutsThePictureShort) {
    // The click turns the fade round where it stands (a quarter in after 5 frames), so
    // the picture is gone about 5 frames later; the next one then stands its full time.
    struct Case {
        const char* what;
        int pictures;
        std::vector<ScriptCommand> cmds;
        int minFrames, maxFrames;
    } cases[] = {
        {"one, no click", 1, {}, 105, 115},
        {"one, click at frame 5", 1, {{5, "click", {"left"}, 1}}, 8, 14},
        {"two, click at frame 5", 2, {{5, "click", {"left"}, 1}}, 8 + 105, 14 + 115},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetHarness();
        resetBranding();
        std::filesystem::remove_all(dir / "gfx");
        for (int n = 1; n <= c.pictures; ++n) picture(n, 10 * n);
        runAndWatch(c.cmds);
        EXPECT_GE(HarnessFrameNumber(), c.minFrames);
        EXPECT_LE(HarnessFrameNumber(), c.maxFrames);
        EXPECT_FALSE(branding.aktImg);
    }
}

TEST_F(Splash, NoPicturesShowNothing) {
    write("gfx/branding/en/readme.txt", "partner pictures go here");
    runAndWatch();
    EXPECT_EQ(HarnessFrameNumber(), 0);
    EXPECT_EQ(branding.prepare(), 1);
}

}  // namespace
