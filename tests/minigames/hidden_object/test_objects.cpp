// An object's hit box, its pick animation under the fake clock and delta, its sparkles and
// tick mark; the level's completion and group counts; the lights' pulse.
#include "tests/minigames/hidden_object/ho_fixture.h"

namespace {

std::shared_ptr<THObject> object(int id, float x, float y, const TImage& img) {
    auto o = std::make_shared<THObject>();
    o->id = id;
    o->imgUkryty = img;
    o->ukrytyDim = createSimpleDim(int(x), int(y));
    o->zebranyDim = createSimpleDim(int(x), int(y));
    o->ZebranykopiaDim = createSimpleDim(int(x), int(y));
    o->doZebraniaDim = createSimpleDim(500, 700);
    return o;
}

TImage picture(int w, int h) {
    Pixmap pm;
    pm.width = w;
    pm.height = h;
    pm.pixels.assign(size_t(w * h), 0xFFFFFFFFu);
    return CreateImageFromPixmap(pm);
}

}  // namespace

TEST_F(HOTest, HitBoxIsOnePixelLargerAndOnlyForHiddenObjects) {
    auto o = object(1, 100, 50, picture(5, 5));
    struct Case {
        int x, y;
        const char* state;
        int hit;
    } cases[] = {
        {98, 48, "", 1},   {103, 53, "", 1},   {104, 50, "", 0}, {97, 50, "", 0},
        {100, 54, "", 0},  {100, 50, "PICK", 0}, {100, 50, "DONE", 0}, {100, 50, "PICK-2", 0},
    };
    for (const auto& c : cases) {
        o->state = c.state;
        mouseAt(c.x, c.y);
        EXPECT_EQ(o->update(), c.hit) << c.x << "," << c.y << " " << c.state;
    }
}

TEST_F(HOTest, PickPulsesFortyFramesThenFliesAHundredIntoTheSlot) {
    auto o = object(7, 200, 300, picture(10, 10));
    level = std::make_shared<THOLevel>();
    level->objects.push_back(o);
    hoView().kolejnosc = "1 ";
    o->pick();
    EXPECT_EQ(hoView().kolejnosc, "1 7 ");
    int frames = 0;
    float peak = 0;
    while (o->state == "PICK" && frames < 1000) {
        frame();
        peak = std::max(peak, o->zS);
        ++frames;
    }
    EXPECT_NEAR(frames, 40, 1);  // float steps may need one more
    EXPECT_NEAR(peak, 1.3f, 0.01f);
    // About 14 sparkles in the pulse: at most one per 50 ms of a 16 ms frame.
    EXPECT_GE(particlesList.size(), 10u);
    EXPECT_LE(particlesList.size(), 15u);
    frames = 0;
    bool rose = false;
    while (o->state == "PICK-2" && frames < 1000) {
        frame();
        if (o->zebranyDim->y < 300 - 1) rose = true;
        ++frames;
    }
    EXPECT_NEAR(frames, 100, 1);
    EXPECT_FALSE(rose);  // at y 300 the control point is level with the start
    EXPECT_EQ(o->state, "DONE");
    EXPECT_FLOAT_EQ(o->da, 0);
    EXPECT_FLOAT_EQ(o->zebranyDim->x, 500);
    EXPECT_FLOAT_EQ(o->zebranyDim->y, 700);
    EXPECT_EQ(level->completed(), 1);

    // One pixel lower, the copy rises first.
    auto low = object(8, 200, 301, picture(10, 10));
    low->state = "PICK-2";
    float top = 301;
    for (int i = 0; i < 100; ++i) {
        low->update();
        top = std::min(top, low->zebranyDim->y);
    }
    EXPECT_LT(top, 260);  // the curve's highest point, 50 px above the start
}

TEST_F(HOTest, LargeDeltaEndsAPhaseInOneFrame) {
    auto o = object(1, 100, 100, picture(4, 4));
    o->pick();
    delta = 60;
    o->update();
    EXPECT_EQ(o->state, "PICK-2");
    EXPECT_EQ(o->per, 0);
    delta = 200;
    o->update();
    EXPECT_EQ(o->state, "DONE");
}

TEST_F(HOTest, TickMarkOnlyForObjectsOutsideTheGroup) {
    THObject::pickImg = picture(8, 8);
    auto inGroup = object(1, 100, 100, picture(4, 4));
    auto outside = object(2, 100, 100, picture(4, 4));
    hoView().group = std::make_shared<THOGroup>();
    hoView().group->objects = {inGroup};
    ClearRecordedDraws();
    inGroup->drawPick();
    EXPECT_TRUE(RecordedDraws().empty());
    outside->punktX = 20;
    outside->da = 0.25f;
    outside->drawPick();
    ASSERT_EQ(RecordedDraws().size(), 1u);
    EXPECT_EQ(RecordedDraws()[0].x, 520);
    EXPECT_FLOAT_EQ(RecordedDraws()[0].alpha, 0.75f);
}

TEST_F(HOTest, LevelCountsOnlyDoneObjects) {
    level = std::make_shared<THOLevel>();
    EXPECT_EQ(level->completed(), 1);  // nothing hidden: complete at once
    auto a = object(1, 10, 10, nullptr), b = object(1, 20, 20, nullptr), c = object(3, 30, 30, nullptr);
    level->objects = {a, b, c};
    EXPECT_EQ(level->getObjectById(1), a);  // the first of two with one id
    level->group->objects = {a, nullptr, c};
    for (const char* s : {"PICK", "PICK-2", "PICK-3"}) {
        a->state = s;
        EXPECT_EQ(level->group->getFound(), 0) << s;
    }
    a->state = "DONE";
    c->state = "DONE";
    EXPECT_EQ(level->group->getFound(), 2);
    EXPECT_EQ(level->completed(), 0);
    b->state = "DONE";
    EXPECT_EQ(level->completed(), 1);
}

TEST_F(HOTest, LightFlipsAtOnceThenFollowsItsTargetSlowly) {
    TLevelLight l;
    l.a = l.da = 1;
    l.update();  // time 0: the first update flips the target
    EXPECT_EQ(l.da, 0);
    const int next = l.time;
    EXPECT_GE(next - now, 2500);
    EXPECT_LE(next - now, 5000);
    int frames = 1;
    while (l.a > 0 && frames < 1000) {
        l.update();
        ++frames;
    }
    EXPECT_NEAR(frames, 200, 1);
    l.reset();  // flips now, keeps the timed flip
    EXPECT_EQ(l.da, 1);
    EXPECT_EQ(l.time, next);
    l.update();
    EXPECT_GT(l.a, 0);
}
