// The text list: the window of entries that fits its box, moved by a slider dragged with
// the real pointer, and the marking of the hovered and the chosen entry as it scrolls.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "toolkit_env.h"
#include "gui/widgets/slider.h"
#include "gui/widgets/textlist.h"

namespace {

using widgettest::kLineH;
using widgettest::ToolkitEnv;

constexpr int kListX = 600, kListY = 120;
constexpr int kSliderX = 930, kSliderTop = 140;

class TextListTest : public ToolkitEnv {
protected:
    std::shared_ptr<TTextList> list(int h, int entries) {
        auto l = createTextList("log", kListX, kListY, 300, h, 247, 222, 113, fixed, 1, 1);
        for (int i = 0; i < entries; ++i)
            l->addText("e" + std::to_string(i), "line " + std::to_string(i));
        return l;
    }
    // The texts drawn, top to bottom, with their rows counted from the box's top.
    std::vector<std::pair<std::string, int>> drawnRows(TGui& gui) {
        ClearRecordedDraws();
        gui.draw();
        std::vector<std::pair<std::string, int>> rows;
        for (const DrawCall& d : draws(DrawCall::Text))
            rows.push_back({d.what, int(d.y - kListY) / kLineH});
        return rows;
    }
    static std::vector<std::pair<std::string, int>> rowsOf(int first, int last) {
        std::vector<std::pair<std::string, int>> rows;
        for (int i = first; i <= last; ++i)
            rows.push_back({"line " + std::to_string(i), i - first});
        return rows;
    }
    void frame(TGui& gui, int x, int y, bool down) {
        pointerFrame(x, y, down);
        gui.update();
    }
    // Grabs the thumb and drags it `dy` pixels, then lets go.
    void dragThumb(TGui& gui, TSuwak& s, int dy) {
        const int grab = kSliderTop + s.ySuwaka + 4;
        frame(gui, kSliderX, grab, true);
        frame(gui, kSliderX, grab + dy, true);
        frame(gui, kSliderX, grab + dy, false);
    }
};

TEST_F(TextListTest, WindowHoldsTheLinesThatFitAndOneMore) {
    struct Case {
        int h;
        int endInt;
    };
    // Lines 20 high: the window ends at the first line that reaches past the box.
    const Case cases[] = {{100, 5}, {99, 4}, {101, 5}, {19, 0}, {0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.h);
        auto l = list(c.h, 8);
        EXPECT_EQ(l->endInt, c.endInt);
        TGui gui;
        gui.addItem(l);
        gui.update();
        const int last = c.endInt < 7 ? c.endInt : 7;
        EXPECT_EQ(drawnRows(gui), rowsOf(0, last));  // later entries stay in the list only
        EXPECT_EQ(l->listaWpisow.size(), 8u);
    }
    // An empty list draws nothing.
    TGui empty;
    empty.addItem(list(100, 0));
    empty.update();
    EXPECT_TRUE(drawnRows(empty).empty());
}

TEST_F(TextListTest, SliderMovesTheWindowAndStopsAtTheEnds) {
    struct Case {
        const char* name;
        int positions;  // of the slider
        int lastStart;  // first line with the thumb at the bottom
    };
    const Case cases[] = {
        {"one position per entry", 10, 9},
        {"one position per start that fills the box", 5, 4},
        {"more positions than entries: the last entry stays", 20, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto l = list(100, 10);  // 6 lines in the window
        l->suwak = createSuwak("scroll", kSliderX, kSliderTop, 160, c.positions, sliderTheme());
        TGui gui;
        gui.addItem(l);
        auto& s = *l->suwak;

        // A step at a time down the track: the window follows the thumb's position,
        // keeps its length, and never jumps back.
        int previous = 0;
        for (int step = 0; step < 12; ++step) {
            dragThumb(gui, s, 15);
            const int start = l->start;
            EXPECT_GE(start, previous);
            previous = start;
            EXPECT_EQ(l->endInt - start, 5);
            EXPECT_EQ(drawnRows(gui), rowsOf(start, std::min(start + 5, 9)));
        }
        EXPECT_EQ(l->start, c.lastStart);

        // Back to the top in one long drag.
        dragThumb(gui, s, -400);
        EXPECT_EQ(s.ySuwaka, 0);
        EXPECT_EQ(l->start, 0);
        EXPECT_EQ(drawnRows(gui), rowsOf(0, 5));

        // Entries added later join the window where they fall in it.
        dragThumb(gui, s, 400);
        const int bottom = l->start;
        l->addText("late", "line 10");
        EXPECT_EQ(drawnRows(gui), rowsOf(bottom, std::min(bottom + 5, 10)));
    }
}

TEST_F(TextListTest, MarksFollowTheirEntriesWhileScrolling) {
    auto l = list(100, 10);
    l->suwak = createSuwak("scroll", kSliderX, kSliderTop, 160, 10, sliderTheme());
    l->setRGB(122, 74, 36);
    l->clickedOption = l->listaWpisow[3];
    l->overedOption = l->listaWpisow[4];
    TGui gui;
    gui.addItem(l);
    auto marks = [&] {
        ClearRecordedDraws();
        gui.draw();
        std::vector<std::pair<int, float>> out;  // row, opacity
        for (const DrawCall& d : draws(DrawCall::Rect)) {
            EXPECT_EQ(d.r, 122);
            EXPECT_EQ(d.w, 300);
            EXPECT_EQ(d.h, kLineH);
            out.push_back({int(d.y - kListY) / kLineH, d.alpha});
        }
        return out;
    };
    using Marks = std::vector<std::pair<int, float>>;
    EXPECT_EQ(marks(), (Marks{{3, 0.7f}, {4, 0.3f}}));
    // Two lines down: the marks move up with their entries.
    while (l->start < 2) dragThumb(gui, *l->suwak, 4);
    ASSERT_EQ(l->start, 2);
    EXPECT_EQ(marks(), (Marks{{1, 0.7f}, {2, 0.3f}}));
    // Scrolled past them: nothing is marked.
    while (l->start < 5) dragThumb(gui, *l->suwak, 4);
    EXPECT_TRUE(marks().empty());

    // A press on the list reports neither the list nor a line: it chooses nothing itself.
    frame(gui, kListX + 20, kListY + 30, true);
    frame(gui, kListX + 20, kListY + 30, false);
    EXPECT_EQ(gui._clicked, "");
    EXPECT_EQ(l->clickedOption, l->listaWpisow[3]);
}

}  // namespace
