#include "app/startup.h"

#include "app/app_globals.h"
#include "app/folders.h"
#include "app/frame.h"
#include "app/loading/start_screens.h"
#include "app/options.h"
#include "app/profile/profile_manager.h"
#include "app/router.h"
#include "app/sound.h"
#include "effects/chmura.h"
#include "game/flow/flow_install.h"
#include "game/play/main_game.h"
#include "gui/core/services.h"
#include "gui/data/txtfile.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/harness.h"
#include "platform/input.h"
#include "platform/prefetch.h"
#include "platform/strings.h"
#include "platform/system.h"
#include "minigames/hidden_object/screen/hidden_object.h"
#include "minigames/puzzle_express/screen/puzzle_express.h"
#include "minigames/lay_puzzle/screen/lay_puzzle.h"
#include "screens/awards/award_screen.h"
#include "screens/awards/give_award.h"
#include "screens/dialogs/dialog_box.h"
#include "screens/lose/lose_screen.h"
#include "screens/menu/menu_install.h"
#include "screens/panels/panels_install.h"
#include "screens/story/story_install.h"
#include "screens/tutorial/tutorial.h"
#include "screens/win/win_screen.h"

namespace {

std::vector<std::string> gTrace;
void step(const char* name) {
    gTrace.emplace_back(name);
    TimingMark(name);
}

// The trimmed text of an asset file; a missing file is reported and gives the fallback.
std::string readTrimmed(const std::string& path, const std::string& fallback) {
    auto text = files::loadText(path);
    if (!text) {
        Notify("Cannot read \"" + path + "\"; using \"" + fallback + "\".", true);
        return fallback;
    }
    return str::trim(*text);
}

TImage fallbackPoint() {
    // A single solid pixel keeps the block games' hover tests working without the file.
    Pixmap pm;
    pm.width = pm.height = 1;
    pm.pixels.assign(1, 0xFFFFFFFFu);
    return CreateImageFromPixmap(pm);
}

}  // namespace

StartupStages& startupStages() {
    static StartupStages s;
    return s;
}

const std::vector<std::string>& startupTrace() { return gTrace; }

int startupGlobals(const std::string& exeDir) {
    step("types");
    bDir = resourceFolderFor(exeDir, [](const std::string& p) { return files::fileType(p); });
    // The pictures and sounds of the loading are decoded ahead while the display opens.
    StartPrefetch(bDir, bDir + "preload.lst");
    step("bDir");
    lang = readTrimmed(bDir + "txt/lang.txt", "en");
    step("lang");
    noTutorial = files::fileType("noTutorial.txt");
    step("noTutorial");
    _START_DESKTOP_WIDTH = DesktopWidth();
    _START_DESKTOP_HEIGHT = DesktopHeight();
    step("desktop");
    SetMouseOptionSource(&options.fullScreen, &options.customCursor);
    step("options");
    TMouse::_m = &mouse;
    step("mouse");
    mousePoint = LoadImage(bDir + "gfx/point.png");
    if (!mousePoint) mousePoint = fallbackPoint();
    step("mousePoint");
    SetGuiClickSound([] { globalSnd.click(); });
    SetGuiHoverSound([] { globalSnd.over(); });
    step("globalSnd");
    MidHandleImage(mousePoint);
    deltaTime.SetFPS(60);
    step("deltaTime");
    std::string title = readTrimmed(bDir + "txt/" + lang + "/name.txt", "Zerkon");
    step("title");
    cheats = files::fileType("cheats.txt") != files::FILETYPE_NONE ? 1 : 0;
    SetGuiCheatsSource(&cheats);
    step("cheats");
    QGUI_RELOAD = 1;
    step("QGUI_RELOAD");
    // The title names the user folder: it must never lead outside the data folder.
    myFolderName = safeFolderName(title);
    SetWindowTitle(title);
    step("myFolderName");
    return 0;
}

void loadFrameData() {
    globalSnd.setup();
    loadMouseCursors();
    pauseGameFont = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 48);
    txtPauseGame = readTxtData(loadTxtFile(bDir + "txt/#LANG#/pauseGame.txt"), 1);
    profileManager.setup();
    profileManager.loadProfiles();
}

int init() {
    systemSetup();
    step("folders");
    options.loadOptions();
    step("settings");
    options.openScreen();
    step("display");
    if (files::fileType("noLogo.txt") == files::FILETYPE_NONE) {
        if (startupStages().splash) startupStages().splash();
        step("splash");
    }
    SeedRnd(Millisecs());
    step("seed");
    HideMouse();
    step("hideCursor");
    options.setup();
    step("optionsSetup");
    MemoryMark("loading");
    if (startupStages().loading) startupStages().loading();
    else loadFrameData();
    StopPrefetch();
    FlushKeys();
    FlushMouse();
    step("loading");
    return 0;
}

void installPlaces() {
    // The current player's progression.
    installProfilePlaces();
    installMenuScreens();
    // "MAPA" runs the stage map.
    bindGameFlowPlaces();
    // "MAIN-GAME" runs the play screen once a level has been handed to it.
    installPlayScreen();
    // The end of a level: the win screen over the board with each award in its own panel,
    // or the lose screen.
    installWinScreen();
    installLoseScreen();
    winHooks().giveAward = [](const std::shared_ptr<TAwardRecord>& award, TEkran& background) {
        giveAward.mainLoop(award, &background);
    };
    // The profile screen's name entry, question and notice use the real panels.
    installPanels();
    // The award gallery from the title and win screens; the story dialogues of the levels.
    installAwardScreens();
    installDialogBox();
    // Credits, end of the levels and the story sequences.
    installStoryScreens();
}

int start() {
    MemoryMark("intro");
    // The title: the intro's first frame, once the loading screen has faded.
    TimingMarkAtNextFrame("intro.firstFrame");
    if (startupStages().intro) startupStages().intro();
    step("intro");
    options.setupMouse();
    control::font = myLoadImageFont(bDir + "gfx/fonts/storyFont.ttf", 36);
    step("router");
    installPlaces();
    control::mainloop();
    ende(1);
}

int zerkonMain() {
    InitPlatform();
    if (!HarnessInit()) {
        ShutdownPlatform();
        return 1;
    }
    startupGlobals(files::appDir());
    installScreens();
    init();
    start();
    return 0;
}

void installScreens() {
    installStartScreens();
    // The pause overlay stops the clouds' lifetimes.
    SetCloudTimerHooks(&TChmura::pause, &TChmura::resume);
    // The program's world (progressions, map, play screen) stands behind the profiles before
    // the loading screen reads them, so a saved level in progress is read as one the play
    // screen can take.
    installPlayWorld();
    // The hidden-object scenes: readable by the profiles, set up while loading.
    installHiddenObject();
    // The block puzzle and its found-item notice, the same way.
    installPuzzleExpress();
    // The inlay game: readable by the profiles, set up while loading.
    installLayPuzzle();
    // The tutorial's tips over the play and win screens and the mini-games.
    installTutorial();
}

void resetStartup() {
    gTrace.clear();
    startupStages() = StartupStages{};
}
