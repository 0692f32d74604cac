#pragma once
// The game started the way the program starts it, on the headless backend and the built
// asset tree: every module's globals reset, the folders (a scratch user folder), the display,
// the loading screen run with all its units, then the screens installed. Shared by the
// loading and screen benchmarks; each benchmark starts its own world, so none depends on
// what another left behind.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>
#include <string>
#include <system_error>

#include <unistd.h>

#include "tests/support/reset_state.h"

#include "app/app_globals.h"
#include "app/folders.h"
#include "app/frame.h"
#include "app/loading/loading_screen.h"
#include "app/options.h"
#include "app/options_screen/options_screen.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "app/router.h"
#include "app/sound.h"
#include "app/splash/branding.h"
#include "app/startup.h"
#include "effects/effects.h"
#include "game/awards/awards.h"
#include "game/board/level.h"
#include "game/board/links.h"
#include "game/board/number.h"
#include "game/board/tile.h"
#include "game/board/tiledata.h"
#include "game/flow/level_manager.h"
#include "game/level/levelfile.h"
#include "game/level/sets.h"
#include "gui/core/gui.h"
#include "gui/widgets/theme.h"
#include "platform/files.h"
#include "platform/strings.h"
#include "platform/system.h"
#include "screens/awards/give_award.h"
#include "screens/lose/lose_screen.h"
#include "screens/map/map_world.h"
#include "screens/map/mapa.h"
#include "screens/menu/main_menu.h"
#include "screens/menu/menu_install.h"
#include "screens/menu/menu_overlays.h"
#include "screens/panels/enter_name.h"
#include "screens/panels/panels_install.h"
#include "screens/panels/popup.h"
#include "screens/play/main_game.h"
#include "screens/stage/stage_screen.h"
#include "screens/win/win_screen.h"
#include "wiring/loading_units.h"
#include "wiring/start_screens.h"

namespace benchworld {

// The built tree: $ZERKON_ASSET_TREE, else the build's own assets/ (with a trailing slash).
inline std::string builtTree() {
    std::string tree = std::string(ZERKON_BINARY_DIR) + "/assets";
    if (const char* env = std::getenv("ZERKON_ASSET_TREE")) tree = env;
    if (!tree.empty() && tree.back() != '/') tree += '/';
    return tree;
}

inline bool treeReady() {
    const std::string t = builtTree();
    return std::filesystem::exists(t + "data/tiles.dat") &&
           std::filesystem::exists(t + "gfx/gui/loading/back.jpg") &&
           std::filesystem::exists(t + "gfx/gui/mapa/mapa.jpg");
}

// Every module with globals back to a fresh start (the fixtures' resets, in one place).
inline void resetEverything() {
    resetPlatformAndToolkit();
    ResetLayoutState();
    ResetThemes();
    resetAppGlobals();
    resetOptions();
    resetGlobalSnd();
    resetFrameState();
    control::reset();
    resetStartup();
    resetLoadingScreen();
    resetBranding();
    resetOptionsScreen();
    resetProfileManager();
    resetProfileDialogs();
    resetMainMenu();
    resetMenuOverlays();
    resetStageScreen();
    mapa.reset();
    resetEffects();
    resetMainGame();
    resetWinScreen();
    resetLoseScreen();
    resetGiveAward();
    resetEnterName();
    resetPopUp();
    resetAwards();
    levelManager.clear();
    resetTileSets();
    resetTileDataLists();
    resetTileStatics();
    resetNumberImages();
    resetBoardLinks();
}

// A scratch user folder for the life of the object ($ZERKON_USER_DIR points at it), so the
// benchmarks never read or write a real player's profiles.
class UserFolder {
public:
    UserFolder() {
        static int serial = 0;
        dir_ = std::filesystem::temp_directory_path() /
               ("zerkon_bench_" + std::to_string(getpid()) + "_" + std::to_string(serial++));
        std::filesystem::create_directories(dir_);
        if (const char* v = std::getenv("ZERKON_USER_DIR")) old_ = v, had_ = true;
        setenv("ZERKON_USER_DIR", dir_.string().c_str(), 1);
    }
    ~UserFolder() {
        if (had_) setenv("ZERKON_USER_DIR", old_.c_str(), 1);
        else unsetenv("ZERKON_USER_DIR");
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    UserFolder(const UserFolder&) = delete;
    UserFolder& operator=(const UserFolder&) = delete;

private:
    std::filesystem::path dir_;
    std::string old_;
    bool had_ = false;
};

// Start-up up to the loading screen, as the program does it, but with bDir on the built tree
// (the bench binary does not sit beside an assets/ folder).
// With gl, the real backend (a window) in place of the headless one.
inline void startUpToLoading(bool gl = false) {
    resetEverything();
    if (gl) {
        InitPlatform(false);
        SetClockSource(nullptr);  // the real clock, not the headless one the reset installed
        _START_DESKTOP_WIDTH = DesktopWidth();  // as start-up reads it, for the display choice
        _START_DESKTOP_HEIGHT = DesktopHeight();
    }
    bDir = builtTree();
    auto langText = files::loadText(bDir + "txt/lang.txt");
    lang = langText ? str::trim(*langText) : "en";
    if (lang.empty()) lang = "en";
    SetMouseOptionSource(&options.fullScreen, &options.customCursor);
    TMouse::_m = &mouse;
    mousePoint = LoadImage(bDir + "gfx/point.png");
    MidHandleImage(mousePoint);
    SetGuiClickSound([] { globalSnd.click(); });
    SetGuiHoverSound([] { globalSnd.over(); });
    deltaTime.SetFPS(60);
    myFolderName = "Zerkon";
    setLoadingTable(loadingUnits());
    installPlayWorld();
    systemSetup();
    options.loadOptions();
    options.openScreen();
    options.setup();
}

// The loading screen's whole run: its pictures, the five parts, the input flush.
inline void runLoading() {
    runLoadingScreen();
    FlushKeys();
    FlushMouse();
}

// What start() binds before the router takes over (the router itself is not run).
inline void installScreens() {
    options.setupMouse();
    control::font = myLoadImageFont(bDir + "gfx/fonts/storyFont.ttf", 36);
    installMenuScreens();
    bindGameFlowPlaces();
    installPlayScreen();
    installWinScreen();
    installLoseScreen();
    winHooks().giveAward = [](const std::shared_ptr<TAwardRecord>&, TEkran&) {};
    installPanels();
}

// The whole start: up to the loading screen, its run, the screens installed.
inline void startGame(bool gl = false) {
    startUpToLoading(gl);
    runLoading();
    installScreens();
}

inline std::shared_ptr<TProfile> makeProfile(const std::string& flow, int stage, int level) {
    auto p = std::make_shared<TProfile>();
    p->name = "Ann";
    p->flowType = flow;
    p->numerStageu = stage;
    p->numerLevelu = level;
    p->score = 18250;
    profileManager.profile = p;
    return p;
}

// The first 25 x 25 level of the tree (the hard voyage has them).
inline std::shared_ptr<TLevel> load25x25() {
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& e : std::filesystem::recursive_directory_iterator(bDir + "data/levels", ec))
        if (e.is_regular_file() && e.path().extension() == ".lvl") files.push_back(e.path().string());
    std::sort(files.begin(), files.end());
    for (const auto& f : files) {
        auto text = files::loadText(f);
        if (!text || text->find("dims = 25, 25") == std::string::npos) continue;
        if (auto level = loadLevel(f, 1); level && level->rows == 25 && level->cols == 25) return level;
    }
    return nullptr;
}

// The play screen on the level, past its fade and fly-in.
// (maxFrames: a real clock may take more frames than the headless one.)
inline bool playUntilNormal(const std::shared_ptr<TLevel>& level, int maxFrames = 600) {
    mainGame.setLevel(level);
    mainGame.restartWorek();
    mainGame.prepare();
    for (int i = 0; i < maxFrames && mainGame.state != "NORMAL"; ++i) mainGame.frame();
    return mainGame.state == "NORMAL";
}

// A hard-voyage profile and the play screen on the first 25 x 25 level, in its normal state
// (what the router does the first time it enters the play screen, then the level); the
// reason in `why` and null when the tree has no such level or the screen never settles.
inline std::shared_ptr<TLevel> play25x25(std::string& why, int maxFrames = 600) {
    makeProfile("HARD", 2, 3);
    setupPlayScreen();
    playHooks().saveGameData = [] {};
    auto level = load25x25();
    if (!level) {
        why = "no 25 x 25 level in the tree";
        return nullptr;
    }
    if (!playUntilNormal(level, maxFrames)) {
        why = "the play screen did not reach its normal state";
        return nullptr;
    }
    return level;
}

inline void stopGame() {
    profileManager.profile.reset();
    SetClockSource(nullptr);
    if (GraphicsOpen()) CloseGraphics();
    resetEverything();
}

}  // namespace benchworld
