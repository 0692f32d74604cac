// The award gallery and the details panel: which medals show in colour and which as
// silhouettes for a player, hover and click on the medals, closing with a click beside them,
// and the details panel that only "ok" closes. Headless, with scripted input.
#include "menus_fixture.h"

#include <algorithm>

#include "screens/awards/award_screen.h"
#include "screens/awards/show_award.h"

namespace menutest {
namespace {

// The screen that opened the gallery: it counts its draws.
class Opener : public TEkran {
public:
    int draws = 0;
    int draw() override {
        ++draws;
        return 0;
    }
};

// Award definitions of the fixture: id, kind, level, place. Kind 1 has three levels, kind
// 2 one, kind 3 only a level-2 award, kind 4 one repeatable award; id 7 (kind 5) has no
// picture.
struct Def {
    int id, typ, level, x, y;
};
constexpr Def kDefs[] = {{1, 1, 1, 152, 200}, {2, 1, 2, 152, 200}, {3, 1, 3, 152, 200}, {4, 2, 1, 332, 200},
                         {5, 3, 2, 512, 200}, {6, 4, 1, 692, 200}, {7, 5, 1, 872, 200}};

class GalleryTest : public MenusTest {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        SetEndHandler([](int code) { throw code; });
        resetAwards();
        resetAwardScreen();
        write("txt/en/awardScreen.txt", "Click a medal\nTrophies\n");
        writePng("gfx/gui/awardScreen/back.jpg", 1024, 768);
        writePng("gfx/gui/showAward/panel.png", 380, 440);
        write("gfx/gui/showAward/en/showAward.gui", button("ok", "gfx/b/ok.png", 512, 541, 140, 42));
        writePng("gfx/awards/medal.png", 120, 120);
        for (const Def& d : kDefs) {
            auto a = std::make_shared<TAwardRecord>();
            a->id = d.id;
            a->typ = d.typ;
            a->level = d.level;
            a->x = float(d.x);
            a->y = float(d.y);
            a->title = "Award " + std::to_string(d.id);
            a->opis = "How to earn award " + std::to_string(d.id) + ".";
            if (d.id != 7) {
                a->img = LoadImage(bDir + "gfx/awards/medal.png");
                MidHandleImage(a->img);
            }
            awardsList.push_back(a);
        }
        awardScreen._setupSelf();
        showAward.setup();
        p = makeProfile();
    }
    void TearDown() override {
        SetEndHandler(nullptr);
        resetAwardScreen();
        resetAwards();
        MenusTest::TearDown();
    }
    void hold(int id, int times = 1) {
        for (int i = 0; i < times; ++i) p->awardy.push_back(getAwardByID(id));
    }
    static std::vector<int> ids(const TAwardRecordList& list) {
        std::vector<int> out;
        for (const auto& a : list) out.push_back(a->id);
        return out;
    }
    std::shared_ptr<FakeProfile> p;
    Opener opener;
};

TEST_F(GalleryTest, ShowsTheHighestMedalOfEachKindHeldAndSilhouettesOfTheRest) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> held;  // id, times
        std::vector<int> shown;                 // in colour
        std::vector<int> tested;                // hover-tested, in order
        std::vector<int> counts;                // licznik of the shown ones
    } cases[] = {
        {"nothing held", {}, {}, {1, 4, 6, 7}, {}},
        // The level-1 and level-3 of kind 1: only the level 3, counted alone.
        {"levels 1 and 3", {{1, 1}, {3, 1}}, {3}, {3, 4, 6, 7}, {1}},
        // A kind without a level-1 award appears only once held; a repeatable one counts up.
        {"level 2 only and a repeat", {{5, 1}, {6, 3}}, {5, 6}, {1, 4, 5, 6, 7}, {1, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        p->awardy.clear();
        for (auto [id, n] : c.held) hold(id, n);
        awardScreen.prepare();
        EXPECT_EQ(ids(awardScreen.listaDoWyswietlenia), c.shown);
        EXPECT_EQ(ids(awardScreen.listaDoZbadania), c.tested);
        std::vector<int> counts;
        for (const auto& a : awardScreen.listaDoWyswietlenia) counts.push_back(a->licznik);
        EXPECT_EQ(counts, c.counts);
    }
}

TEST_F(GalleryTest, DrawsSilhouettesUnderTheMedalsAndTheTooltipOfTheOneUnderTheMouse) {
    openDisplay();
    delta = 1;
    hold(1);
    hold(3);
    awardScreen.ekran = &opener;
    awardScreen.prepare();
    awardScreen.alpha = 1;
    mouse.x = 152;
    mouse.y = 200;
    for (int i = 0; i < 60; ++i) awardScreen._updateAwards();
    EXPECT_EQ(awardScreen.overAward, getAwardByID(3));
    ClearRecordedDraws();
    awardScreen.draw();
    EXPECT_EQ(opener.draws, 1);
    int silhouettes = 0, coloured = 0;
    for (const auto& d : RecordedDraws()) {
        if (d.kind != DrawCall::Image || d.what.find("medal.png") == std::string::npos) continue;
        if (d.r == 0 && d.g == 0 && d.b == 0) {
            ++silhouettes;
            EXPECT_NEAR(d.alpha, 0.3f, 1e-6);
        } else if (d.blend == ALPHABLEND) {
            ++coloured;
            EXPECT_FLOAT_EQ(d.x, 152);
        }
    }
    // Kinds 1, 2 and 4 have a level-1 picture (kind 5's award has none); one medal is held.
    EXPECT_EQ(silhouettes, 3);
    EXPECT_EQ(coloured, 1);
    auto text = std::find_if(RecordedDraws().begin(), RecordedDraws().end(),
                             [](const DrawCall& d) { return d.kind == DrawCall::Text && d.what == "Award 3 (1)"; });
    ASSERT_NE(text, RecordedDraws().end());
    EXPECT_NEAR(text->alpha, 1, 1e-6);
}

TEST_F(GalleryTest, HitBoxesHaveInclusiveEdgesAndAnAwardWithoutPictureHasNone) {
    awardScreen.prepare();
    struct Case {
        int x, y;
        int over;  // 0: none
    } cases[] = {{92, 140, 1}, {212, 260, 1}, {91, 200, 0}, {213, 200, 0}, {332, 261, 0}, {872, 200, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        mouse.x = c.x;
        mouse.y = c.y;
        awardScreen._updateAwards();
        EXPECT_EQ(awardScreen.overAward ? awardScreen.overAward->id : 0, c.over);
    }
}

TEST_F(GalleryTest, AClickOnAMedalOpensItsDetailsWhichOnlyOkCloses) {
    openDisplay();
    hold(4);
    // Frame 5: a click on a medal while fading in does nothing. Frame 40: the details of
    // award 4 open. Frames 70 and 100: clicks on the panel and beside it keep it open;
    // frame 130: "ok". Frame 200: a click beside the medals closes the gallery.
    HarnessStart(join({clickAt(5, 332, 200), clickAt(40, 332, 200), clickAt(70, 512, 384), clickAt(100, 900, 700),
                       clickAt(130, 512, 555), clickAt(200, 40, 740)}),
                 600);
    awardScreen.ekran = &opener;
    EXPECT_EQ(awardScreen.mainLoop(), 0);
    EXPECT_EQ(showAward.award, getAwardByID(4));
    EXPECT_EQ(showAward.ekran, &awardScreen);
    const int frames = HarnessFrameNumber();
    EXPECT_GE(frames, 215);
    EXPECT_LE(frames, 225);
    // The gallery changed nothing in the profile.
    EXPECT_EQ(p->awardy.size(), 1u);
    EXPECT_EQ(p->bylAwardsScreen, 0);
}

TEST_F(GalleryTest, AClickBesideTheMedalsClosesItEvenWhileItFadesIn) {
    openDisplay();
    HarnessStart(clickAt(5, 40, 740), 200);
    awardScreen.ekran = &opener;
    awardScreen.mainLoop();
    EXPECT_LE(HarnessFrameNumber(), 12);
    EXPECT_EQ(awardScreen.alpha, 0);
    EXPECT_FALSE(showAward.award);
}

TEST_F(GalleryTest, DetailsShowAnUnheldAwardAtHalfOpacityAndAHeldOneWithThePanel) {
    openDisplay();
    hold(4);
    for (int id : {4, 6}) {
        SCOPED_TRACE(id);
        showAward.prepare(getAwardByID(id), &opener);
        for (float a : {0.4f, 1.0f}) {
            showAward.alpha = a;
            ClearRecordedDraws();
            showAward.draw();
            auto medal = std::find_if(RecordedDraws().begin(), RecordedDraws().end(),
                                      [](const DrawCall& d) { return d.what.find("medal.png") != std::string::npos; });
            ASSERT_NE(medal, RecordedDraws().end());
            EXPECT_FLOAT_EQ(medal->x, 512);
            EXPECT_NEAR(medal->alpha, id == 4 ? a : 0.5f, 1e-6);
        }
    }
}

TEST_F(GalleryTest, TheTitleScreensAwardsButtonOpensTheGalleryOverIt) {
    openDisplay();
    installAwardScreens();
    HarnessStart(clickAt(30, 40, 740), 200);
    mainMenu.goAwards();
    EXPECT_EQ(awardScreen.ekran, static_cast<TEkran*>(&mainMenu));
    EXPECT_GT(HarnessFrameNumber(), 25);
    EXPECT_EQ(awardScreen.alpha, 0);
}

}  // namespace
}  // namespace menutest
