// The start-up's decoding worker: whatever it has done or not done, loading gives the same
// pixels, sounds and messages as without it, from the calling thread.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "platform/audio.h"
#include "platform/files.h"
#include "platform/detail/gfx_internal.h"
#include "platform/prefetch.h"
#include "test_graphics_fixture.h"

namespace {

class PrefetchTest : public GraphicsTest {
protected:
    void TearDown() override {
        StopPrefetch();
        GraphicsTest::TearDown();
    }

    // A picture whose every pixel differs, so a mix-up shows.
    static Pixmap pattern(int w, int h, uint32_t seed) {
        Pixmap pm;
        pm.width = w;
        pm.height = h;
        for (int i = 0; i < w * h; ++i) pm.pixels.push_back(0xFF000000u | (uint32_t(i) * 2654435761u + seed) >> 8);
        return pm;
    }

    void writeBytes(const std::string& name, const std::string& bytes) {
        std::ofstream(file(name), std::ios::binary) << bytes;
    }

    static void waitUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 2000 && !done(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_TRUE(done());
    }
};

TEST_F(PrefetchTest, LoadsGiveTheSamePixelsInAnyOrderAndAPathTwiceIsDecodedTwice) {
    std::vector<std::string> paths;
    for (int i = 0; i < 6; ++i) {
        ASSERT_TRUE(SavePixmapPNG(pattern(40 + i, 30, uint32_t(i)), file("p" + std::to_string(i) + ".png")));
        paths.push_back(file("p" + std::to_string(i) + ".png"));
    }
    paths.push_back(file("p2.png"));  // read twice by the loading
    StartPrefetchOf(paths, 64u << 20);
    // Out of the list's order, and the repeated one three times: the third is not listed.
    for (int i : {3, 0, 2, 5, 1, 4, 2, 2}) {
        Pixmap pm;
        bool alpha = false;
        ASSERT_TRUE(LoadPixmap(file("p" + std::to_string(i) + ".png"), pm, &alpha)) << i;
        Pixmap want = pattern(40 + i, 30, uint32_t(i));
        EXPECT_EQ(pm.width, want.width);
        EXPECT_EQ(pm.pixels, want.pixels) << i;
        EXPECT_TRUE(alpha);  // written with an alpha channel
    }
    EXPECT_EQ(PrefetchHeldBytes(), 0u);
}

TEST_F(PrefetchTest, TheWorkerWaitsWithinItsBudgetAndTheCallerDoesWhatItHasNotBegun) {
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(SavePixmapPNG(pattern(64, 64, uint32_t(i)), file("b" + std::to_string(i) + ".png")));
    // One byte of budget: the worker decodes the first picture and then waits.
    StartPrefetchOf({file("b0.png"), file("b1.png"), file("b2.png")}, 1);
    waitUntil([] { return PrefetchHeldBytes() == 64u * 64u * 4u; });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(PrefetchHeldBytes(), 64u * 64u * 4u);
    // The second has not begun: decoded here, and the worker never does it.
    Pixmap pm;
    ASSERT_TRUE(LoadPixmap(file("b1.png"), pm));
    EXPECT_EQ(pm.pixels, pattern(64, 64, 1).pixels);
    // Taking the first frees the budget; the third follows.
    ASSERT_TRUE(LoadPixmap(file("b0.png"), pm));
    EXPECT_EQ(pm.pixels, pattern(64, 64, 0).pixels);
    ASSERT_TRUE(LoadPixmap(file("b2.png"), pm));
    EXPECT_EQ(pm.pixels, pattern(64, 64, 2).pixels);
    EXPECT_EQ(PrefetchHeldBytes(), 0u);
}

TEST_F(PrefetchTest, PixelsLetGoAreDecodedAgainAheadOfTheirFirstDraw) {
    ASSERT_TRUE(SavePixmapPNG(pattern(50, 40, 7), file("again.png")));
    ASSERT_TRUE(SavePixmapPNG(pattern(20, 20, 8), file("kept.png")));
    TImage again = LoadImage(file("again.png"), 0);
    TImage kept = LoadImage(file("kept.png"), 0);
    ASSERT_TRUE(again && kept);
    again->frames.clear();  // let go, as the gl backend does before the first draw
    // Without a worker nothing happens.
    PrefetchImagePixels({again, kept});
    EXPECT_EQ(PrefetchHeldBytes(), 0u);
    StartPrefetchOf({}, 64u << 20);
    PrefetchImagePixels({again, kept, nullptr});
    waitUntil([] { return PrefetchHeldBytes() == 50u * 40u * 4u; });  // only the one let go
    const Pixmap* pm = ImagePixmap(again);
    ASSERT_NE(pm, nullptr);
    EXPECT_EQ(pm->pixels, pattern(50, 40, 7).pixels);
    EXPECT_EQ(PrefetchHeldBytes(), 0u);
}

TEST_F(PrefetchTest, FailuresAreReportedByTheCallerAsWithoutTheWorker) {
    ASSERT_TRUE(SavePixmapPNG(pattern(8, 8, 1), file("good.png")));
    std::ifstream in(file("good.png"), std::ios::binary);
    std::string png((std::istreambuf_iterator<char>(in)), {});
    writeBytes("cut.png", png.substr(0, png.size() / 2));
    writeBytes("noise.ogg", std::string(300, 'x'));
    const std::vector<std::string> names = {"missing.png", "cut.png", "noise.ogg", "missing.ogg"};
    auto loadAll = [&] {
        testing::internal::CaptureStderr();
        for (const std::string& n : names) {
            if (n.ends_with(".ogg")) {
                EXPECT_EQ(LoadSound(file(n)), nullptr) << n;
            } else {
                Pixmap pm;
                EXPECT_FALSE(LoadPixmap(file(n), pm)) << n;
            }
        }
        return testing::internal::GetCapturedStderr();
    };
    const std::string alone = loadAll();
    EXPECT_NE(alone.find("missing.png"), std::string::npos);
    EXPECT_NE(alone.find("Cannot decode image " + file("cut.png")), std::string::npos);
    EXPECT_NE(alone.find("could not decode " + file("noise.ogg")), std::string::npos);

    std::vector<std::string> paths;
    for (const std::string& n : names) paths.push_back(file(n));
    StartPrefetchOf(paths, 64u << 20);
    // Let the worker try them all first: nothing it meets may be said from its thread.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(loadAll(), alone);
}

TEST_F(PrefetchTest, ARecordingListsTheFilesUnderTheRootInTheOrderRead) {
    ASSERT_TRUE(SavePixmapPNG(pattern(4, 4, 1), file("a.png")));
    ASSERT_TRUE(SavePixmapPNG(pattern(4, 4, 2), file("b.png")));
    const std::string record = file("record.lst");
    ::setenv("ZERKON_PRELOAD_RECORD", record.c_str(), 1);
    StartPrefetch(dir.string() + "/", file("none.lst"));
    ::unsetenv("ZERKON_PRELOAD_RECORD");
    Pixmap pm;
    EXPECT_TRUE(LoadPixmap(file("b.png"), pm));
    EXPECT_TRUE(LoadPixmap(file("a.png"), pm));
    EXPECT_FALSE(LoadPixmap("/nonexistent/elsewhere.png", pm));
    EXPECT_EQ(LoadSound(file("missing.ogg")), nullptr);
    StopPrefetch();
    EXPECT_EQ(files::loadText(record).value_or(""), "b.png\na.png\nmissing.ogg\n");
}

TEST_F(PrefetchTest, TheHeadlessBackendStartsNoWorkerFromAList) {
    ASSERT_TRUE(SavePixmapPNG(pattern(4, 4, 1), file("a.png")));
    std::ofstream(file("list.lst")) << "a.png\n";
    StartPrefetch(dir.string() + "/", file("list.lst"));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(PrefetchHeldBytes(), 0u);
}

}  // namespace

// Pictures loaded for later (a screen's, at start-up) do not keep their decoded pixels for
// good: held past a few seconds without a draw they go, and come back from the file.
TEST(HeldPixels, PicturesNotDrawnForSecondsLetThemGoUnlessTheGameReadsThem) {
    auto picture = [](bool read) {
        auto img = std::make_shared<TImageData>();
        img->path = "gfx/held.png";
        img->frames.push_back(Pixmap{64, 64, std::vector<uint32_t>(64 * 64, 0xFF336699u)});
        img->frameCount = 1;
        img->pixelsRead = read;
        return img;
    };
    const size_t before = gfx::heldPixelBytes();
    gfx::letStaleHeldPixelsGo(1000);
    auto early = picture(false), read = picture(true);
    gfx::holdPixels(early);
    gfx::holdPixels(read);
    gfx::letStaleHeldPixelsGo(2000);
    auto late = picture(false);
    gfx::holdPixels(late);
    EXPECT_EQ(gfx::heldPixelBytes(), before + 3 * 64 * 64 * 4);

    gfx::letStaleHeldPixelsGo(3999);  // not yet three seconds for any
    EXPECT_FALSE(early->frames.empty());
    gfx::letStaleHeldPixelsGo(4000);
    EXPECT_TRUE(early->frames.empty());
    EXPECT_FALSE(read->frames.empty());  // the game reads these: they stay
    EXPECT_FALSE(late->frames.empty());
    gfx::letStaleHeldPixelsGo(5000);
    EXPECT_TRUE(late->frames.empty());
    EXPECT_FALSE(read->frames.empty());
    EXPECT_EQ(gfx::heldPixelBytes(), before);  // the read ones are kept off the budget
}
