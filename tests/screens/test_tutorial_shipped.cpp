// The shipped tutorial over its own level: the tips of the built asset tree, loaded by the
// tutorial itself, run and drawn by the play screen's loop. Skipped without a built tree
// (ZERKON_ASSET_TREE or build/assets).
#include "shipped_play_fixture.h"

#include <cmath>
#include <sstream>

#include "app/profile/profile_manager.h"
#include "app/profile/profile_world.h"
#include "platform/strings.h"
#include "screens/tutorial/posibility.h"
#include "screens/tutorial/tutorial.h"
#include "screens/tutorial/tutorial_tip.h"
#include "screens/win/win_screen.h"

namespace {

using playtest::ShippedPlayTest;

class ShippedTutorialTest : public ShippedPlayTest {
protected:
    void SetUp() override {
        ShippedPlayTest::SetUp();
        if (IsSkipped()) return;
        installTutorial();
        tutorial.setup();
        // The player holds every tip still to come, as a new player does; a tutorial whose
        // player holds none of the level's tips is let go on its first step.
        if (auto* p = profileManager.profile.get()) {
            p->tutorialOn = 1;
            p->lekcjeTutoriala = profileWorld().tutorialTips();
        }
    }
    void TearDown() override {
        if (!IsSkipped()) {
            resetTutorial();
            resetPlayHooks();
            winHooks() = TWinHooks{};
        }
        ShippedPlayTest::TearDown();
    }
};

// The lengths of the runs of picture cells in a row, left to right.
std::vector<int> runs(const std::vector<bool>& row) {
    std::vector<int> out;
    int n = 0;
    for (bool on : row) {
        if (on) ++n;
        if (!on && n) out.push_back(n), n = 0;
    }
    if (n) out.push_back(n);
    return out;
}

bool drawsArcs(const std::string& kind) { return kind == "3_ROW" || kind == "2_AND_1_ROW"; }

// A piece of an arc: a line in the arcs' cyan or yellow.
bool isArc(const DrawCall& d) {
    const bool cyan = d.r == 0 && d.g == 255 && d.b == 255;
    const bool yellow = d.r == 255 && d.g == 255 && d.b == 0;
    return d.kind == DrawCall::Line && (cyan || yellow);
}

struct Arc {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// The arcs of a frame: each is a chain of arc lines, every one starting where the one
// before it ended.
std::vector<Arc> arcsOf(const std::vector<DrawCall>& draws) {
    std::vector<Arc> out;
    bool open = false;
    for (const DrawCall& d : draws) {
        if (!isArc(d)) {
            open = false;
            continue;
        }
        if (!open || std::fabs(out.back().x2 - d.x) > 0.01f || std::fabs(out.back().y2 - d.y) > 0.01f)
            out.push_back({d.x, d.y, d.x, d.y});
        out.back().x2 = d.x + d.w;
        out.back().y2 = d.y + d.h;
        open = true;
    }
    return out;
}

// A tip of the first level shows the places of a row's runs with the arcs, and each place
// it shows is a true filling of that row's numbers.
TEST_F(ShippedTutorialTest, ATipOfTheFirstLevelShowsARowsPlacesWithArcs) {
    takeLevel("data/levels/casual/001.lvl");
    ASSERT_NE(level->tutorialLevel, 0);
    std::shared_ptr<TTutorialTip> tip;
    TWords show;
    for (const auto& record : TTutorial::tipsList) {
        auto t = std::dynamic_pointer_cast<TTutorialTip>(record);
        if (!t || t->numerLevelu != 1) continue;
        for (const auto& words : t->allActions)
            if (words && words->size() > 5 && str::upper((*words)[0]) == "SHOW-ROW-POSIBILITY" &&
                drawsArcs(str::upper((*words)[2]))) {
                tip = t;
                show = *words;
            }
    }
    ASSERT_TRUE(tip) << "no tip of the first level shows a row's places with arcs";
    EXPECT_EQ(tip->screen, "MAIN-GAME");

    const int row = wordInt(show, 1);
    ASSERT_GE(row, 0);
    ASSERT_LT(row, level->rows);
    std::vector<bool> solution;
    for (int c = 0; c < level->cols; ++c) solution.push_back(level->at(row, c)->isPicture() != 0);
    for (size_t i = 5; i < show.size(); ++i) {
        const std::string& pattern = show[i];
        ASSERT_EQ(int(pattern.size()), level->cols) << pattern;
        std::vector<bool> lit;
        for (char ch : pattern) lit.push_back(marksCell(ch));
        EXPECT_EQ(runs(lit), runs(solution)) << pattern << " is no filling of row " << row;
    }

    // Started over the board, the tip's display stands on that row and draws its arcs. The
    // arcs sit at fixed places, so on the board as laid out they must run from the row's
    // numbers, left of the grid, to a cell of that row which the pattern shown lights.
    ASSERT_TRUE(runUntilState("NORMAL"));
    ASSERT_GE(level->rows, 2);
    ASSERT_GE(level->cols, 2);
    const float rowY = level->at(row, 0)->y();
    const float halfH = (level->at(1, 0)->y() - level->at(0, 0)->y()) / 2;
    const float pitchX = level->at(0, 1)->x() - level->at(0, 0)->x();
    const float gridLeft = level->at(0, 0)->x() - pitchX / 2;
    auto inRow = [&](float y) { return std::fabs(y - rowY) <= halfH; };
    tutorial.startTutorial(tip);
    int arcFrames = 0;
    bool onRow = false;
    std::string misplaced;
    for (int i = 0; i < 400; ++i) {
        ClearRecordedDraws();
        runFrames(1);
        const auto arcs = arcsOf(RecordedDraws());
        if (!arcs.empty()) ++arcFrames;
        const auto& shown = tip->actPosibility;
        onRow = onRow || (shown && shown->n == row);
        if (arcs.empty() || !misplaced.empty()) continue;
        ASSERT_TRUE(shown);
        ASSERT_LT(size_t(shown->actPos), shown->pos.size());
        const std::string& pattern = shown->pos[size_t(shown->actPos)];
        for (const Arc& a : arcs) {
            const int col = int(std::floor((a.x2 - gridLeft) / pitchX));
            const bool lit = col >= 0 && col < int(pattern.size()) && marksCell(pattern[size_t(col)]);
            if (inRow(a.y1) && inRow(a.y2) && a.x1 < gridLeft && lit) continue;
            std::ostringstream why;
            why << "the arc (" << a.x1 << ", " << a.y1 << ") to (" << a.x2 << ", " << a.y2
                << ") over pattern " << pattern << " misses row " << row << " (cells at y " << rowY
                << " +- " << halfH << ", grid from x " << gridLeft << ")";
            misplaced = why.str();
            break;
        }
    }
    EXPECT_TRUE(onRow);
    EXPECT_GT(arcFrames, 100);
    EXPECT_EQ(misplaced, "");
}

}  // namespace
