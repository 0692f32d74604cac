// ANIM widgets (bracketed schemes, playing on the clock) and the buttons' animation table.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fixtures/widget_env.h"
#include "gui/widgets/anim.h"

namespace {

using widgettest::WidgetEnv;

class AnimWidget : public WidgetEnv {
protected:
    void SetUp() override {
        WidgetEnv::SetUp();
        writeImage("gfx/strip.png", 60, 10);
    }
    std::shared_ptr<TQGMAnimation> make(const std::string& scheme) {
        return createAnimation("a", "gfx/strip.png", 10.7f, 20.2f, scheme, 1, 1);
    }
    std::shared_ptr<TQGMAnim> named(const TQGMAnimation& a, const std::string& id) {
        for (const auto& x : a.animsList)
            if (x->id == id) return x;
        return nullptr;
    }
    std::vector<int> framesOf(const TQGMAnim& a) {
        return std::vector<int>(a.frame.begin(), a.frame.begin() + a.maxFrames);
    }
    void step(TQGMAnimation& a, int ms) {
        clock += ms;
        a.update(0, 0);
    }
};

TEST_F(AnimWidget, SchemeExample) {
    auto a = make("[NORMAL LOOP 100] 0 1 2 3 [OVER 50] 4 5");
    ASSERT_EQ(a->animsList.size(), 2u);
    auto normal = named(*a, "NORMAL"), over = named(*a, "OVER");
    ASSERT_TRUE(normal && over);
    EXPECT_EQ(framesOf(*normal), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(normal->interwal, 100);
    EXPECT_EQ(normal->loop, 1);
    EXPECT_EQ(framesOf(*over), (std::vector<int>{4, 5}));
    EXPECT_EQ(over->interwal, 50);
    EXPECT_EQ(over->loop, 0);
    EXPECT_EQ(a->allFrames, 6);
    EXPECT_EQ(ImageFrames(a->gfx), 6);
    EXPECT_EQ(ImageWidth(a->gfx), 10);
    EXPECT_EQ(a->aktAnim, normal);
    EXPECT_EQ(a->dim->x, 10);  // truncated
    EXPECT_EQ(a->_class, QGM_anim);
    EXPECT_TRUE(messages.empty());
}

struct HeaderCase {
    const char* name;
    std::string scheme;
    std::string id;
    int interval, loop;
    std::vector<int> frames;
    int allFrames;
};

TEST_F(AnimWidget, HeadersAndFrames) {
    const HeaderCase cases[] = {
        {"lower case words", "[normal loop] 0 1", "NORMAL", 0, 1, {0, 1}, 2},
        {"the last number wins", "[NORMAL 100 200] 0", "NORMAL", 200, 0, {0}, 1},
        {"doubled blank is frame 0 of its own", "[NORMAL] 1  2", "NORMAL", 0, 0, {1, 0, 2}, 3},
        {"texts count as written", "[NORMAL] 1 01 1", "NORMAL", 0, 0, {1, 1, 1}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto a = make(c.scheme);
        ASSERT_EQ(a->animsList.size(), 1u);
        const auto& x = *a->animsList[0];
        EXPECT_EQ(x.id, c.id);
        EXPECT_EQ(x.interwal, c.interval);
        EXPECT_EQ(x.loop, c.loop);
        EXPECT_EQ(framesOf(x), c.frames);
        EXPECT_EQ(a->allFrames, c.allFrames);
    }
}

TEST_F(AnimWidget, SharedFramesCountOnceAndTheLaterNormalStarts) {
    auto a = make("[NORMAL] 0 1 [OVER] 1 2 [NORMAL 30] 2 3");
    EXPECT_EQ(a->allFrames, 4);
    EXPECT_EQ(a->aktAnim, a->animsList[2]);
}

TEST_F(AnimWidget, WithoutLoopItStopsOnTheLastStep) {
    auto a = make("[NORMAL 100] 0 1 2");
    std::vector<int> cells;
    std::vector<int> done;
    for (int i = 0; i < 5; ++i) {
        cells.push_back(a->currentCell());
        done.push_back(a->_wykonano);
        step(*a, 101);
    }
    EXPECT_EQ(cells, (std::vector<int>{0, 1, 2, 2, 2}));
    EXPECT_EQ(done, (std::vector<int>{0, 0, 0, 1, 1}));
}

TEST_F(AnimWidget, WithLoopItStartsAgainAndClearsTheFlag) {
    auto a = make("[NORMAL LOOP 100] 0 1");
    std::vector<int> cells, done;
    for (int i = 0; i < 5; ++i) {
        cells.push_back(a->currentCell());
        done.push_back(a->_wykonano);
        step(*a, 101);
    }
    EXPECT_EQ(cells, (std::vector<int>{0, 1, 0, 1, 0}));
    EXPECT_EQ(done, (std::vector<int>{0, 0, 1, 0, 1}));
}

TEST_F(AnimWidget, StepsOnlyAfterTheIntervalHasPassed) {
    auto a = make("[NORMAL 100] 0 1 2");
    step(*a, 100);  // not greater yet
    EXPECT_EQ(a->_frame, 0);
    step(*a, 1);
    EXPECT_EQ(a->_frame, 1);
    step(*a, 1000);  // late: one step only
    EXPECT_EQ(a->_frame, 2);
}

TEST_F(AnimWidget, DrawsTheCellOfTheStepAtItsCorner) {
    auto a = make("[NORMAL 10] 2 1 0");
    a->_alpha = a->_dAlpha = 0.5f;
    a->_scale = a->_dScale = 2;
    step(*a, 11);
    ClearRecordedDraws();
    a->draw(0, 0);
    const auto d = draws(DrawCall::Image);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].frame, 1);
    EXPECT_EQ(d[0].x, 10);
    EXPECT_EQ(d[0].y, 20);
    EXPECT_EQ(d[0].handleX, 0);
    EXPECT_FLOAT_EQ(d[0].alpha, 0.5f);
    EXPECT_FLOAT_EQ(d[0].scaleX, 2);
}

TEST_F(AnimWidget, FramesOutsideTheStripAreSkipped) {
    auto a = make("[NORMAL] 0 5");  // two distinct texts: two cells
    ClearRecordedDraws();
    a->draw(0, 0);
    EXPECT_EQ(draws(DrawCall::Image).size(), 1u);
    clock += 10;
    a->update(0, 0);
    ClearRecordedDraws();
    a->draw(0, 0);
    EXPECT_TRUE(draws(DrawCall::Image).empty());
}

TEST_F(AnimWidget, BrokenSchemes) {
    struct Case {
        const char* name;
        std::string scheme;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"no NORMAL", "[OVER] 0 1", {"Schemat :[OVER] 0 1 - nie uwzglednil animacji NORMAL!"}},
        {"text before the first bracket", "0 1 [NORMAL] 2",
         {"Nieprawidlowa definicja schematu : 0 1 [NORMAL] 2"}},
        {"empty", "",
         {"Nieprawidlowa definicja schematu : ", "Schemat : - nie uwzglednil animacji NORMAL!"}},
        {"no frames", "[NORMAL]",
         {"Animation strip " + bDir + "gfx/strip.png cannot be cut: its scheme names no frames."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        auto a = make(c.scheme);
        std::vector<std::string> expected;
        for (const auto& m : c.messages) expected.push_back(" >> BLAD! << : " + m);
        EXPECT_EQ(messages, expected);
        step(*a, 1000);
        a->draw(0, 0);  // nothing to show, nothing to crash
    }
    auto none = make("[OVER] 0 1");
    EXPECT_EQ(none->aktAnim, nullptr);
    ClearRecordedDraws();
    none->draw(0, 0);
    EXPECT_TRUE(RecordedDraws().empty());
}

TEST_F(AnimWidget, PlayByName) {
    auto a = make("[NORMAL] 0 [OVER 40] 1");
    messages.clear();
    a->playAnim("over");
    EXPECT_EQ(a->aktAnim->id, "OVER");
    EXPECT_EQ(a->_animTime, clock + 40);
    a->playAnim("nothing");
    a->playAnim("");
    EXPECT_EQ(a->aktAnim->id, "OVER");
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messaged("Animacja ktora chcesz wyswietlic, nie istnieje!"));
}

TEST_F(AnimWidget, ReadFromALayoutBlock) {
    auto gui = layout(
        "ANIM flag { POSITION = \"30 40\" GFX = gfx/strip.png "
        "SCHEMAT = \"[NORMAL LOOP 100] 0 1 2\" VISIBLE = false }");
    auto a = gui->getItemAs<TQGMAnimation>("flag");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->dim->x, 30);
    EXPECT_EQ(a->dim->y, 40);
    EXPECT_EQ(a->_v, 0);
    EXPECT_EQ(a->allFrames, 3);
    // Updated (and so stepping) even while hidden.
    clock += 101;
    gui->update();
    EXPECT_EQ(a->_frame, 1);
}

// ---- the button's table -----------------------------------------------------------------

TEST_F(AnimWidget, TableNamesIndicesAndFrameCount) {
    TAnimData t;
    EXPECT_EQ(t.dodajNazwe("Normal"), 0);
    EXPECT_EQ(t.dodajNazwe("over"), 1);
    EXPECT_EQ(t.dodajNazwe("NORMAL"), 0);
    EXPECT_EQ(t.anims, 2);
    EXPECT_EQ(t.animName[0], "NORMAL");
    EXPECT_EQ(t.getAnimByName("Over"), 1);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(t.getAnimByName("ACTIVE"), 0);
    EXPECT_EQ(messages, std::vector<std::string>{
                            " >> BLAD! << : Podanej nazwy animacji nie ma na liscie animacji "
                            "obiektu! Nazwa :ACTIVE"});
    EXPECT_EQ(t.liczbaKlatek(), 0);
    t.addFrame(0, 3);
    t.addFrame(1, 9);
    t.addFrame(1, 2);
    EXPECT_EQ(t.liczbaKlatek(), 9);
    EXPECT_EQ(t.animFrames, 9);
    EXPECT_FALSE(t.addFrame(10, 1));
    EXPECT_FALSE(t.addFrame(-1, 1));
    for (int i = 0; i < 98; ++i) EXPECT_TRUE(t.addFrame(1, 1));
    EXPECT_FALSE(t.addFrame(1, 1));
    EXPECT_EQ(t.frameCount(1), 100);
    EXPECT_EQ(t.frameAt(1, 100), 0);
}

}  // namespace
