#include "app/startup.h"

#include "app/app_globals.h"
#include "app/folders.h"
#include "app/frame.h"
#include "app/options.h"
#include "app/profile/profile_manager.h"
#include "app/router.h"
#include "app/sound.h"
#include "gui/core/services.h"
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

// The language of txt/lang.txt, or "en" (told once) when the tree has no texts for it: a
// language without its folder would leave every text and layout of the game missing.
std::string language() {
    const std::string path = bDir + "txt/lang.txt";
    const std::string named = readTrimmed(path, "en");
    // One folder of the tree's txt/, never a way out of it.
    const bool plain = !named.empty() && files::insideTree(named) && named.find('/') == std::string::npos &&
                       named != ".";
    if (named == "en" || (plain && files::fileType(bDir + "txt/" + named) == files::FILETYPE_DIR)) return named;
    const std::string what =
        named.empty() ? std::string("no language") : "the language \"" + named + "\", which has no texts in the game";
    Notify("\"" + path + "\" names " + what + "; using \"en\".", true);
    return "en";
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
    lang = language();
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
    loadPauseGameFont();
    loadPauseGameText();
    profileManager.setup();
    profileManager.loadProfiles();
}

int init() {
    systemSetup();
    step("folders");
    options.loadOptions();
    step("settings");
    if (startupStages().beforeDisplay) startupStages().beforeDisplay();
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
    FlushKeys();
    FlushMouse();
    step("loading");
    return 0;
}

int start() {
    // The loading screen is done: its pictures need not wait for the film's.
    ScreenEnded();
    MemoryMark("intro");
    // The title: the intro's first frame, once the loading screen has faded.
    TimingMarkAtNextFrame("intro.firstFrame");
    if (startupStages().intro) startupStages().intro();
    // The decoding worker has served the loading and the film's first frames: what it
    // decoded and nobody took (a film cut short) goes.
    StopPrefetch();
    step("intro");
    options.setupMouse();
    control::font = myLoadImageFont(bDir + "gfx/fonts/storyFont.ttf", 36);
    step("router");
    if (startupStages().places) startupStages().places();
    control::mainloop();
    ende(1);
}

void resetStartup() {
    gTrace.clear();
    startupStages() = StartupStages{};
}
