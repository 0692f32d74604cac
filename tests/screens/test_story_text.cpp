// The timed story text under the fake clock: its fades and growth, the rows it splits, where
// it draws them, pausing, and the blocks read from a story file.
#include <cmath>
#include <filesystem>

#include "story_fixture.h"

namespace storytest {
namespace {

class StoryTextTest : public StoryTest {
protected:
    std::shared_ptr<TStoryText> block(int32_t start, int32_t life, const std::string& text = "Ahoy") {
        auto t = std::make_shared<TStoryText>();
        t->createTextData(text);
        t->startTime = start;
        t->lifeTime = life;
        t->myList = &list;
        list.push_back(t);
        return t;
    }
    TStoryTextList list;
};

TEST_F(StoryTextTest, FadesInAndOutWhileGrowingOverItsLife) {
    const struct {
        int32_t life;
        int32_t at;  // ms after the start
        float a, s;
    } cases[] = {
        {5000, 0, 0, 0.85f},      {5000, 500, 0.5f, 0.865f}, {5000, 1000, 1, 0.88f},
        {5000, 2500, 1, 0.925f},  {5000, 4000, 1, 0.97f},    {5000, 4500, 0.5f, 0.985f},
        {5000, 5000, 0, 1},       // a short life: the fade-out rule wins after 500 ms
        {1500, 250, 0.25f, 0.875f}, {1500, 500, 1, 0.9f},    {1500, 1250, 0.25f, 0.975f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.life) + " ms at " + std::to_string(c.at));
        list.clear();
        auto t = block(now, c.life);
        t->update();  // fixes the end
        now += c.at;
        t->update();
        EXPECT_NEAR(t->a, c.a, 1e-4);
        EXPECT_NEAR(t->s, c.s, 1e-4);
        EXPECT_EQ(list.size(), 1u);
        now -= c.at;
    }
}

TEST_F(StoryTextTest, WaitsUnseenThenLeavesItsListAfterTheEnd) {
    auto t = block(now + 3000, 2000);
    for (int i = 0; i < 5; ++i) {
        now += 500;
        updateStoryTexts(list);
        EXPECT_EQ(t->endTime, 0) << "not started, however long it waits";
    }
    ClearRecordedDraws();
    drawStoryTexts(list, 1);
    EXPECT_TRUE(textDraws("Ahoy").empty());
    now += 500;  // the start
    updateStoryTexts(list);
    EXPECT_EQ(t->endTime, now + 2000);
    now += 2000;
    updateStoryTexts(list);
    EXPECT_EQ(list.size(), 1u) << "still there at its last millisecond";
    now += 1;
    updateStoryTexts(list);
    EXPECT_TRUE(list.empty());
}

TEST_F(StoryTextTest, SplitsRowsAtTheMarker) {
    const struct {
        const char* text;
        std::vector<std::string> rows;
    } cases[] = {
        {"one line", {"one line"}},
        {"Two#ENTER##ENTER#words", {"Two", "", "words"}},
        {"word#ENTER#", {"word"}},
        {"#ENTER#late", {"", "late"}},
        {"", {""}},
    };
    for (const auto& c : cases) {
        TStoryText t;
        t.createTextData(c.text);
        EXPECT_EQ(t.txt, c.rows) << c.text;
    }
}

TEST_F(StoryTextTest, RowsAreSpacedUnscaledAndCentredScaled) {
    auto t = block(now, 5000, "abcd#ENTER#ab#ENTER#abcdef");
    t->x = 512;
    t->y = 400;
    t->update();
    now += 2500;  // scale 0.925
    t->update();
    ClearRecordedDraws();
    t->draw(0.5f);
    const std::vector<std::pair<std::string, float>> rows = {{"abcd", 340}, {"ab", 380}, {"abcdef", 420}};
    for (const auto& [text, top] : rows) {
        auto d = textDraws(text);
        ASSERT_EQ(d.size(), 1u) << text;
        EXPECT_FLOAT_EQ(d[0].y, top);
        const float half = float(int(text.size()) * 10 / 2);
        EXPECT_NEAR(d[0].x, 512 - half * 0.925f, 1e-3);
        EXPECT_NEAR(d[0].scaleX, 0.925f, 1e-5);
        EXPECT_NEAR(d[0].alpha, 0.5f, 1e-5);
    }
}

TEST_F(StoryTextTest, APauseShiftsTheLifeAndResumingUnpausedChangesNothing) {
    auto t = block(now, 5000);
    t->update();
    now += 2500;
    t->update();
    const float a = t->a, s = t->s;
    const int32_t end = t->endTime;
    t->resume();
    EXPECT_EQ(t->endTime, end);
    TStoryText::pauseAll(&list);
    now += 3000;
    TStoryText::resumeAll(&list);
    t->update();
    EXPECT_FLOAT_EQ(t->a, a);
    EXPECT_FLOAT_EQ(t->s, s);
    EXPECT_EQ(t->endTime, end + 3000);
}

TEST_F(StoryTextTest, ANoughtLifeAndAStrayFontNumberAreHarmless) {
    auto t = block(now, 0);
    t->fontN = 7;
    t->update();
    EXPECT_TRUE(std::isfinite(t->s));
    EXPECT_TRUE(std::isfinite(t->a));
    EXPECT_FLOAT_EQ(t->height(), 40) << "slot 0 stands in";
    t->fontN = -1;
    EXPECT_FLOAT_EQ(t->height(), 40);
    t->fontN = 1;
    EXPECT_FLOAT_EQ(t->height(), 50);
    now += 2;
    updateStoryTexts(list);
    EXPECT_TRUE(list.empty());
}

TEST_F(StoryTextTest, AStoryFileGivesBlocksThatCountFromTheStart) {
    write("txt/en/story.txt", "First#ENTER#line\nSecond\n");
    write("data/story.dat", storyFile({{1, 300, 200, 0, 3000, 1}, {2, 700, 500, 2000, 4000, 0},
                                       {9, 10, 10, 0, 1000, 0}}));
    loadStoryTexts("data/story.dat", "story.txt", list);
    ASSERT_EQ(list.size(), 3u);
    auto first = list.front();
    EXPECT_EQ(first->txt, (std::vector<std::string>{"First", "line"}));
    EXPECT_FLOAT_EQ(first->x, 300);
    EXPECT_FLOAT_EQ(first->y, 200);
    EXPECT_EQ(first->fontN, 1);
    EXPECT_EQ(first->myList, &list);
    auto second = *std::next(list.begin());
    EXPECT_EQ(second->txt, (std::vector<std::string>{"Second"}));
    EXPECT_EQ(second->startTime, 2000);
    EXPECT_EQ(second->lifeTime, 4000);
    EXPECT_EQ(list.back()->txt, (std::vector<std::string>{"(BEYOND TEXT ARRAY LENGTH!)"}));
    startStoryTexts(list);
    EXPECT_EQ(second->startTime, now + 2000);

    // A missing file gives no blocks; a reload replaces what was there.
    loadStoryTexts("data/none.dat", "story.txt", list);
    EXPECT_TRUE(list.empty());
}

TEST_F(StoryTextTest, TheSharedResourcesLoadBothFonts) {
    const std::filesystem::path font = std::filesystem::path(ZERKON_BINARY_DIR) / "assets/gfx/fonts/storyFont.ttf";
    if (!std::filesystem::exists(font)) GTEST_SKIP() << "no built asset tree";
    std::filesystem::create_directories(dir / "gfx/fonts");
    std::filesystem::copy_file(font, dir / "gfx/fonts/storyFont.ttf");
    resetStoryResources();
    EXPECT_FALSE(storyResourcesReady());
    setupStoryResources();
    EXPECT_TRUE(storyResourcesReady());
    ASSERT_TRUE(TStoryText::font[0] && TStoryText::font[1]);
    TStoryText t;
    t.createTextData("A");
    const float small = t.height();
    t.fontN = 1;
    EXPECT_GT(t.height(), small) << "slot 1 is the larger size";
}

}  // namespace
}  // namespace storytest
