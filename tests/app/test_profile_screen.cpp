// The profile screen's loop: the panel slides, the buttons wait for it, "ok" closes and
// saves, and the built-in name entry and question answer the keyboard.
#include "gui/core/gui.h"
#include "gui/widgets/button.h"
#include "test_profile_support.h"

namespace {

std::vector<ScriptCommand> script(const std::string& text) {
    std::vector<ScriptCommand> out;
    std::string error;
    EXPECT_TRUE(ParseScript(text, out, error)) << error;
    return out;
}

class ProfileScreenTest : public ProfileTest {
protected:
    void SetUp() override {
        ProfileTest::SetUp();
        Graphics(1024, 768);
        // 1000/60 ms a flip, so delta is one frame.
        SetClockSource([] { return 100000 + HarnessFrameNumber() * 50 / 3; });
        SetEndHandler([](int) { throw std::runtime_error("ended"); });
        auto& savers = gameDataSavers();
        savers.profiles = [this] { ++saves; };
        savers.hasCurrentProfile = [] { return profileManager.profile != nullptr; };
        auto& m = profileManager;
        m.Gui = createGui();
        for (const char* n : {"ok", "new", "delete", "rename", "up", "down"}) {
            auto b = std::make_shared<TButton>();
            b->_id = n;
            b->_pomRememberY = 500;
            m.Gui->addItem(b);
        }
        m.Gui->getItem("ok")->setKey(KEY_ENTER);
        m.Gui->getItem("down")->setKey('D');
    }
    void TearDown() override {
        SetEndHandler(nullptr);
        ResetHarness();
        gameDataSavers() = GameDataSavers{};
        ProfileTest::TearDown();
    }
    int saves = 0;
};

TEST_F(ProfileScreenTest, PanelSlidesInTheButtonsWaitAndOkClosesAndSavesTwice) {
    auto& m = profileManager;
    for (int i = 0; i < 10; ++i) m.listaProfili.push_back(createNewProfile("P" + std::to_string(i)));
    // Enter and D while sliding in do nothing; D then Enter once open.
    HarnessStart(script("3 key ENTER\n5 key D\n30 key D\n32 key ENTER\n200 quit\n"), -1);
    deltaUpdate();  // the main menu's last frame
    ASSERT_NO_THROW(m.mainLoop()) << m.per << " " << m.dPer << " " << m.startP << " " << HarnessFrameNumber();
    EXPECT_EQ(m.startP, 1);
    EXPECT_EQ(m.profile, m.listaProfili[0]);  // the first profile was made current
    EXPECT_EQ(saves, 2);
    EXPECT_EQ(m.per, 0.0f);
    EXPECT_FLOAT_EQ(m.startY, 750.0f);
    auto ok = m.Gui->getItemAs<TButton>("ok");
    EXPECT_FLOAT_EQ(ok->dim->y, 1100.0f);  // slid down with the panel
    int frames = HarnessFrameNumber();
    EXPECT_GE(frames, 32 + 20);
    EXPECT_LT(frames, 32 + 25);
}

TEST_F(ProfileScreenTest, BuiltInNameEntryTakesLettersAndDigitsOnly) {
    TEkran beneath;
    HarnessStart(script("2 type A n-n 5!\n4 key BACKSPACE\n6 key ENTER\n"), -1);
    EXPECT_EQ(profileDialogs().enterName(beneath, "Name", 1, ""), "Ann");
}

TEST_F(ProfileScreenTest, BuiltInNameEntryRefusesATakenNameAndCannotBeCancelledWithoutAProfile) {
    TEkran beneath;
    profileManager.txtProfilIstnieje = "Taken";
    profileManager.listaProfili.push_back(createNewProfile("Ann"));
    // "ANN" is refused (the notice closes with Enter), Escape is ignored while there is no
    // current profile, then a fresh name is accepted.
    HarnessStart(script("2 type ANN\n4 key ENTER\n8 key ENTER\n10 key ESCAPE\n12 key BACKSPACE\n13 key BACKSPACE\n"
                        "14 key BACKSPACE\n16 type Bo\n18 key ENTER\n"),
                 -1);
    EXPECT_EQ(profileDialogs().enterName(beneath, "Name", 1, ""), "Bo");
    profileManager.profile = profileManager.listaProfili[0];
    HarnessStart(script("2 key ESCAPE\n"), -1);
    EXPECT_EQ(profileDialogs().enterName(beneath, "Name", 0, "Ann"), "");
}

TEST_F(ProfileScreenTest, BuiltInQuestion) {
    TEkran beneath;
    struct Case {
        const char* keys;
        int32_t answer;
    } cases[] = {{"2 key ENTER\n", 1}, {"2 key Y\n", 1}, {"2 key ESCAPE\n", 0}, {"2 key N\n", 0}};
    for (const auto& c : cases) {
        ResetHarness();
        HarnessStart(script(c.keys), -1);
        EXPECT_EQ(profileDialogs().yesOrNo("Sure?", beneath), c.answer) << c.keys;
    }
}

}  // namespace
