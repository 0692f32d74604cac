// The parchment scroll: fade, unroll, roll-up and where its nine pieces land.
#include "panels_fixture.h"

#include <cmath>

namespace paneltest {
namespace {

class PapirusTest : public PanelsTest {
protected:
    // Pieces of distinct sizes, so every offset in a position shows which width it used.
    void writePieces() {
        writePng("gfx/gui/papirus/gora-lewo.png", 40, 60);
        writePng("gfx/gui/papirus/gora-srodek.png", 30, 56);
        writePng("gfx/gui/papirus/gora-prawo.png", 44, 60);
        writePng("gfx/gui/papirus/dol-lewo.png", 38, 62);
        writePng("gfx/gui/papirus/dol-srodek.png", 32, 56);
        writePng("gfx/gui/papirus/dol-prawo.png", 42, 62);
        writePng("gfx/gui/papirus/srodek-lewo.png", 9, 40);
        writePng("gfx/gui/papirus/srodek-prawo.png", 11, 40);
        writePng("gfx/gui/papirus/srodek-srodek.png", 36, 40);
        ASSERT_EQ(TPapirus::setup(), 0);
    }
    // Where each piece was drawn in the last draw, by file name.
    static std::vector<std::pair<float, float>> at(const std::string& file) {
        std::vector<std::pair<float, float>> out;
        for (const auto& d : RecordedDraws())
            if (d.kind == DrawCall::Image && d.what.size() >= file.size() &&
                d.what.compare(d.what.size() - file.size(), file.size(), file) == 0)
                out.push_back({d.x, d.y});
        return out;
    }
    static int updatesUntil(TPapirus& p, const std::function<bool()>& done) {
        int n = 0;
        while (!done() && n < 1000) {
            p.update();
            ++n;
        }
        return n;
    }
};

TEST_F(PapirusTest, OpensByFadingThenUnrollingAndClosesTheOtherWayRound) {
    delta = 1;
    TPapirus p;
    p.start(100, 50, 2, 3);
    // Fade in: 15 frames, the unroll not begun.
    EXPECT_EQ(updatesUntil(p, [&] { return p.a == 1; }), 15);
    EXPECT_FLOAT_EQ(p.per, 0);
    EXPECT_EQ(p.visibleRows(), 1);  // fully shown, rolled up: one row between the rolls
    // The unroll starts on the next update and takes 13.
    EXPECT_EQ(updatesUntil(p, [&] { return p.per == 1; }), 14);
    EXPECT_EQ(p.visibleRows(), 4);
    EXPECT_EQ(p.state, "START");

    // Rolling up: the first update still moves toward the old target, then 13; the fade
    // starts in the update that lands on 0.
    p.hide();
    EXPECT_EQ(updatesUntil(p, [&] { return p.per == 0; }), 14);
    EXPECT_FLOAT_EQ(p.a, 1 - 0.07f);
    EXPECT_EQ(updatesUntil(p, [&] { return p.a == 0; }), 14);
    EXPECT_EQ(p.visibleRows(), 0);

    // Hidden during the fade-in: nothing to roll up, so it fades straight out.
    p.start(0, 0, 1, 4);
    for (int i = 0; i < 5; ++i) p.update();
    p.hide();
    p.update();
    EXPECT_FLOAT_EQ(p.da, 0);
    EXPECT_FLOAT_EQ(p.per, 0);
    EXPECT_LT(p.a, 5 * 0.07f);
}

TEST_F(PapirusTest, RowsFollowTheUnrollOnlyWhileFullyShown) {
    TPapirus p;
    p.height = 5;
    struct Case {
        float a, per;
        int rows;
    } cases[] = {
        {0.99f, 1, 0}, {1, 0, 1}, {1, 0.2f, 2},  // 5 x sin 18 = 1.54
        {1, 0.5f, 4},                            // 5 x sin 45 = 3.54
        {1, 1, 6},
    };
    for (const Case& c : cases) {
        p.a = c.a;
        p.per = c.per;
        EXPECT_EQ(p.visibleRows(), c.rows) << "a " << c.a << " per " << c.per;
    }
    p.height = 0;
    p.per = 1;
    EXPECT_EQ(p.visibleRows(), 1);
}

TEST_F(PapirusTest, PiecesLandWhereTheirNeighboursEnd) {
    writePieces();
    TPapirus p;
    p.start(100, 50, 2, 3);
    p.a = p.da = 1;
    p.per = p.dPer = 1;
    ClearRecordedDraws();
    p.draw();
    // Top roll: left end, three middles at y + 2, right end.
    EXPECT_EQ(at("gora-lewo.png"), (std::vector<std::pair<float, float>>{{100, 50}}));
    EXPECT_EQ(at("gora-srodek.png"), (std::vector<std::pair<float, float>>{{140, 52}, {170, 52}, {200, 52}}));
    EXPECT_EQ(at("gora-prawo.png"), (std::vector<std::pair<float, float>>{{230, 50}}));
    // Rows at x + 31, y + 52, 40 apart; four of them when open.
    auto left = at("srodek-lewo.png");
    ASSERT_EQ(left.size(), 4u);
    EXPECT_EQ(left[0], (std::pair<float, float>{131, 102}));
    EXPECT_EQ(left[3], (std::pair<float, float>{131, 222}));
    auto inner = at("srodek-srodek.png");
    ASSERT_EQ(inner.size(), 12u);
    EXPECT_EQ(inner[0], (std::pair<float, float>{140, 102}));
    EXPECT_EQ(inner[2], (std::pair<float, float>{212, 102}));
    EXPECT_EQ(at("srodek-prawo.png")[0], (std::pair<float, float>{248, 102}));
    // Bottom roll: 62 - 10 below the top, moved down by 3 rows of 40.
    const float yb = 50 + 62 + 120 - 10;
    EXPECT_EQ(at("dol-lewo.png"), (std::vector<std::pair<float, float>>{{100, yb}}));
    EXPECT_EQ(at("dol-srodek.png")[2], (std::pair<float, float>{202, yb + 2}));
    EXPECT_EQ(at("dol-prawo.png"), (std::vector<std::pair<float, float>>{{234, yb}}));
    // Drawing order: rows, top roll, bottom roll; all at full opacity.
    ASSERT_FALSE(RecordedDraws().empty());
    EXPECT_NE(RecordedDraws().front().what.find("srodek-lewo"), std::string::npos);
    EXPECT_NE(RecordedDraws().back().what.find("dol-prawo"), std::string::npos);
    for (const auto& d : RecordedDraws()) EXPECT_FLOAT_EQ(d.alpha, 1);

    // Rolled up and half faded: only the rolls, at sin(45) opacity, bottom roll tucked up.
    p.a = 0.5f;
    p.per = 0;
    ClearRecordedDraws();
    p.draw();
    EXPECT_TRUE(at("srodek-srodek.png").empty());
    EXPECT_EQ(at("dol-lewo.png"), (std::vector<std::pair<float, float>>{{100, 50 + 62 - 10}}));
    for (const auto& d : RecordedDraws()) EXPECT_NEAR(d.alpha, std::sqrt(0.5f), 1e-5);
}

TEST_F(PapirusTest, NeverStartedChangesNothingAndIsInvisible) {
    writePieces();
    TPapirus p;
    for (int i = 0; i < 30; ++i) p.update();
    EXPECT_FLOAT_EQ(p.a, 0);
    EXPECT_FLOAT_EQ(p.per, 0);
    ClearRecordedDraws();
    p.draw();
    for (const auto& d : RecordedDraws()) EXPECT_FLOAT_EQ(d.alpha, 0);
}

TEST_F(PapirusTest, MissingPiecesAreReportedAndLeftOut) {
    writePng("gfx/gui/papirus/gora-lewo.png", 40, 60);
    EXPECT_EQ(TPapirus::setup(), 8);
    EXPECT_EQ(notices.size(), 8u);
    TPapirus p;
    p.start(0, 0, 1, 2);
    p.a = 1;
    p.per = 1;
    ClearRecordedDraws();
    p.draw();
    EXPECT_EQ(at("gora-lewo.png").size(), 1u);
    EXPECT_EQ(RecordedDraws().size(), 1u);
}

}  // namespace
}  // namespace paneltest
