// The lose screen driven by scripted clicks: its three answers, the sliding panel and
// buttons, the stones it drops, its two messages, and a layout that lacks its buttons.
#include <cmath>

#include "effects/kamien.h"
#include "effects/odpad.h"
#include "gui/core/gui.h"
#include "gui/widgets/button.h"
#include "gui/widgets/text.h"
#include "menus_fixture.h"
#include "screens/lose/lose_screen.h"

namespace menutest {
namespace {


constexpr float kPi = 3.14159265358979f;

class LoseScreenTest : public MenusTest {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        resetLoseScreen();
        resetKamienie();
        resetOdpady();
        SetEndHandler([](int code) { throw code; });
        openDisplay();
        write("txt/en/loseScreen.txt", "Again\nMap\nMenu\nThe chest is broken!\nThe inlay is lost!\n");
        writePng("gfx/gui/loseScreen/panel.png", 520, 440);
        // A text first: only buttons count for the rows.
        layout("TEXT note\n{\n\tPOSITION = \"300 600 200\"\n\tTXT = \"x\"\n}\n\n" +
               button("restart", "gfx/b/restart.png", 512, 0) + button("mapa", "gfx/b/mapa.png", 512, 0) +
               button("mainMenu", "gfx/b/menu.png", 512, 0));
    }
    void TearDown() override {
        SetEndHandler(nullptr);
        resetLoseScreen();
        resetKamienie();
        resetOdpady();
        MenusTest::TearDown();
    }
    void layout(const std::string& text) { write("gfx/gui/loseScreen/en/loseScreen.gui", text); }
    // Messages about the panel's layout (a font missing from the scratch tree is not one).
    size_t layoutNotices() const {
        size_t n = 0;
        for (const auto& m : notices) n += m.find("loseScreen") != std::string::npos;
        return n;
    }

    static std::vector<ScriptCommand> clicks(std::vector<std::pair<int, int>> frameAndY) {
        std::vector<ScriptCommand> out;
        for (auto [frame, y] : frameAndY)
            for (auto& c : clickAt(frame, 512, y)) out.push_back(c);
        return out;
    }
    static float expectedY(int row, float alpha) {
        return 310.0f + 70.0f * float(row) - 400.0f * (1.0f - std::sin(alpha * 90.0f * kPi / 180.0f));
    }
    static void flyingStone() { createKamien(0, 100, 100, 900, 400, 0); }
    static void fallingPiece() { createOdpad2(nullptr, 100, 100, 100, 700, 100, 100); }

    Behind behind;
};

TEST_F(LoseScreenTest, EachButtonAnswersDropsTheStonesAndKeepsTheDebris) {
    const struct {
        int y;
        const char* answer;
    } cases[] = {{310, "RESTART"}, {380, "MAPA"}, {450, "MAIN-MENU"}};
    loseScreen.setup();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        resetKamienie();
        resetOdpady();
        flyingStone();
        fallingPiece();
        ResetHarness();
        HarnessStart(clicks({{30, c.y}}), 400);
        settleDelta();  // the clock went back with the frame count
        behind.draws = 0;
        EXPECT_EQ(loseScreen.mainLoop(&behind), c.answer);
        EXPECT_EQ(fx::live(listaKamieni), 0u) << "stones under way are dropped";
        EXPECT_EQ(listaOdpadow.size(), 1u) << "debris goes on falling";
        EXPECT_FLOAT_EQ(loseScreen.alpha, 0);
        EXPECT_FLOAT_EQ(loseScreen.fade, 0);
        EXPECT_EQ(behind.draws, HarnessFrameNumber()) << "the loser is drawn behind every frame";
        // 20 frames to rise out after the click at 30.
        EXPECT_GE(HarnessFrameNumber(), 48);
        EXPECT_LE(HarnessFrameNumber(), 53);
    }
    EXPECT_EQ(layoutNotices(), 0u);
}

TEST_F(LoseScreenTest, ButtonsRideWithThePanelAndKeysLeaveItOpen) {
    loseScreen.setup();
    HarnessStart({cmd(3, "key", {"ESCAPE"}), cmd(5, "key", {"ENTER"}), cmd(8, "key", {"SPACE"})}, 400);
    loseScreen.prepare(&behind);
    auto rows = std::vector<std::shared_ptr<TButton>>{loseScreen.Gui->getItemAs<TButton>("restart"),
                                                      loseScreen.Gui->getItemAs<TButton>("mapa"),
                                                      loseScreen.Gui->getItemAs<TButton>("mainMenu")};
    auto note = loseScreen.Gui->getItem("note");
    ASSERT_TRUE(note);
    const float noteY = note->dim->y;
    for (int f = 0; f < 60; ++f) {
        ClearRecordedDraws();
        ASSERT_TRUE(loseScreen.frame()) << "frame " << f;
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(rows[size_t(i)]->dim->y, expectedY(i, loseScreen.alpha), 1e-3) << "row " << i;
            EXPECT_FLOAT_EQ(rows[size_t(i)]->_alpha, 1) << "the buttons slide, they do not fade";
        }
        // The panel keeps the buttons' offsets: its centre is 74 px below the first row.
        bool panelSeen = false;
        for (const auto& d : RecordedDraws())
            if (d.kind == DrawCall::Image && d.what.find("loseScreen/panel.png") != std::string::npos) {
                panelSeen = true;
                EXPECT_FLOAT_EQ(d.x, 512);
                EXPECT_NEAR(d.y, expectedY(0, loseScreen.alpha) + 74, 1e-3);
                EXPECT_FLOAT_EQ(d.alpha, loseScreen.alpha);
            }
        EXPECT_TRUE(panelSeen);
    }
    EXPECT_FLOAT_EQ(loseScreen.alpha, 1);
    EXPECT_FLOAT_EQ(loseScreen.fade, 0.5f);
    EXPECT_FLOAT_EQ(note->dim->y, noteY) << "widgets other than buttons stay put";
    EXPECT_EQ(loseScreen.wynik, "");
}

TEST_F(LoseScreenTest, AClickDuringTheDropTurnsBackAndTheLaterClickWins) {
    loseScreen.setup();
    // Restart while still dropping (the first row is then near y 195), then the map while it
    // rises: the map stands.
    HarnessStart(clicks({{10, 195}, {14, 162}}), 400);
    loseScreen.prepare(&behind);
    float highest = 0;
    while (loseScreen.frame()) highest = std::max(highest, loseScreen.alpha);
    EXPECT_EQ(loseScreen.wynik, "MAPA");
    EXPECT_LT(highest, 0.6f) << "the panel turned back from where it was";
    EXPECT_LT(HarnessFrameNumber(), 30);
}

TEST_F(LoseScreenTest, TheInlayGameGetsItsOwnMessage) {
    loseScreen.setup();
    Behind inlay;
    loseScreen.layPuzzle = &inlay;
    loseScreen.prepare(&behind);
    EXPECT_EQ(loseScreen.txtInfo, "The chest is broken!");
    loseScreen.prepare(&inlay);
    EXPECT_EQ(loseScreen.txtInfo, "The inlay is lost!");
    loseScreen.prepare(nullptr);
    EXPECT_EQ(loseScreen.txtInfo, "The chest is broken!");
}

TEST_F(LoseScreenTest, ALayoutWithoutItsButtonsStillAnswers) {
    const struct {
        const char* what;
        bool writeLayout;
        std::string text;
        size_t messages;
    } cases[] = {
        {"no layout file", false, "", 4},  // the missing file, then each of the three buttons
        {"only restart", true, button("restart", "gfx/b/restart.png", 512, 0), 2},
        {"all there, map switched off", true,
         button("restart", "gfx/b/restart.png", 512, 0) +
             "BUTTON mapa\n{\n\tTYP = FSTEP_BUTTON\n\tGFX = gfx/b/mapa.png\n\tPOSITION = \"512 0\"\n"
             "\tVISIBLE = 0\n\tACTIVE = 0\n}\n\n" +
             button("mainMenu", "gfx/b/menu.png", 512, 0),
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(dir / "gfx/gui/loseScreen/en/loseScreen.gui");
        if (c.writeLayout) layout(c.text);
        resetLoseScreen();
        notices.clear();
        loseScreen.setup();
        EXPECT_EQ(layoutNotices(), c.messages);
        for (const char* name : {"restart", "mapa", "mainMenu"}) {
            auto b = loseScreen.Gui->getItemAs<TButton>(name);
            ASSERT_TRUE(b) << name;
            EXPECT_TRUE(b->_v && b->_a) << name;
        }
        // Each row answers once the panel is in place: the last one is always the third.
        for (auto [y, answer] : {std::pair{380, "MAPA"}, std::pair{450, "MAIN-MENU"}}) {
            ResetHarness();
            HarnessStart(clicks({{30, y}}), 400);
            settleDelta();
            EXPECT_EQ(loseScreen.mainLoop(&behind), answer);
        }
    }
}

TEST_F(LoseScreenTest, StandInButtonsTakeTheirCaptionsFromTheTextFile) {
    layout("");
    loseScreen.setup();
    auto b = loseScreen.Gui->getItemAs<TButton>("mapa");
    ASSERT_TRUE(b);
    EXPECT_EQ(b->_txt, "Map");
    write("txt/en/loseScreen.txt", "");
    resetLoseScreen();
    loseScreen.setup();
    b = loseScreen.Gui->getItemAs<TButton>("mainMenu");
    ASSERT_TRUE(b);
    EXPECT_EQ(b->_txt, "Main menu");
}

}  // namespace
}  // namespace menutest
