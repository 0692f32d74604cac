// The tile, cover and treasure sets read from the asset tree: record numbering, strip
// cutting, lookups, the draw rules, and bad data that must not stop the game.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/board/tile.h"
#include "game/board/tiledata.h"
#include "game/level/sets.h"
#include "gui/globals.h"
#include "platform/graphics.h"
#include "platform/system.h"

namespace {

class SetsTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitPlatform(true);
        ASSERT_TRUE(Graphics(1024, 768));
        ResetGraphicsState();
        resetTileSets();
        notices.clear();
        SetNotifyHandler([this](const std::string& s) { notices.push_back(s); });
        dir = std::filesystem::temp_directory_path() /
              ("zerkon_sets_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir / "data");
        std::filesystem::create_directories(dir / "gfx/tiles");
        bDir = dir.string() + "/";
        for (int p : {50, 36, 30, 24, 20})
            png("gfx/tiles/over-size-" + std::to_string(p) + ".png", p, p);
        png("gfx/cell.png", 50, 50);
        png("gfx/strip4.png", 202, 40);
        png("gfx/strip10.png", 500, 50);
        png("gfx/strip3.png", 90, 30);
    }
    void TearDown() override {
        SetNotifyHandler(nullptr);
        resetTileSets();
        resetGuiGlobals();
        ResetGraphicsState();
        std::filesystem::remove_all(dir);
    }

    void png(const std::string& rel, int w, int h) {
        Pixmap pm;
        pm.width = w;
        pm.height = h;
        pm.pixels.assign(size_t(w) * size_t(h), 0xFF336699u);
        ASSERT_TRUE(SavePixmapPNG(pm, (dir / rel).string()));
    }
    void write(const std::string& rel, const std::string& text) {
        std::ofstream(dir / rel, std::ios::binary) << text;
    }
    // A record with the same image in all five size slots.
    static std::string five(const std::string& key, const std::string& img) {
        std::string out;
        for (int s = 0; s < 5; ++s) out += "\t\t" + key + std::to_string(s) + " = \"" + img + "\"\n";
        return out;
    }
    static std::string tileRecord(int k, int id, int frames, const std::string& img) {
        return "\ttile" + std::to_string(k) + " {\n\t\tid = " + std::to_string(id) +
               "\n\t\tframes = " + std::to_string(frames) + "\n\t\tframesBroken = " +
               std::to_string(frames) + "\n" + five("img", img) + five("imgB", img) + "\t}\n";
    }

    std::vector<std::string> notices;
    std::filesystem::path dir;
};

TEST_F(SetsTest, RecordsAreNumberedAsEachFileCountsThem) {
    // tiles counts from 0 to i, covers and treasures from 1 to i.
    write("data/tiles.dat", "tiles {\n\ti = 3\n" + tileRecord(0, 0, 1, "gfx/cell.png") +
                                tileRecord(1, 1, 1, "gfx/cell.png") + tileRecord(2, 5, 1, "gfx/cell.png") +
                                tileRecord(3, 6, 1, "gfx/cell.png") + "}\n");
    std::string hide = "tilesHide {\n\ti = 2\n";
    std::string tres = "tresures {\n\ti = 3\n";
    for (int k = 1; k <= 3; ++k) {
        if (k <= 2)
            hide += "\tth" + std::to_string(k) + " {\n\t\tid = " + std::to_string(k) +
                    "\n\t\tFrames = 10\n" + five("Img", "gfx/strip10.png") + "\t}\n";
        tres += "\tt" + std::to_string(k) + " {\n\t\tid = " + std::to_string(k) +
                "\n\t\tframes = 3\n" + five("normal", "gfx/cell.png") + five("img", "gfx/strip3.png") +
                "\t}\n";
    }
    write("data/tilesHide.dat", hide + "}\n");
    write("data/tresures.dat", tres + "}\n");
    loadTiles();
    loadTresures();
    ASSERT_EQ(tilesList.size(), 4u);
    EXPECT_EQ(tilesList[2]->id, 5);
    EXPECT_EQ(tilesList[3]->id, 6);
    ASSERT_EQ(tilesHideList.size(), 2u);
    EXPECT_EQ(tilesHideList[1]->hideFrames, 10.0f);
    EXPECT_EQ(ImageFrames(tilesHideList[1]->hideImg[4]), 10);
    EXPECT_EQ(ImageWidth(tilesHideList[1]->hideImg[4]), 50);
    ASSERT_EQ(tresuresList.size(), 3u);
    EXPECT_EQ(tresuresList[2]->frames, 3);
    EXPECT_EQ(ImageWidth(tresuresList[2]->img[0]), 30);
    EXPECT_EQ(ImageWidth(tresuresList[2]->normalImg[0]), 50);
    EXPECT_EQ(getTileDataById(6), tilesList[3]);
    EXPECT_EQ(GetTileDataHideById(2), tilesHideList[1]);
    EXPECT_EQ(getTresureById(3), tresuresList[2]);
    EXPECT_FALSE(getTileDataById(4));
    EXPECT_FALSE(getTresureById(0));
    EXPECT_TRUE(notices.empty()) << notices.front();
}

TEST_F(SetsTest, CountZeroGivesOneTileRecordAndNoOthers) {
    write("data/tiles.dat", "tiles {\n\ti = 0\n" + tileRecord(0, 0, 1, "gfx/cell.png") + "}\n");
    write("data/tilesHide.dat", "tilesHide {\n\ti = 0\n}\n");
    write("data/tresures.dat", "tresures {\n\ti = 0\n}\n");
    loadTiles();
    loadTresures();
    EXPECT_EQ(tilesList.size(), 1u);
    EXPECT_TRUE(tilesHideList.empty());
    EXPECT_TRUE(tresuresList.empty());
}

TEST_F(SetsTest, StripsAreCutIntoEqualCentredCells) {
    // 202 pixels in 4 cells: 50-pixel cells (the remainder dropped), handle at the centre.
    write("data/tiles.dat", "TILES {\n\tI = 1\n" + tileRecord(0, 0, 1, "gfx/cell.png") +
                                "\tTILE1 {\n\t\tID = 1\n\t\tFRAMES = 4\n\t\tFRAMESBROKEN = 4\n" +
                                five("IMG", "gfx/strip4.png") + five("IMGB", "gfx/strip4.png") +
                                "\t}\n}\n");
    loadTiles();
    ASSERT_EQ(tilesList.size(), 2u);
    const auto& rec = *tilesList[1];
    EXPECT_EQ(rec.frames, 4);
    EXPECT_EQ(rec.brokeFrames, 4);
    for (int s = 0; s < 5; ++s) {
        EXPECT_EQ(ImageWidth(rec.gfx[size_t(s)]), 50);
        EXPECT_EQ(ImageHeight(rec.gfx[size_t(s)]), 40);
        EXPECT_EQ(ImageFrames(rec.gfx[size_t(s)]), 4);
        EXPECT_EQ(ImageFrames(rec.broke[size_t(s)]), 4);
        float hx = 0, hy = 0;
        GetImageHandle(rec.gfx[size_t(s)], hx, hy);
        EXPECT_EQ(hx, 25.0f);
        EXPECT_EQ(hy, 20.0f);
    }
    // Single images of a one-frame record are centred too.
    float hx = 0, hy = 0;
    GetImageHandle(tilesList[0]->gfx[0], hx, hy);
    EXPECT_EQ(hx, 25.0f);
}

TEST_F(SetsTest, TresureStripsAreCutByTheFrameCountAsWritten) {
    // A fractional count still divides the width exactly as written: 90 / 2.5 = 36 px.
    write("data/tresures.dat", "tresures {\n\ti = 1\n\tt1 {\n\t\tid = 1\n\t\tframes = 2.5\n" +
                                   five("normal", "gfx/cell.png") + five("img", "gfx/strip3.png") +
                                   "\t}\n}\n");
    loadTresures();
    ASSERT_EQ(tresuresList.size(), 1u);
    EXPECT_EQ(tresuresList[0]->frames, 2);
    EXPECT_EQ(ImageWidth(tresuresList[0]->img[0]), 36);
    EXPECT_EQ(ImageFrames(tresuresList[0]->img[0]), 2);
}

TEST_F(SetsTest, FirstRecordOfAnIdWins) {
    write("data/tiles.dat", "tiles {\n\ti = 2\n" + tileRecord(0, 0, 1, "gfx/cell.png") +
                                tileRecord(1, 1, 1, "gfx/cell.png") + tileRecord(2, 1, 4, "gfx/strip4.png") +
                                "}\n");
    loadTiles();
    ASSERT_EQ(tilesList.size(), 3u);
    EXPECT_EQ(getTileDataById(1), tilesList[1]);
    EXPECT_EQ(getTileDataById(1)->frames, 1);
}

TEST_F(SetsTest, BadFrameCountsAndMissingImagesAreReportedNotFatal) {
    // frames 0 and a missing frame count read as 1; a missing image leaves its slot empty.
    write("data/tiles.dat", "tiles {\n\ti = 1\n" + tileRecord(0, 0, 0, "gfx/cell.png") +
                                tileRecord(1, 1, 1, "gfx/nothing.png") + "}\n");
    write("data/tilesHide.dat", "tilesHide {\n\ti = 1\n\tth1 {\n\t\tid = 1\n" +
                                    five("Img", "gfx/strip10.png") + "\t}\n}\n");
    write("data/tresures.dat", "tresures {\n\ti = 1\n\tt1 {\n\t\tid = 1\n\t\tframes = -2\n" +
                                   five("normal", "gfx/cell.png") + five("img", "gfx/strip3.png") +
                                   "\t}\n}\n");
    loadTiles();
    loadTresures();
    ASSERT_EQ(tilesList.size(), 2u);
    EXPECT_EQ(tilesList[0]->frames, 1);
    EXPECT_TRUE(tilesList[0]->gfx[0]);
    EXPECT_FALSE(tilesList[1]->gfx[0]);
    ASSERT_EQ(tilesHideList.size(), 1u);
    EXPECT_EQ(tilesHideList[0]->hideFrames, 1.0f);
    EXPECT_EQ(ImageWidth(tilesHideList[0]->hideImg[0]), 500);
    ASSERT_EQ(tresuresList.size(), 1u);
    EXPECT_EQ(tresuresList[0]->frames, 1);
    bool frames = false, missing = false;
    for (const auto& n : notices) {
        frames = frames || (n.find("data/tiles.dat") != std::string::npos &&
                            n.find("tiles::tile0::frames") != std::string::npos);
        missing = missing || n.find("gfx/nothing.png") != std::string::npos;
    }
    EXPECT_TRUE(frames);
    EXPECT_TRUE(missing);
    // Drawing an empty slot is harmless.
    ClearRecordedDraws();
    tilesList[1]->draw(10, 10, 0, 0);
}

TEST_F(SetsTest, MissingFilesGiveEmptyListsAndStillAnEmptyCellRecord) {
    loadTiles();
    loadTresures();
    EXPECT_TRUE(tilesHideList.empty());
    EXPECT_TRUE(tresuresList.empty());
    // "i" reads 0: record 0 is still built, from empty values, with a safe frame count.
    ASSERT_EQ(tilesList.size(), 1u);
    EXPECT_EQ(tilesList[0]->frames, 1);
}

TEST_F(SetsTest, DrawRulesPickTheirFrames) {
    write("data/tiles.dat", "tiles {\n\ti = 1\n" + tileRecord(0, 0, 4, "gfx/strip4.png") +
                                tileRecord(1, 1, 4, "gfx/strip4.png") + "}\n");
    write("data/tresures.dat", "tresures {\n\ti = 1\n\tt1 {\n\t\tid = 1\n\t\tframes = 3\n" +
                                   five("normal", "gfx/cell.png") + five("img", "gfx/strip3.png") +
                                   "\t}\n}\n");
    loadTiles();
    loadTresures();
    struct Case {
        const char* what;
        int expectedFrame;
    } cases[] = {{"picture", 2}, {"empty broken", 3}, {"picture broken", 0}, {"treasure", 2}};
    ClearRecordedDraws();
    tilesList[1]->draw(100, 120, 2, 2);
    tilesList[0]->drawBroke(100, 120, 2, 3);
    tilesList[1]->drawBroke(100, 120, 2, 3);
    tresuresList[0]->draw(100, 120, 2, 2.9f);
    const auto& draws = RecordedDraws();
    ASSERT_EQ(draws.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(cases[i].what);
        EXPECT_EQ(draws[i].frame, cases[i].expectedFrame);
        EXPECT_EQ(draws[i].x, 100.0f);
        EXPECT_EQ(draws[i].y, 120.0f);
    }
}

TEST_F(SetsTest, HoverFramesFillAllFiveClasses) {
    const int px[] = {50, 36, 30, 24, 20};
    loadTilesOver();
    for (int s = 0; s < 5; ++s) {
        EXPECT_EQ(ImageWidth(TTile::overImg[size_t(s)]), px[s]);
        EXPECT_EQ(tileSizePixels(s), px[s]);
    }
}

}  // namespace
