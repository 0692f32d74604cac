// The ".gui" reader: tokens, blocks, entries, nested declarations, the language folder and
// what a broken or missing file gives.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fixtures/widget_env.h"
#include "platform/files.h"
#include "gui/core/gui.h"

namespace {

using widgettest::WidgetEnv;
using Blocks = std::vector<std::vector<std::string>>;

struct TokenCase {
    const char* name;
    std::string text;
    Blocks blocks;
};

TEST(LayoutTokens, CutIntoBlocks) {
    const TokenCase cases[] = {
        {"two plain blocks", "FONT f { SIZE = 3 }\nTEXT t { TXT = hi }",
         {{"FONT", "f", "{", "SIZE", "=", "3"}, {"TEXT", "t", "{", "TXT", "=", "hi"}}},
        {"quotes keep inner blanks", "B b { T = \"hello   world\" }",
         {{"B", "b", "{", "T", "=", "hello   world"}}},
        {"quoted blanks at the ends are trimmed", "B b { T = \"  hi there \" }",
         {{"B", "b", "{", "T", "=", "hi there"}}},
        {"quoted line feed kept", "B b { T = \"a\n b\" }", {{"B", "b", "{", "T", "=", "a\n b"}}},
        {"quotes inside a token", "B b { T = x\"y z\"w }", {{"B", "b", "{", "T", "=", "xy zw"}}},
        {"empty quotes give no token", "B b { T = \"\" F = f }",
         {{"B", "b", "{", "T", "=", "F", "=", "f"}}},
        {"carriage returns are trimmed", "B b {\r\n T = 1\r\n}\r\n", {{"B", "b", "{", "T", "=", "1"}}},
        {"tabs separate", "B\tb\t{\tT\t=\t1\t}", {{"B", "b", "{", "T", "=", "1"}}},
        {"last token without separator", "B b { T = 1 } X", {{"B", "b", "{", "T", "=", "1"}, {"X"}}},
        {"nested braces stay in the block", "BAR m { F f { T = x } }",
         {{"BAR", "m", "{", "F", "f", "{", "T", "=", "x", "}"}}},
        {"glued brace never opens", "B a{ T = 1 } B b { U = 2 }",
         {{"B", "a{", "T", "=", "1", "}", "B", "b", "{", "U", "=", "2", "}"}}},
        {"stray brace swallows what follows", "} B a { T = 1 } B b { U = 2 }",
         {{"}", "B", "a", "{", "T", "=", "1", "}", "B", "b", "{", "U", "=", "2", "}"}}},
        {"empty text", "", {}},
        {"blanks only", "  \n\t \r\n", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TGui::stworzListyTokenow(c.text), c.blocks);
    }
}

struct PathCase {
    std::string in, out;
};

TEST(LayoutPath, LanguageFolderGoesBeforeTheFileName) {
    resetGuiGlobals();
    lang = "pl";
    const PathCase cases[] = {
        {"gfx/gui/popUp/popUp.gui", "gfx/gui/popUp/pl/popUp.gui"},
        {"/abs/dir/menu.gui", "/abs/dir/pl/menu.gui"},
        {"popUp.gui", "/pl/popUp.gui"},
        {"a.b/noext", "a.b/pl/noext."},
        {"x/y/two.dots.gui", "x/y/pl/two.dots.gui"},
    };
    for (const auto& c : cases) EXPECT_EQ(layoutPathForLang(c.in), c.out) << c.in;
    resetGuiGlobals();
}

// What a block builder receives, recorded by a probe block type.
struct Seen {
    std::string name;
    std::vector<std::string> entries;  // "KEY=value"
    std::vector<std::string> nested;   // "TYPE name: KEY=value, ..." (one level shown)
};

std::string describe(const TSmallObject& o) {
    std::string s = o._typ + " " + o._name + ":";
    for (const auto& item : o._tokeny) {
        if (auto e = std::dynamic_pointer_cast<TSimpleEntry>(item))
            s += " " + e->_typ + "=" + e->_value;
        else if (auto d = std::dynamic_pointer_cast<TSmallObject>(item))
            s += " [" + describe(*d) + "]";
    }
    return s;
}

class LayoutReader : public WidgetEnv {
protected:
    void SetUp() override {
        WidgetEnv::SetUp();
        auto probe = [this](const std::string& name, const TEntryList& entries,
                            const TDeclList& nested, TGui*) -> std::shared_ptr<TGuiObject> {
            Seen s{name, {}, {}};
            for (const auto& e : entries) s.entries.push_back(e->_typ + "=" + e->_value);
            for (const auto& d : nested) s.nested.push_back(describe(*d));
            seen.push_back(s);
            return nullptr;
        };
        registerGuiBlock("PROBE", probe);
        registerGuiBlock("BAR", probe);
    }
    void TearDown() override {
        registerGuiBlock("PROBE", nullptr);
        registerGuiBlock("BAR", nullptr);
        WidgetEnv::TearDown();
    }
    std::vector<Seen> seen;
};

struct BlockCase {
    const char* name;
    std::string text;
    std::vector<std::vector<std::string>> entries;  // per block built, in order
    std::vector<std::string> names;
    std::vector<std::string> messages;  // message boxes
    std::vector<std::string> console;   // console lines
};

TEST_F(LayoutReader, EntriesAndRecovery) {
    const std::string kFile = "<dir>/gfx/gui/test/en/test.gui";
    const BlockCase cases[] = {
        {"plain entries", "PROBE p { A = 1 B = \"x y\" }", {{"A=1", "B=x y"}}, {"p"}, {}, {}},
        {"type word in any case", "probe p { A = 1 }", {{"A=1"}}, {"p"}, {}, {}},
        {"keys and names keep their case", "PROBE MixedName { posItion = 1 }",
         {{"posItion=1"}}, {"MixedName"}, {}, {}},
        {"empty quotes shift the block", "PROBE p { TXT = \"\" FONT = f }", {{"TXT=FONT"}}, {"p"},
         {"Nieprawidlowy wpis :f"}, {}},
        {"glued entry is one key", "PROBE p { A=1 B = 2 }", {{"A=1=="}}, {"p"},
         {"Nieprawidlowy wpis :B"}, {}},
        {"unquoted numbers", "PROBE p { POSITION = 10 20 Z = 3 }", {{"POSITION=10", "20=="}},
         {"p"}, {"Nieprawidlowy wpis :Z"}, {}},
        {"type word alone", "PROBE", {{}}, {""}, {}, {}},
        {"type and name only", "PROBE p", {{}}, {"p"}, {}, {}},
        {"glued brace reads out of step", "PROBE a{ A = 1 } PROBE b { B = 2 }",
         {{"==}", "PROBE={", "B=2"}}, {"a{"}, {"Nieprawidlowy wpis :1", "Nieprawidlowy wpis :b"},
         {}},
        // Blocks of a kind nothing builds go whole, without a message box, and the blocks
        // around them still load.
        {"unknown kinds skipped, said once per kind with their line",
         "WIDGETX w { A = 1 }\n\n  widgetx v { }\nPROBE p { B = 2 } WIDGETY x { }", {{"B=2"}},
         {"p"}, {},
         {"Layout " + kFile + ", line 1: unknown block type WIDGETX skipped",
          "Layout " + kFile + ", line 4: unknown block type WIDGETY skipped"}},
        {"unknown block with nested blocks and a body out of step",
         "PROBE a { A = 1 }\nLIST l { ROW r { X = 1 INNER i { } } Y 2 = }\nPROBE b { B = 2 }",
         {{"A=1"}, {"B=2"}}, {"a", "b"}, {},
         {"Layout " + kFile + ", line 2: unknown block type LIST skipped"}},
        {"unknown block at the end of the file", "PROBE a { A = 1 }\nTAIL t { X = 1 }",
         {{"A=1"}}, {"a"}, {}, {"Layout " + kFile + ", line 2: unknown block type TAIL skipped"}},
        {"unclosed unknown block at the end of the file", "PROBE a { A = 1 }\nTAIL t { X = { 1",
         {{"A=1"}}, {"a"}, {}, {"Layout " + kFile + ", line 2: unknown block type TAIL skipped"}},
        // A stray brace opens one block that takes every later block along; it is passed
        // over like any unknown kind.
        {"stray brace skips the rest quietly",
         "PROBE a { A = 1 }\n}\nPROBE p { A = 1 } PROBE q { }",
         {{"A=1"}}, {"a"}, {},
         {"Layout " + kFile + ", line 2: a stray \"}\"; the blocks after it are skipped"}},
        {"stray brace first and last", "} PROBE p { A = 1 }\n}", {}, {}, {},
         {"Layout " + kFile + ", line 1: a stray \"}\"; the blocks after it are skipped"}},
        {"brace alone", "}", {}, {}, {},
         {"Layout " + kFile + ", line 1: a stray \"}\"; the blocks after it are skipped"}},
        {"lone word becomes the type", "\n\"lone\" PROBE p { A = 1 }", {}, {}, {},
         {"Layout " + kFile + ", line 2: unknown block type LONE skipped"}},
    };
    const std::string root = std::filesystem::canonical(dir).string();
    auto placeDir = [&](std::string m) {
        if (size_t at = m.find(root); at != std::string::npos) m.replace(at, root.size(), "<dir>");
        return m;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        seen.clear();
        messages.clear();
        ResetLayoutState();  // each case is a file seen for the first time
        ::testing::internal::CaptureStdout();
        layout(c.text);
        const std::string out = ::testing::internal::GetCapturedStdout();
        ASSERT_EQ(seen.size(), c.entries.size());
        for (size_t i = 0; i < seen.size(); ++i) {
            EXPECT_EQ(seen[i].name, c.names[i]);
            EXPECT_EQ(seen[i].entries, c.entries[i]);
        }
        std::vector<std::string> expected;
        for (const auto& m : c.messages) expected.push_back(" >> BLAD! << : " + m);
        for (auto& m : messages) m = placeDir(m);
        EXPECT_EQ(messages, expected);
        std::vector<std::string> lines;
        for (size_t at = 0, nl; at < out.size(); at = nl + 1) {
            nl = out.find('\n', at);
            if (nl == std::string::npos) nl = out.size();
            lines.push_back(placeDir(out.substr(at, nl - at)));
        }
        EXPECT_EQ(lines, c.console);
    }
}

// Real widgets on both sides of a block of an unknown kind with nested blocks: the font
// declared before it serves the text after it, and no message box opens.
TEST_F(LayoutReader, WidgetsAroundAnUnknownBlockLoad) {
    writeImage("gfx/b.png", 40, 20);
    ::testing::internal::CaptureStdout();
    auto gui = layout(
        "FONT main { URL = fonts/main.ttf SIZE = 20 }\n"
        "BUTTON ok { GFX = gfx/b.png POSITION = \"100 100\" }\n"
        "SCROLLER s { POSITION = \"1 2\" PAGE p { TEXT inner { TXT = x } } }\n"
        "TEXT caption { POSITION = \"10 20 300\" TXT = Ahoy FONT = main }\n"
        "}\n"
        "TEXT lost { TXT = never }\n");
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_TRUE(messages.empty()) << messages.front();
    ASSERT_EQ(gui->_listaObiektow.size(), 2u);
    EXPECT_EQ(gui->_listaObiektow[0]->_id, "ok");
    EXPECT_EQ(gui->_listaObiektow[1]->_id, "caption");
    EXPECT_EQ(gui->getItem("inner"), nullptr);
    EXPECT_EQ(gui->getItem("lost"), nullptr);
    EXPECT_NE(out.find("SCROLLER"), std::string::npos);
    EXPECT_NE(out.find("a stray \"}\""), std::string::npos);

    // The update and drawing run over the loaded widgets as ever.
    pointer(100, 100, 1, 1);
    gui->update();
    EXPECT_EQ(gui->_clicked, "ok");
    gui->draw();
    EXPECT_TRUE(messages.empty());
}

TEST_F(LayoutReader, BarBlocksHoldNestedDeclarations) {
    layout(
        "BAR menu {\n"
        "  POSITION = \"1 2\"\n"
        "  FILE f { TITLE = Plik COMMAND = \"open|Open\" SUB s { X = 1 } }\n"
        "  EDIT e { }\n"
        "  WIDTH = 300\n"
        "}\n"
        "BAR broken { FILE f { TITLE = x\n");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].entries, (std::vector<std::string>{"POSITION=1 2", "WIDTH=300"}));
    EXPECT_EQ(seen[0].nested, (std::vector<std::string>{
                                  "FILE f: TITLE=Plik COMMAND=open|Open [SUB s: X=1]", "EDIT e:"}));
    // A declaration whose closing brace never comes yields nothing.
    EXPECT_EQ(seen[1].name, "broken");
    EXPECT_TRUE(seen[1].nested.empty());
    EXPECT_TRUE(messages.empty());
}

TEST_F(LayoutReader, MissingFileGivesMessageAndEmptyLayout) {
    auto gui = loadGui(bDir + "gfx/gui/nowhere/nowhere.gui");
    ASSERT_NE(gui, nullptr);
    EXPECT_TRUE(gui->_listaObiektow.empty());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], " >> BLAD! << : Plik : " + files::realPath(bDir + "gfx/gui/nowhere/en/nowhere.gui") +
                               " nie istenieje!");
    // Screens may ask it anything.
    gui->update();
    gui->draw();
    EXPECT_EQ(gui->getItem("ok"), nullptr);
    EXPECT_EQ(gui->clickedItem("ok"), 0);
}

TEST_F(LayoutReader, FileWithoutLanguageFolderIsNotFound) {
    writeFile("gfx/gui/test/test.gui", "PROBE p { A = 1 }");
    auto gui = loadGui(bDir + "gfx/gui/test/test.gui");
    EXPECT_TRUE(seen.empty());
    EXPECT_TRUE(messaged("nie istenieje!"));
}

TEST_F(LayoutReader, EmptyOrBlankFileGivesEmptyLayoutSilently) {
    for (const std::string text : {"", "   \n\t\r\n "}) {
        auto gui = layout(text);
        EXPECT_TRUE(gui->_listaObiektow.empty());
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(gui->_myPath, files::realPath(bDir + "gfx/gui/test/en/test.gui"));
    }
}

}  // namespace
