#pragma once
// The story screens' set-up: the menus' scratch tree and clock, the story fonts made fixed
// (every "A" 40 high, every character 10 wide) and fresh story screens.
#include "app/options_screen/options_screen.h"
#include "app/router.h"
#include "menus_fixture.h"
#include "screens/play/main_game.h"
#include "screens/story/credits.h"
#include "screens/story/ending_screen.h"
#include "screens/story/story_text.h"
#include "screens/win/win_screen.h"

namespace storytest {

class StoryTest : public menutest::MenusTest {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        resetStoryResources();
        resetCredits();
        resetEndingScreen();
        TStoryText::font = {CreateFixedFont(10, 40), CreateFixedFont(12, 50)};
    }
    void TearDown() override {
        // What installStoryScreens plugged in.
        control::reset();
        resetOptionsScreen();
        winHooks() = TWinHooks{};
        resetPlayHooks();
        resetStoryResources();
        resetCredits();
        resetEndingScreen();
        MenusTest::TearDown();
    }
    // The recorded texts of the last frame(s) whose text is `what`.
    static std::vector<DrawCall> textDraws(const std::string& what) {
        std::vector<DrawCall> out;
        for (const auto& d : RecordedDraws())
            if (d.kind == DrawCall::Text && d.what == what) out.push_back(d);
        return out;
    }
    // A story data file of blocks {line, x, y, start, life, font}.
    struct Block {
        int line, x, y, start, life, font;
    };
    static std::string storyFile(const std::vector<Block>& blocks) {
        std::string s = "story {\n\ti = " + std::to_string(blocks.size()) + "\n";
        for (size_t k = 0; k < blocks.size(); ++k) {
            const Block& b = blocks[k];
            s += "\ttext" + std::to_string(k + 1) + " {\n\t\ttxt = " + std::to_string(b.line) + "\n\t\tdim = " +
                 std::to_string(b.x) + ", " + std::to_string(b.y) + "\n\t\tstartTime = " + std::to_string(b.start) +
                 "\n\t\tlifeTime = " + std::to_string(b.life) + "\n\t\tfont = " + std::to_string(b.font) + "\n\t}\n";
        }
        return s + "}\n";
    }
};

}  // namespace storytest
