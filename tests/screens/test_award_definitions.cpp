// The award definitions: the reader's mapping of keys to fields, its handling of broken
// records, the shipped definitions, and the profiles that find their awards by id in them.
#include "menus_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <map>

#include "app/profile/profile_file.h"
#include "app/profile/profile_world.h"
#include "game/awards/award_file.h"
#include "game/flow/flow_world.h"
#include "gui/data/qcmfile.h"
#include "gui/data/txtfile.h"

namespace menutest {
namespace {

// One award group holding `body`.
std::string group(int k, const std::string& body) {
    return "\taward" + std::to_string(k) + " {\n" + body + "\t}\n";
}
std::string full(int id, int typ, int level, int name, const std::string& img, int wiel, int value,
                 const std::string& dim) {
    return "\t\tid = " + std::to_string(id) + "\n\t\ttyp = " + std::to_string(typ) + "\n\t\tlevel = " +
           std::to_string(level) + "\n\t\tname = " + std::to_string(name) + "\n\t\topis = " +
           std::to_string(name + 1) + "\n\t\totrzymanie = " + std::to_string(name + 2) + "\n\t\timg = \"" + img +
           "\"\n\t\twielorazowy = " + std::to_string(wiel) + "\n\t\tvalue = " + std::to_string(value) +
           "\n\t\tdim = " + dim + "\n";
}

class AwardDefinitionsTest : public MenusTest {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        resetAwards();
        write("txt/en/awards.txt", "Sharp Mind\nNo hits, three times.\nWell done.\nCoin Collector\nRich.\nRicher.\n");
        writePng("gfx/awards/a.png", 60, 40);
    }
    void TearDown() override {
        resetAwards();
        MenusTest::TearDown();
    }
    // Reads "awards { <body> }" and returns what the reader printed.
    std::string read(const std::string& body) {
        write("data/awards.dat", "awards {\n" + body + "}\n");
        testing::internal::CaptureStdout();
        loadAwardDefinitions();
        return testing::internal::GetCapturedStdout();
    }
};

TEST_F(AwardDefinitionsTest, FieldsComeFromTheirKeysInFileOrder) {
    std::string out = read("\ti = 3\n" + group(1, full(7, 3, 2, 1, "gfx/awards/a.png", 1, 40, "512.5, 200")) +
                           group(2, full(7, 9, 1, 4, "gfx/awards/a.png", 0, 5, "10, 20")) +
                           group(3, full(2, 1, 1, 4, "GFX/Awards/A.png", 0, 0, "1, 2")));
    EXPECT_EQ(out, "");
    ASSERT_EQ(awardsList.size(), 3u);
    const auto& a = *awardsList[0];
    EXPECT_EQ(a.id, 7);
    EXPECT_EQ(a.typ, 3);
    EXPECT_EQ(a.level, 2);
    EXPECT_EQ(a.title, "Sharp Mind");
    EXPECT_EQ(a.opis, "No hits, three times.");
    EXPECT_EQ(a.opisReceive, "Well done.");
    EXPECT_EQ(a.wielorazowy, 1);
    EXPECT_EQ(a.value, 40);
    EXPECT_FLOAT_EQ(a.x, 512.5f);
    EXPECT_FLOAT_EQ(a.y, 200);
    ASSERT_TRUE(a.img);
    float hx = 0, hy = 0;
    GetImageHandle(a.img, hx, hy);
    EXPECT_FLOAT_EQ(hx, 30);
    EXPECT_FLOAT_EQ(hy, 20);
    // The gallery's own fields keep their start values.
    EXPECT_EQ(a.show, 0);
    EXPECT_EQ(a.licznik, 0);
    EXPECT_EQ(awardsList[1]->title, "Coin Collector");
    EXPECT_TRUE(awardsList[2]->img) << "picture paths resolve without regard to case";
    // Two awards with one id: both kept, the lookup finds the first.
    EXPECT_EQ(getAwardByID(7), awardsList[0]);
    EXPECT_EQ(getAwardByID(2), awardsList[2]);
    EXPECT_EQ(getAwardByID(99), nullptr);
}

TEST_F(AwardDefinitionsTest, BrokenRecordsReadWithDefaultsAndAreReported) {
    const std::string good = group(1, full(1, 1, 1, 1, "gfx/awards/a.png", 0, 3, "100, 200"));
    struct Case {
        const char* what;
        std::string body;
        size_t count;
        const char* message;  // "" when nothing is to be said
    } cases[] = {
        {"no count: empty list", good, 0, ""},
        {"count 0", "\ti = 0\n" + good, 0, ""},
        {"negative count", "\ti = -4\n" + good, 0, "negative award count"},
        {"a count far above the groups is cut to them", "\ti = 1e9\n" + good, 1, "records end at number 1"},
        {"a numbered group missing", "\ti = 2\n" + good + group(3, full(3, 1, 1, 1, "gfx/awards/a.png", 0, 1, "1, 1")),
         2, "award2 is missing"},
        {"no id", "\ti = 1\n" + group(1, "\t\timg = \"gfx/awards/a.png\"\n\t\tdim = 1, 2\n"), 1, "award1 has no id"},
        {"no picture key", "\ti = 1\n" + group(1, "\t\tid = 4\n\t\tdim = 1, 2\n"), 1, "not loaded"},
        {"a picture that is not there", "\ti = 1\n" + group(1, full(4, 1, 1, 1, "gfx/awards/gone.png", 0, 1, "1, 2")),
         1, "gfx/awards/gone.png"},
        {"dim with one value", "\ti = 1\n" + group(1, full(4, 1, 1, 1, "gfx/awards/a.png", 0, 1, "7")), 1,
         "\"dim\" needs two numbers"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string out = read(c.body);
        ASSERT_EQ(awardsList.size(), c.count);
        if (*c.message) {
            EXPECT_NE(out.find(c.message), std::string::npos) << out;
        } else {
            EXPECT_EQ(out, "");
        }
        for (const auto& a : awardsList) {
            ASSERT_TRUE(a);
            // Whatever broke, the award still draws and measures safely.
            if (!a->img) {
                EXPECT_EQ(ImageWidth(a->img), 0);
                EXPECT_EQ(ImageHeight(a->img), 0);
            }
        }
    }
    // The last case keeps the value it has.
    EXPECT_FLOAT_EQ(awardsList[0]->x, 7);
    EXPECT_FLOAT_EQ(awardsList[0]->y, 0);

    // A text line of 0 or past the end reads as the marker text.
    read("\ti = 1\n" + group(1, "\t\tid = 1\n\t\tname = 0\n\t\topis = 99\n\t\timg = \"gfx/awards/a.png\"\n"
                                "\t\tdim = 1, 1\n"));
    ASSERT_EQ(awardsList.size(), 1u);
    EXPECT_EQ(awardsList[0]->title, "(BEYOND TEXT ARRAY LENGTH!)");
    EXPECT_EQ(awardsList[0]->opis, "(BEYOND TEXT ARRAY LENGTH!)");
    EXPECT_EQ(awardsList[0]->opisReceive, "(BEYOND TEXT ARRAY LENGTH!)");
}

TEST_F(AwardDefinitionsTest, AMissingFileLeavesNoAwards) {
    awardsList.push_back(std::make_shared<TAwardRecord>());
    testing::internal::CaptureStdout();
    EXPECT_EQ(loadAwardDefinitions(), 0);
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(awardsList.empty());
    EXPECT_EQ(getAwardByID(0), nullptr);
}

TEST_F(AwardDefinitionsTest, TheShippedDefinitionsServeEveryRule) {
    const std::string tree = std::string(ZERKON_SOURCE_DIR) + "/assets/tree/";
    if (!std::filesystem::exists(tree + "data/awards.dat")) GTEST_SKIP() << "no asset sources at " << tree;
    auto file = loadQCMFile(tree + "data/awards.dat");
    auto texts = loadTxtFile(tree + "txt/#LANG#/awards.txt");
    // Pictures come from the built tree when there is one; the path check of the assets
    // test covers them otherwise.
    std::string built = std::string(ZERKON_BINARY_DIR) + "/assets/";
    if (const char* env = std::getenv("ZERKON_ASSET_TREE")) built = std::string(env) + "/";
    const bool havePictures = std::filesystem::exists(built + "gfx/awards");
    testing::internal::CaptureStdout();
    readAwardDefinitions(*file, texts.get(), havePictures ? built : tree);
    const std::string out = testing::internal::GetCapturedStdout();
    if (havePictures) {
        EXPECT_EQ(out, "");
    }

    ASSERT_EQ(awardsList.size(), 25u);
    std::map<int, int> levelOneOfKind;
    for (int id = 1; id <= 25; ++id) {
        SCOPED_TRACE(id);
        auto a = getAwardByID(id);
        ASSERT_TRUE(a);
        EXPECT_EQ(std::count_if(awardsList.begin(), awardsList.end(), [&](const auto& r) { return r->id == id; }), 1);
        EXPECT_EQ(a->title.find("BEYOND"), std::string::npos);
        EXPECT_EQ(a->opis.find("BEYOND"), std::string::npos);
        EXPECT_EQ(a->opisReceive.find("BEYOND"), std::string::npos);
        EXPECT_FALSE(a->title.empty());
        EXPECT_GE(a->level, 1);
        if (a->level == 1) ++levelOneOfKind[a->typ];
        EXPECT_TRUE(a->x > 60 && a->x < 964 && a->y > 60 && a->y < 700) << a->x << ", " << a->y;
        if (havePictures) {
            EXPECT_TRUE(a->img);
        }
    }
    // Every kind has exactly one level-1 award, which marks its place in the gallery.
    for (const auto& a : awardsList) EXPECT_EQ(levelOneOfKind[a->typ], 1) << "kind " << a->typ;
    // Risky silver and gold each need the tier below held once.
    EXPECT_EQ(getAwardByID(13)->value, 1);
    EXPECT_EQ(getAwardByID(14)->value, 1);
    // The treasure tiers name stages in order, the tiered thresholds rise.
    for (int base : {1, 4, 15, 23}) EXPECT_LT(getAwardByID(base)->value, getAwardByID(base + 1)->value) << base;
    for (int base : {1, 4, 15, 23}) EXPECT_LT(getAwardByID(base + 1)->value, getAwardByID(base + 2)->value) << base;
}

// Profiles keep their awards as ids: read after the definitions they find the very objects.
TEST_F(AwardDefinitionsTest, SavedAwardIdsResolveWhenTheDefinitionsWereReadFirst) {
    TFlowWorld world;
    setProfileWorld(&world);
    read("\ti = 2\n" + group(1, full(12, 8, 1, 1, "gfx/awards/a.png", 0, 1, "1, 2")) +
         group(2, full(18, 10, 1, 4, "gfx/awards/a.png", 1, 10, "3, 4")));
    ASSERT_EQ(awardsList.size(), 2u);
    auto p = createNewProfile("Ann");
    for (int id : {18, 12, 18}) p->awardy.push_back(getAwardByID(id));
    ASSERT_EQ(p->save(), 0);
    const std::string path = myDocsFolder + "/Profiles/" + p->id + "/profile.dat";

    auto back = loadProfile(path);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->awardy.size(), 3u);
    EXPECT_EQ(back->awardy[0], awardsList[1]);
    EXPECT_EQ(back->awardy[1], awardsList[0]);
    EXPECT_EQ(back->awardy[2], awardsList[1]);
    EXPECT_EQ(back->countAward(18), 2);

    // Loaded before the definitions, the ids find nothing: that order loses them.
    resetAwards();
    auto early = loadProfile(path);
    ASSERT_TRUE(early);
    EXPECT_TRUE(early->awardy.empty());
    setProfileWorld(nullptr);
}

}  // namespace
}  // namespace menutest
