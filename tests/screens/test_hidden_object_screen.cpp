// The hidden-object screen over the shipped scenes: a scene won by clicks, the hint and the
// bad clicks, the menu, a scene left half-found and resumed from the profile, and the
// editor's save read back.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "app/app_globals.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "app/profile/profile_world.h"
#include "effects/pogoda.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/letterbox.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "minigames/hidden_object/ho_level_file.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/hidden_object/hidden_object.h"
#include "screens/play/play_log.h"
#include "support/reset_state.h"

namespace {

class HOScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetPlatformAndToolkit();
        resetPogoda();
        resetHiddenObject();
        tree = std::string(ZERKON_BINARY_DIR) + "/assets/";
        if (!std::filesystem::exists(tree + "data/levels/hiddenObject/dock.hol")) GTEST_SKIP() << "no built tree";
        user = std::filesystem::temp_directory_path() / ("ho_screen_" + std::to_string(getpid()));
        std::filesystem::create_directories(user);
        bDir = tree;
        lang = "en";
        myDocsFolder = user.string();
        SetClockSource([this] { return now; });
        SetNotifyHandler([this](const std::string& m) { notices.push_back(m); });
        ASSERT_TRUE(Graphics(1024, 768, 0, 60));
        SetAspectResolution(1024, 768, 3);
        hoHooks().menu = [this](TEkran&) { return menuAnswer; };
        hoHooks().log = [this](int r) { logs.push_back(r); };
        profile = std::make_shared<TProfile>();
        profile->numerStageu = 1;
        profile->numerLevelu = 5;
        profileManager.profile = profile;
        hiddenObject.setup();
    }
    void TearDown() override {
        profileManager.profile.reset();
        resetHiddenObject();
        SetClockSource(nullptr);
        SetNotifyHandler(nullptr);
        std::error_code ignored;
        std::filesystem::remove_all(user, ignored);
    }
    std::shared_ptr<THOLevel> start(const std::string& scene) {
        auto level = loadHOLevel(tree + "data/levels/hiddenObject/" + scene + ".hol");
        hiddenObject.setLevel(level);
        hiddenObject.prepare();
        return level;
    }
    bool frame() {
        now += 17;
        return hiddenObject.frame();
    }
    bool clickAt(float x, float y) {
        InjectMouseMove(x, y);
        InjectMouseButton(1, true);
        const bool on = frame();
        InjectMouseButton(1, false);
        return frame() && on;
    }
    void untilPlaying() {
        for (int i = 0; i < 200 && hiddenObject.state != "NORMAL"; ++i) frame();
        ASSERT_EQ(hiddenObject.state, "NORMAL");
    }
    int runToEnd(int cap = 2000) {
        for (int i = 0; i < cap; ++i)
            if (!frame()) return i + 1;
        return -1;
    }

    std::string tree;
    std::filesystem::path user;
    int32_t now = 10000;
    std::vector<std::string> notices;
    std::vector<int> logs;
    std::string menuAnswer;
    std::shared_ptr<TProfile> profile;
};

TEST_F(HOScreenTest, SceneIsWonByClickingEveryObject) {
    auto level = start("dock");
    ASSERT_GE(level->objects.size(), 12u);
    for (const auto& o : level->objects) {
        ASSERT_TRUE(o->imgUkryty && o->imgDoZebrania && o->imgSepia) << o->imgUkrytyUrl;
        // Fair places: whole in the scene, clear of the top and bottom panels.
        EXPECT_GT(o->ukrytyDim->y - ImageHeight(o->imgUkryty) / 2, 52) << o->imgUkrytyUrl;
        EXPECT_LT(o->ukrytyDim->y + ImageHeight(o->imgUkryty) / 2, 767 - 96) << o->imgUkrytyUrl;
        EXPECT_GE(ImageWidth(o->imgUkryty), 36);
    }
    untilPlaying();
    clickAt(512, 300);  // open sea: nothing there
    EXPECT_EQ(hiddenObject.badClicks, 1);
    for (const auto& o : level->objects) clickAt(o->ukrytyDim->x, o->ukrytyDim->y);
    EXPECT_EQ(hiddenObject.badClicks, 1);
    EXPECT_EQ(hiddenObject.kolejnosc(), "1 2 3 4 5 6 7 8 9 10 11 12 ");
    EXPECT_GT(runToEnd(), 0);
    EXPECT_EQ(hiddenObject.wynik, "GET-NEXT-LEVEL");
    EXPECT_EQ(level->completed(), 1);
    EXPECT_EQ(level->group->getFound(), int(level->group->objects.size()));
    ASSERT_EQ(profile->levele.size(), 1u);
    EXPECT_EQ(profile->levele[0]->numerLevelu, 5);
    EXPECT_EQ(profile->levele[0]->passed, 1);
    EXPECT_EQ(logs, std::vector<int>{1});
    EXPECT_EQ(fx::live(listaPogody), 0u);
    TPlayLog rec;
    giveHiddenObjectsLog(rec);
    EXPECT_EQ(rec.doOdkrycia, 12);
    EXPECT_EQ(rec.fails, 1);
    EXPECT_GT(rec.time, 0);
}

TEST_F(HOScreenTest, AllFoundIsSaidWhileTheLastFindFliesAndBeforeTheSceneLeaves) {
    auto level = start("wreck");
    untilPlaying();
    const size_t last = level->objects.size() - 1;
    for (size_t i = 0; i < last; ++i) clickAt(level->objects[i]->ukrytyDim->x, level->objects[i]->ukrytyDim->y);
    for (int i = 0; i < 200; ++i) frame();
    EXPECT_FALSE(hiddenObject.allFound);  // one still hidden
    EXPECT_EQ(hiddenObject.allFoundShown(), 0);
    clickAt(level->objects[last]->ukrytyDim->x, level->objects[last]->ukrytyDim->y);
    ASSERT_TRUE(hiddenObject.allFound);
    EXPECT_EQ(hiddenObject.state, "NORMAL");  // the last find is still on its way
    // The plaque is fully in while the last find flies, and stays until the scene has left;
    // the scene still ends as it always did: won once the last find lands, then faded out.
    int shownSince = -1, winAt = -1, frames = 0;
    bool stillShown = true;
    while (frame()) {
        ++frames;
        ASSERT_LT(frames, 1000);
        if (shownSince < 0 && hiddenObject.allFoundShown() == 1) shownSince = now;
        if (winAt < 0 && hiddenObject.state == "WIN") {
            winAt = now;
            EXPECT_EQ(level->completed(), 1);
        }
        if (shownSince >= 0 && hiddenObject.allFoundShown() < 1) stillShown = false;
    }
    ASSERT_GE(shownSince, 0);
    ASSERT_GE(winAt, 0);
    EXPECT_GE(winAt - shownSince, 1000) << "the plaque stands at least a second before the fade-out";
    EXPECT_TRUE(stillShown);
    EXPECT_EQ(hiddenObject.wynik, "GET-NEXT-LEVEL");
    EXPECT_EQ(logs, std::vector<int>{1});

    // A scene won by the developer key with things still hidden says nothing; a new scene
    // starts without the plaque.
    cheats = 1;
    start("dock");
    untilPlaying();
    InjectKey('W', true);
    frame();
    InjectKey('W', false);
    EXPECT_EQ(hiddenObject.state, "WIN");
    EXPECT_FALSE(hiddenObject.allFound);
    cheats = 0;
}

TEST_F(HOScreenTest, HintCirclesAHiddenObjectAndRecharges) {
    auto level = start("wreck");
    // Usable from the first frames, during the fade-in too.
    clickAt(950, 25);
    EXPECT_EQ(hiddenObject.hintsUsed, 1);
    ASSERT_TRUE(hiddenObject.hoHint);
    bool onObject = false;
    for (const auto& o : level->objects)
        if (hiddenObject.hoHint->x2 == int(o->ukrytyDim->x) && hiddenObject.hoHint->y2 == int(o->ukrytyDim->y))
            onObject = true;
    EXPECT_TRUE(onObject);
    untilPlaying();
    const int bad = hiddenObject.badClicks;
    clickAt(950, 25);  // not charged: nothing, but a press on nothing in play
    EXPECT_EQ(hiddenObject.hintsUsed, 1);
    EXPECT_EQ(hiddenObject.badClicks, bad + 1);
    now += 20000;
    for (int i = 0; i < 300 && hiddenObject.hoHint; ++i) frame();
    EXPECT_FALSE(hiddenObject.hoHint);  // 4 s of circling, then released
    clickAt(950, 25);
    EXPECT_EQ(hiddenObject.hintsUsed, 2);
}

TEST_F(HOScreenTest, MenuAnswersLeaveTheScene) {
    struct Case {
        const char* answer;
        const char* place;
        std::vector<int> logs;
    } cases[] = {{"MAIN-MENU", "MAIN-MENU", {-1}}, {"RESTART", "RESTART-LEVEL", {}}, {"MAPA", "MAPA", {-2}}};
    for (const auto& c : cases) {
        logs.clear();
        start("dock");
        untilPlaying();
        menuAnswer = "";
        hiddenObject.goMenu();  // closed with Esc: play goes on
        EXPECT_EQ(hiddenObject.dFade, 0);
        menuAnswer = c.answer;
        hiddenObject.goMenu();
        EXPECT_GT(runToEnd(), 0);
        EXPECT_EQ(hiddenObject.wynik, c.place);
        EXPECT_EQ(logs, c.logs);
    }
}

TEST_F(HOScreenTest, HalfFoundSceneResumesFromTheProfile) {
    installHiddenObject();
    hoHooks().menu = [this](TEkran&) { return menuAnswer; };
    TLevelData entry;
    entry.numer = 5;
    entry.stageN = 1;
    entry.gameType = "HIDDEN-OBJECT";
    entry.url = tree + "data/levels/hiddenObject/dock.hol";
    profile->gameType = "HIDDEN-OBJECT";
    profile->name = "Anne";
    profile->id = profileIdOf("Anne");
    ASSERT_EQ(profile->setProperLevel(entry), 0);
    auto level = std::dynamic_pointer_cast<THOLevel>(profile->actLevel);
    ASSERT_TRUE(level);
    ASSERT_EQ(hiddenObject.level, level);  // shared, never copied
    hiddenObject.prepare();
    untilPlaying();
    for (int i = 0; i < 5; ++i) clickAt(level->objects[size_t(i)]->ukrytyDim->x, level->objects[size_t(i)]->ukrytyDim->y);
    for (int i = 0; i < 200; ++i) frame();  // the flights land
    menuAnswer = "MAIN-MENU";
    hiddenObject.goMenu();
    runToEnd();
    const int time = level->time;
    ASSERT_EQ(profile->save(), 0);

    // A new start: the profile reads its scene in progress back from its folder.
    resetHiddenObject();
    installHiddenObject();
    auto again = std::make_shared<TProfile>();
    again->id = profile->id;
    again->name = "Anne";
    again->gameType = "HIDDEN-OBJECT";
    auto back = profileWorld().loadLevel("HIDDEN-OBJECT", profile->folder() + "/level.lvl", 0);
    auto resumed = std::dynamic_pointer_cast<THOLevel>(back);
    ASSERT_TRUE(resumed);
    again->actLevel = resumed;
    EXPECT_EQ(again->ContinueGame(), "HIDDEN-OBJECT");
    ASSERT_EQ(hiddenObject.level, resumed);
    EXPECT_EQ(resumed->time, time);
    int done = 0;
    for (const auto& o : resumed->objects) done += o->state == "DONE";
    EXPECT_EQ(done, 5);
    EXPECT_EQ(resumed->group->getFound(), 5);
    EXPECT_FLOAT_EQ(resumed->objects[0]->da, 0);
    EXPECT_FLOAT_EQ(resumed->objects[0]->punktX, 20);
}

// A progression of one scene, which a restart prepares again.
class OneScene : public TProfileWorld {
public:
    std::shared_ptr<TLevelData> entry;
    std::shared_ptr<TLevelData> flowEntry(const std::string&, int32_t) override { return entry; }
};

TEST_F(HOScreenTest, ADamagedSceneInProgressIsPlayedAfreshWithOneMessage) {
    installHiddenObject();
    OneScene world;
    world.entry = std::make_shared<TLevelData>();
    world.entry->nr = 1;
    world.entry->numer = 5;
    world.entry->stageN = 1;
    world.entry->gameType = "HIDDEN-OBJECT";
    world.entry->url = tree + "data/levels/hiddenObject/dock.hol";
    setProfileWorld(&world);
    profile->gameType = "HIDDEN-OBJECT";
    profile->name = "Anne";
    profile->id = profileIdOf("Anne");
    profile->flowSequence = 1;
    ASSERT_EQ(profile->setProperLevel(*world.entry), 0);
    auto played = std::dynamic_pointer_cast<THOLevel>(profile->actLevel);
    ASSERT_TRUE(played);
    played->objects[0]->state = "DONE";
    ASSERT_EQ(profile->save(), 0);
    // The saved scene is damaged afterwards: an object to find in a state it never leaves.
    const std::string saved = profile->folder() + "/level.lvl";
    auto text = files::loadText(saved);
    ASSERT_TRUE(text);
    const size_t at = text->find("state = \"\"");
    ASSERT_NE(at, std::string::npos);
    text->replace(at, 10, "state = \"LOST\"");
    ASSERT_TRUE(files::saveText(*text, saved));

    // A new start: the scene in progress is refused once, and Continue plays it afresh.
    resetHiddenObject();
    installHiddenObject();
    notices.clear();
    auto again = std::make_shared<TProfile>();
    again->id = profile->id;
    again->name = "Anne";
    again->gameType = "HIDDEN-OBJECT";
    again->numerLevelu = 5;
    again->numerStageu = 1;
    again->flowSequence = 1;
    again->actLevel = profileWorld().loadLevel("HIDDEN-OBJECT", saved, 0);
    EXPECT_FALSE(again->actLevel);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find(saved), std::string::npos) << notices[0];
    ASSERT_EQ(again->ContinueGame(), "RESTART-LEVEL");
    EXPECT_EQ(again->restartLevel(), "HIDDEN-OBJECT");
    ASSERT_TRUE(hiddenObject.level);
    EXPECT_EQ(hiddenObject.level, again->actLevel);
    for (const auto& o : hiddenObject.level->objects) EXPECT_EQ(o->state, "") << o->id;
    EXPECT_EQ(notices.size(), 1u);
    hiddenObject.prepare();
    untilPlaying();
    setProfileWorld(nullptr);
}

TEST_F(HOScreenTest, NothingOfThePreviousSceneSurvivesIntoTheNext) {
    auto first = start("dock");
    untilPlaying();
    const auto& o = first->objects[0];
    InjectMouseMove(o->ukrytyDim->x, o->ukrytyDim->y);
    frame();
    ASSERT_EQ(hiddenObject.over, o);
    hiddenObject.edOver = hiddenObject.edClick = o;
    std::weak_ptr<THOLevel> gone = first;
    first.reset();
    start("wreck");
    EXPECT_FALSE(hiddenObject.over);
    EXPECT_FALSE(hiddenObject.edOver);
    EXPECT_FALSE(hiddenObject.edClick);
    EXPECT_TRUE(gone.expired());  // no screen field keeps the old scene alive
}

TEST_F(HOScreenTest, EditorDragsAndSavesASceneThatLoadsBack) {
    cheats = 1;
    auto level = start("dock");
    untilPlaying();
    InjectKey('E', true);
    frame();
    InjectKey('E', false);
    EXPECT_EQ(hiddenObject.editorOn, 1);
    const auto& o = level->objects[0];
    // Press on the hidden key, drag it to a new place, nudge it one pixel right.
    InjectMouseMove(o->ukrytyDim->x, o->ukrytyDim->y);
    InjectMouseButton(1, true);
    frame();
    InjectMouseMove(400, 200);
    frame();
    frame();
    InjectMouseButton(1, false);
    frame();
    EXPECT_EQ(o->ukrytyDim->x, 400);
    EXPECT_EQ(o->ukrytyDim->y, 200);
    EXPECT_EQ(hiddenObject.badClicks, 0);  // the editor takes the clicks
    InjectKey(KEY_RIGHT, true);
    frame();
    InjectKey(KEY_RIGHT, false);
    EXPECT_EQ(o->ukrytyDim->x, 401);
    const float rot = o->startRot;
    InjectKey('V', true);
    frame();
    frame();
    InjectKey('V', false);
    EXPECT_GE(o->startRot, rot + 2);
    hiddenObject.editorSavePath = (user / "level-8.hol").string();
    InjectKey('S', true);
    frame();
    InjectKey('S', false);
    auto saved = loadHOLevel(hiddenObject.editorSavePath);
    ASSERT_EQ(saved->objects.size(), level->objects.size());
    EXPECT_EQ(saved->objects[0]->ukrytyDim->x, 401);
    EXPECT_EQ(saved->objects[0]->startRot, o->startRot);
    EXPECT_EQ(saved->lights.size(), level->lights.size());
    cheats = 0;
}

}  // namespace
