// The play screen's object, its resources and its loop: level start, fly-in, the states
// from "BEGIN" to "WIN" or "LOSE-END", the in-game menu and the level clock.
#include "screens/play/main_game.h"

#include <cmath>
#include <new>

#include "app/app_globals.h"
#include "app/frame.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "effects/effects.h"
#include "effects/flying_tile.h"
#include "effects/miecz.h"
#include "effects/plate.h"
#include "game/board/level.h"
#include "game/board/tile.h"
#include "gui/core/gui.h"
#include "gui/data/qcmfile.h"
#include "gui/data/txtfile.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "gui/widgets/button.h"
#include "platform/files.h"
#include "platform/harness.h"
#include "platform/input.h"
#include "platform/strings.h"
#include "platform/system.h"
#include "screens/play/special_tip.h"

TMainGame mainGame;

namespace {

constexpr int kKey1 = '1', kKey2 = '2', kKey3 = '3', kKey4 = '4';
constexpr int kKeyF5 = 116;
constexpr int kKeyW = 'W';
constexpr int kKeyM = 'M';

constexpr int kTileFlyDelay = 500;
constexpr int kTileFlyStep = 5;

}  // namespace

TMainGame::TMainGame() {
    id = "MAIN-GAME";
    for (auto& d : animDim) d = std::make_shared<TDim>();
    for (auto& d : chestDim) d = std::make_shared<TDim>();
}

TMainGame::~TMainGame() = default;

TProfile& TMainGame::prof() {
    if (profileManager.profile) return *profileManager.profile;
    if (!standInProfile_) standInProfile_ = std::make_shared<TProfile>();
    return *standInProfile_;
}

std::shared_ptr<TButton> TMainGame::bonusButton(int n) {
    if (!Gui) return nullptr;
    return Gui->getItemAs<TButton>("bonus" + std::to_string(n));
}

TImageFont TMainGame::numberFont(int i) {
    if (i < 0 || i >= int(numFont.size())) return nullptr;
    return numFont[size_t(i)];
}

// ---- set-up -------------------------------------------------------------------------------

int TMainGame::setup() {
    _setupTxt();
    _setupGUI();
    _setupTools();
    _setupDims();
    _setupFonts();
    return 0;
}

int TMainGame::_setupTxt() {
    auto txt = loadTxtFile(bDir + "txt/#LANG#/mainGame.txt");
    txtDim = readTxtData(txt, 1);
    txtX = readTxtData(txt, 2);
    txtHints = readTxtData(txt, 5);
    txtMist = readTxtData(txt, 6);
    return 0;
}

int TMainGame::_setupGUI() {
    Gui = loadGui(bDir + "gfx/gui/mainGame/game.gui");
    const std::string dir = bDir + "gfx/gui/mainGame/";
    panel = LoadImage(dir + "gui.png");
    chest[0] = LoadAnimImage(dir + "chest-back.png", 200, 205, 0, 7);
    chest[1] = LoadAnimImage(dir + "chest-front.png", 200, 205, 0, 7);
    klepsydra = LoadImage(dir + "klepsydra.png");
    chestCover = LoadImage(dir + "chest-cover.png");
    worek = LoadImage(dir + "worek.png", FILTEREDIMAGE | MIPMAPPEDIMAGE);
    MidHandleImage(worek);
    hintAnim = LoadAnimImage(dir + "hint-anim.png", 80, 54, 0, 8);
    MidHandleImage(hintAnim);
    shellOver = LoadImage(dir + "shell-over.png");
    if (shellOver)
        SetImageHandle(shellOver, float(ImageWidth(shellOver) / 2 + 2), float(ImageHeight(shellOver) / 2 + 2));
    for (int i = 0; i < 7; ++i) {
        chestFallImg[size_t(i)] = LoadImage(bDir + "gfx/particles/chest/part-" + std::to_string(i + 1) + ".png");
        MidHandleImage(chestFallImg[size_t(i)]);
    }
    TSpecialTip::setup();
    gwiazda = LoadImage(dir + "gwiazda.png");
    MidHandleImage(gwiazda);
    for (int i = 0; i < 5; ++i) {
        gridImg[size_t(i)] = LoadImage(dir + "grid-" + std::to_string(i) + ".png");
        MidHandleImage(gridImg[size_t(i)]);
    }
    return 0;
}

int TMainGame::_setupTools() {
    const std::string dir = bDir + "gfx/gui/mainGame/";
    const char* states[3] = {"over", "click", "normal"};
    for (int i = 0; i < 3; ++i) {
        rekaImg[size_t(i)] = LoadImage(dir + "reka-" + states[i] + ".png");
        hakImg[size_t(i)] = LoadImage(dir + "hak-" + states[i] + ".png");
        MidHandleImage(rekaImg[size_t(i)]);
        MidHandleImage(hakImg[size_t(i)]);
    }
    worekPoint = LoadImage(dir + "punkt.png");
    MidHandleImage(worekPoint);
    auto data = loadQCMFile(bDir + "data/powerUps.dat");
    for (int n = 1; n <= 6; ++n) {
        const float t = data->getFloat("powerUps::powerUp" + std::to_string(n) + "::time", 0);
        // Out-of-range numbers from the file are kept inside an int rather than overflowing.
        const double clamped = std::fmax(-2.0e9, std::fmin(2.0e9, double(t)));
        maxCzasPowerUpow[size_t(n - 1)] = std::isfinite(t) ? int32_t(clamped) : 0;
    }
    return 0;
}

int TMainGame::_setupDims() {
    static const int hints[4][2] = {{840, 650}, {935, 650}, {840, 700}, {935, 700}};
    static const int stones[8][2] = {{880, 394}, {915, 434}, {919, 470}, {887, 518},
                                     {811, 510}, {825, 462}, {945, 487}, {877, 458}};
    for (int i = 0; i < 4; ++i) animDim[size_t(i)] = createSimpleDim(hints[i][0], hints[i][1]);
    for (int i = 0; i < 8; ++i) chestDim[size_t(i)] = createSimpleDim(stones[i][0], stones[i][1]);
    return 0;
}

int TMainGame::_setupFonts() {
    const std::string berry = bDir + "gfx/fonts/berry.ttf";
    const std::string font = bDir + "gfx/fonts/font.ttf";
    timeFont = myLoadImageFont(berry, 30);
    dimFont = myLoadImageFont(font, 26);
    scoreFont = myLoadImageFont(berry, 26);
    levelFont = myLoadImageFont(berry, 20);
    static const int numSizes[5] = {26, 22, 18, 16, 14};
    for (int i = 0; i < 5; ++i) numFont[size_t(i)] = myLoadImageFont(font, numSizes[i]);
    hintFont = myLoadImageFont(berry, 16);
    mistFont = myLoadImageFont(berry, 16);
    mnoznikFont = myLoadImageFont(berry, 16);
    return 0;
}

// ---- taking a level -------------------------------------------------------------------------

int TMainGame::setLevel(const std::shared_ptr<TLevel>& lvl) {
    levelPtr = lvl;
    // The board's layout and the flying stones of the previous level go with it.
    overTile_ = clickedTile = toDraw = startTile_ = nullptr;
    lastHoldedTile = firstHoldedTile = nullptr;
    tilesyHolded.clear();
    clearFlyingTiles();
    if (levelPtr) {
        const std::string url = playHooks().backgroundUrl ? playHooks().backgroundUrl(prof().numerStageu) : "";
        if (!url.empty()) {
            levelPtr->background = LoadImage(bDir + url);
            levelPtr->getBackEffectsByBackground(files::stripExt(files::stripDir(url)));
        }
        levelPtr->setProperPosition();
    }
    if (prof().numerLevelu == 3 && prof().numerStageu == 1 && playHooks().storyMapsSetup)
        playHooks().storyMapsSetup();
    // With the tutorial switched off no tip will ever turn its cells on.
    if (levelPtr && levelPtr->tutorialLevel && (prof().tutorialOn == 0 || noTutorial)) levelPtr->freeFromTutorial();
    useCzaszkaN = useMedalionN = useOkoN = useMapaN = useMieczN = useHintsN = 0;
    allLivingsN = useLivingsN = 0;
    levelData = prof().getMyLevelData();
    recordedScore = recordedTime = -1;
    setState("BEGIN");
    return 0;
}

int TMainGame::setState(const std::string& name) {
    state = str::upper(name);
    // Scripted runs wait for the board to take moves ("play NORMAL").
    HarnessMark("play " + state);
    return 0;
}

// ---- the loop -------------------------------------------------------------------------------

std::string TMainGame::mainLoop() {
    prof().ResumePowerUps();
    prepare();
    while (frame()) {
    }
    finish();
    prof().pausePowerUps();
    return wynik;
}

bool TMainGame::loopDone() const { return (fade == 1.0f && dFade == 1.0f) || _exit != 0; }

bool TMainGame::frame() {
    Cls();
    update();
    draw();
    myFlip(1, this);
    _controlGUI();
    _controlKeyBoard();
    return !loopDone();
}

int TMainGame::prepare() {
    _prepareSelf();
    _prepareHints();
    _prepareChest();
    _prepareFlyingTiles();
    for (int i = 0; i < 100; ++i) deltaUpdate();
    servicesLink().playMySound("begin");
    return 0;
}

int TMainGame::_prepareSelf() {
    prof().checkPowerUpUnlocked();
    _preparePowerUpStan(1);
    fade = 1;
    dFade = 0;
    gridA = dGridA = 0;
    _exit = 0;
    hand_ = 0;
    wynik.clear();
    // Effects of the previous level must not carry into this one.
    clearLevelEffects();
    miecz.reset();
    specialTip.reset();
    fx::clear(listaOdpadow);
    fx::clear(captionsList);
    if (levelPtr) {
        levelPtr->setNumbersAlpha(0);
        levelPtr->hideNumbers();
    }
    overTile_ = clickedTile = startTile_ = toDraw = nullptr;
    tilesyHolded.clear();
    holding.clear();
    if (levelPtr) levelPtr->playMusic();
    mouse.clear();
    if (auto skip = Gui ? Gui->getItem("skip") : nullptr) {
        const int on = (levelPtr && levelPtr->tutorialLevel) ? 1 : 0;
        skip->setState(on, on);
        if (prof().tutorialOn == 0 || noTutorial) skip->setState(0, 0);
    }
    return 0;
}

int TMainGame::_prepareFlyingTiles() {
    clearFlyingTiles();
    return _prepareBegin_2();
}

int TMainGame::_prepareBegin_2() {
    if (!levelPtr) return 0;
    int delay = kTileFlyDelay;
    for (int r = 0; r < levelPtr->rows; ++r)
        for (int c = 0; c < levelPtr->cols; ++c) {
            auto t = levelPtr->tileAt(r, c);
            if (!t || !t->dim) continue;
            auto f = createFlyingTile(t);
            flyingTiles.push_back(f);
            f->startFrom(t->x(), t->y() + 800, delay);
            f->rotate = 0;
            f->perSpeed = 0.02f;
            delay += kTileFlyStep;
        }
    return 0;
}

int TMainGame::_updateFlyingTiles() {
    ::_updateFlyingTiles();
    return 0;
}

int TMainGame::update() {
    _updateSystem(0);
    if (fade == 0.0f && playHooks().tutorialUpdate)
        playHooks().tutorialUpdate(*this, levelPtr && levelPtr->tutorialLevel);
    _updateState();
    _updateFlyingTresures();
    _updateFlyingHints();
    _updateEmitters();
    _updateParticles();
    _updateEfekty();
    _updateTime();
    _updateFade();
    _updateHints();
    _updateGUI();
    _updateMiecz();
    _updateKamienie();
    _updateWorek();
    _updateOdpady();
    _updateLivings();
    _updateLevelPassive();
    _updateHandPick();
    _updatePowerUpStan();
    _updateBack();
    _updateSpecialTip();
    _updatePogoda();
    _updateGridAlpha();
    _updatePlates();
    _updateFlyingBonus();
    _updateCaptions();
    return 0;
}

int TMainGame::_updateState() {
    if (state == "BEGIN") return _update_state_BEGIN();
    if (state == "BEGIN-FLY") return _update_state_BEGIN_FLY();
    if (state == "NORMAL") return _update_state_NORMAL();
    if (state == "WIN-1") return _update_state_WIN_1();
    if (state == "WIN") return _update_state_WIN();
    if (state == "LOSE") return _update_state_LOSE();
    return 0;
}

int TMainGame::_update_state_BEGIN() {
    if (fade == 0.0f) {
        checkDialogs("BEGIN");
        setState("BEGIN-FLY");
    }
    return 0;
}

int TMainGame::_update_state_BEGIN_FLY() {
    _updateFlyingTiles();
    if (fx::live(flyingTiles) == 0) {
        setState("NORMAL");
        if (levelPtr) levelPtr->showNumbers();
        dGridA = 1;
    }
    return 0;
}

int TMainGame::_update_state_NORMAL() {
    _updateHand();
    if (!levelPtr) return 0;
    levelPtr->updateTiles();
    overTile_ = levelPtr->updateOver();
    const bool held = mouse.leftHolded || mouse.rightHolded;
    if (held) {
        if (!clickedTile && overTile_) clickedTile = overTile_;
    } else {
        clickedTile = nullptr;
    }
    _updateTilesPlay();
    if (!mouse.leftPressed && !mouse.rightPressed && !mouse.leftHolded && !mouse.rightHolded)
        toDraw = nullptr;
    if (levelPtr->levelCompleted) WIN();
    return 0;
}

int TMainGame::_update_state_WIN_1() {
    if (levelPtr) levelPtr->updateTiles();
    // Every caption, the level-completed one included, ends by itself.
    if (fx::live(captionsList) != 0) return 0;
    // The player already chose to leave through the in-game menu: that choice stands.
    if (dFade == 1.0f) {
        setState("WIN");
        return 0;
    }
    checkDialogs("END");
    setState("WIN");
    std::string result;
    if (playHooks().winScreen) result = playHooks().winScreen(*this);
    fade = dFade = 1;
    wynik = "GET-NEXT-LEVEL";
    if (result == "EXIT_FULL") _exit = 1;
    return 0;
}

int TMainGame::_update_state_LOSE() {
    if (dFade == 1.0f) return 0;
    if (!levelPtr) return 0;
    if (fx::live(levelPtr->flyingTresures) != 0 || fx::live(listaOdpadow) != 0) return 0;
    const std::string result = playHooks().loseScreen ? playHooks().loseScreen(*this) : "RESTART";
    if (result == "RESTART") {
        wynik = "RESTART-LEVEL";
        setState("LOSE-END");
        dFade = 1;
    } else if (result == "MAIN-MENU") {
        wynik = "MAIN-MENU";
        dFade = 1;
        if (playHooks().log) playHooks().log(-1);
    } else if (result == "MAPA") {
        wynik = "MAPA";
        if (playHooks().mapClearNewStage) playHooks().mapClearNewStage();
        dFade = 1;
        if (playHooks().log) playHooks().log(-1);
    }
    return 0;
}

int TMainGame::_updateTime() {
    const int32_t now = Millisecs();
    if (now > gameTime) {
        gameTime = now + 1000;
        if (levelPtr) levelPtr->czas += 1;
    }
    return 0;
}

int TMainGame::_updateLevelPassive() {
    if (levelPtr) levelPtr->updateNumbers();
    return 0;
}

int TMainGame::WIN() {
    toDraw = nullptr;
    if (levelPtr) {
        for (int r = 0; r < levelPtr->rows; ++r)
            for (int c = 0; c < levelPtr->cols; ++c) {
                TTile* t = levelPtr->at(r, c);
                if (t && t->td && t->td->id == 0 && !t->isUncovered()) t->rozbij(0);
            }
    }
    overTile_ = nullptr;
    tilesyHolded.clear();
    startTile_ = nullptr;
    holding.clear();
    setHand(0);
    createLevelCompletedCaption();
    dGridA = 0;
    setState("WIN-1");
    if (playHooks().log) playHooks().log(1);
    recordedScore = levelPtr ? levelPtr->score : 0;
    recordedTime = levelPtr ? levelPtr->czas : 0;
    prof().updateLevelData(prof().numerLevelu, 1, recordedScore, recordedTime, prof().mistakes,
                           int32_t(mnoznik));
    return 0;
}

int TMainGame::LOSE() {
    static const int offs[7][2] = {{109, 52}, {158, 65}, {59, 104}, {123, 117}, {42, 153}, {88, 169}, {147, 151}};
    static const int sideways[7] = {-200, 100, -100, 100, -100, 100, -100};
    toDraw = nullptr;
    for (int i = 0; i < 7; ++i) {
        const float sx = float(800 + offs[i][0]), sy = float(300 + offs[i][1]);
        const float ex = sx + float(sideways[i]), ey = sy + 700;
        createOdpad2(chestFallImg[size_t(i)], sx, sy, ex, ey, ex, sy);
    }
    setState("LOSE");
    setHand(0);
    overTile_ = nullptr;
    tilesyHolded.clear();
    startTile_ = nullptr;
    holding.clear();
    sendTresuresDown();
    if (playHooks().log) playHooks().log(0);
    return 0;
}

int TMainGame::_controlGUI() {
    if (!Gui) return 0;
    if (Gui->_clicked.empty() && !overTile_ && prof().numerStageu == 2 && mouse.inRect(36, 43, 716, 665))
        mouseBubbles();
    for (int n = 1; n <= 5; ++n)
        if (Gui->clickedItem("bonus" + std::to_string(n))) useBonus(n + 1);
    if (Gui->clickedItem("skip")) goSkipTutorial();
    if (Gui->clickedItem("menu")) goMenu();
    return 0;
}

int TMainGame::_controlKeyBoard() {
    if (!cheats) return 0;
    TProfile& p = prof();
    if (KeyHit(kKey1)) p.czas[0] = 0;
    if (KeyHit(kKey2)) p.czas[1] = 0;
    if (KeyHit(kKey3)) p.czas[2] = 0;
    if (KeyHit(kKey4)) p.czas[3] = 0;
    if (KeyHit(kKeyF5)) p.czas[4] = 0;
    if (KeyHit(kKeyW)) WIN();
    if (KeyHit(kKeyM)) mnoznik += 1.0f;
    return 0;
}

int TMainGame::goMenu() {
    const std::string result = playHooks().menu ? playHooks().menu(*this) : "";
    if (result == "MAIN-MENU") {
        wynik = "MAIN-MENU";
        dFade = 1;
        if (playHooks().log) playHooks().log(-1);
    } else if (result == "RESTART") {
        wynik = "RESTART-LEVEL";
        dFade = 1;
    } else if (result == "MAPA") {
        wynik = "MAPA";
        dFade = 1;
        if (playHooks().log) playHooks().log(-2);
        prof().levelBack();
    }
    return 0;
}

int TMainGame::goSkipTutorial() {
    prof().tutorialOn = 0;
    if (levelPtr) levelPtr->freeFromTutorial();
    if (playHooks().tutorialDropTip) playHooks().tutorialDropTip();
    if (auto skip = Gui ? Gui->getItem("skip") : nullptr) skip->setState(0, 0);
    return 0;
}

int TMainGame::finish() {
    if (playHooks().saveGameData) playHooks().saveGameData();
    allTresuresCollected();
    fx::clear(particlesList);
    if (playHooks().tutorialDropTip) playHooks().tutorialDropTip();
    // Nothing of this level may still be under way when the next one starts.
    clearLevelEffects();
    miecz.reset();
    specialTip.reset();
    fx::clear(captionsList);
    clearFlyingTiles();
    fx::clear(platesList);
    return 0;
}

int TMainGame::PauseMyGame() {
    prof().pausePowerUps();
    return 0;
}

int TMainGame::ResumeMyGame() {
    prof().ResumePowerUps();
    return 0;
}
