#include "app/loading/loading_screen.h"

#include <cmath>
#include <map>
#include <utility>

#include "app/app_globals.h"
#include "app/loading/road_check.h"
#include "app/frame.h"
#include "app/music/music.h"
#include "app/options.h"
#include "app/profile/profile_manager.h"
#include "app/sound.h"
#include "effects/captions.h"
#include "effects/fala.h"
#include "effects/flying_bonus.h"
#include "effects/kamien.h"
#include "effects/leaf.h"
#include "effects/living.h"
#include "effects/miecz.h"
#include "effects/plate.h"
#include "effects/particles.h"
#include "effects/pogoda.h"
#include "effects/stripe.h"
#include "game/board/number.h"
#include "game/flow/level_manager.h"
#include "game/level/sets.h"
#include "game/map/mapa.h"
#include "game/play/main_game.h"
#include "gui/data/txtfile.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/display.h"
#include "gui/frame/fontcache.h"
#include "gui/globals.h"
#include "gui/widgets/theme.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/prefetch.h"
#include "platform/strings.h"
#include "platform/system.h"
#include "screens/awards/award_screen.h"
#include "screens/awards/give_award.h"
#include "screens/awards/show_award.h"
#include "screens/dialogs/dialog_box.h"
#include "screens/highscores/highscores.h"
#include "screens/lose/lose_screen.h"
#include "screens/menu/main_menu.h"
#include "screens/menu/menu_overlays.h"
#include "screens/panels/enter_name.h"
#include "screens/panels/papirus.h"
#include "screens/panels/popup.h"
#include "screens/rules/rules_screen.h"
#include "screens/stage/stage_screen.h"
#include "screens/intro/intro_screen.h"
#include "screens/story/credits.h"
#include "screens/story/ending_screen.h"
#include "screens/story/story_text.h"
#include "screens/win/win_screen.h"

TLoadingScreen loadingScreen;
std::shared_ptr<TTheme> windowTheme;

namespace {

// Set-ups handed in by screens that were not built when the table was written.
// Keyed by the upper-cased unit name.
std::map<std::string, std::function<void()>>& overrides() {
    static std::map<std::string, std::function<void()>> m;
    return m;
}

std::function<void()> musicTrack(int nr) {
    return [nr] { music::setupExactMusicByNR(globalSnd, nr); };
}

// The fade of logo and bar is about 50 frames; a stalled clock must not hold start-up.
constexpr int kMaxFadeFrames = 600;

// At 60 frames a second a frame is on the display for 1000/60 ms; rounded down, so the
// headless clock's 16 and 17 ms steps always allow the next one.
constexpr int32_t kFramePeriodMs = 16;

}  // namespace

std::vector<TLoadingScreen::Unit> defaultLoadingUnits() {
    using U = TLoadingScreen::Unit;
    std::vector<U> units = {
        // Sounds, cursors, the overlays every game screen uses, the play screen.
        {1, "globalSnd.setup", [] { globalSnd.setup(); }},
        {1, "music6", musicTrack(6)},
        {1, "loadMouseCursors", [] { loadMouseCursors(); }},
        {1, "setupLeafs", [] { setupLeafs(); }},
        {1, "winScreen.setup", [] { winScreen.setup(); }},
        {1, "loseScreen.setup", [] { loseScreen.setup(); }},
        {1, "giveAward.setup", [] { giveAward.setup(); }},
        {1, "showAward.setup", [] { showAward.setup(); }},
        {1, "endingScreen.setup", [] { endingScreen.setup(); }},
        {1, "windowTheme",
         [] { windowTheme = loadGuiTheme("temat1", bDir + "gfx/gui/window/temat.txt", nullptr); }},
        {1, "mainGame.setup", [] { mainGame.setup(); }},
        {1, "puzzleExpress.setup", nullptr},
        {1, "layPuzzle.setup", nullptr},
        // Effects, clue numbers, dialogues, tile and treasure sets.
        {2, "setupParticles", [] { setupParticles(); }},
        {2, "music7", musicTrack(7)},
        {2, "setupKamienie", [] { setupKamienie(); }},
        {2, "setupPlates", [] { setupPlates(); }},
        {2, "setupFlyingBonus", [] { setupFlyingBonus(); }},
        {2, "setupCaptions", [] { setupCaptions(); }},
        {2, "setupFlyingMiecz", [] { setupFlyingMiecz(); }},
        {2, "setupPogoda", [] { setupPogoda(); }},
        {2, "setupNumbers", [] { setupNumbers(); }},
        {2, "setupStripes", [] { setupStripes(); }},
        {2, "setupLivings", [] { setupLivings(); }},
        {2, "dialogBox.setup", [] { dialogBox.setup(); }},
        {2, "loadTiles", [] { loadTiles(); }},
        {2, "loadTresures", [] { loadTresures(); }},
        // Menus, progressions and the map.
        {3, "mainMenu.setup", [] { mainMenu.setup(); }},
        {3, "music8", musicTrack(8)},
        {3, "tutorial.setup", nullptr},
        {3, "profileManager.setup", [] { profileManager.setup(); }},
        {3, "levelManager.setup", [] { levelManager.setup(); }},
        {3, "hiddenObject.setup", nullptr},
        {3, "mapa.setup", [] { mapa.setup(); }},
        {3, "TPapirus.setup", [] { TPapirus::setup(); }},
        {3, "stageScreen.setup", [] { stageScreen.setup(); }},
        // The award definitions: the profiles, read in the fifth part, find their awards by id.
        {3, "awardScreen.setup", [] { awardScreen.setup(); }},
        {3, "PEFoundScreen.setup", nullptr},
        // Small overlays and the story screens' set-ups.
        {4, "enterName.setup", [] { enterName.setup(); }},
        // Before the voyage choice, which takes the pop-up's panel picture.
        {4, "popUp.setup", [] { popUp.setup(); }},
        {4, "continueQuest.setup", [] { continueQuest.setup(); }},
        {4, "credits.setup", [] { credits.setup(); }},
        {4, "highscores.setup", [] { highscores.setup(); }},
        // The intro's pictures, sounds and texts; its set-up starts with the shared story
        // resources, which the other story screens use too.
        {4, "introScreen.setup", [] { setupIntroScreen(); }},
        {4, "pickFlow.setup", [] { pickFlow.setup(); }},
        {4, "music9", musicTrack(9)},
        // The pause caption and the players; the profiles come after everything they
        // refer to (awards, tips, the play screen) is set up.
        {5, "music5", musicTrack(5)},
        {5, "pauseGameFont", [] { pauseGameFont = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 48); }},
        {5, "txtPauseGame",
         [] { txtPauseGame = readTxtData(loadTxtFile(bDir + "txt/#LANG#/pauseGame.txt"), 1); }},
        {5, "profileManager.loadProfiles", [] { profileManager.loadProfiles(); }},
        {5, "setupFala", [] { setupFala(); }},
        {5, "rulesScreen.setup", [] { rulesScreen.setup(); }},
    };
    for (auto& u : units) {
        auto it = overrides().find(str::upper(u.name));
        if (it != overrides().end()) u.action = it->second;
    }
    return units;
}

bool setLoadingStep(const std::string& name, std::function<void()> action) {
    bool found = false;
    for (auto& u : defaultLoadingUnits())
        if (str::equalsNoCase(u.name, name)) found = true;
    if (!found) return false;
    overrides()[str::upper(name)] = action;
    for (auto& u : loadingScreen.units)
        if (str::equalsNoCase(u.name, name)) u.action = action;
    return true;
}

void resetLoadingScreen() {
    overrides().clear();
    loadingScreen.back.reset();
    loadingScreen.dot = {};
    loadingScreen.img.reset();
    loadingScreen.logo.reset();
    loadingScreen.p = 0;
    loadingScreen.maxProgress = 52;
    loadingScreen.la = 1;
    loadingScreen.shownBar = -1;
    loadingScreen.shownAt = 0;
    loadingScreen.units = defaultLoadingUnits();
    loadingScreen.done.clear();
    windowTheme.reset();
}

TLoadingScreen::TLoadingScreen() { units = defaultLoadingUnits(); }

int TLoadingScreen::loadImages() {
    // The background is opaque: its black pixels must be drawn, not masked away.
    back = loadImage2(bDir + "gfx/gui/loading/back.jpg", FILTEREDIMAGE);
    dot[0] = loadImage2(bDir + "gfx/gui/loading/false.png");
    dot[1] = loadImage2(bDir + "gfx/gui/loading/true.png");
    MidHandleImage(dot[0]);
    MidHandleImage(dot[1]);
    img = LoadImage(bDir + "gfx/gui/loading/loading.png");
    logo = LoadImage(bDir + "gfx/gui/loading/" + lang + "/logo.png");
    MidHandleImage(logo);
    return 0;
}

int TLoadingScreen::run() {
    PART1();
    PART2();
    PART3();
    PART4();
    PART5();
    checkRoadAssets();
    return 0;
}

int TLoadingScreen::_runPart(int part) {
    for (const Unit& u : units) {
        if (u.part != part) continue;
        if (u.action) u.action();
        TimingMark(u.name.c_str());
        done.push_back(u.name);
        progress();
    }
    return 0;
}

int TLoadingScreen::PART1() {
    drawNormal();
    progress();
    return _runPart(1);
}

int TLoadingScreen::PART2() { return _runPart(2); }
int TLoadingScreen::PART3() { return _runPart(3); }
int TLoadingScreen::PART4() { return _runPart(4); }

int TLoadingScreen::PART5() {
    _runPart(5);
    // The decoding worker's part is over: what it holds goes before the fade.
    StopPrefetch();
    EndMe();
    FlushMouse();
    FlushKeys();
    return 0;
}

int TLoadingScreen::progress() {
    p += 1;
    if (p > maxProgress) p = maxProgress;
    // A frame the player could not tell from the last one only costs time: the bar has not
    // moved by a display pixel, or the display could not show another frame yet.
    if (_barPixels() == shownBar || (shownBar >= 0 && Millisecs() - shownAt < kFramePeriodMs)) {
        PollSystem();
        return 0;
    }
    return drawNormal();
}

int TLoadingScreen::_barPixels() const {
    const float f = maxProgress > 0 ? float(p) / float(maxProgress) : 1.0f;
    const float w = img ? float(ImageWidth(img)) : 400.0f;
    const float scale = GraphicsWidth() > 0 && VirtualResolutionWidth() > 0
                            ? float(GraphicsWidth()) / VirtualResolutionWidth()
                            : 1.0f;
    return int(std::lround(f * w * scale));
}

int TLoadingScreen::drawNormal() {
    SetColor(255, 255, 255);
    SetAlpha(1);
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
    draw();
    shownBar = _barPixels();
    shownAt = Millisecs();
    // The work goes on at once: no wait for the frame period between units.
    const bool paced = FramePacing();
    SetFramePacing(false);
    myFlip(0, this);
    SetFramePacing(paced);
    PollSystem();
    return 0;
}

int TLoadingScreen::draw() {
    _drawBack();
    _drawProgress();
    return 0;
}

int TLoadingScreen::_drawBack() {
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetAlpha(1);
    SetColor(255, 255, 255);
    if (back) {
        DrawImage(back, 0, 0);
    } else {
        // Without the picture a deep-sea backdrop keeps the bar readable.
        SetColor(18, 38, 62);
        DrawRect(0, 0, 1024, 768);
        SetColor(255, 255, 255);
    }
    SetAlpha(la);
    DrawImage(logo, 512, 384);
    return 0;
}

int TLoadingScreen::_drawProgress() {
    const float f = maxProgress > 0 ? float(p) / float(maxProgress) : 1.0f;
    if (!img) {
        // No bar picture: a plain track with a gold fill in its place.
        const float w = 400, h = 14, x = 512 - 200, y = 685 - 7;
        SetColor(250, 236, 200);
        SetAlpha(0.3f * la);
        DrawRect(x, y, w, h);
        SetColor(230, 180, 60);
        SetAlpha(la);
        DrawRect(x, y, f * w, h);
        SetColor(255, 255, 255);
        return 0;
    }
    const int w = ImageWidth(img), h = ImageHeight(img);
    const float x = float(512 - w / 2), y = float(685 - h / 2);
    // A dark groove under the bar: while it fades, the gold fill dims over ink instead of
    // turning the grey of gold over sea, so a full bar never looks emptied.
    SetColor(43, 26, 12);
    SetAlpha(0.7f * la);
    DrawRect(x + 5, y + 5, float(w - 10), float(h - 10));
    SetColor(255, 255, 255);
    SetAlpha(0.3f * la);
    DrawImage(img, x, y);
    SetAlpha(1.0f * la);
    const float part = f * float(w);
    if (part > 0) DrawSubImageRect(img, x, y, part, float(h), 0, 0, part, float(h));
    return 0;
}

int TLoadingScreen::EndMe() {
    _prepareDelta();
    for (int frame = 0; frame < kMaxFadeFrames; ++frame) {
        Cls();
        deltaUpdate();
        la -= 0.02f * delta;
        if (la < 0) la = 0;
        draw();
        Flip();
        if (la == 0) break;
    }
    la = 0;
    return 0;
}
