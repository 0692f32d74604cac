// The profile list: its file, the six buttons' handlers, the forced first profile, and
// damaged or hostile list files.
#include <deque>

#include "gui/core/gui.h"
#include "gui/frame/mouse.h"
#include "gui/widgets/button.h"
#include "test_profile_support.h"

namespace {

class ProfileManagerTest : public ProfileTest {
protected:
    void SetUp() override {
        ProfileTest::SetUp();
        auto& d = profileDialogs();
        d.enterName = [this](TEkran&, const std::string& title, int32_t nowy, const std::string& text) {
            entries.push_back({title, nowy, text});
            if (names.empty()) return std::string();
            std::string n = names.front();
            names.pop_front();
            return n;
        };
        d.yesOrNo = [this](const std::string& q, TEkran&) {
            questions.push_back(q);
            return answer;
        };
        d.info = [this](const std::string& t, TEkran&) { infos.push_back(t); };
        d.menuRefresh = [this] { ++menuRefreshes; };
        m.txtEnterName = "Your name";
        m.txtProfilIstnieje = "Taken";
        m.txtCzySkasowac = "Delete?";
    }
    std::shared_ptr<TProfile> add(const std::string& name) {
        auto p = createNewProfile(name);
        m.listaProfili.push_back(p);
        return p;
    }
    std::vector<std::string> listNames() {
        std::vector<std::string> out;
        for (auto& p : m.listaProfili) out.push_back(p->name);
        return out;
    }
    // Reads everything back as the next start does.
    void restart() {
        resetProfileManager();
        m.txtProfilIstnieje = "Taken";
        m.loadProfiles();
    }

    struct Entry {
        std::string title;
        int32_t nowy;
        std::string text;
    };
    TProfileManager& m = profileManager;
    std::deque<std::string> names;
    std::vector<Entry> entries;
    std::vector<std::string> questions, infos;
    int32_t answer = 1;
    int menuRefreshes = 0;
};

TEST_F(ProfileManagerTest, ListFileForTwoProfilesWithTheSecondCurrent) {
    add("ALA");
    m.profile = add("Bob");
    ASSERT_EQ(m.save(), 0);
    EXPECT_EQ(read("/Profiles/profiles.dat"),
              "profiles {\n\ti = 2\n\tactProfile = \"66-111-98-\"\n\tprof1 {\n\t\tid = \"65-76-65-\"\n\t\tname = \"ALA\"\n\t}\n\n"
              "\tprof2 {\n\t\tid = \"66-111-98-\"\n\t\tname = \"Bob\"\n\t}\n\n}\n\n");
    EXPECT_TRUE(exists("/Profiles/65-76-65-/profile.dat"));
    restart();
    EXPECT_EQ(listNames(), (std::vector<std::string>{"ALA", "BOB"}));
    ASSERT_TRUE(m.profile);
    EXPECT_EQ(m.profile->name, "BOB");
    // The next save follows the name read in capitals.
    ASSERT_EQ(m.save(), 0);
    EXPECT_NE(read("/Profiles/profiles.dat").find("\"66-79-66-\""), std::string::npos);
    EXPECT_TRUE(exists("/Profiles/66-111-98-/profile.dat"));  // the old folder stays
}

TEST_F(ProfileManagerTest, AnEmptyListNeverOverwritesTheListFile) {
    m.profile = add("Ann");
    ASSERT_EQ(m.save(), 0);
    std::string before = read("/Profiles/profiles.dat");
    resetProfileManager();  // as if the list had not been read
    EXPECT_EQ(m.save(), 0);
    EXPECT_EQ(read("/Profiles/profiles.dat"), before);
}

TEST_F(ProfileManagerTest, NoListFileMeansNoProfilesAndCheckAsksForOne) {
    EXPECT_EQ(m.loadProfiles(), 0);
    EXPECT_TRUE(m.listaProfili.empty());
    EXPECT_FALSE(m.profile);
    m.check();  // an empty answer adds nothing
    EXPECT_FALSE(m.profile);
    EXPECT_FALSE(exists("/Profiles/profiles.dat"));
    names = {"Cap"};
    m.check();
    ASSERT_TRUE(m.profile);
    EXPECT_EQ(m.profile->name, "Cap");
    EXPECT_EQ(entries.back().nowy, 1);
    EXPECT_EQ(menuRefreshes, 1);
    EXPECT_TRUE(exists("/Profiles/profiles.dat"));
    m.check();  // with a current profile: nothing
    EXPECT_EQ(entries.size(), 2u);
}

TEST_F(ProfileManagerTest, NewAddsAtTheEndAndRefusesATakenNameInAnyCase) {
    add("Ann");
    m.profile = m.listaProfili[0];
    names = {"aNN"};
    m.goNew();
    EXPECT_EQ(infos, (std::vector<std::string>{"Taken"}));
    EXPECT_EQ(m.listaProfili.size(), 1u);
    names = {"Ben"};
    m.goNew();
    EXPECT_EQ(listNames(), (std::vector<std::string>{"Ann", "Ben"}));
    EXPECT_EQ(m.profile->name, "Ben");
    EXPECT_TRUE(exists("/Profiles/66-101-110-/profile.dat"));
}

TEST_F(ProfileManagerTest, NamesAreKeptToLettersAndDigits) {
    names = {"Jo \"}{=\n", "=\"", "Abcdefghijklmnopqrstuvwxyz"};
    m.goNew();
    m.goNew();  // nothing usable: nothing made
    ASSERT_EQ(listNames(), (std::vector<std::string>{"Jo"}));
    m.goRename();
    EXPECT_EQ(m.profile->name, "Abcdefghijklmnopqrst");
}

TEST_F(ProfileManagerTest, CancelledNewAndRenameWriteNothing) {
    m.profile = add("Ann");
    m.goNew();
    m.goRename();
    EXPECT_EQ(listNames(), (std::vector<std::string>{"Ann"}));
    EXPECT_FALSE(exists("/Profiles/profiles.dat"));
    EXPECT_FALSE(exists("/Profiles/65-110-110-"));
}

TEST_F(ProfileManagerTest, RenameMovesTheFolderAndRefusesAnotherPlayersName) {
    add("Ann");
    m.profile = add("Ben");
    names = {"ANN"};
    m.goRename();  // would share Ann's folder
    EXPECT_EQ(infos.size(), 1u);
    EXPECT_EQ(m.profile->name, "Ben");
    EXPECT_FALSE(exists("/Profiles/profiles.dat"));
    EXPECT_EQ(entries.back().nowy, 0);
    EXPECT_EQ(entries.back().text, "Ben");

    names = {"BEN"};  // its own name in other letters is fine
    m.goRename();
    EXPECT_EQ(m.profile->name, "BEN");
    names = {"Cid"};
    m.goRename();
    EXPECT_EQ(m.profile->name, "Cid");
    EXPECT_NE(read("/Profiles/profiles.dat").find("\"67-105-100-\""), std::string::npos);
    EXPECT_TRUE(exists("/Profiles/67-105-100-/profile.dat"));
}

TEST_F(ProfileManagerTest, DeleteAsksAndMakesTheFirstProfileCurrent) {
    add("Ann");
    auto ben = add("Ben");
    add("Cid");
    m.profile = ben;
    ASSERT_EQ(m.save(), 0);
    std::string listBefore = read("/Profiles/profiles.dat");
    answer = 0;
    m.goDelete();
    EXPECT_EQ(m.listaProfili.size(), 3u);
    EXPECT_EQ(read("/Profiles/profiles.dat"), listBefore);
    answer = 1;
    m.goDelete();
    EXPECT_EQ(questions, (std::vector<std::string>{"Delete?", "Delete?"}));
    EXPECT_EQ(listNames(), (std::vector<std::string>{"Ann", "Cid"}));
    EXPECT_EQ(m.profile->name, "Ann");
    restart();
    EXPECT_EQ(listNames(), (std::vector<std::string>{"ANN", "CID"}));
    EXPECT_TRUE(exists("/Profiles/66-101-110-/profile.dat"));  // the folder stays on disk
}

TEST_F(ProfileManagerTest, UpAndDownClamp) {
    for (int i = 0; i < 3; ++i) add("P" + std::to_string(i));
    m.goDown();
    EXPECT_EQ(m.startP, 0);
    EXPECT_EQ(m.aktLista.size(), 3u);
    for (int i = 3; i < 10; ++i) add("P" + std::to_string(i));
    for (int i = 0; i < 8; ++i) m.goDown();
    EXPECT_EQ(m.startP, 5);
    ASSERT_EQ(m.aktLista.size(), 5u);
    EXPECT_EQ(m.aktLista[0]->name, "P5");
    for (int i = 0; i < 8; ++i) m.goUp();
    EXPECT_EQ(m.startP, 0);
    EXPECT_EQ(m.aktLista.size(), 8u);
}

TEST_F(ProfileManagerTest, DeleteAndRenameShowOnlyWhenTheyMakeSense) {
    m.Gui = createGui();
    for (const char* n : {"delete", "rename"}) {
        auto b = std::make_shared<TButton>();
        b->_id = n;
        m.Gui->addItem(b);
    }
    struct Case {
        int profiles;
        bool current;
        int deleteShown, renameShown;
    } cases[] = {{0, false, 0, 0}, {1, true, 0, 1}, {2, true, 1, 1}, {2, false, 0, 0}};
    for (const auto& c : cases) {
        m.listaProfili.clear();
        for (int i = 0; i < c.profiles; ++i) add("P" + std::to_string(i));
        m.profile = c.current ? m.listaProfili[0] : nullptr;
        m._updatePer();
        EXPECT_EQ(m.Gui->getItem("delete")->_v, c.deleteShown) << c.profiles << c.current;
        EXPECT_EQ(m.Gui->getItem("delete")->_a, c.deleteShown);
        EXPECT_EQ(m.Gui->getItem("rename")->_v, c.renameShown);
    }
}

// A click on a drawn name picks that name, on every row.
TEST_F(ProfileManagerTest, RowsAreClickedWhereTheyAreDrawn) {
    for (int i = 0; i < 4; ++i) add("P" + std::to_string(i));
    m.profile = m.listaProfili[0];
    m._prepareProfiles();
    SetImageFont(CreateFixedFont(10, 30));
    m.startY = 150;
    for (int row = 0; row < 4; ++row) {
        float y = m.rowY(row, 30) + 15;  // the middle of the drawn name
        InjectMouseMove(500, y);
        InjectMouseButton(1, true);
        mouse.update();
        m._updateProfiles();
        InjectMouseButton(1, false);
        mouse.update();
        EXPECT_EQ(m.profile, m.listaProfili[size_t(row)]) << row;
    }
}

TEST_F(ProfileManagerTest, MissingProfileFileIsToldInOneMessageAndStaysListed) {
    add("Ann");
    m.profile = add("Ben");
    ASSERT_EQ(m.save(), 0);
    files::deleteFile(dir + "/Profiles/66-101-110-/profile.dat");
    restart();
    EXPECT_EQ(listNames(), (std::vector<std::string>{"ANN"}));
    ASSERT_TRUE(m.profile);  // it was the current one: the first listed plays
    EXPECT_EQ(m.profile->name, "ANN");
    EXPECT_EQ(m.keptIds, (std::vector<std::string>{"66-101-110-"}));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], "No such file: " + dir + "/Profiles/66-101-110-/profile.dat\n"
                          "Blad! Nie mozna wczytac profilu: 66-101-110-\n"
                          "BEN is kept in the list and comes back at the next start once the file can be read again.");
}

TEST_F(ProfileManagerTest, ADamagedProfileIsReportedTheOthersStayAndItsFileIsKept) {
    m.profile = add("Ann");
    add("Ben");
    ASSERT_EQ(m.save(), 0);
    write("/Profiles/66-101-110-/profile.dat", "profile {\n\tstandards {\n\t\tname = \"Ben\n");
    std::string damaged = read("/Profiles/66-101-110-/profile.dat");
    restart();
    EXPECT_EQ(listNames(), (std::vector<std::string>{"ANN"}));
    EXPECT_EQ(m.profile->name, "ANN");
    ASSERT_EQ(m.save(), 0);
    // Ben stays listed and owns his name: a new Ben would write over his file.
    names = {"Ben"};
    m.goNew();
    EXPECT_EQ(infos, (std::vector<std::string>{"Taken"}));
    EXPECT_EQ(read("/Profiles/66-101-110-/profile.dat"), damaged);
    EXPECT_EQ(read("/Profiles/66-101-110-/profile.dat.corrupt"), damaged);
    EXPECT_NE(read("/Profiles/profiles.dat").find("66-101-110-"), std::string::npos);
}

TEST_F(ProfileManagerTest, ADamagedListIsKeptAndThePlayersAreFoundInTheirFolders) {
    add("Ann");
    m.profile = add("Ben");
    ASSERT_EQ(m.save(), 0);
    for (const std::string& garbage : {std::string("profiles {\n\ti = 2\n\tprof1 {\n"), std::string("\xff\xfe\x00{", 4),
                                      std::string("nothing = 1\n")}) {
        ASSERT_TRUE(files::saveBytes(garbage, dir + "/Profiles/profiles.dat"));
        notices.clear();
        restart();
        EXPECT_EQ(listNames(), (std::vector<std::string>{"ANN", "BEN"}));
        ASSERT_TRUE(m.profile);
        EXPECT_FALSE(notices.empty());
        auto copy = files::loadBytes(dir + "/Profiles/profiles.dat.corrupt");
        ASSERT_TRUE(copy);
        EXPECT_EQ(*copy, garbage);
        std::filesystem::remove(dir + "/Profiles/profiles.dat.corrupt");
    }
}

TEST_F(ProfileManagerTest, HostileListEntriesNeverReachOutsideTheFolder) {
    write("/secret/profile.dat", "profile {\n\tstandards {\n\t\tname = \"Eve\"\n\t}\n\n}\n\n");
    m.profile = add("Ann");
    ASSERT_EQ(m.save(), 0);
    write("/Profiles/profiles.dat",
          "profiles {\n\ti = 4\n\tactProfile = \"65-110-110-\"\n"
          "\tprof1 {\n\t\tid = \"../../secret\"\n\t}\n\n"
          "\tprof2 {\n\t\tid = \"65-110-110-\"\n\t}\n\n"
          "\tprof3 {\n\t\tid = \"65-110-110-\"\n\t}\n\n"
          "\tprof4 {\n\t\tid = \"/tmp/\"\n\t}\n\n}\n\n");
    restart();
    EXPECT_EQ(listNames(), (std::vector<std::string>{"ANN"}));  // the repeated id once
    EXPECT_EQ(notices.size(), 2u);
}

TEST_F(ProfileManagerTest, TwoListedPlayersOfOneNameInCapitalsDoNotShareAFolder) {
    // Written by an older version: "Ab" and "AB" both read back as "AB".
    auto a = add("Ab");
    add("AB");
    m.profile = a;
    ASSERT_EQ(m.save(), 0);
    restart();
    EXPECT_EQ(listNames(), (std::vector<std::string>{"AB"}));
    EXPECT_EQ(notices.size(), 1u);
}

TEST_F(ProfileManagerTest, CreateRenameDeleteAndComeBack) {
    names = {"Ann"};
    m.check();
    names = {"Bob"};
    m.goNew();
    names = {"Cat"};
    m.goNew();
    m.profile->flowType = "CASUAL";
    world.addEntry("CASUAL", 1, 1, "MAIN-GAME", 1);
    m.profile->startNewGame();
    m.profile->getNextLevel();
    names = {"Dan"};
    m.goRename();
    m.profile = m.listaProfili[1];  // Bob
    m.goDelete();
    restart();
    EXPECT_EQ(listNames(), (std::vector<std::string>{"ANN", "DAN"}));
    EXPECT_EQ(m.profile->name, "ANN");
    EXPECT_EQ(m.listaProfili[1]->flowSequence, 1);
    EXPECT_EQ(m.listaProfili[1]->gameType, "MAIN-GAME");
    ASSERT_TRUE(m.listaProfili[1]->actLevel);
}

}  // namespace
