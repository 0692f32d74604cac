// What stands over the title screen: its buttons never show beside or through a panel or a
// question opened over it, a question never stands on top of another, and the question that
// could lose a voyage opens with its safe answer under the pointer that asked it.
#include <algorithm>
#include <filesystem>

#include "gui/frame/modal.h"
#include "gui/widgets/text.h"
#include "menus_fixture.h"
#include "screens/panels/popup.h"

namespace menutest {
namespace {

// The draws of one frame: each frame's drawing starts with its clear.
std::vector<std::vector<DrawCall>> framesOf(const std::vector<DrawCall>& draws) {
    std::vector<std::vector<DrawCall>> frames(1);
    for (const DrawCall& d : draws) {
        if (d.kind == DrawCall::Clear && !frames.back().empty()) frames.emplace_back();
        frames.back().push_back(d);
    }
    return frames;
}

// The highest opacity that images whose path holds one of `parts` were drawn with.
float shownOf(const std::vector<DrawCall>& frame, std::initializer_list<const char*> parts) {
    float a = 0;
    for (const DrawCall& d : frame)
        if (d.kind == DrawCall::Image)
            for (const char* part : parts)
                if (d.what.find(part) != std::string::npos) a = std::max(a, d.alpha);
    return a;
}

int dimsOf(const std::vector<DrawCall>& frame) {
    int n = 0;
    for (const DrawCall& d : frame)
        if (d.kind == DrawCall::Rect && d.w >= 1024 && d.h >= 768 && d.r + d.g + d.b == 0 && d.alpha > 0) ++n;
    return n;
}

constexpr std::initializer_list<const char*> kTitleButtons = {"gfx/t/play.png", "gfx/t/options.png", "gfx/t/awards.png",
                                                              "gfx/t/exit.png"};
constexpr std::initializer_list<const char*> kScroll = {"continueQuest/scroll.png", "gfx/c/"};

class TitleQuestionsTest : public MenusTest {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        resetPopUp();
        SetEndHandler([](int code) { throw code; });
        openDisplay();
        write("txt/en/mainMenu.txt", "Ahoy, \n!\nWelcome aboard\n\n\n\n\n\n\nQuit?\nStart over?\n");
        write("gfx/gui/mainMenu/en/mainMenu.gui",
              button("play", "gfx/t/play.png", 1285, 330) + button("options", "gfx/t/options.png", 1285, 400) +
                  button("awards", "gfx/t/awards.png", 1285, 470) + button("exit", "gfx/t/exit.png", 1285, 540));
        writePng("gfx/gui/continueQuest/scroll.png", 470, 430);
        write("gfx/gui/continueQuest/en/continue.gui",
              button("resume", "gfx/c/resume.png", 512, 352) + button("new", "gfx/c/new.png", 512, 410) +
                  button("exit", "gfx/c/exit.png", 512, 476));
        write("gfx/gui/pickFlow/en/pickFlow.gui",
              button("casual", "gfx/p/casual.png", 400, 428) + button("hard", "gfx/p/hard.png", 624, 428));
        write("gfx/gui/popUp/en/popUp.gui", "TEXT t1\n{\n\tPOSITION = \"305 296 414\"\n}\n\n" +
                                                button("no", "gfx/q/no.png", 512, 410) +
                                                button("yes", "gfx/q/yes.png", 512, 468));
        writePng("gfx/gui/popUp/panel.png", 500, 320);
        mainMenu.setup();
        // The buttons at rest in their column.
        mainMenu.guiPer.fill(1);
        mainMenu.dGuiPer.fill(1);
        mainMenu._updateGUI();
        mainMenu.fade = 0;
        profileDialogs().yesOrNo = [](const std::string& q, TEkran& screen) { return yesOrNo(q, &screen); };
    }
    void TearDown() override {
        SetEndHandler(nullptr);
        resetPopUp();
        MenusTest::TearDown();
    }
};

// Start over asked, answered no, asked again and answered yes, then the voyage chosen: in
// no frame does a title button show more than the panel over it leaves, and from the first
// question on they stay away; the question always stands alone over the title.
TEST_F(TitleQuestionsTest, TheTitleButtonsGiveWayAndTheQuestionStandsAlone) {
    auto p = makeProfile();
    p->continueFlag = 1;
    const std::pair<int, int> nowy{512, 410};
    HarnessStart(join({clickAt(30, nowy.first, nowy.second), {cmd(45, "key", {"ESCAPE"})},
                       clickAt(60, nowy.first, nowy.second), {cmd(75, "key", {"ENTER"})},
                       clickAt(110, 400, 428)}),
                 400);
    ClearRecordedDraws();
    mainMenu.goPlay();
    EXPECT_EQ(mainMenu.wynik, "START-NEW-GAME");
    EXPECT_EQ(p->flowType, "CASUAL");

    const auto frames = framesOf(RecordedDraws());
    int questions = 0;
    bool asked = false;
    for (size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        const auto& f = frames[i];
        const float buttons = shownOf(f, kTitleButtons);
        const float panel = std::max(shownOf(f, {"continueQuest/scroll.png", "popUp/panel.png"}),
                                     shownOf(f, {"gfx/c/", "gfx/p/", "gfx/q/"}));
        EXPECT_LE(buttons, 1 - panel + 1e-4f);
        const bool question = shownOf(f, {"gfx/q/"}) > 0;
        if (question) {
            ++questions;
            asked = true;
            EXPECT_EQ(shownOf(f, kScroll), 0);
            EXPECT_EQ(dimsOf(f), 1);
        }
        if (asked) {
            EXPECT_EQ(buttons, 0);
        }
    }
    EXPECT_GT(questions, 10);
}

TEST_F(TitleQuestionsTest, AfterNoTheScrollStandsAsItStoodAndAfterYesItIsGone) {
    continueQuest.prepare();
    continueQuest.alpha = 1;
    continueQuest.fade = kModalDim;
    continueQuest._updateGui();
    for (int answer : {0, 1}) {
        SCOPED_TRACE(answer);
        profileDialogs().yesOrNo = [&](const std::string&, TEkran& screen) {
            EXPECT_TRUE(continueQuest.asking);
            ClearRecordedDraws();
            screen.draw();
            const auto& f = RecordedDraws();
            EXPECT_EQ(shownOf(f, kScroll), 0);
            EXPECT_EQ(shownOf(f, kTitleButtons), 0);
            EXPECT_EQ(dimsOf(f), 0);  // the question brings the one dim
            return answer;
        };
        // The overlay's loop installs the cover; here the question is asked on its own.
        TMainMenu::Cover cover(mainMenu, [] { return continueQuest.shown(); });
        EXPECT_EQ(continueQuest.askNew(), answer);
        EXPECT_FALSE(continueQuest.asking);
        EXPECT_FLOAT_EQ(continueQuest.alpha, answer ? 0.0f : 1.0f);
        EXPECT_FLOAT_EQ(continueQuest.fade, answer ? 0.0f : kModalDim);
        for (auto& w : continueQuest.Gui->_listaObiektow) EXPECT_FLOAT_EQ(w->_alpha, continueQuest.alpha);
    }
}

// The title's other panels: the quit question at once, and whatever a panel says of itself.
TEST_F(TitleQuestionsTest, TheQuitQuestionAndThePanelsCoverTheButtonsUntilTheyClose) {
    profileDialogs().yesOrNo = [](const std::string&, TEkran& screen) {
        ClearRecordedDraws();
        screen.draw();
        EXPECT_EQ(shownOf(RecordedDraws(), kTitleButtons), 0);
        return 0;
    };
    mainMenu.goExit();
    EXPECT_EQ(mainMenu.wynik, "");

    float shown = 0.3f;
    {
        TMainMenu::Cover panel(mainMenu, [&] { return shown; });
        EXPECT_FLOAT_EQ(mainMenu.buttonsShown(), 0.7f);
        {
            TMainMenu::Cover question(mainMenu, [] { return 1.0f; });
            EXPECT_FLOAT_EQ(mainMenu.buttonsShown(), 0);
        }
        shown = 1;
        ClearRecordedDraws();
        mainMenu.draw();
        EXPECT_EQ(shownOf(RecordedDraws(), kTitleButtons), 0);
    }
    EXPECT_FLOAT_EQ(mainMenu.buttonsShown(), 1);
    ClearRecordedDraws();
    mainMenu.draw();
    EXPECT_FLOAT_EQ(shownOf(RecordedDraws(), kTitleButtons), 1);
}

// The shipped layouts: the pointer that clicked "New game" anywhere rests on "Nay", never on
// "Aye", when "Start over?" opens; the quit and delete-player questions open away from the
// buttons that asked them; a notice's one answer stands where "Nay" stands.
class ShippedQuestionsTest : public MenusTest {
protected:
    void SetUp() override {
        tree = std::string(ZERKON_BINARY_DIR) + "/assets";
        if (const char* env = std::getenv("ZERKON_ASSET_TREE")) tree = env;
        if (!std::filesystem::exists(tree + "/gfx/gui/popUp/en/yes.png")) GTEST_SKIP() << "no built asset tree at " << tree;
        MenusTest::SetUp();
        resetPopUp();
        openDisplay();
        bDir = tree + "/";
    }
    void TearDown() override {
        if (IsSkipped()) return;
        resetPopUp();
        MenusTest::TearDown();
    }
    static bool inside(const TGuiObject& w, float x, float y) {
        return x >= w.dim->x1 && x <= w.dim->x2 && y >= w.dim->y1 && y <= w.dim->y2;
    }
    std::string tree;
};

TEST_F(ShippedQuestionsTest, TheSafeAnswerIsUnderThePointerThatAsked) {
    popUp.setup();
    popUp.prepare("Start over?", nullptr, 1);
    auto yes = popUp.yesButton(), no = popUp.noButton();
    ASSERT_TRUE(yes && no);
    auto asker = [](const std::string& gui, const std::string& name) {
        auto layout = loadGui(bDir + gui);
        return layout ? layout->getItem(name) : nullptr;
    };
    auto startOver = asker("gfx/gui/continueQuest/continue.gui", "new");
    ASSERT_TRUE(startOver);
    for (float fx : {0.0f, 0.25f, 0.5f, 0.75f, 1.0f})
        for (float fy : {0.0f, 0.5f, 1.0f}) {
            const float x = startOver->dim->x1 + fx * (startOver->dim->x2 - startOver->dim->x1);
            const float y = startOver->dim->y1 + fy * (startOver->dim->y2 - startOver->dim->y1);
            EXPECT_TRUE(inside(*no, x, y)) << x << ", " << y;
            EXPECT_FALSE(inside(*yes, x, y)) << x << ", " << y;
        }

    // The title's exit at rest in its column, and the profile panel's delete at rest.
    auto quit = asker("gfx/gui/mainMenu/mainMenu.gui", "exit");
    auto erase = asker("gfx/gui/profileManager/profileManager.gui", "delete");
    ASSERT_TRUE(quit && erase);
    quit->dim->x = TMainMenu::slideX(1);
    quit->countDims();
    for (auto* b : {quit.get(), erase.get()})
        for (float fx : {0.0f, 0.5f, 1.0f})
            for (float fy : {0.0f, 0.5f, 1.0f}) {
                const float x = b->dim->x1 + fx * (b->dim->x2 - b->dim->x1);
                const float y = b->dim->y1 + fy * (b->dim->y2 - b->dim->y1);
                EXPECT_FALSE(inside(*yes, x, y)) << b->_id << " " << x << ", " << y;
            }

    popUp.prepare("Taken!", nullptr, 0);
    EXPECT_FLOAT_EQ(yes->dim->x, no->dim->x);
    EXPECT_FLOAT_EQ(yes->dim->y, no->dim->y);
    popUp.prepare("Sure?", nullptr, 1);
    EXPECT_FLOAT_EQ(yes->dim->x, popUp.yesX);
    EXPECT_FLOAT_EQ(yes->dim->y, popUp.yesY);
    EXPECT_GT(yes->dim->y1, no->dim->y2);
}

}  // namespace
}  // namespace menutest
