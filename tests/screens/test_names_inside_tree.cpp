// A name read from the player's saved level or from a text of the asset tree is joined to the
// asset folder: one that leads out of it (up with "..", from the root, with another system's
// separators) is never opened, and the reader says so once.
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "game/flow/level_manager.h"
#include "gui/data/txtfile.h"
#include "minigames/hidden_object/ho_level_file.h"
#include "minigames/lay_puzzle/lp_level_file.h"
#include "minigames/puzzle_express/pe_level_file.h"
#include "screens/tutorial/tutorial.h"
#include "screens/tutorial/tutorial_tip.h"
#include "support/reset_state.h"
#include "support/scratch_tree.h"

namespace {

namespace fs = std::filesystem;

class NamesInsideTree : public ScratchTreeTest {
protected:
    void SetUp() override {
        resetPlatformAndToolkit();
        openScratch("zerkon_names_");
        // The tree is a folder of the scratch folder; beside it lie a picture and a text that
        // a name leading out of the tree would reach.
        bDir = (dir / "tree").string() + "/";
        writePng("outside/x.png", 8, 8);
        write("outside/tips.txt", "OUTSIDE\nOUTSIDE\n");
        write("tree/txt/en/tips.txt", "Inside\nInside\n");
        write("tree/txt/en/hiddenObject.txt", "Hidden Object\n");
        write("tree/txt/en/puzzleTexts.txt", "Puzzle\n");
        levelManager.clear();
    }
    void TearDown() override {
        levelManager.clear();
        resetTutorial();
        closeScratch();
    }
    // Console lines written while `fn` runs.
    template <class Fn>
    static std::vector<std::string> consoleOf(Fn&& fn) {
        testing::internal::CaptureStdout();
        fn();
        const std::string out = testing::internal::GetCapturedStdout();
        std::vector<std::string> lines;
        size_t from = 0;
        for (size_t to; (to = out.find('\n', from)) != std::string::npos; from = to + 1)
            lines.push_back(out.substr(from, to - from));
        return lines;
    }
};

struct Reader {
    const char* what;
    const char* file;  // the outside file its names point at
    // Reads a file naming `name`; true when the file named was read. `said` gets the
    // reader's messages.
    std::function<bool(const std::string& name, std::vector<std::string>& said)> read;
};

TEST_F(NamesInsideTree, ANameLeadingOutOfTheTreeIsNotOpened) {
    const std::string user = (dir / "user").string();
    auto save = [&](const std::string& text) {
        std::ofstream(user + "/level.lvl", std::ios::binary) << text;
        return user + "/level.lvl";
    };
    const Reader readers[] = {
        {"saved hidden-object scene", "x.png",
         [&](const std::string& name, std::vector<std::string>& said) {
             auto l = loadHOLevel(save("level {\n\tbackground = \"" + name + "\"\n}\n"), &said);
             return l->background != nullptr;
         }},
        {"its background element", "x.png",
         [&](const std::string& name, std::vector<std::string>& said) {
             auto l = loadHOLevel(save("level {\n\tobiektyTla {\n\t\ti = 1\n\t\tobj1 {\n\t\t\timg = \"" + name +
                                       "\"\n\t\t}\n\t}\n}\n"),
                                  &said);
             return l->obiektyTla.size() == 1 && l->obiektyTla.front()->img != nullptr;
         }},
        {"saved inlay level", "x.png",
         [&](const std::string& name, std::vector<std::string>& said) {
             auto l = loadLayPuzzleLevel(save("lplLevel {\n\tobject {\n\t\timg = \"" + name + "\"\n\t}\n}\n"), &said);
             return l->PEObj->img != nullptr;
         }},
        {"saved block-puzzle level", "x.png",
         [&](const std::string& name, std::vector<std::string>& said) {
             auto l =
                 loadPuzzleExpressLevel(save("PELevel {\n\tobject {\n\t\timg = \"" + name + "\"\n\t}\n}\n"), &said);
             return l->PEObj->img != nullptr;
         }},
        {"level of the voyage", "x.png",
         [&](const std::string& name, std::vector<std::string>& said) {
             write("tree/data/flow_casual.dat", "flow {\n\ti = 1\n\tlevel1 {\n\t\tnumer = 1\n\t\turl = \"" + name +
                                                      "\"\n\t\tgameType = \"MAIN-GAME\"\n\t\tstageN = 1\n\t}\n}\n");
             said = consoleOf([] { levelManager._setupCasual(); });
             return levelManager.casualLevels.size() == 1 && !levelManager.casualLevels[0]->url.empty();
         }},
        {"tutorial texts", "tips.txt",
         [&](const std::string& name, std::vector<std::string>& said) {
             write("tree/data/tutorial.dat", "tutorial {\n\ti = 1\n\ttxtFile = \"" + name +
                                                   "\"\n\ttut1 {\n\t\tid = \"A\"\n\t\ttitle = 1\n\t}\n}\n");
             resetTutorial();
             said = consoleOf([] { tutorial.setup(); });
             const auto& tips = TTutorial::specialTipsList;
             auto tip = tips.empty() ? nullptr : std::dynamic_pointer_cast<TTutorialTip>(tips.front());
             return tip && (tip->title == "Inside" || tip->title == "OUTSIDE");
         }},
    };
    for (const auto& r : readers) {
        SCOPED_TRACE(r.what);
        // The reader takes a name inside the tree as it is.
        const std::string inside = std::string("txt/en/") + (std::string(r.file) == "x.png" ? "x.png" : "tips.txt");
        if (std::string(r.file) == "x.png") writePng("tree/txt/en/x.png", 8, 8);
        std::vector<std::string> said;
        EXPECT_TRUE(r.read(inside, said)) << "the name inside the tree was not read";

        const std::string names[] = {
            std::string("../outside/") + r.file,
            std::string("txt/../../outside/") + r.file,
            (dir / "outside" / r.file).string(),  // from the root
            std::string("..\\outside\\") + r.file,
            std::string("C:/outside/") + r.file,
        };
        for (const auto& name : names) {
            SCOPED_TRACE(name);
            said.clear();
            EXPECT_FALSE(r.read(name, said));
            int naming = 0;
            for (const auto& s : said)
                if (s.find(name) != std::string::npos && s.find("outside the game's folders") != std::string::npos)
                    ++naming;
            EXPECT_EQ(naming, 1) << ::testing::PrintToString(said);
        }
    }
}

}  // namespace
