// A layout at run time: which widget is reported clicked and hovered, lookups by name,
// the click and hover sounds, selectors, and the developer reload.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fixtures/widget_env.h"
#include "gui/core/selector.h"
#include "gui/widgets/button.h"
#include "platform/files.h"

namespace {

using widgettest::WidgetEnv;

// Two overlapping 40 x 20 images: "back" centred at (100, 100), "front" at (120, 100).
const char* const kTwoButtons =
    "BUTTON back { GFX = gfx/b.png POSITION = \"100 100\" }\n"
    "BUTTON front { GFX = gfx/b.png POSITION = \"120 100\" }\n";

class LayoutRuntime : public WidgetEnv {
protected:
    void SetUp() override {
        WidgetEnv::SetUp();
        writeImage("gfx/b.png", 40, 20);
    }
};

TEST_F(LayoutRuntime, LastWidgetInFileOrderWinsClickAndHover) {
    auto gui = layout(kTwoButtons);
    ASSERT_EQ(gui->_listaObiektow.size(), 2u);
    pointer(110, 100, 1, 1);  // inside both
    gui->update();
    EXPECT_EQ(gui->_clicked, "front");
    EXPECT_EQ(gui->_over, "front");
    EXPECT_EQ(gui->getItem("back")->_clicked, 1);
    EXPECT_EQ(gui->getItem("front")->_clicked, 1);

    pointer(85, 100);  // only over "back"
    gui->update();
    EXPECT_EQ(gui->_clicked, "");
    EXPECT_EQ(gui->_over, "back");
}

TEST_F(LayoutRuntime, GetItemIgnoresCaseAndReturnsTheFirst) {
    auto gui = layout(std::string(kTwoButtons) +
                      "BUTTON Front { GFX = gfx/b.png POSITION = \"500 500\" }\n");
    auto w = gui->getItem("FRONT");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->_id, "front");
    EXPECT_EQ(gui->getItem("nothing"), nullptr);
    EXPECT_NE(gui->getItemAs<TButton>("back"), nullptr);
}

TEST_F(LayoutRuntime, ClickSoundOnlyWhenTheScreenAsksForTheClickedName) {
    auto gui = layout(kTwoButtons);
    pointer(85, 100, 1, 1);
    gui->update();
    EXPECT_EQ(gui->clickedItem("front"), 0);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(gui->clickedItem("BACK"), 1);
    EXPECT_EQ(gui->clickedItem("back"), 1);
    EXPECT_EQ(clicks, 2);  // asking twice plays twice

    gui->soundsOff = 1;
    EXPECT_EQ(gui->clickedItem("back"), 1);
    EXPECT_EQ(clicks, 2);
}

TEST_F(LayoutRuntime, HoverSoundWhenThePointerComesOntoAWidget) {
    auto gui = layout(kTwoButtons);
    struct Step {
        int x;
        int hoversAfter;
    };
    // back only, front (overlap reports front), empty space, back again, stay.
    const Step steps[] = {{85, 1}, {110, 2}, {300, 2}, {85, 3}, {86, 3}};
    for (const auto& s : steps) {
        pointer(s.x, 100);
        gui->update();
        EXPECT_EQ(hovers, s.hoversAfter) << "x " << s.x;
    }
}

TEST_F(LayoutRuntime, HiddenWidgetIsFoundButNotDrawnNorReported) {
    auto gui = layout(kTwoButtons);
    gui->getItem("front")->setState(0, 1);
    pointer(110, 100, 1, 1);
    gui->update();
    EXPECT_EQ(gui->_clicked, "back");
    ClearRecordedDraws();
    gui->draw();
    EXPECT_EQ(draws(DrawCall::Image).size(), 1u);
    EXPECT_NE(gui->getItem("front"), nullptr);
}

// A selector whose reported options the test sets.
class FakeSelector : public TGuiSelector {
public:
    int updateMe(float, float) override {
        _clickedOp = nextClicked;
        _overOp = nextOver;
        return 0;
    }
    int _clean() override {
        ++cleans;
        _clickedOp.clear();
        _overOp.clear();
        return 0;
    }
    std::string nextClicked, nextOver;
    int cleans = 0;
};

TEST_F(LayoutRuntime, SelectorReportsItsOptionsAndIsCleanedOnAClick) {
    std::shared_ptr<FakeSelector> sel;
    registerGuiBlock("FAKESEL", [&](const std::string& name, const TEntryList&, const TDeclList&,
                                    TGui*) -> std::shared_ptr<TGuiObject> {
        sel = std::make_shared<FakeSelector>();
        sel->_id = name;
        sel->_class = QGM_bar;
        sel->dim = createDim(0, 0, 1024, 768);
        return sel;
    });
    auto gui = layout(std::string(kTwoButtons) + "FAKESEL menu { }\n");
    registerGuiBlock("FAKESEL", nullptr);
    ASSERT_NE(sel, nullptr);

    // The selector reports nothing: the button's click stands, and _clean still runs.
    pointer(85, 100, 1, 1);
    gui->update();
    EXPECT_EQ(gui->_clicked, "back");
    EXPECT_EQ(gui->_over, "back");  // its own over flag is ignored
    EXPECT_EQ(sel->cleans, 1);

    // The selector's option wins over the earlier button.
    sel->nextClicked = "open";
    sel->nextOver = "open";
    gui->update();
    EXPECT_EQ(gui->_clicked, "open");
    EXPECT_EQ(gui->_over, "open");
    EXPECT_EQ(gui->clickedItem("OPEN"), 1);

    // No click anywhere: no _clean.
    sel->nextClicked.clear();
    pointer(500, 500);
    const int before = sel->cleans;
    gui->update();
    EXPECT_EQ(sel->cleans, before);
    EXPECT_EQ(gui->_over, "open");
}

class LayoutReload : public LayoutRuntime {
protected:
    void pressReloadKeys() {
        InjectKey(KEY_LCONTROL, true);
        InjectKey('L', true);
        InjectKey('L', false);
    }
    std::string rewritten(int x) {
        return "BUTTON back { GFX = gfx/b.png POSITION = \"" + std::to_string(x) +
               " 100\" }\nBUTTON front { GFX = gfx/b.png POSITION = \"120 100\" }\n";
    }
};

TEST_F(LayoutReload, OnlyWithTheDeveloperSwitches) {
    struct Case {
        int reloadSwitch, cheatsOn;
        bool reloads;
    };
    const Case cases[] = {{1, 1, true}, {1, 0, false}, {0, 1, false}, {0, 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "QGUI_RELOAD " << c.reloadSwitch << " cheats " << c.cheatsOn);
        ResetInputState();
        auto gui = layout(kTwoButtons);
        gui->getItem("back")->setPosition(300, 300);
        QGUI_RELOAD = c.reloadSwitch;
        cheats = c.cheatsOn;
        pressReloadKeys();
        gui->update();
        EXPECT_EQ(gui->getItem("back")->dim->x == 100, c.reloads);
    }
}

TEST_F(LayoutReload, HeldReferencesStayValidAndSeeTheNewDeclaration) {
    QGUI_RELOAD = 1;
    cheats = 1;
    auto gui = layout(kTwoButtons);
    auto held = gui->getItemAs<TButton>("back");
    auto heldDim = held->dim;
    held->stan = 0.25f;
    held->setState(0, 0);

    writeFile("gfx/gui/test/en/test.gui", rewritten(200));
    pressReloadKeys();
    gui->update();

    EXPECT_EQ(gui->getItem("back"), held);  // the same object, refreshed
    EXPECT_EQ(held->dim, heldDim);
    EXPECT_EQ(held->dim->x, 200);
    EXPECT_EQ(held->dim->x1, 180);
    EXPECT_EQ(held->_v, 1);
    EXPECT_EQ(held->stan, 1.0f);
    EXPECT_EQ(gui->_listaObiektow.size(), 2u);
}

TEST_F(LayoutReload, VanishedFileKeepsTheWidgets) {
    QGUI_RELOAD = 1;
    cheats = 1;
    auto gui = layout(kTwoButtons);
    std::filesystem::remove(dir / "gfx/gui/test/en/test.gui");
    pressReloadKeys();
    gui->update();
    EXPECT_EQ(gui->_listaObiektow.size(), 2u);
    EXPECT_TRUE(messaged("nie istenieje!"));
}

TEST_F(LayoutReload, WidgetsGoneFromTheFileAreDroppedFromTheLayout) {
    QGUI_RELOAD = 1;
    cheats = 1;
    auto gui = layout(kTwoButtons);
    auto front = gui->getItem("front");
    writeFile("gfx/gui/test/en/test.gui", "BUTTON back { GFX = gfx/b.png }\n");
    gui->reload();
    EXPECT_EQ(gui->getItem("front"), nullptr);
    EXPECT_EQ(front->_id, "front");  // still a valid object for whoever kept it
}

}  // namespace
