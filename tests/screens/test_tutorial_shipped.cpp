// The shipped tutorial over its own level: the tips of the built asset tree, loaded by the
// tutorial itself, run and drawn by the play screen's loop. Skipped without a built tree
// (ZERKON_ASSET_TREE or build/assets).
#include "shipped_play_fixture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <sstream>

#include "app/profile/profile_manager.h"
#include "gui/data/qcmfile.h"
#include "app/profile/profile_world.h"
#include "platform/strings.h"
#include "screens/tutorial/posibility.h"
#include "screens/tutorial/tutorial.h"
#include "screens/tutorial/tutorial_tip.h"
#include "screens/win/win_screen.h"
#include "gui/text/draw.h"

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
            p->flowType = "CASUAL";
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

// Every tip a new player holds: those of the levels, then those of no level.
TTipList newGameTips() {
    TTipList all = profileWorld().tutorialTips();
    const TTipList& more = profileWorld().specialTips();
    all.insert(all.end(), more.begin(), more.end());
    return all;
}

// The board a tip of the play screen is for: its voyage and its level number, by its level
// key or its start words (a tip naming no voyage is the casual tutorial's).
struct Place {
    std::string voyage = "CASUAL";
    int level = 0;
};

Place placeOf(const TTutorialTip& tip) {
    Place at{"CASUAL", tip.numerLevelu};
    for (const auto& w : tip.conditions) {
        if (!w || w->size() < 2) continue;
        const std::string word = str::upper((*w)[0]);
        if (word == "VOYAGE") at.voyage = str::upper((*w)[1]);
        if (word == "LEVEL" && at.level == 0) at.level = wordInt(*w, 1);
    }
    return at;
}

// The level file of the voyage's first stage with that number, as its flow file lists it.
std::string firstStageBoard(const std::string& voyage, int number) {
    auto f = loadQCMFile(bDir + "data/flow_" + str::lower(voyage) + ".dat");
    const int n = int(f->getFloat("flow::i"));
    for (int i = 1; i <= n; ++i) {
        const std::string k = "flow::level" + std::to_string(i) + "::";
        if (f->getString(k + "gameType") == "MAIN-GAME" && int(f->getFloat(k + "stageN")) == 1 &&
            int(f->getFloat(k + "numer")) == number)
            return f->getString(k + "url");
    }
    return "";
}

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


// ---- where the shipped tips stand ------------------------------------------------------------

struct Box {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool overlaps(const Box& o) const { return x1 < o.x2 && o.x1 < x2 && y1 < o.y2 && o.y1 < y2; }
    Box joined(const Box& o) const {
        return {std::min(x1, o.x1), std::min(y1, o.y1), std::max(x2, o.x2), std::max(y2, o.y2)};
    }
};

std::string show(const Box& b) {
    std::ostringstream s;
    s << "(" << b.x1 << ", " << b.y1 << ")-(" << b.x2 << ", " << b.y2 << ")";
    return s.str();
}

// What a tip's box hides: the bounds of its picture's pixels at least half opaque, placed as
// the tip draws it, centred on its anchor.
Box tipBox(const TTutorialTip& tip) {
    const int W = ImageWidth(tip.back), H = ImageHeight(tip.back);
    int x1 = 0, y1 = 0, x2 = W, y2 = H;
    if (const Pixmap* pm = ImagePixmap(tip.back)) {
        x1 = W, y1 = H, x2 = 0, y2 = 0;
        for (int y = 0; y < pm->height; ++y)
            for (int x = 0; x < pm->width; ++x)
                if ((pm->at(x, y) >> 24) >= 128)
                    x1 = std::min(x1, x), y1 = std::min(y1, y), x2 = std::max(x2, x + 1), y2 = std::max(y2, y + 1);
    }
    const float left = tip.dim->x - float(W) / 2, top = tip.dim->y - float(H) / 2;
    return {left + float(x1), top + float(y1), left + float(x2), top + float(y2)};
}

struct Spot {
    Box box;
    std::string what;
};

Box cellBox(const TTile& t, const TLevel& l) {
    const float w = float(l.cellW()) / 2, h = float(l.cellH()) / 2;
    return {t.x() - w, t.y() - h, t.x() + w, t.y() + h};
}

Box clueBox(const TNumber& n) {
    const float w = TNumber::numWidth(n.txt, n.size) / 2;
    const float h = float(ImageHeight(TNumber::num[size_t(clampSizeClass(n.size))][0])) / 2;
    return {n.dim->x - w, n.dim->y - h, n.dim->x + w + 2, n.dim->y + h + 2};
}

// A whole line of the board: its clues and its cells.
void addLine(std::vector<Spot>& out, TLevel& l, bool row, int i, const std::string& why) {
    const auto& lines = row ? l.numbersHList : l.numbersVList;
    if (i < 0 || i >= int(lines.size())) return;
    const std::string name = (row ? "row " : "column ") + std::to_string(i);
    for (const auto& n : lines[size_t(i)]->lista) out.push_back({clueBox(*n), "a clue of " + name + why});
    const int count = row ? l.cols : l.rows;
    for (int k = 0; k < count; ++k)
        if (TTile* t = row ? l.at(i, k) : l.at(k, i)) out.push_back({cellBox(*t, l), "a cell of " + name + why});
}

// Where an arrow of the tip stands as it bobs, and what lies ahead of its point: the clue it
// points at brings its whole line with it.
void addArrow(std::vector<Spot>& out, TLevel* l, float x, float y, float rot) {
    const float half = 31;  // the arrow picture, 56 x 62, turned any way
    const float dx = std::cos((rot + 90) * 3.14159265f / 180), dy = std::sin((rot + 90) * 3.14159265f / 180);
    const std::string at = " (arrow at " + std::to_string(int(x)) + ", " + std::to_string(int(y)) + ")";
    out.push_back({Box{x - half, y - half, x + half, y + half}.joined(
                       {x + 25 * dx - half, y + 25 * dy - half, x + 25 * dx + half, y + 25 * dy + half}),
                   "the arrow" + at});
    for (float d = 56; d <= 126; d += 5) {
        const float px = x + d * dx, py = y + d * dy;
        out.push_back({{px - 2, py - 2, px + 2, py + 2}, "what the arrow points at" + at});
        if (!l) continue;
        for (bool row : {true, false}) {
            const auto& lines = row ? l->numbersHList : l->numbersVList;
            for (size_t i = 0; i < lines.size(); ++i)
                for (const auto& n : lines[i]->lista) {
                    const Box b = clueBox(*n);
                    if (px >= b.x1 && px <= b.x2 && py >= b.y1 && py <= b.y2) addLine(out, *l, row, int(i), at);
                }
        }
    }
}

// Everything a tip's actions light or point at.
std::vector<Spot> talkedAbout(const TTutorialTip& tip, TLevel* l) {
    std::vector<Spot> out;
    for (const auto& record : tip.allActions) {
        if (!record || record->empty()) continue;
        const TWords& w = *record;
        const std::string word = str::upper(w[0]);
        const bool all = w.size() > 1 && str::upper(w[1]) == "ALL";
        if (l && !all && (word == "LIGHT-UP" || word == "TURN-ON-WITH-LIGHT" || word == "SET-ZADANIE")) {
            if (TTile* t = l->at(wordInt(w, 1), wordInt(w, 2)))
                out.push_back({cellBox(*t, *l), "cell (" + w[1] + ", " + w[2] + ") lit or given a task"});
        } else if (l && word == "SHOW-ROW-POSIBILITY") {
            const int row = wordInt(w, 1);
            addLine(out, *l, true, row, " whose places it shows");
            if (TTile* t = l->at(row, 0)) {
                // The arcs rise half their control height, 40 px, over the row.
                const Box r = cellBox(*t, *l);
                out.push_back({{r.x1 - 150, r.y1 - 40, r.x2 + float(l->cols) * float(l->cellW()), r.y2},
                               "the arcs over the row"});
            }
        } else if ((word == "ARROW" || word == "DOUBLE-ARROW") && w.size() > 3 && str::upper(w[1]) != "LIVING") {
            addArrow(out, l, float(wordInt(w, 1)), float(wordInt(w, 2)), float(wordInt(w, 3)));
        }
    }
    return out;
}

// A tip stands clear of everything it talks about, on the screen: the clues and cells its
// actions light or point at on the real layout of its level, the arrows and where they point,
// the win card with its score, and the hidden-object panel the tips name.
TEST_F(ShippedTutorialTest, NoTipCoversWhatItTalksAbout) {
    std::vector<std::shared_ptr<TTutorialTip>> tips;
    for (const auto* list : {&TTutorial::tipsList, &TTutorial::specialTipsList})
        for (const auto& record : *list)
            if (auto t = std::dynamic_pointer_cast<TTutorialTip>(record)) tips.push_back(t);
    ASSERT_GE(tips.size(), 9u);
    int checked = 0;
    for (const auto& tip : tips) {
        SCOPED_TRACE(tip->id);
        ASSERT_TRUE(tip->back);
        ASSERT_TRUE(tip->dim);
        std::vector<Spot> spots;
        if (tip->screen == "MAIN-GAME") {
            const Place at = placeOf(*tip);
            const std::string file = firstStageBoard(at.voyage, at.level);
            ASSERT_FALSE(file.empty()) << at.voyage << " " << at.level;
            takeLevel(file);
            spots = talkedAbout(*tip, level.get());
        } else if (tip->screen == "WIN-SCREEN") {
            // The card, its score and the go-on line under it, as the card draws them.
            ASSERT_EQ(winScreen.setup(), 0);
            const float cw = float(ImageWidth(winScreen.img)), ch = float(ImageHeight(winScreen.img));
            ASSERT_GT(cw, 0);
            spots.push_back({{400 - cw / 2, 400 - ch / 2, 400 + cw / 2, 400 + ch / 2}, "the win card"});
            SetImageFont(winScreen.font);
            const float w = float(TextWidth(winScreen.txtLevelScore + "00000")), h = float(TextHeight("0"));
            spots.push_back({{400 - w / 2, 530, 400 + w / 2, 530 + h}, "the card's score"});
            spots.push_back({{400 - w / 2, 560, 400 + w / 2, 560 + h}, "the line under the score"});
            spots = [&] {
                auto more = talkedAbout(*tip, nullptr);
                more.insert(more.end(), spots.begin(), spots.end());
                return more;
            }();
        } else {
            spots = talkedAbout(*tip, nullptr);
        }
        const Box box = tipBox(*tip);
        EXPECT_TRUE(box.x1 >= 0 && box.y1 >= 0 && box.x2 <= 1024 && box.y2 <= 768) << "off the screen: " << show(box);
        std::set<std::string> covered;
        for (const Spot& s : spots)
            if (box.overlaps(s.box)) covered.insert(s.what + " " + show(s.box));
        for (const auto& c : covered) ADD_FAILURE() << "the box " << show(box) << " covers " << c;
        // Its words stand on it: the title and the paragraph inside the box's inset.
        SetImageFont(tip->font);
        const float keep = GetAlpha();
        SetAlpha(0);
        const float textH = float(drawSpecText(tip->txt, 0, 0, tip->tw, "LEFT", 0, tip->font, 1));
        SetAlpha(keep);
        EXPECT_GE(tip->titleY, box.y1 + 14) << "the title over the box's top edge";
        EXPECT_GE(tip->ty, tip->titleY + float(TextHeight("A"))) << "the paragraph over the title";
        EXPECT_LE(tip->ty + textH, box.y2 - 16) << "the paragraph over the box's bottom edge";
        ++checked;
    }
    EXPECT_EQ(checked, int(tips.size()));
}

// The first level's win tip closes the lesson: a player who skipped the tutorial never gets
// it over the win card's score, on this level or a later first level; one taught to the end
// gets it once the card is up.
TEST_F(ShippedTutorialTest, TheWinTipOfTheFirstLevelNeverFollowsASkip) {
    auto& p = *profileManager.profile;
    p.lekcjeTutoriala = newGameTips();
    takeLevel("data/levels/casual/001.lvl");
    p.numerStageu = p.numerLevelu = 1;
    ASSERT_TRUE(runUntilState("NORMAL"));
    runFrames(30);
    ASSERT_TRUE(tutorial.actTip) << "the welcome tip stands over the board";
    // The welcome tip clicked away, then "Skip tutorial", as the road does.
    moveTo(640, 700);
    press(1);
    frame();
    release(1);
    runFrames(20);
    mainGame.goSkipTutorial();
    EXPECT_EQ(p.tutorialOn, 0);
    EXPECT_FALSE(tutorial.actTip);

    auto winTip = [&] {
        tutorial.actTip.reset();
        winScreen.fade = 0;
        for (int i = 0; i < 5; ++i) _updateTutorial2(winScreen);
        return tutorial.actTip ? tutorial.actTip->id : std::string();
    };
    EXPECT_EQ(winTip(), "") << "no tip over the card after the skip";
    p.numerStageu = 2;
    EXPECT_EQ(winTip(), "") << "nor on the first level of the next stage";

    // Taught to the end: every tip of the first level shown and gone.
    p.numerStageu = 1;
    p.tutorialOn = 1;
    TTipList left;
    for (const auto& t : newGameTips())
        if (t->numerLevelu != 1) left.push_back(t);
    p.lekcjeTutoriala = left;
    EXPECT_EQ(winTip(), "LEVEL-WON");
}

// ---- the first boards of both voyages ------------------------------------------------------

std::string activeTip() { return tutorial.actTip ? tutorial.actTip->id : std::string(); }

// The tips of the play screen that no level key binds: they name their board by their start
// words.
std::vector<std::shared_ptr<TTutorialTip>> boardTipsOfNoLevel() {
    std::vector<std::shared_ptr<TTutorialTip>> out;
    for (const auto& record : TTutorial::specialTipsList)
        if (auto t = std::dynamic_pointer_cast<TTutorialTip>(record); t && t->screen == "MAIN-GAME") out.push_back(t);
    return out;
}

bool stillPending(const TProfile& p, const std::string& tipId) {
    return std::any_of(p.lekcjeTutoriala.begin(), p.lekcjeTutoriala.end(),
                       [&](const auto& t) { return t && t->id == tipId; });
}

class FirstBoardsTest : public ShippedTutorialTest {
protected:
    // The voyage's stage-1 level `number` started for a player of that voyage; one taught
    // the first casual level to its end no longer holds that level's tips.
    void startBoard(const std::string& voyage, int number, bool taught = true) {
        auto& p = *profileManager.profile;
        p.flowType = voyage;
        p.numerStageu = 1;
        p.numerLevelu = number;
        p.tutorialOn = 1;
        p.lekcjeTutoriala.clear();
        for (const auto& t : newGameTips())
            if (number == 1 || !taught || (t->numerLevelu != 1 && t->id != "LEVEL-WON")) p.lekcjeTutoriala.push_back(t);
        tutorial.actTip.reset();
        const std::string file = firstStageBoard(voyage, number);
        ASSERT_FALSE(file.empty());
        takeLevel(file);
        ASSERT_TRUE(runUntilState("NORMAL"));
        runFrames(30);
    }
    // Uncovers the board's picture cells with the hand, a click each, until it is won.
    void win() {
        for (int pass = 0; pass < 3 && mainGame.state == "NORMAL"; ++pass) {
            for (int r = 0; r < level->rows; ++r)
                for (int c = 0; c < level->cols; ++c)
                    if (mainGame.state == "NORMAL" && level->at(r, c)->isPicture() && !level->at(r, c)->isUncovered())
                        click(*level->at(r, c));
            runFrames(60);
        }
        ASSERT_NE(mainGame.state, "NORMAL");
        runFrames(200);
    }
};

// Both voyages number their levels from 1 in every stage: each first board of the first
// stage starts its own tip in its own voyage, and no board starts the other voyage's tip of
// the same number. Whatever the player did, a board's tips are gone once it is won, so none is
// left for a later stage's board of that number.
TEST_F(FirstBoardsTest, EachFirstBoardTeachesInItsOwnVoyageOnly) {
    struct Case {
        const char* voyage;
        int level;
        const char* tip;  // empty: none
    };
    const Case cases[] = {
        {"CASUAL", 1, "WELCOME"},    {"CASUAL", 2, "EMPTY-ROWS"}, {"CASUAL", 3, "MORE-THAN-HALF"},
        {"CASUAL", 4, "FENCED-IN"},  {"HARD", 1, "HARD-WELCOME"}, {"HARD", 2, ""},
        {"HARD", 3, ""},             {"HARD", 4, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.voyage) + " level " + std::to_string(c.level));
        startBoard(c.voyage, c.level);
        EXPECT_EQ(activeTip(), c.tip);
        if (c.level == 1 && std::string(c.voyage) == "CASUAL") continue;  // the tutorial's own road
        win();
        for (const auto& t : boardTipsOfNoLevel()) {
            const Place at = placeOf(*t);
            if (at.voyage == c.voyage && at.level == c.level) {
                EXPECT_FALSE(stillPending(*profileManager.profile, t->id)) << t->id << " outlives its board";
            }
        }
    }
    // Every such tip is for a board of the table.
    for (const auto& t : boardTipsOfNoLevel()) {
        const Place at = placeOf(*t);
        EXPECT_FALSE(firstStageBoard(at.voyage, at.level).empty()) << t->id;
    }
}

// A player who skipped the casual tutorial is not taught on the next boards either.
TEST_F(FirstBoardsTest, NoMoreCasualTipsAfterASkippedTutorial) {
    for (int number : {2, 3, 4}) {
        SCOPED_TRACE(number);
        startBoard("CASUAL", number, false);
        EXPECT_EQ(activeTip(), "");
    }
}

// A newcomer on the hard voyage's first board: the welcome goes with a click, the empty lines
// tip with the hook on the top row and the first column, the last with the middle of the 9.
TEST_F(FirstBoardsTest, TheHardVoyagesFirstBoardTeachesStepByStep) {
    startBoard("HARD", 1);
    ASSERT_EQ(activeTip(), "HARD-WELCOME");
    EXPECT_EQ(level->tutorialLevel, 0);
    moveTo(1000, 160);
    press(1);
    frame();
    release(1);
    runFrames(40);
    ASSERT_EQ(activeTip(), "HARD-EMPTY-LINES");
    for (int k = 0; k < 15; ++k) click(*level->at(0, k), 2);
    EXPECT_EQ(activeTip(), "HARD-EMPTY-LINES") << "the first column still waits";
    for (int k = 1; k < 15; ++k) click(*level->at(k, 0), 2);
    runFrames(40);
    ASSERT_EQ(activeTip(), "HARD-MORE-THAN-HALF");
    for (int r : {6, 7, 8}) {
        ASSERT_TRUE(level->at(r, 6)->isPicture()) << "the middle of the 9";
        click(*level->at(r, 6));
    }
    runFrames(40);
    EXPECT_EQ(activeTip(), "");
    for (const char* id : {"HARD-WELCOME", "HARD-EMPTY-LINES", "HARD-MORE-THAN-HALF"})
        EXPECT_FALSE(stillPending(*profileManager.profile, id)) << id;
}

// The tutorial's own check passes the first board of either voyage for a new player of it,
// and sees that the casual tutorial is not the hard voyage's.
TEST_F(FirstBoardsTest, TheCheckAcceptsTheFirstBoardOfBothVoyages) {
    for (const char* voyage : {"CASUAL", "HARD"}) {
        SCOPED_TRACE(voyage);
        takeLevel(firstStageBoard(voyage, 1));
        if (level->tutorialLevel) level->turnOffAll();
        EXPECT_EQ(tutorialCannotRun(*level, 1, voyage, newGameTips()), "");
    }
    takeLevel(firstStageBoard("CASUAL", 1));
    level->turnOffAll();
    EXPECT_NE(tutorialCannotRun(*level, 1, "HARD", newGameTips()), "");
}

// Each arrow of the new tips points at the clue its text talks about, on the board as laid out.
TEST_F(FirstBoardsTest, ArrowsPointAtTheCluesTheTipsNameOnTheirBoards) {
    struct Case {
        const char* tip;
        std::set<std::string> clues;  // "row n" or "column n", one per arrow
    };
    const Case cases[] = {
        {"EMPTY-ROWS", {"row 0", "row 4"}},
        {"MORE-THAN-HALF", {"row 2"}},
        {"FENCED-IN", {"column 0", "column 4", "row 1"}},
        {"HARD-WELCOME", {"row 3", "column 6"}},
        {"HARD-EMPTY-LINES", {"row 0", "column 0"}},
        {"HARD-MORE-THAN-HALF", {"column 6"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tip);
        auto tip = tutorial.getTipById(c.tip);
        ASSERT_TRUE(tip);
        const Place at = placeOf(*tip);
        takeLevel(firstStageBoard(at.voyage, at.level));
        ASSERT_TRUE(runUntilState("NORMAL"));
        std::set<std::string> pointed;
        int arrows = 0;
        for (const auto& record : tip->allActions) {
            if (!record || record->size() < 4 || str::upper((*record)[0]) != "ARROW") continue;
            ++arrows;
            const TWords& w = *record;
            const float x = float(wordInt(w, 1)), y = float(wordInt(w, 2)), rot = float(wordInt(w, 3));
            const float dx = std::cos((rot + 90) * 3.14159265f / 180), dy = std::sin((rot + 90) * 3.14159265f / 180);
            // The first clue ahead of the arrow's point, as it bobs.
            std::string hit;
            for (float d = 20; d <= 130 && hit.empty(); d += 2)
                for (bool row : {true, false}) {
                    const auto& lines = row ? level->numbersHList : level->numbersVList;
                    for (size_t i = 0; i < lines.size() && hit.empty(); ++i)
                        for (const auto& n : lines[i]->lista) {
                            const Box b = clueBox(*n);
                            const float px = x + d * dx, py = y + d * dy;
                            if (px >= b.x1 && px <= b.x2 && py >= b.y1 && py <= b.y2)
                                hit = (row ? "row " : "column ") + std::to_string(i);
                        }
                }
            EXPECT_FALSE(hit.empty()) << "the arrow at " << x << ", " << y << " points at no clue";
            pointed.insert(hit);
        }
        EXPECT_EQ(arrows, int(c.clues.size()));
        EXPECT_EQ(pointed, c.clues);
    }
}

}  // namespace
