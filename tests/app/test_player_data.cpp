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

// The play between two starts, as the saves see it: Ann wins her level and moves on (the
// board and her file), the router saves everyone, and a new player Cat is made.
void playOn(PlayerDataTest& t, TProfileManager& m) {
    m.profile->updateLevelData(m.profile->numerLevelu, 1, 100, 10, 0, 1);
    m.profile->getNextLevel();
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
        for (const auto& note : notices) {
            // Only a board cut off from its profile may be reported; nothing is damaged.
            EXPECT_NE(note.find("was not saved completely"), std::string::npos) << note;
        }
        const auto names = listNames();
        ASSERT_GE(names.size(), 2u);
        EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 2), kBoth);
        if (names.size() == 3) {
            EXPECT_EQ(names[2], "CAT");
        }
        const auto& a = m.listaProfili[0];
        EXPECT_TRUE(a->numerLevelu == 1 || a->numerLevelu == 2) << a->numerLevelu;
        if (a->actLevel) {
            // The board read back is the board of the level the profile is on.
            auto* board = dynamic_cast<FakeLevel*>(a->actLevel.get());
            ASSERT_TRUE(board);
            EXPECT_EQ(board->source, "levels/CASUAL" + std::to_string(a->numerLevelu) + ".lvl");
        }
        if (!killed) {
            EXPECT_EQ(names.size(), 3u);
            EXPECT_EQ(a->numerLevelu, 2);
            break;
        }
        ++kills;
    }
    std::filesystem::remove_all(snapshot);
    EXPECT_GE(kills, 6);  // two steps for each file written
}

class PlayerDataFaults : public PlayerDataTest, public ::testing::WithParamInterface<size_t> {};

TEST_P(PlayerDataFaults, NothingIsLostWithoutAWord) { kFaults[GetParam()].run(*this); }

INSTANTIATE_TEST_SUITE_P(Faults, PlayerDataFaults, ::testing::Range<size_t>(0, std::size(kFaults)),
                         [](const auto& info) { return std::string(kFaults[info.param].name); });

}  // namespace
