// Start-up order, the values it reads, init's order, the folders, and the end of the
// process without a save.
#include "app/startup.h"

#include "app/folders.h"
#include "app_fixture.h"

namespace {

namespace fs = std::filesystem;

class StartupTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        exeDir = (dir / "bin").string();
        write("bin/assets/gfx/readme.txt", "");
        write("bin/assets/txt/lang.txt", " en \r\n");
        write("bin/assets/txt/en/name.txt", "My Game\n");
        write("bin/assets/txt/en/pauseGame.txt", "Game paused\n");
        fs::create_directories(dir / "work");
    }
    std::string exeDir;
};

TEST_F(StartupTest, GlobalsAreSetInOrderFromTrimmedTexts) {
    write("work/cheats.txt", "");                        // empty: still on
    fs::create_directories(dir / "work" / "noTutorial.txt");  // a folder counts too
    {
        WorkingFolder wf(dir / "work");
        startupGlobals(exeDir);
    }
    EXPECT_EQ(startupTrace(),
              (std::vector<std::string>{"types", "bDir", "lang", "noTutorial", "desktop", "options", "mouse",
                                        "mousePoint", "globalSnd", "deltaTime", "title", "cheats", "QGUI_RELOAD",
                                        "myFolderName"}));
    EXPECT_EQ(bDir, exeDir + "/assets/");
    EXPECT_EQ(lang, "en");
    EXPECT_EQ(myFolderName, "My Game");
    EXPECT_EQ(cheats, 1);
    EXPECT_EQ(guiCheats(), 1);
    EXPECT_NE(noTutorial, 0);
    EXPECT_EQ(QGUI_RELOAD, 1);
    EXPECT_EQ(_START_DESKTOP_WIDTH, DesktopWidth());
    EXPECT_EQ(deltaTime.dFps, 60.0f);
    ASSERT_TRUE(mousePoint);  // no gfx/point.png here: a one-pixel probe stands in
    EXPECT_TRUE(notices.empty());
}

TEST_F(StartupTest, SwitchFilesCountInTheWorkingFolderOnly) {
    write("bin/assets/cheats.txt", "");  // beside the assets: not a switch
    WorkingFolder wf(dir / "work");
    startupGlobals(exeDir);
    EXPECT_EQ(cheats, 0);
    EXPECT_EQ(noTutorial, 0);
}

TEST_F(StartupTest, NoAssetFolderBesideTheProgramCountsFromTheWorkingFolder) {
    fs::remove_all(dir / "bin" / "assets" / "gfx");
    write("work/txt/lang.txt", "de");
    write("work/txt/de/name.txt", "Spiel");
    WorkingFolder wf(dir / "work");
    startupGlobals(exeDir);
    EXPECT_EQ(bDir, "");
    EXPECT_EQ(lang, "de");
    EXPECT_EQ(myFolderName, "Spiel");
}

TEST_F(StartupTest, MissingLanguageFilesAreReportedAndDefaultsUsed) {
    fs::remove(dir / "bin" / "assets" / "txt" / "lang.txt");
    WorkingFolder wf(dir / "work");
    startupGlobals(exeDir);
    EXPECT_EQ(lang, "en");
    EXPECT_EQ(myFolderName, "My Game");
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("lang.txt"), std::string::npos);
}

TEST_F(StartupTest, ALanguageWithoutTextsIsToldOnceAndEnglishUsed) {
    struct Case {
        const char* what;
        const char* text;
        const char* told;
    } cases[] = {
        {"no such language", "zz\n", "names the language \"zz\", which has no texts"},
        {"empty", " \r\n", "names no language"},
        {"a path", "../en", "names the language \"../en\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        write("bin/assets/txt/lang.txt", c.text);
        notices.clear();
        WorkingFolder wf(dir / "work");
        startupGlobals(exeDir);
        EXPECT_EQ(lang, "en");
        EXPECT_EQ(myFolderName, "My Game");  // the title of the language used
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_NE(notices[0].find(bDir + "txt/lang.txt\" " + c.told), std::string::npos) << notices[0];
    }
}

// The language names a folder of the asset tree: one leading out of it is refused by name.
TEST_F(StartupTest, ALanguageLeadingOutOfTheTreeIsRefused) {
    WorkingFolder wf(dir / "work");
    for (const char* named : {"../../outside", "en/../..", "/etc", "..\\..", "C:/x"}) {
        SCOPED_TRACE(named);
        write("bin/assets/txt/lang.txt", named);
        notices.clear();
        startupGlobals(exeDir);
        EXPECT_EQ(lang, "en");
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_NE(notices[0].find(std::string("\"") + named + "\""), std::string::npos) << notices[0];
        EXPECT_NE(notices[0].find("lang.txt"), std::string::npos);
    }
}

TEST_F(StartupTest, InitOrderWithAndWithoutTheSplash) {
    for (bool noLogo : {false, true}) {
        SCOPED_TRACE(noLogo ? "noLogo.txt present" : "splash shown");
        resetStartup();
        ResetMouseState();
        fs::remove_all(dir / "user");
        if (noLogo) fs::create_directories(dir / "work" / "noLogo.txt");
        WorkingFolder wf(dir / "work");
        EnvVar user("ZERKON_USER_DIR", (dir / "user").string());
        int splashes = 0;
        startupStages().splash = [&] { ++splashes; };
        startupGlobals(exeDir);
        init();
        std::vector<std::string> initSteps(startupTrace().begin() + 14, startupTrace().end());
        std::vector<std::string> want{"folders", "settings", "display", "splash", "seed", "hideCursor",
                                      "optionsSetup", "loading"};
        if (noLogo) want.erase(want.begin() + 3);
        EXPECT_EQ(initSteps, want);
        EXPECT_EQ(splashes, noLogo ? 0 : 1);
        EXPECT_TRUE(GraphicsOpen());
        EXPECT_EQ(txtPauseGame, "Game paused");
        EXPECT_EQ(mouse.listaKursorow.size(), 17u);
        EXPECT_TRUE(fs::is_directory(dir / "user" / "Profiles"));
        EXPECT_TRUE(fs::is_regular_file(dir / "user" / "Data" / "settings.dat"));
    }
}

TEST_F(StartupTest, EndingThroughTheMenuChangesNoUserFile) {
    WorkingFolder wf(dir / "work");
    EnvVar user("ZERKON_USER_DIR", (dir / "user").string());
    startupGlobals(exeDir);
    init();
    write("user/Data/settings.dat", "settings {\n\tfullScreen = 0\n}\n\n");
    auto before = fs::last_write_time(dir / "user" / "Data" / "settings.dat");
    options.soundVol = 0.9f;  // a change that quitting must not write
    // The menu's exit, then what start does once the router returns.
    control::bind("MAIN-MENU", [] { return std::string("END"); });
    try {
        control::mainloop();
        ende(1);
    } catch (const ProcessEnded& e) {
        EXPECT_EQ(e.code, 0);
    }
    EXPECT_EQ(control::where, "END");
    EXPECT_EQ(read((dir / "user" / "Data" / "settings.dat").string()), "settings {\n\tfullScreen = 0\n}\n\n");
    EXPECT_EQ(fs::last_write_time(dir / "user" / "Data" / "settings.dat"), before);
}

TEST_F(StartupTest, SavingAllDataWithoutAProfileStillWritesSettingsAndScores) {
    myDocsFolder = (dir / "user").string();
    fs::create_directories(dir / "user" / "Data");
    std::vector<std::string> saved;
    GameDataSavers& s = gameDataSavers();
    s.log = [&] { saved.push_back("log"); };
    s.profiles = [&] { saved.push_back("profiles"); };
    s.hasCurrentProfile = [] { return false; };
    s.highScores = [&] { saved.push_back("highScores"); };
    saveGameDatas();
    EXPECT_EQ(saved, (std::vector<std::string>{"log", "highScores"}));
    EXPECT_TRUE(fs::is_regular_file(dir / "user" / "Data" / "settings.dat"));
    s.hasCurrentProfile = [] { return true; };
    saved.clear();
    saveGameDatas();
    EXPECT_EQ(saved, (std::vector<std::string>{"log", "profiles", "highScores"}));
}

class FolderTest : public AppTest {};

TEST_F(FolderTest, UserFolderDerivation) {
    const struct {
        const char* name;
        const char* over;
        const char* xdg;
        const char* home;
        const char* want;
    } cases[] = {
        {"override wins", "/tmp/run/u/", "/x", "/home/a", "/tmp/run/u"},
        {"XDG data home", nullptr, "/data/share", "/home/a", "/data/share/My Game"},
        {"relative XDG is ignored", nullptr, "rel/share", "/home/a", "/home/a/.local/share/My Game"},
        {"default", nullptr, nullptr, "/home/a", "/home/a/.local/share/My Game"},
        {"empty override ignored", "", nullptr, "/home/b", "/home/b/.local/share/My Game"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EnvVar home("HOME", c.home);
        auto env = [&c](const char* n) -> const char* {
            std::string k = n;
            if (k == "ZERKON_USER_DIR") return c.over;
            if (k == "XDG_DATA_HOME") return c.xdg;
            return nullptr;
        };
        EXPECT_EQ(userFolderFor("My Game", env), c.want);
    }
}

TEST_F(FolderTest, FoldersAreMadeWithTheirParentsAndExistingOnesKept) {
    EnvVar user("ZERKON_USER_DIR", (dir / "deep" / "er" / "My Game").string());
    myFolderName = "My Game";
    GetDataFolders();
    EXPECT_EQ(myDocsFolder, (dir / "deep" / "er" / "My Game").string());
    EXPECT_TRUE(fs::is_directory(dir / "deep" / "er" / "My Game" / "Data"));
    EXPECT_TRUE(fs::is_directory(dir / "deep" / "er" / "My Game" / "Profiles"));
    write("deep/er/My Game/Profiles/keep.dat", "x");
    GetDataFolders();
    EXPECT_EQ(read((dir / "deep" / "er" / "My Game" / "Profiles" / "keep.dat").string()), "x");
    EXPECT_TRUE(notices.empty());
}

TEST_F(FolderTest, AFolderThatCannotBeMadeIsReportedAndTheGameGoesOn) {
    write("blocker", "a file where the user folder should be");
    EnvVar user("ZERKON_USER_DIR", (dir / "blocker" / "u").string());
    testing::internal::CaptureStdout();
    EXPECT_EQ(GetDataFolders(), 0);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Cannot create"), std::string::npos);
}

TEST_F(FolderTest, PathsBelowTheUserFolderHaveOneSpelling) {
    myDocsFolder = "/u";
    const struct {
        const char* rel;
        const char* want;
    } cases[] = {
        {"/data/localHighScores.dat", "/u/Data/localHighScores.dat"},
        {"/Data/settings.dat", "/u/Data/settings.dat"},
        {"/profiles/profiles.dat", "/u/Profiles/profiles.dat"},
        {"/Profiles/66-111-98-/Level.lvl", "/u/Profiles/66-111-98-/level.lvl"},
        {"/profiles/66-111-98-/level.lvl", "/u/Profiles/66-111-98-/level.lvl"},
        {"Profiles/x/profile.dat", "/u/Profiles/x/profile.dat"},
        {"/Profiles/data/Data", "/u/Profiles/data/Data"},  // only the first folder is renamed
    };
    for (const auto& c : cases) EXPECT_EQ(userPath(c.rel), c.want) << c.rel;
}

TEST_F(FolderTest, AssetFolderBesideTheProgramWhenItHoldsGfx) {
    auto kind = [](const std::string& p) { return p == "/games/z/assets/gfx" ? 2 : 0; };
    EXPECT_EQ(resourceFolderFor("/games/z", kind), "/games/z/assets/");
    EXPECT_EQ(resourceFolderFor("/games/z/", kind), "/games/z/assets/");
    EXPECT_EQ(resourceFolderFor("/games/y", kind), "");
}

}  // namespace
