// A player's data under damage, failing disks and many players: each way a player, their
// progress or their settings could once be lost without a word, as one case over real
// files in a fresh user folder.
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

#include <cstdio>
#include <deque>
#include <filesystem>
#include <functional>

#include "app/folders.h"
#include "app/settings_file.h"
#include "gui/data/qcmfile.h"
#include "gui/globals.h"
#include "test_profile_support.h"

namespace {

class PlayerDataTest : public ProfileTest {
public:
    // The cases of the table reach the fixture from outside.
    using ProfileTest::dir;
    using ProfileTest::exists;
    using ProfileTest::notices;
    using ProfileTest::now;
    using ProfileTest::read;
    using ProfileTest::write;

protected:
    void SetUp() override {
        ProfileTest::SetUp();
        auto& d = profileDialogs();
        d.enterName = [this](TEkran&, const std::string&, int32_t, const std::string&) {
            ++nameAsked;
            if (names.empty()) return std::string();
            std::string n = names.front();
            names.pop_front();
            return n;
        };
        d.yesOrNo = [](const std::string&, TEkran&) { return 1; };
        d.info = [this](const std::string& t, TEkran&) { infos.push_back(t); };
        m.txtProfilIstnieje = "Taken";
        world.addEntry("CASUAL", 1, 1, "MAIN-GAME", 1);
        world.addEntry("CASUAL", 2, 2, "MAIN-GAME", 1);
    }
    void TearDown() override {
        files::setSaveStepHook(nullptr);
        ProfileTest::TearDown();
    }

public:
    // Two saved players, Ann (current) and Ben, as the next start finds them.
    void twoPlayers() {
        auto a = createNewProfile("ANN");
        a->flowType = "CASUAL";
        auto b = createNewProfile("BEN");
        b->flowType = "CASUAL";
        m.listaProfili = {a, b};
        m.profile = a;
        ASSERT_EQ(m.save(), 0);
    }
    void restart() {
        resetProfileManager();
        m.txtProfilIstnieje = "Taken";
        notices.clear();
        m.loadProfiles();
    }
    std::vector<std::string> listNames() {
        std::vector<std::string> out;
        for (auto& p : m.listaProfili) out.push_back(p->name);
        return out;
    }
    bool noticed(const std::string& part) const {
        for (const auto& n : notices)
            if (n.find(part) != std::string::npos) return true;
        return false;
    }
    static std::string ann() { return "/Profiles/65-78-78-"; }
    static std::string ben() { return "/Profiles/66-69-78-"; }

    TProfileManager& m = profileManager;
    std::deque<std::string> names;
    std::vector<std::string> infos;
    int nameAsked = 0;
};

const std::vector<std::string> kBoth = {"ANN", "BEN"};

struct Fault {
    const char* name;
    std::function<void(PlayerDataTest&)> run;
};

// Runs fn in a child process that cannot read files it has no permission for (root can):
// true when fn returned true there.
bool asUnprivileged(const std::function<bool()>& fn) {
    if (geteuid() != 0) return fn();
    const pid_t pid = fork();
    if (pid == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
        _exit(fn() ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

const Fault kFaults[] = {
    {"StrayTokenAfterAQuotedValueStillReadsBackAfterASave",
     [](PlayerDataTest& t) {
         t.twoPlayers();
         std::string text = t.read(t.ann() + "/profile.dat");
         text.replace(text.find("flowType = \"CASUAL\""), 19, "flowType = \"CASUAL\" 0");
         t.write(t.ann() + "/profile.dat", text);
         t.restart();
         ASSERT_EQ(t.listNames(), kBoth);
         ASSERT_EQ(t.m.save(), 0);
         t.restart();
         EXPECT_EQ(t.listNames(), kBoth);
         EXPECT_TRUE(t.notices.empty()) << t.notices[0];
     }},
    {"AVoyageTheGameDoesNotHaveIsToldOnceAndThePlayerGoesOn",
     [](PlayerDataTest& t) {
         t.twoPlayers();
         t.m.profile->getNextLevel();
         ASSERT_EQ(t.m.save(), 0);
         std::string text = t.read(t.ann() + "/profile.dat");
         text.replace(text.find("flowType = \"CASUAL\""), 19, "flowType = \"CASUALE\"");
         t.write(t.ann() + "/profile.dat", text);
         t.restart();
         ASSERT_EQ(t.notices.size(), 1u);
         EXPECT_TRUE(t.noticed("names the voyage \"CASUALE\", which the game does not have. ANN goes on in the casual "
                               "voyage."));
         ASSERT_TRUE(t.m.profile);
         EXPECT_EQ(t.m.profile->flowType, "CASUAL");
         EXPECT_TRUE(t.m.profile->actLevel);  // the level in progress too
         t.restart();  // quitting saves nothing: it was written when it was told
         EXPECT_TRUE(t.notices.empty()) << t.notices[0];
         t.m.profile->updateLevelData(1, 1, 100, 10, 0, 1);
         EXPECT_EQ(t.m.profile->getNextLevel(), "MAIN-GAME");  // the next level comes
         EXPECT_EQ(t.m.profile->numerLevelu, 2);
     }},
    {"APlayerFileUnreadableForAMomentKeepsThePlayer",
     [](PlayerDataTest& t) {
         t.twoPlayers();
         const std::string file = t.dir + t.ben() + "/profile.dat";
         std::rename(file.c_str(), (file + ".away").c_str());
         ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
         t.restart();
         EXPECT_EQ(t.listNames(), (std::vector<std::string>{"ANN"}));
         EXPECT_TRUE(t.noticed("is not a regular file"));
         ASSERT_EQ(t.m.save(), 0);  // the list is written without Ben's file being read
         std::remove(file.c_str());
         std::rename((file + ".away").c_str(), file.c_str());
         t.restart();
         EXPECT_EQ(t.listNames(), kBoth);
     }},
    {"ANegativeCountInTheListLosesNobody",
     [](PlayerDataTest& t) {
         t.twoPlayers();
         std::string list = t.read("/Profiles/profiles.dat");
         list.replace(list.find("i = 2"), 5, "i = -1");
         t.write("/Profiles/profiles.dat", list);
         t.restart();
         EXPECT_EQ(t.listNames(), kBoth);
         ASSERT_TRUE(t.m.profile);
         EXPECT_EQ(t.m.profile->name, "ANN");
     }},
    {"ADamagedIdInTheListLosesNobody",
     [](PlayerDataTest& t) {
         t.twoPlayers();
         std::string list = t.read("/Profiles/profiles.dat");
         list.replace(list.find("66-69-78-"), 9, "-5");
         t.write("/Profiles/profiles.dat", list);
         t.restart();
         EXPECT_EQ(t.listNames(), kBoth);
     }},
    {"ADeletedListIsRebuiltFromThePlayerFolders",
     [](PlayerDataTest& t) {
         t.twoPlayers();
         files::deleteFile(t.dir + "/Profiles/profiles.dat");
         t.restart();
         EXPECT_EQ(t.listNames(), kBoth);
         EXPECT_EQ(t.nameAsked, 0);
     }},
    {"AFailedSaveIsToldOnceAndPlayGoesOn",
     [](PlayerDataTest& t) {
         t.twoPlayers();
         // The user folder is gone and a file stands in its place: nothing can be written.
         t.write("/blocked", "x");
         myDocsFolder = t.dir + "/blocked";
         EXPECT_EQ(t.m.save(), -1);
         EXPECT_EQ(t.m.save(), -1);
         options.saveOptions();
         ASSERT_EQ(t.notices.size(), 1u);
         EXPECT_NE(t.notices[0].find("Your progress cannot be saved"), std::string::npos);
         EXPECT_NE(t.notices[0].find(t.dir + "/blocked"), std::string::npos);
         EXPECT_TRUE(t.m.profile);
         // Once saving works again, a later failure is told again.
         myDocsFolder = t.dir;
         EXPECT_EQ(t.m.save(), 0);
         myDocsFolder = t.dir + "/blocked";
         t.m.save();
         EXPECT_EQ(t.notices.size(), 2u);
     }},
    {"AnEndlessOrHugeFileIsRefusedByName",
     [](PlayerDataTest& t) {
         t.twoPlayers();
         const std::string file = t.dir + t.ben() + "/profile.dat";
         ASSERT_EQ(truncate(file.c_str(), off_t(1) << 33), 0);  // 8 GB, sparse
         const std::string list = t.dir + "/Profiles/profiles.dat";
         std::remove(list.c_str());
         ASSERT_EQ(symlink("/dev/zero", list.c_str()), 0);
         t.restart();
         EXPECT_TRUE(t.noticed(file + "\" is larger than any saved file could be"));
         EXPECT_TRUE(t.noticed(list + "\" is not a regular file"));
         EXPECT_EQ(t.listNames(), (std::vector<std::string>{"ANN"}));
         EXPECT_EQ(t.m.keptIds, (std::vector<std::string>{"66-69-78-"}));
     }},
    {"ADamagedSettingsFileGivesTheFirstStartDefaultsAndIsKept",
     [](PlayerDataTest& t) {
         const std::string junk = "settings {\n\tmusicVolume = 0.9\n";
         t.write("/Data/settings.dat", junk);
         options.loadOptions();
         EXPECT_EQ(options.fullScreen, 1);
         EXPECT_FLOAT_EQ(options.musicVol, 0.5f);
         EXPECT_EQ(t.read("/Data/settings.dat.corrupt"), junk);
         EXPECT_TRUE(t.noticed("default settings are used"));
         options.saveOptions();
         TSettingsValues v{0, 0, 0, 0, 0};
         ASSERT_TRUE(readSettingsText(t.read("/Data/settings.dat"), v));
         EXPECT_EQ(v, TSettingsValues{});
     }},
    {"AMissingCurrentPlayerEntryFallsBackToTheFirstListed",
     [](PlayerDataTest& t) {
         t.twoPlayers();
         std::string list = t.read("/Profiles/profiles.dat");
         list.replace(list.find("actProfile"), 10, "actProfXle");
         t.write("/Profiles/profiles.dat", list);
         t.restart();
         ASSERT_TRUE(t.m.profile);
         EXPECT_EQ(t.m.profile->name, "ANN");
         t.m.check();
         EXPECT_EQ(t.nameAsked, 0);
         EXPECT_EQ(t.listNames(), kBoth);
     }},
    {"TheTitleNeverLeadsOutOfTheDataFolder",
     [](PlayerDataTest&) {
         EXPECT_EQ(safeFolderName("../../.ssh"), "ssh");
         EXPECT_EQ(safeFolderName("..\\evil/x"), "evilx");
         EXPECT_EQ(safeFolderName(" .. "), "Zerkon");
         EXPECT_EQ(safeFolderName("Zerkon: Tides"), "Zerkon Tides");
         EXPECT_EQ(safeFolderName(std::string(100, 'a')).size(), 64u);
         const std::string folder = userFolderFor(safeFolderName("../../x"), [](const char* n) -> const char* {
             return std::string(n) == "XDG_DATA_HOME" ? "/data" : nullptr;
         });
         EXPECT_EQ(folder, "/data/x");
     }},
    {"OutOfRangePowerUpTimersAreClampedOnReading",
     [](PlayerDataTest& t) {
         t.write("/Profiles/1-/profile.dat",
                 "profile {\n\tczasyBonusow {\n\t\tczas0 = 3e9\n\t\tczas1 = -3e9\n\t\tczas2 = 1e38\n"
                 "\t\tczas3 = -1e38\n\t\tczas4 = -5000\n\t}\n\n}\n\n");
         auto p = loadProfile(t.dir + "/Profiles/1-/profile.dat");
         ASSERT_TRUE(p);
         for (int32_t c : p->czas) {
             EXPECT_LE(c, t.now);
             EXPECT_GE(c, t.now - 86400000);
         }
         EXPECT_EQ(p->czas[4], t.now - 5000);
         t.now += 1000;
         p->ResumePowerUps();  // no overflow (the sanitizer build would stop here)
         EXPECT_EQ(p->czas[4], t.now - 5000);
     }},
    {"ABoardWithoutItsProfileIsNotTakenUp",
     [](PlayerDataTest& t) {
         t.twoPlayers();
         t.m.profile->getNextLevel();  // level 1 and its board
         ASSERT_TRUE(t.m.profile->actLevel);
         ASSERT_EQ(t.m.save(), 0);
         // A kill after the next board was written and before its profile was.
         t.write(t.ann() + "/level.lvl", "FAKE MAIN-GAME 0 1 levels/CASUAL2.lvl\n");
         t.restart();
         ASSERT_TRUE(t.m.profile);
         EXPECT_EQ(t.m.profile->numerLevelu, 1);
         EXPECT_FALSE(t.m.profile->actLevel);
         EXPECT_TRUE(t.noticed("was not saved completely"));
     }},
    {"ASaveWritesOnlyWhatChanged",
     [](PlayerDataTest& t) {
         for (int i = 0; i < 40; ++i) t.m.listaProfili.push_back(createNewProfile("P" + std::to_string(i)));
         t.m.profile = t.m.listaProfili[3];
         ASSERT_EQ(t.m.save(), 0);
         std::vector<std::string> written;
         files::setSaveStepHook([&](files::SaveStep s, const std::string& path) {
             if (s == files::SaveStep::Renamed) written.push_back(files::stripDir(files::extractDir(path)));
         });
         ASSERT_EQ(t.m.save(), 0);
         EXPECT_EQ(written, (std::vector<std::string>{t.m.profile->getId()}));
         written.clear();
         t.m.profile = t.m.listaProfili[5];  // chosen on the profile screen
         ASSERT_EQ(t.m.save(), 0);
         // The new current player, the one that was current, and the list that names it.
         EXPECT_EQ(written, (std::vector<std::string>{t.m.listaProfili[3]->getId(), t.m.listaProfili[5]->getId(),
                                                      "Profiles"}));
     }},
    {"AFifoNeverHangsTheStart",
     [](PlayerDataTest& t) {
         t.twoPlayers();
         const std::string list = t.dir + "/Profiles/profiles.dat";
         const std::string settings = t.dir + "/Data/settings.dat";
         std::remove(list.c_str());
         ASSERT_EQ(mkfifo(list.c_str(), 0600), 0);
         ASSERT_EQ(mkfifo(settings.c_str(), 0600), 0);
         t.restart();
         options.loadOptions();
         EXPECT_EQ(t.listNames(), kBoth);  // found in their folders
         EXPECT_EQ(options.fullScreen, 1);
         EXPECT_TRUE(t.noticed(settings + "\" is not a regular file"));
     }},
    {"TemporariesOfInterruptedSavesAreRemovedAtStart",
     [](PlayerDataTest& t) {
         t.twoPlayers();
         const std::vector<std::string> stale = {"/Data/.settings.dat.tmp-a1B2c3",
                                                 t.ann() + "/.profile.dat.tmp-XyZ123",
                                                 "/Profiles/.profiles.dat.tmp-000000"};
         for (const auto& f : stale) {
             t.write(f, "half");
             utimbuf old{1000, 1000};
             utime((t.dir + f).c_str(), &old);
         }
         t.write(t.ann() + "/.profile.dat.tmp-fresh1", "another copy is saving");
         t.write(t.ann() + "/notes.tmp-123456", "not ours");
         removeStaleSaves();
         for (const auto& f : stale) EXPECT_FALSE(t.exists(f)) << f;
         EXPECT_TRUE(t.exists(t.ann() + "/.profile.dat.tmp-fresh1"));
         EXPECT_TRUE(t.exists(t.ann() + "/notes.tmp-123456"));
         EXPECT_TRUE(t.exists(t.ann() + "/profile.dat"));
     }},
    {"APermissionErrorIsNotCalledDamage",
     [](PlayerDataTest& t) {
         t.twoPlayers();
         const std::string file = t.dir + t.ben() + "/profile.dat";
         chmod(t.dir.c_str(), 0755);
         chmod((t.dir + "/Profiles").c_str(), 0755);
         chmod((t.dir + t.ben()).c_str(), 0755);
         chmod(file.c_str(), 0);
         EXPECT_TRUE(asUnprivileged([&] {
             std::vector<std::string> seen;
             SetNotifyHandler([&](const std::string& n) { seen.push_back(n); });
             auto p = loadProfile(file);
             return !p && seen.size() == 1 && seen[0].find("not allowed to open it") != std::string::npos &&
                    seen[0].find("damaged") == std::string::npos && seen[0].find(file) != std::string::npos;
         }));
         chmod(file.c_str(), 0644);
     }},
};

// The play between two starts, as the saves see it: Ann plays on her board and the router
// saves it, wins her level and moves on (the next board and her file), plays on the new
// board and is saved twice more, and a new player Cat is made.
void playOn(PlayerDataTest& t, TProfileManager& m) {
    auto move = [&] { ++dynamic_cast<FakeLevel&>(*m.profile->actLevel).moves; };
    move();
    m.save();
    m.profile->updateLevelData(m.profile->numerLevelu, 1, 100, 10, 0, 1);
    m.profile->getNextLevel();
    move();
    m.save();
    move();
    m.save();
    profileDialogs().enterName = [](TEkran&, const std::string&, int32_t, const std::string&) {
        return std::string("CAT");
    };
    m.goNew();
    (void)t;
}

TEST_F(PlayerDataTest, AKillAtAnyWriteOfASaveLeavesOneConsistentState) {
    twoPlayers();
    m.profile->getNextLevel();  // Ann on level 1 with its board
    ASSERT_EQ(m.save(), 0);
    const std::string snapshot = dir + "-snapshot";
    std::filesystem::copy(dir, snapshot, std::filesystem::copy_options::recursive);

    int kills = 0;
    for (int n = 1; n < 100; ++n) {
        std::filesystem::remove_all(dir);
        std::filesystem::copy(snapshot, dir, std::filesystem::copy_options::recursive);
        restart();
        ASSERT_EQ(listNames(), kBoth);
        const pid_t pid = fork();
        if (pid == 0) {
            // The child dies at the n-th step of a save, as a kill would leave it.
            int steps = 0;
            files::setSaveStepHook([&](files::SaveStep, const std::string&) {
                if (++steps == n) _exit(7);
            });
            playOn(*this, m);
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status));
        const bool killed = WEXITSTATUS(status) == 7;

        restart();
        SCOPED_TRACE("killed at step " + std::to_string(n));
        // Nothing is damaged and no board is lost: nothing to tell.
        EXPECT_TRUE(notices.empty()) << notices[0];
        const auto names = listNames();
        ASSERT_GE(names.size(), 2u);
        EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 2), kBoth);
        if (names.size() == 3) {
            EXPECT_EQ(names[2], "CAT");
        }
        const auto& a = m.listaProfili[0];
        EXPECT_TRUE(a->numerLevelu == 1 || a->numerLevelu == 2) << a->numerLevelu;
        // The level in progress is kept at every write, and it is the board of the level the
        // profile is on, with as much play on it as the profile's save counted.
        ASSERT_TRUE(a->actLevel);
        auto* board = dynamic_cast<FakeLevel*>(a->actLevel.get());
        ASSERT_TRUE(board);
        EXPECT_EQ(board->source, "levels/CASUAL" + std::to_string(a->numerLevelu) + ".lvl");
        EXPECT_EQ(a->ContinueGame(), "MAIN-GAME");
        if (!killed) {
            EXPECT_EQ(names.size(), 3u);
            EXPECT_EQ(a->numerLevelu, 2);
            break;
        }
        ++kills;
    }
    std::filesystem::remove_all(snapshot);
    EXPECT_GE(kills, 16);  // two steps for each file written
}

// A player's file that cannot be found at the next start: the player is told about once
// per start, stays in the list, and is back at the start after the file is.
struct Break {
    const char* name;
    const char* told;  // what the notice says beyond "No such file: <path>"
    std::function<void(PlayerDataTest&, const std::string& folder)> breakIt, restore;
};

const Break kBreaks[] = {
    {"TheFileIsDeleted", "",
     [](PlayerDataTest& t, const std::string& f) { std::rename((t.dir + f + "/profile.dat").c_str(), (t.dir + f + ".dat").c_str()); },
     [](PlayerDataTest& t, const std::string& f) { std::rename((t.dir + f + ".dat").c_str(), (t.dir + f + "/profile.dat").c_str()); }},
    {"TheFolderIsReplacedByAFile", " (the player folder \"<folder>\" is a file, not a folder)",
     [](PlayerDataTest& t, const std::string& f) {
         std::rename((t.dir + f).c_str(), (t.dir + f + ".away").c_str());
         t.write(f, "not a folder");
     },
     [](PlayerDataTest& t, const std::string& f) {
         std::remove((t.dir + f).c_str());
         std::rename((t.dir + f + ".away").c_str(), (t.dir + f).c_str());
     }},
    {"TheFileIsALinkToNothing", " (it is a link to \"<folder>.dat\", which does not exist)",
     [](PlayerDataTest& t, const std::string& f) {
         std::rename((t.dir + f + "/profile.dat").c_str(), (t.dir + f + ".away").c_str());
         ASSERT_EQ(symlink((t.dir + f + ".dat").c_str(), (t.dir + f + "/profile.dat").c_str()), 0);
     },
     [](PlayerDataTest& t, const std::string& f) { std::rename((t.dir + f + ".away").c_str(), (t.dir + f + ".dat").c_str()); }},
};

class PlayerFileBreaks : public PlayerDataTest, public ::testing::WithParamInterface<size_t> {};

TEST_P(PlayerFileBreaks, APlayerComesBackWithTheirFile) {
    const Break& b = kBreaks[GetParam()];
    twoPlayers();
    m.profile = m.listaProfili[1];  // Ben plays
    ASSERT_EQ(m.save(), 0);
    b.breakIt(*this, ann());
    b.breakIt(*this, ben());
    restart();
    EXPECT_TRUE(listNames().empty());
    EXPECT_EQ(m.keptIds, (std::vector<std::string>{"65-78-78-", "66-69-78-"}));
    ASSERT_EQ(notices.size(), 2u);
    std::string detail = b.told;
    if (auto at = detail.find("<folder>"); at != std::string::npos) detail.replace(at, 8, dir + ben());
    EXPECT_EQ(notices[1], "No such file: " + dir + ben() + "/profile.dat" + detail +
                              "\nBlad! Nie mozna wczytac profilu: 66-69-78-\n"
                              "BEN is kept in the list and comes back at the next start once the file can be read again.");
    // Nobody to play: a new player is made, and the two keep their names.
    names = {"Ann", "Cat"};
    m.check();
    EXPECT_EQ(infos, (std::vector<std::string>{"Taken"}));
    m.check();
    EXPECT_EQ(listNames(), (std::vector<std::string>{"Cat"}));
    restart();  // a start before the files are back changes nothing
    EXPECT_EQ(listNames(), (std::vector<std::string>{"CAT"}));
    b.restore(*this, ann());
    b.restore(*this, ben());
    restart();
    EXPECT_EQ(listNames(), (std::vector<std::string>{"CAT", "ANN", "BEN"}));
    EXPECT_TRUE(notices.empty()) << notices[0];
    EXPECT_TRUE(m.keptIds.empty());
}

INSTANTIATE_TEST_SUITE_P(Breaks, PlayerFileBreaks, ::testing::Range<size_t>(0, std::size(kBreaks)),
                         [](const auto& info) { return std::string(kBreaks[info.param].name); });

// A new player whose list entry a kill kept from being written is found in their folder;
// the folders of deleted and renamed players, left before the list was last written, stay
// out.
TEST_F(PlayerDataTest, APlayerFolderTheListDoesNotNameIsTakenBack) {
    twoPlayers();
    auto dan = createNewProfile("DAN");
    ASSERT_EQ(dan->save(), 0);  // a player deleted long ago
    auto cat = createNewProfile("CAT");
    cat->flowType = "CASUAL";
    ASSERT_EQ(cat->save(), 0);  // made, and killed before the list was written
    auto age = [&](const std::string& rel, time_t when) {
        utimbuf t{when, when};
        ASSERT_EQ(utime((dir + rel).c_str(), &t), 0);
    };
    age("/Profiles/68-65-78-/profile.dat", 1000);
    age("/Profiles/profiles.dat", 2000);
    restart();
    EXPECT_EQ(listNames(), (std::vector<std::string>{"ANN", "BEN", "CAT"}));
    EXPECT_TRUE(notices.empty()) << notices[0];
    ASSERT_EQ(m.save(), 0);
    EXPECT_NE(read("/Profiles/profiles.dat").find("67-65-84-"), std::string::npos);
    EXPECT_EQ(read("/Profiles/profiles.dat").find("68-65-78-"), std::string::npos);
}

// A board that cannot be read is told for what it is, not as a save cut short.
struct BoardFault {
    const char* name;
    const char* told;
    std::function<void(const std::string& path)> make;
};

const BoardFault kBoardFaults[] = {
    {"Missing", "does not exist", [](const std::string& p) { std::remove(p.c_str()); }},
    {"AFolder", "is a folder, not a file: move it away",
     [](const std::string& p) {
         std::remove(p.c_str());
         files::createDir(p);
     }},
    {"AFifo", "is not a regular file, so it is not read",
     [](const std::string& p) {
         std::remove(p.c_str());
         ASSERT_EQ(mkfifo(p.c_str(), 0600), 0);
     }},
};

class UnreadableBoards : public PlayerDataTest, public ::testing::WithParamInterface<size_t> {};

TEST_P(UnreadableBoards, AreToldForWhatTheyAre) {
    const BoardFault& f = kBoardFaults[GetParam()];
    twoPlayers();
    m.profile->getNextLevel();
    ASSERT_EQ(m.save(), 0);
    const std::string board = dir + ann() + "/level.lvl";
    f.make(board);
    restart();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], "The level in progress of ANN cannot be continued: the file \"" + board + "\" " + f.told +
                              ". The level starts again.");
    ASSERT_TRUE(m.profile);
    EXPECT_FALSE(m.profile->actLevel);
    EXPECT_EQ(m.profile->ContinueGame(), "RESTART-LEVEL");
}

INSTANTIATE_TEST_SUITE_P(Boards, UnreadableBoards, ::testing::Range<size_t>(0, std::size(kBoardFaults)),
                         [](const auto& info) { return std::string(kBoardFaults[info.param].name); });

class PlayerDataFaults : public PlayerDataTest, public ::testing::WithParamInterface<size_t> {};

TEST_P(PlayerDataFaults, NothingIsLostWithoutAWord) { kFaults[GetParam()].run(*this); }

INSTANTIATE_TEST_SUITE_P(Faults, PlayerDataFaults, ::testing::Range<size_t>(0, std::size(kFaults)),
                         [](const auto& info) { return std::string(kFaults[info.param].name); });

}  // namespace
