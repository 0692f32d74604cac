// The menu bar driven by the real pointer through its layout: menus open on a click on their
// title, switch along the bar, close on a press elsewhere; a clicked entry reaches the
// screen as the layout's clicked name; sub-menus open under the pointer.
#include <gtest/gtest.h>

#include <string>

#include "toolkit_env.h"
#include "gui/widgets/button.h"
#include "gui/widgets/menubar.h"

namespace {

using widgettest::ToolkitEnv;

// Every font of the fixture is 10 wide and 20 high a character; the bar is 30 high. Relative
// to the bar: "Game" at (10, 5), its box (10, 35)-(220, 129) holding New (y 35), Load (56),
// the Seas sub-menu (77) and Quit (98), entry text from x 20; Seas' box (190, 77)-(360, 129)
// holding North (77) and South (98) from x 200; "Help" at (80, 5), its box (80, 35)-(210, 87)
// holding Rules (35) and About (56).
std::string barLayout(int bx, int by) {
    return "FONT small { URL = gfx/fonts/berry.ttf SIZE = 16 }\n"
           "THEME skin { URL = theme/temat.txt }\n"
           "BAR menu { POSITION = \"" + std::to_string(bx) + " " + std::to_string(by) +
           "\" TEMAT = skin WIDTH = 1024 FONT = small\n"
           "  MENU game { TITLE = Game\n"
           "    COMMAND = \"new|New voyage\" COMMAND = \"load|Load a voyage\"\n"
           "    MENU sea { TITLE = \"  Seas\"\n"
           "      COMMAND = \"north|North sea\" COMMAND = \"south|South sea\" }\n"
           "    COMMAND = \"quit|Quit\" }\n"
           "  MENU help { TITLE = Help COMMAND = \"rules|Rules\" COMMAND = \"about|About\" } }\n";
}

struct Place {
    int x, y;  // of the bar
};
const Place kPlaces[] = {{0, 0}, {150, 300}};

class MenuBarTest : public ToolkitEnv {
protected:
    void load(const Place& p, const std::string& more = "") {
        gui = layout(barLayout(p.x, p.y) + more);
        ASSERT_TRUE(messages.empty()) << messages.front();
        bar = gui->getItemAs<TBelka>("menu");
        ASSERT_NE(bar, nullptr);
        ASSERT_EQ(bar->_menusList.size(), 2u);
        game = bar->_menusList[0].get();
        help = bar->_menusList[1].get();
        sea = game->getBarTitle("sea")->asMenu();
        ASSERT_NE(sea, nullptr);
        at = p;
    }
    // One frame with the pointer at (x, y) of the bar.
    void frame(int x, int y, bool down = false) {
        pointerFrame(at.x + x, at.y + y, down);
        gui->update();
    }
    void click(int x, int y) {
        frame(x, y, true);
        clicked = gui->_clicked;
        over = gui->_over;
        frame(x, y, false);
    }
    // Frames with the pointer resting until every fade is over.
    void settle(int x, int y) {
        for (int i = 0; i < 20; ++i) frame(x, y);
    }
    // Clicks Game's title and rests on (x, y) till its entries are in.
    void openGame(int x, int y) {
        click(20, 10);
        settle(x, y);
    }
    static bool open(const TMenu* m) { return m->_dBoxA == 1; }
    static bool shown(const TMenu* m) {  // every entry fully faded in
        for (const auto& e : m->_barTitles)
            if (e->_alpha != 1) return false;
        return !m->_barTitles.empty();
    }

    std::shared_ptr<TGui> gui;
    std::shared_ptr<TBelka> bar;
    TMenu *game = nullptr, *help = nullptr, *sea = nullptr;
    Place at{};
    std::string clicked, over;
};

TEST_F(MenuBarTest, ClickOpensAMenuAndAnEntryIsReportedAsClicked) {
    for (const Place& p : kPlaces) {
        SCOPED_TRACE(::testing::Message() << "bar at " << p.x << ", " << p.y);
        load(p);
        ASSERT_FALSE(HasFatalFailure());

        // Pointing at a title opens nothing and reports nothing.
        settle(20, 10);
        EXPECT_FALSE(open(game));
        EXPECT_EQ(gui->_over, "");

        // A click on the title opens its menu; the title itself is never a clicked name.
        click(20, 10);
        EXPECT_EQ(clicked, "");
        EXPECT_TRUE(open(game));
        EXPECT_EQ(bar->_actualMenu, game);
        EXPECT_FALSE(open(help));
        settle(50, 60);
        EXPECT_TRUE(shown(game));
        EXPECT_EQ(gui->_over, "load");  // an entry under the pointer is the hovered name
        frame(50, 40);
        EXPECT_EQ(gui->_over, "new");

        // Clicking the entry: that frame's clicked and hovered names are its identifier,
        // the screen's question answers yes, and every menu starts to close.
        click(50, 62);
        EXPECT_EQ(clicked, "load");
        EXPECT_EQ(over, "load");
        EXPECT_FALSE(open(game));
        EXPECT_EQ(gui->_clicked, "");  // one frame only
        for (const auto& e : game->_barTitles) EXPECT_EQ(e->_dAlpha, 0);
        // Still fading out, the entry under the pointer is hovered; once gone, it is not.
        EXPECT_EQ(gui->_over, "load");
        settle(50, 62);
        EXPECT_EQ(gui->_over, "");
        EXPECT_EQ(game->_barTitles[1]->_alpha, 0);

        // A click on another title now opens that menu.
        click(90, 10);
        EXPECT_TRUE(open(help));
        settle(100, 60);
        click(100, 60);
        EXPECT_EQ(clicked, "about");
    }
}

TEST_F(MenuBarTest, ScreenAsksForAMenuEntryLikeAButton) {
    load(kPlaces[0]);
    openGame(50, 100);
    frame(50, 100, true);
    EXPECT_EQ(gui->_clicked, "quit");
    EXPECT_EQ(gui->clickedItem("QUIT"), 1);
    EXPECT_EQ(gui->clickedItem("menu"), 0);
    EXPECT_EQ(gui->clickedItem("game"), 0);
    EXPECT_EQ(clicks, 1);
}

TEST_F(MenuBarTest, PressElsewhereClosesAndTheBarForgetsItsMenu) {
    load(kPlaces[1]);
    openGame(50, 60);
    ASSERT_TRUE(open(game));

    // Clicking the open menu's own title keeps it open.
    click(20, 10);
    EXPECT_TRUE(open(game));

    // A press away from every box and title closes it; no name is reported.
    click(600, 200);
    EXPECT_EQ(clicked, "");
    EXPECT_FALSE(open(game));
    EXPECT_EQ(bar->_actualMenu, nullptr);
    settle(600, 200);
    EXPECT_EQ(game->_barTitles[0]->_alpha, 0);

    // From then on passing over the titles opens nothing until one is clicked.
    settle(90, 10);
    settle(20, 10);
    EXPECT_FALSE(open(help));
    EXPECT_FALSE(open(game));
    // The titles stay on the bar: a click opens the menu again.
    EXPECT_EQ(game->_alpha, 1);
    click(20, 10);
    EXPECT_TRUE(open(game));
}

TEST_F(MenuBarTest, PointerMovesFromMenuToMenuAlongTheBar) {
    load(kPlaces[0]);
    openGame(20, 10);
    ASSERT_TRUE(shown(game));

    // Onto Help's title without a click: Help opens, Game closes.
    settle(90, 10);
    EXPECT_TRUE(open(help));
    EXPECT_FALSE(open(game));
    EXPECT_EQ(bar->_actualMenu, help);
    EXPECT_TRUE(shown(help));
    EXPECT_EQ(game->_barTitles[0]->_alpha, 0);

    // And back.
    settle(20, 10);
    EXPECT_TRUE(open(game));
    EXPECT_FALSE(open(help));

    // After an entry's click inside the current menu's box, the bar keeps that menu, so
    // moving along the bar opens menus again without a click.
    settle(50, 40);
    click(50, 40);
    EXPECT_EQ(clicked, "new");
    EXPECT_FALSE(open(game));
    EXPECT_EQ(bar->_actualMenu, game);
    settle(90, 10);
    EXPECT_TRUE(open(help));
}

TEST_F(MenuBarTest, SubMenuOpensUnderThePointerAndItsEntriesReport) {
    for (const Place& p : kPlaces) {
        SCOPED_TRACE(::testing::Message() << "bar at " << p.x << ", " << p.y);
        load(p);
        ASSERT_FALSE(HasFatalFailure());
        openGame(50, 40);
        EXPECT_FALSE(open(sea));

        // On its title it opens; its own title is not a hovered name.
        settle(50, 85);
        EXPECT_TRUE(open(sea));
        EXPECT_TRUE(shown(sea));
        EXPECT_EQ(gui->_over, "");

        // Across into its box it stays open; its entries report.
        settle(250, 110);
        EXPECT_TRUE(open(sea));
        EXPECT_TRUE(open(game));
        EXPECT_EQ(gui->_over, "south");

        // Back into the parent's box, away from its title: it closes, the parent stays.
        settle(50, 40);
        EXPECT_FALSE(open(sea));
        EXPECT_TRUE(open(game));
        EXPECT_EQ(sea->_barTitles[0]->_alpha, 0);

        // Open again, and click an entry outside the parent's box: reported, and since the
        // press fell outside that box, the bar forgets its menu as well.
        settle(50, 85);
        settle(250, 110);
        click(250, 110);
        EXPECT_EQ(clicked, "south");
        EXPECT_FALSE(open(game));
        EXPECT_FALSE(open(sea));
        EXPECT_EQ(bar->_actualMenu, nullptr);
    }
}

TEST_F(MenuBarTest, PressTakenByAnEntryIsNotSeenByWidgetsAfterTheBar) {
    writeImage("gfx/b.png", 200, 100);
    // A button under the Game menu's box, later in the file than the bar.
    load(kPlaces[0], "BUTTON under { GFX = gfx/b.png POSITION = \"100 80\" }\n");
    auto under = gui->getItem("under");
    ASSERT_NE(under, nullptr);

    // A press on it with the menus closed is its own.
    click(100, 60);
    EXPECT_EQ(clicked, "under");

    // With the menu open, the press on the entry above it is the entry's alone.
    openGame(50, 62);
    frame(50, 62, true);
    EXPECT_EQ(under->_clicked, 0);
    EXPECT_EQ(under->_over, 1);
    EXPECT_EQ(gui->_clicked, "load");
    EXPECT_EQ(gui->_over, "under");  // the later widget under the pointer
    frame(50, 62, false);
}

}  // namespace
