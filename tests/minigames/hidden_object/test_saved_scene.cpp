// A player's scene in progress is taken up only when it can still be won and reads as the
// writer wrote it; a damaged one is refused with one message, so the scene starts afresh.
#include "gui/data/qcmfile.h"
#include "minigames/hidden_object/ho_playable.h"

#include "tests/minigames/hidden_object/ho_fixture.h"

namespace {

// One found object, one still to find, one in flight; two of them in the group.
std::string savedScene() {
    return "level {\n\tbackground = \"gfx/ho/back.png\"\n\tgui = \"gfx/ho/front.png\"\n\ttime = 120\n"
           "\ttitle = 3\n\tobjects {\n\t\ti = 3\n" +
           hoObject(1, 1, "UkrytyDim = 300, 420", "\t\t\tstate = \"DONE\"\n") +
           hoObject(2, 2, "UkrytyDim = 500, 300", "\t\t\tstate = \"\"\n") +
           hoObject(3, 3, "UkrytyDim = 700, 200", "\t\t\tstate = \"PICK-2\"\n") +
           "\t}\n\tgroup {\n\t\ti = 2\n\t\tobj1 = 1\n\t\tobj2 = 2\n\t\ttextXY = 640, 690\n\t}\n}\n";
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

}  // namespace

TEST_F(HOTest, DamagedSavesAreRefusedWithOneMessageNamingTheCause) {
    const std::string good = savedScene();
    struct Case {
        const char* what;
        std::string text;
        const char* cause;  // in the message; empty: the save is taken up
    };
    const Case cases[] = {
        {"as saved", good, ""},
        {"a found object off the picture", replaced(good, "UkrytyDim = 300, 420", "UkrytyDim = 5000, 420"), ""},
        {"an object still to find off the picture", replaced(good, "UkrytyDim = 500, 300", "UkrytyDim = 5000, 300"),
         "object 2 is hidden off the picture, at 4096, 300"},
        {"above the picture", replaced(good, "UkrytyDim = 500, 300", "UkrytyDim = 500, -40"), "off the picture"},
        {"a hiding place that is not a number", replaced(good, "UkrytyDim = 500, 300", "UkrytyDim = 500, abc"),
         "the hiding place of object record 2 is not two numbers"},
        {"a hiding place of one number", replaced(good, "UkrytyDim = 500, 300", "UkrytyDim = 500"), "not two numbers"},
        {"a slot that is not a number", replaced(good, "doZebraniaDim = 380, 710", "doZebraniaDim = \"left\", 710"),
         "the slot of object record 1 is not two numbers"},
        {"a state no object leaves", replaced(good, "state = \"\"", "state = \"FOUND\""),
         "object 2 has the state \"FOUND\", which it never leaves"},
        {"a found state in lower case", replaced(good, "state = \"DONE\"", "state = \"done\""), "never leaves"},
        {"no picture for an object still to find",
         replaced(good, "id = 2\n\t\t\timgUkryty = \"gfx/ho/key.png\"", "id = 2\n\t\t\timgUkryty = \"gfx/ho/gone.png\""),
         "object 2 has no picture in the scene"},
        {"a count past the records", replaced(good, "\t\ti = 3\n", "\t\ti = 4\n"), "object record 4 is missing"},
        {"a count that is no count", replaced(good, "\t\ti = 3\n", "\t\ti = 2.5\n"), "count of objects is damaged"},
        {"no objects", replaced(good, "\t\ti = 3\n", "\t\ti = 0\n"), "it hides no objects"},
        {"a group count past its entries", replaced(good, "\t\ti = 2\n", "\t\ti = 3\n"),
         "entry 3 of the objects to find is missing"},
        {"cut short", good.substr(0, good.size() / 2), "it is not a readable scene"},
        {"empty", "", "it is not a readable scene"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        write("user/level.lvl", c.text);
        notices.clear();
        auto level = loadSavedHOLevel(path("user/level.lvl"));
        if (*c.cause == '\0') {
            ASSERT_TRUE(level);
            EXPECT_TRUE(level->playable());
            EXPECT_TRUE(notices.empty()) << notices.front();
            continue;
        }
        EXPECT_FALSE(level);
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_NE(notices[0].find("\"" + path("user/level.lvl") + "\""), std::string::npos) << notices[0];
        EXPECT_NE(notices[0].find(c.cause), std::string::npos) << notices[0];
        EXPECT_NE(notices[0].find("starts again from the beginning"), std::string::npos) << notices[0];
    }
}

TEST_F(HOTest, ASceneThePlayerLeftIsTakenUpAndNoSaveIsNothingToTell) {
    // Every state the play leaves in a save, written by the writer itself, reads back.
    write("scene.hol", savedScene());
    level = read("scene.hol");
    level->objects[1]->pick();
    level->time = 500;
    ASSERT_EQ(saveHOLevel(*level, path("user/level.lvl")), 0);
    EXPECT_EQ(hoSaveDamage(*loadQCMFile(path("user/level.lvl"))), "");
    notices.clear();
    auto back = loadSavedHOLevel(path("user/level.lvl"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->objects[1]->state, "PICK");
    EXPECT_EQ(back->time, 500);
    EXPECT_TRUE(notices.empty());
    // A player without a saved scene: no file, no message.
    EXPECT_FALSE(loadSavedHOLevel(path("user/none.lvl")));
    EXPECT_TRUE(notices.empty());
}

TEST_F(HOTest, APlayableSceneCanBeWonFromEveryStateItHolds) {
    // What the rules accept, the objects carry to "DONE" by clicks and frames alone.
    write("scene.hol", savedScene());
    level = read("scene.hol");
    ASSERT_EQ(hoUnplayable(*level), "");
    for (int i = 0; i < 400 && !level->completed(); ++i) {
        for (auto& o : level->objects) {
            mouseAt(int(o->ukrytyDim->x), int(o->ukrytyDim->y));
            if (o->update()) o->pick();
        }
        now += 16;
    }
    EXPECT_EQ(level->completed(), 1);
}
