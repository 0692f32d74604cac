// A damaged count in a shipped data file: 1e8 once hung the start (flow, map stages, sea
// creatures) or ended it (stage backgrounds, story texts), 1e30 turned into a negative number
// and emptied the voyage or the map, and a count that is no number emptied them without a
// word. Each is now named in one console line and read no further than the file's records go.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "app/music/music.h"
#include "app/sound.h"
#include "effects/living.h"
#include "game/awards/award_file.h"
#include "game/awards/awards.h"
#include "game/board/tiledata.h"
#include "game/flow/level_manager.h"
#include "game/level/sets.h"
#include "menus_fixture.h"
#include "screens/dialogs/dialog_box.h"
#include "screens/story/story_text.h"

namespace {

namespace fs = std::filesystem;

std::string builtTree() {
    if (const char* env = std::getenv("ZERKON_ASSET_TREE")) return env;
    return std::string(ZERKON_BINARY_DIR) + "/assets";
}

struct CountCase {
    const char* file;   // below the tree
    const char* key;    // the count's path
    const char* line;   // the stored count line, as the file has it (its first such line)
    std::function<size_t()> read;  // runs the game's reader; what it made
};

class ShippedCounts : public menutest::MenusTest {
protected:
    void SetUp() override {
        tree = builtTree();
        if (!fs::exists(tree + "/data/flow_casual.dat") || !fs::exists(tree + "/gfx"))
            GTEST_SKIP() << "no built asset tree at " << tree;
        MenusTest::SetUp();
        resetTileSets();
        resetLivings();
        resetAwards();
        resetDialogBox();
        levelManager.clear();
    }
    void TearDown() override {
        if (IsSkipped()) return;
        resetTileSets();
        resetLivings();
        resetAwards();
        resetDialogBox();
        levelManager.clear();
        MenusTest::TearDown();
    }

    // The scratch folder as the built tree, with `file` in its own copy holding `text`.
    void layTree(const std::string& file, const std::string& text) {
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path().filename() != "user") fs::remove_all(e.path());
        for (const char* top : {"gfx", "sfx", "txt"}) fs::create_directory_symlink(tree + "/" + top, dir / top);
        fs::create_directories(dir / "data");
        for (const auto& e : fs::recursive_directory_iterator(tree + "/data")) {
            const fs::path rel = fs::relative(e.path(), tree);
            if (e.is_directory()) fs::create_directories(dir / rel);
            else if (rel != fs::path(file)) fs::create_symlink(e.path(), dir / rel);
        }
        std::ofstream(dir / file, std::ios::binary) << text;
    }
    std::string shipped(const std::string& file) const {
        std::ifstream in(tree + "/" + file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Runs the reader; returns what it made, and every message (console lines and notices).
    size_t run(const CountCase& c, std::vector<std::string>& messages) {
        notices.clear();
        testing::internal::CaptureStdout();
        const size_t made = c.read();
        const std::string console = testing::internal::GetCapturedStdout();
        messages = notices;
        size_t from = 0;
        for (size_t to; (to = console.find('\n', from)) != std::string::npos; from = to + 1)
            messages.push_back(console.substr(from, to - from));
        return made;
    }

    std::string tree;
};

TEST_F(ShippedCounts, ADamagedCountIsNamedOnceAndReadAsFarAsTheRecordsGo) {
    TStoryTextList story;
    const CountCase cases[] = {
        {"data/flow_casual.dat", "flow::i", "\ti = 77",
         [] {
             levelManager._setupCasual();
             return levelManager.casualLevels.size();
         }},
        {"data/stagebackgrounds.dat", "stagesBackground::i", "\ti = 10",
         [] {
             levelManager._setupBackgroundsByStages();
             return levelManager.backgroundsByStages.size();
         }},
        {"data/mapStages.dat", "mapStages::i", "\ti = 10",
         [] {
             mapa._setupStages();
             return mapa.mapStages.size();
         }},
        {"data/livings.dat", "livings::i", "\ti = 5",
         [] {
             setupLivings();
             return livingList.size();
         }},
        {"data/story-start.dat", "story::i", "\ti = 8",
         [&] {
             loadStoryTexts("data/story-start.dat", "story-start.txt", story);
             return story.size();
         }},
        {"data/story-intro.dat", "story::i", "\ti = 9",
         [&] {
             loadStoryTexts("data/story-intro.dat", "story-texts.txt", story);
             return story.size();
         }},
        {"data/awards.dat", "awards::i", "\ti = 25", [] { return size_t(loadAwardDefinitions()); }},
        {"data/dialogs.dat", "dialogs::i", "\ti = 7",
         [] {
             resetDialogBox();
             dialogBox.setup();
             return dialogBox.dialogTexts.size();
         }},
        {"data/tiles.dat", "tiles::i", "\ti = 4",
         [] {
             loadTiles();
             return tilesList.size();
         }},
        {"data/tresures.dat", "tresures::i", "\ti = 5",
         [] {
             loadTresures();
             return tresuresList.size();
         }},
        {"data/musicQ.txt", "musics::stages", "\tstages = 10",
         [] {
             globalSnd.musicsQ.clear();
             music::setupMusicsQue(globalSnd);
             return globalSnd.musicsQ.size();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string text = shipped(c.file);
        ASSERT_NE(text.find(std::string(c.line) + "\n"), std::string::npos) << "the shipped count changed";
        std::vector<std::string> messages;
        layTree(c.file, text);
        const size_t whole = run(c, messages);
        ASSERT_GT(whole, 0u);
        EXPECT_EQ(messages, std::vector<std::string>{});

        const std::string stored = std::string(c.line).substr(0, std::string(c.line).find('=') + 2);
        for (const char* count : {"100000000", "1e30", "nan"}) {
            SCOPED_TRACE(count);
            std::string damaged = text;
            damaged.replace(damaged.find(c.line), std::string(c.line).size(), stored + count);
            layTree(c.file, damaged);
            EXPECT_EQ(run(c, messages), whole);
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_NE(messages[0].find(std::string(c.file) + ": the count " + c.key + " is "), std::string::npos)
                << messages[0];
        }
    }
}

}  // namespace
