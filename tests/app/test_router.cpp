// The screen router: the place table in its order, upper-cased results, the saves before
// game places, the text interludes and the names that are no place.
#include "app/router.h"

#include <map>

#include "app/profile/profile_manager.h"
#include "app/startup.h"
#include "app_fixture.h"
#include "gui/text/type_style.h"
#include "platform/strings.h"

namespace {

class RouterTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        bDir = (dir / "assets").string() + "/";
        lang = "en";
        for (int n : {2, 4, 5, 6})
            write("assets/txt/en/story-flow-" + std::to_string(n) + ".txt", "Interlude " + std::to_string(n) + "\n");
        control::setProfileSaver([this] { ran.push_back("save"); });
        // Every bindable place answers in lower case with its own name.
        for (const std::string& place : control::placeNames())
            control::bind(place, [this, place] {
                ran.push_back(place);
                return "next-" + str::lower(place);
            });
    }
    std::vector<std::string> ran;
};

TEST_F(RouterTest, DispatchTableForEveryPlace) {
    const struct {
        const char* place;
        std::vector<std::string> runs;  // actions in order ("save" = every profile written)
        const char* next;
    } cases[] = {
        {"MAIN-MENU", {"MAIN-MENU"}, "NEXT-MAIN-MENU"},
        {"START-NEW-GAME", {"START-NEW-GAME"}, "NEXT-START-NEW-GAME"},
        {"PICK-FLOW", {"PICK-FLOW"}, "NEXT-PICK-FLOW"},
        {"GET-NEXT-LEVEL", {"GET-NEXT-LEVEL"}, "NEXT-GET-NEXT-LEVEL"},
        {"RESTART-LEVEL", {"RESTART-LEVEL"}, "NEXT-RESTART-LEVEL"},
        {"STORY-START", {"STORY-START"}, "NEXT-STORY-START"},
        {"STORY-PLAZA", {"STORY-PLAZA"}, "NEXT-STORY-PLAZA"},
        {"STORY-OUTRO", {"STORY-OUTRO"}, "NEXT-STORY-OUTRO"},
        {"STORY-SPEC", {}, "GET-NEXT-LEVEL"},
        {"STORY-FLOW-2", {}, "GET-NEXT-LEVEL"},
        {"STORY-FLOW-4", {}, "GET-NEXT-LEVEL"},
        {"STORY-FLOW-5", {}, "GET-NEXT-LEVEL"},
        {"STORY-FLOW-6", {}, "GET-NEXT-LEVEL"},
        {"MAPA", {"save", "MAPA"}, "NEXT-MAPA"},
        {"MAIN-GAME", {"save", "MAIN-GAME"}, "NEXT-MAIN-GAME"},
        {"PUZZLE-EXPRESS", {"save", "PUZZLE-EXPRESS"}, "NEXT-PUZZLE-EXPRESS"},
        {"HIDDEN-OBJECT", {"save", "HIDDEN-OBJECT"}, "NEXT-HIDDEN-OBJECT"},
        {"LAY-PUZZLE", {"save", "LAY-PUZZLE"}, "NEXT-LAY-PUZZLE"},
        {"CREDITS", {"CREDITS"}, "NEXT-CREDITS"},
        {"END-OF-LEVELS", {"END-OF-LEVELS"}, "NEXT-END-OF-LEVELS"},
    };
    ASSERT_EQ(control::placeNames().size(), std::size(cases));
    size_t i = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.place);
        EXPECT_EQ(control::placeNames()[i++], c.place);  // tested in this order
        ran.clear();
        control::where = c.place;
        script({{2, "key", {"SPACE"}, 1}});  // ends an interlude
        control::runPass();
        EXPECT_EQ(ran, c.runs);
        EXPECT_EQ(control::where, c.next);
    }
    EXPECT_TRUE(notices.empty());
}

TEST_F(RouterTest, FixedPlacesCannotBeRebound) {
    EXPECT_FALSE(control::bind("STORY-SPEC", [] { return std::string("MAPA"); }));
    EXPECT_FALSE(control::bind("STORY-FLOW-4", [] { return std::string("MAPA"); }));
    EXPECT_FALSE(control::bind("NOWHERE", [] { return std::string("MAPA"); }));
}

TEST_F(RouterTest, UnknownPlaceIsReportedAndLeadsToTheMenu) {
    control::where = "TREASURE-ISLAND";
    control::runPass();
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(control::where, "MAIN-MENU");
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("TREASURE-ISLAND"), std::string::npos);
}

TEST_F(RouterTest, LoopEndsOnEndQuietlyAndOnEmptyWithTheNotice) {
    const struct {
        std::vector<std::string> answers;  // what the main menu returns, pass by pass
        size_t passes;
        std::vector<std::string> notices;
    } cases[] = {
        {{"end"}, 1, {}},
        {{"credits", "End"}, 2, {}},
        {{""}, 1, {" Wyjscie z glownej petli z powodu pustego ciagu kierunkowego! "}},
    };
    for (const auto& c : cases) {
        notices.clear();
        size_t pass = 0;
        control::bind("MAIN-MENU", [&] { return c.answers[pass++]; });
        control::bind("CREDITS", [] { return std::string("main-menu"); });
        control::mainloop();
        EXPECT_EQ(pass, c.passes);
        EXPECT_EQ(notices, c.notices);
    }
}

TEST_F(RouterTest, SetWhereUpperCasesAndFlushesInput) {
    InjectKey(KEY_SPACE, true);
    InjectMouseButton(1, true);
    control::setWhere("Get-Next-level");
    EXPECT_EQ(control::where, "GET-NEXT-LEVEL");
    EXPECT_EQ(KeyHit(KEY_SPACE), 0);
    EXPECT_EQ(MouseHit(1), 0);
}

TEST_F(RouterTest, EachPassStartsWithTheKeyboardFlushed) {
    bool escapeSeen = true;
    control::bind("CREDITS", [&] {
        escapeSeen = KeyHit(KEY_ESCAPE) != 0;
        return std::string("END");
    });
    control::where = "CREDITS";
    InjectKey(KEY_ESCAPE, true);
    control::runPass();
    EXPECT_FALSE(escapeSeen);
}

class InterludeTest : public RouterTest {
protected:
    void SetUp() override {
        RouterTest::SetUp();
        ASSERT_TRUE(Graphics(1024, 768, 0, 60));
        SetAspectResolution(1024, 768, 3);
        control::font = CreateFixedFont(10, 36);
        path = write("assets/txt/en/story-flow-5.txt", "First line\nSecond line\nThird line\n");
    }
    std::string path;
};

TEST_F(InterludeTest, DrawsEveryLineTwentyPixelsApartInWhite) {
    script({{3, "key", {"ENTER"}, 1}});
    control::notify2(path);
    std::vector<DrawCall> texts;
    for (const DrawCall& c : RecordedDraws())
        if (c.kind == DrawCall::Text) texts.push_back(c);
    // A key pressed for frame 3 is latched at the flip that ends frame 2, which the
    // interlude reads right after that flip: frames 0..2 were drawn, three lines each.
    ASSERT_EQ(texts.size(), 3u * 3u);
    const char* lines[] = {"First line", "Second line", "Third line"};
    for (size_t i = 0; i < 3; ++i) {
        const DrawCall& t = texts[texts.size() - 3 + i];
        EXPECT_EQ(t.what, lines[i]);
        EXPECT_EQ(t.x, 10);
        EXPECT_EQ(t.y, 20.0f * float(i + 1) + 10);
        // Body text, never pure white.
        EXPECT_EQ(t.r, typestyle::kBody.r);
        EXPECT_EQ(t.b, typestyle::kBody.b);
        EXPECT_EQ(t.alpha, 1.0f);
    }
}

TEST_F(InterludeTest, EndsOnSpaceEnterOrLeftClickOnly) {
    const struct {
        const char* verb;
        const char* arg;
        bool ends;
    } cases[] = {{"key", "SPACE", true}, {"key", "ENTER", true}, {"click", "left", true},
                 {"click", "right", false}, {"key", "ESCAPE", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.verb) + " " + c.arg);
        // Without a way on, the frame limit ends the run as a closed window would.
        script({{5, c.verb, {c.arg}, 1}}, 40);
        bool ended = false;
        try {
            control::notify2(path);
        } catch (const ProcessEnded&) {
            ended = true;
        }
        EXPECT_EQ(ended, !c.ends);
        if (c.ends) {
            EXPECT_GE(HarnessFrameNumber(), 5);  // at once, not at the frame limit
            EXPECT_LE(HarnessFrameNumber(), 6);
        }
        ResetInputState();
    }
}

}  // namespace
