#include "screens/puzzle_express/puzzle_express.h"

#include <algorithm>
#include <cmath>

#include "app/app_globals.h"
#include "app/frame.h"
#include "app/profile/profile_manager.h"
#include "app/sound.h"
#include "game/flow/level_manager.h"
#include "gui/core/gui.h"
#include "gui/data/txtfile.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "gui/text/draw.h"
#include "gui/text/split.h"
#include "gui/text/type_style.h"
#include "minigames/minigame_menu.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/hidden_object/hidden_object.h"
#include "screens/map/mapa.h"
#include "screens/play/play_log.h"

TPuzzleExpress puzzleExpress;

namespace {

constexpr float kDeg = 3.14159265358979f / 180.0f;
// The skip bar sits where the hidden-object screen draws its hint bar.
constexpr int kBarX = 888, kBarY = 6;
constexpr int kSkipZoneX = 940;
constexpr int kDragMs = 250;    // held longer: a drag, the release drops
constexpr int kSecondMs = 100;  // a second press within this turns instead of dropping

TPEHooks gHooks;

float sinDeg(float a) { return std::sin(a * kDeg); }

void stepUp(float& v, float step) { v = std::min(v + step, 1.0f); }

}  // namespace

TPEHooks& peHooks() { return gHooks; }

// ---- set-up and levels ------------------------------------------------------------------

int TPuzzleExpress::setup() {
    _setupGUI();
    _setupTiles();
    _setupBlocks();
    _setupTeksty();
    loaded = true;
    return 0;
}

int TPuzzleExpress::_setupGUI() {
    const std::string dir = bDir + "gfx/miniGames/puzzleExpress/";
    skipFront = LoadImage(dir + "hints_front.png");
    skipBack = LoadImage(dir + "hints_back.png");
    skip = LoadImage(dir + "hint.png");
    panel = LoadImage(dir + "gui.png");
    chest = LoadImage(dir + "chest.png");
    chestCover = LoadImage(dir + "chest-Cover.png", FILTEREDIMAGE);
    // The same title letter as the inlay game's, which shares this top panel.
    titleFont = myLoadImageFont(bDir + "gfx/fonts/font.ttf", 32);
    listwa = LoadImage(dir + "papier.png");
    if (chestCover) SetImageHandle(chestCover, -42, -48);
    peEmptyTile = LoadImage(dir + "tile.png");
    if (peEmptyTile) SetImageHandle(peEmptyTile, float(ImageWidth(peEmptyTile) / 2), float(ImageHeight(peEmptyTile) / 2));
    Gui = loadGui(dir + "puzzleExpress.gui");
    font = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 18);
    return 0;
}

int TPuzzleExpress::_setupTiles() {
    setupPETiles();
    return 0;
}

int TPuzzleExpress::_setupBlocks() {
    setupPEBlocks();
    return 0;
}

int TPuzzleExpress::_setupTeksty() {
    txtSkip = readTxtData(loadTxtFile(bDir + "txt/#LANG#/puzzleExpress.txt"), 2);
    return 0;
}

void TPuzzleExpress::hold(const std::shared_ptr<TBlock>& block) {
    clickedBlock = block;
    pePlay().clickedBlock = block;
}

void TPuzzleExpress::letGo() {
    if (clickedBlock) clickedBlock->click(0);
    hold(nullptr);
    overBlock.reset();
    holded = 0;
    mouseClick = 0;
}

int TPuzzleExpress::setLevel(const std::shared_ptr<TPELevel>& l) {
    // No block of the previous level may be held, hovered or counted on this one.
    letGo();
    resetPEPlay();
    level = l;
    pePlay().level = level;
    statWlozone = statOdlozone = skipedPuzzle = 0;
    return 0;
}

int TPuzzleExpress::setState(const std::string& s) {
    state = s;
    return 0;
}

std::string TPuzzleExpress::getLevelTitle() {
    const auto& p = profileManager.profile;
    if (!p) return "";
    for (const auto& s : mapa.mapStages)
        if (s && s->id == p->numerStageu) return s->title;
    return "";
}

int TPuzzleExpress::_prepareSelf() {
    dFade = 0;
    fade = 1;
    lp = 0;
    listwaX = 1100;
    listwaY = 570;
    coverP = dCoverP = objA = dObjA = 0;
    skipA = dSkipA = 0;
    skipTime = Millisecs();
    levelTitle = getLevelTitle();
    return 0;
}

int TPuzzleExpress::_prepareLevel() {
    setState("BEGIN");
    if (!level) return 0;
    level->p = level->dAlpha = level->alpha = 0;
    level->prepareBlocks();
    const int stage = profileManager.profile ? profileManager.profile->numerStageu : 0;
    const std::string back = levelManager.getBackgroundUrl(stage);
    level->backUrl = back.empty() ? "" : bDir + back;
    level->backGround = back.empty() ? nullptr : LoadImage(level->backUrl);
    if (!back.empty() && !level->backGround) errorMsg("Block puzzle background \"" + level->backUrl + "\" not found");
    return 0;
}

int TPuzzleExpress::prepare() {
    if (!loaded) setup();
    // A block left held through the menu belongs to no board any more.
    letGo();
    pePlay().level = level;
    _exit = 0;
    wynik.clear();
    _prepareSelf();
    globalSnd.playLevelMusic();
    _prepareLevel();
    _prepareDelta();
    return 0;
}

std::string TPuzzleExpress::mainLoop() {
    prepare();
    while (frame()) {
    }
    letGo();
    return wynik;
}

bool TPuzzleExpress::frame() {
    Cls();
    update();
    draw();
    myFlip(1, this);
    return afterFlip();
}

bool TPuzzleExpress::afterFlip() {
    // Turning reads every state and acts on whatever block is held.
    if (mouse.rightPressed)
        rotate();
    else if (KeyHit(KEY_SPACE))
        rotate();
    if (mouse.vz != 0) rotate2(mouse.vz > 0 ? 1 : -1);
    if (KeyHit(KEY_LEFT)) rotate2(-1);
    if (KeyHit(KEY_RIGHT)) rotate2(1);
    if (dSkipA != 0 && mouse.leftPressed) {
        mouse.leftPressed = 0;
        WIN();
    }
    if (cheats && KeyHit('W')) WIN();
    if (fade == 1 && dFade == 1) return false;
    if (Gui && Gui->clickedItem("MENU")) goMenu();
    return true;
}

int TPuzzleExpress::goMenu() {
    actOnMenuAnswer(gHooks.menu ? gHooks.menu(*this) : std::string(), wynik, dFade, gHooks.log);
    return 0;
}

int TPuzzleExpress::skipGame() {
    wynik = "GET-NEXT-LEVEL";
    dFade = 1;
    return 0;
}

int TPuzzleExpress::WIN() {
    setState("WIN-1");
    // A block in the hand when the level ends is simply put down where it is.
    if (clickedBlock) {
        clickedBlock->click(0);
        hold(nullptr);
    }
    holded = mouseClick = 0;
    if (gHooks.log) gHooks.log(1);
    if (auto& p = profileManager.profile) p->updateLevelData(p->numerLevelu, 1, 0, 1, 0, 1);
    return 0;
}

// ---- per frame ------------------------------------------------------------------------

int TPuzzleExpress::update() {
    _updateSystem(0);
    _updateGui();
    _updateFade();
    _updateState();
    _updateHint();
    _updateObjAlpha();
    _updateLevel();
    _updateTime();
    return 0;
}

int TPuzzleExpress::_updateState() {
    if (state == "BEGIN") return __update_state_Begin();
    if (state == "BEGIN-2") return __update_state_begin2();
    if (state == "NORMAL") return __update_state_normal_game();
    if (state == "WIN-1") return __update_state_WIN();
    if (state == "WIN-2") return __update_state_WIN2();
    if (state == "WIN-3") return __update_state_WIN3();
    return 0;
}

int TPuzzleExpress::__update_state_Begin() {
    if (!level) return 0;
    stepUp(level->p, 0.02f * delta);
    level->setPosition(250, 740 - 600 * sinDeg(90 * level->p));
    if (level->p == 1) setState("BEGIN-2");
    return 0;
}

int TPuzzleExpress::__update_state_begin2() {
    stepUp(lp, 0.02f * delta);
    listwaX = 950 - float(listwa ? ImageWidth(listwa) : 0) * sinDeg(90 * lp);
    if (lp == 1) {
        checkDialogs("BEGIN");
        setState("NORMAL");
        if (level) level->dAlpha = 1;
    }
    return 0;
}

int TPuzzleExpress::__update_state_normal_game() {
    if (peHooks().tutorialUpdate) peHooks().tutorialUpdate(*this);
    if (!level) return 0;
    overBlock.reset();
    // A copy: a pick moves its block to the end of the list.
    const auto blocks = level->blocks;
    for (const auto& b : blocks) {
        if (b->update()) {
            if (!clickedBlock || clickedBlock == b) {
                overBlock = b;
                b->dOverA = 1;
            }
        } else {
            b->dOverA = 0;
        }
    }
    if (clickedBlock) {
        const int now = Millisecs();
        if (mouse.leftHolded && now - holdTime > kDragMs) holded = 1;
        if (mouse.leftPressed) {
            if (mouseClick == 1) {
                rotate();
                mouseClick = 0;
                holded = 0;
                mouse.leftHolded = 0;
                holdTime = now;
                mouse.leftPressed = 0;
                return 0;
            }
            holded = 0;
            mouse.leftHolded = 0;
            holdTime = now;
            mouseClick = 1;
            clickTime = now;
            mouse.leftPressed = 0;
        }
        if ((holded == 1 && !mouse.leftHolded) || (mouseClick == 1 && now - clickTime > kSecondMs)) {
            holded = 0;
            useClick(clickedBlock);
            FlushKeys();
            FlushMouse();
            mouse.clear();
            clickTime = Millisecs();
            doubleClick = 0;
            mouseClick = 0;
        }
    } else if (overBlock && mouse.leftHolded) {
        holdTime = Millisecs();
        useClick(overBlock);
    }
    if (checkIfWin()) WIN();
    return 0;
}

int TPuzzleExpress::__update_state_WIN() {
    if (!level) return 0;
    level->dAlpha = 0;
    if (level->alpha == 0) {
        coverP = 0;
        globalSnd.playMySound("puzzles_end_level");
        setState("WIN-2");
    }
    return 0;
}

int TPuzzleExpress::__update_state_WIN2() {
    stepUp(coverP, 0.007f * delta);
    if (coverP == 1) setState("WIN-3");
    return 0;
}

int TPuzzleExpress::__update_state_WIN3() {
    dObjA = 1;
    if (objA == 1) {
        if (gHooks.notice && level) gHooks.notice(level->PEObj);
        checkDialogs("END");
        wynik = "GET-NEXT-LEVEL";
        dFade = 1;
        setState("WIN-4");
    }
    return 0;
}

int TPuzzleExpress::_updateObjAlpha() {
    easeToward(objA, dObjA, 0.02f, delta);
    return 0;
}

int TPuzzleExpress::_updateLevel() {
    if (level) level->update();
    return 0;
}

int TPuzzleExpress::_updateTime() {
    const int now = Millisecs();
    if (now > time) {
        time = now + 1000;
        if (level) ++level->time;
    }
    return 0;
}

int TPuzzleExpress::_updateHint() {
    const float f = std::clamp(float(Millisecs() - skipTime) / maxTimeSkip, 0.0f, 1.0f);
    const int w = skip ? ImageWidth(skip) : 0, h = skip ? ImageHeight(skip) : 0;
    const bool lit = f == 1 && state == "NORMAL" && mouse.inRect(kSkipZoneX, int((1 - f) * 40), w, h);
    dSkipA = lit ? 1.0f : 0.0f;
    if (skipA < dSkipA)
        skipA = std::min(skipA + 0.05f * delta, dSkipA);
    else if (skipA > dSkipA)
        skipA = std::max(skipA - 0.1f * delta, dSkipA);
    return 0;
}

int TPuzzleExpress::checkIfWin() {
    if (!level) return 0;
    return level->complete() ? 1 : 0;
}

int TPuzzleExpress::useClick(const std::shared_ptr<TBlock>& block) {
    if (!clickedBlock) {
        if (!block || !level) return 0;
        mouse.leftPressed = 0;
        level->cleanTileFromBlock(block.get());
        auto& list = level->blocks;
        list.erase(std::remove(list.begin(), list.end(), block), list.end());
        list.push_back(block);
        hold(block);
        block->click(1);
    } else {
        auto held = clickedBlock;
        held->click(0);
        checkBlockPut(held);
        hold(nullptr);
        mouse.leftPressed = 0;
    }
    return 0;
}

int TPuzzleExpress::checkBlockPut(const std::shared_ptr<TBlock>& block) {
    if (level && level->checkPut(block)) {
        ++statWlozone;
        globalSnd.playMySound("put");
    } else {
        ++statOdlozone;
    }
    return 0;
}

int TPuzzleExpress::rotate() {
    if (!clickedBlock || clickedBlock->dir != clickedBlock->dDir) return 0;
    globalSnd.playMySound("rotate");
    clickedBlock->rotate();
    return 0;
}

int TPuzzleExpress::rotate2(int direction) {
    if (direction != 1 && direction != -1) return 0;
    if (!clickedBlock || clickedBlock->dir != clickedBlock->dDir) return 0;
    globalSnd.playMySound("rotate");
    if (direction == 1)
        clickedBlock->rotate();
    else
        clickedBlock->rotate2();
    return 0;
}

// ---- drawing ----------------------------------------------------------------------------

int TPuzzleExpress::draw() {
    _drawBack();
    _drawGui();
    _drawChest();
    _drawPuzzles();
    _drawPoints();
    _drawSkip();
    if (peHooks().tutorialDraw) peHooks().tutorialDraw(*this);
    _drawFade();
    _drawMouse();
    return 0;
}

int TPuzzleExpress::_drawBack() {
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetAlpha(1);
    SetScale(1, 1);
    SetRotation(0);
    if (level) level->_drawBack();
    return 0;
}

int TPuzzleExpress::_drawGui() {
    if (hiddenObject.panelGui) DrawImage(hiddenObject.panelGui, 0, 0);
    if (Gui) Gui->draw();
    const float a = sinDeg(90 * lp);
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetAlpha(a);
    SetScale(1, 1);
    SetRotation(0);
    if (listwa) DrawImage(listwa, listwaX, listwaY);
    SetImageFont(titleFont);
    const float x = float(512 - TextWidth(levelTitle) / 2);
    SetRotation(1);
    // An ink shadow keeps the gold title legible on the panel.
    SetColor(typestyle::kInk.r, typestyle::kInk.g, typestyle::kInk.b);
    SetAlpha(0.5f * a);
    DrawText(levelTitle, x + 2, 15);
    SetAlpha(a);
    SetColor(typestyle::kGold.r, typestyle::kGold.g, typestyle::kGold.b);
    DrawText(levelTitle, x, 12);
    return 0;
}

int TPuzzleExpress::_drawChest() {
    SetRotation(0);
    SetScale(1, 1);
    SetAlpha(1);
    if (!level) return 0;
    if (chest) DrawImage(chest, level->x, level->y);
    if (coverP == 0) {
        if (chestCover) DrawImage(chestCover, level->x, level->y);
    } else {
        const float s = sinDeg(90 * objA);
        const auto& o = level->PEObj;
        if (o && o->img) {
            SetScale(o->scale + 0.4f * s, o->scale + 0.4f * s);
            SetRotation(o->rot + 15 * s);
            SetColor(255, 255, 255);
            DrawImage(o->img, o->x, o->y);
        }
        _drawSpecChestCover();
    }
    SetAlpha(1);
    SetRotation(0);
    level->_drawField();
    return 0;
}

int TPuzzleExpress::_drawSpecChestCover() {
    if (!level) return 0;
    const float t = sinDeg(90 * coverP);
    const float x0 = level->x, y0 = level->y;
    SetScale(1, 1);
    SetRotation(45 * t);
    if (chestCover) DrawImage(chestCover, x0 + t * t * (1500 - x0), y0 + 200 * t - 100 * t * t);
    SetRotation(0);
    return 0;
}

int TPuzzleExpress::_drawPuzzles() {
    if (level) level->_drawBlocks();
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetAlpha(1);
    if (cheats && KeyDown('D') && level) level->_drawDebug();
    return 0;
}

int TPuzzleExpress::_drawPoints() {
    SetScale(1, 1);
    SetAlpha(1);
    SetBlend(ALPHABLEND);
    SetRotation(0);
    for (const auto& d : points) {
        if (d->w != 0)
            SetColor(255, 0, 0);
        else
            SetColor(255, 255, 0);
        DrawRect(float(d->x - 1), float(d->y - 1), 3, 3);
    }
    SetColor(255, 255, 255);
    return 0;
}

int TPuzzleExpress::_drawSkip() {
    const int now = Millisecs();
    const float k = now < skipTime ? 1.0f : std::min(float(now - skipTime) / maxTimeSkip, 1.0f);
    drawSkipBar(k, skipA);
    return 0;
}

void drawSkipBar(float charge, float glow) {
    SetImageFont(puzzleExpress.font);
    const TImage& bar = hiddenObject.pasek;
    SetAlpha(1);
    if (bar) {
        const float w = float(ImageWidth(bar)), h = float(ImageHeight(bar));
        if (charge > 0) DrawSubImageRect(bar, kBarX, kBarY, charge * w, h, 0, 0, charge * w, h);
        if (glow > 0) {
            SetAlpha(glow * 0.4f);
            SetBlend(LIGHTBLEND);
            DrawImage(bar, kBarX, kBarY);
        }
    }
    SetBlend(ALPHABLEND);
    SetAlpha(1);
    // Outlined: the bar behind it is dark while it charges and light when it is lit.
    const std::string& caption = puzzleExpress.txtSkip;
    drawShadowedText(caption, float(950 - TextWidth(caption) / 2), 9, typestyle::kBody, 1);
    SetColor(255, 255, 255);
    if (hiddenObject.nakrycie) DrawImage(hiddenObject.nakrycie, kBarX, kBarY);
}

// ---- play log ---------------------------------------------------------------------------

void givePuzzleExpressLog(TPlayLog& log) {
    const auto& s = puzzleExpress;
    log.podniesienia = pePlay().statPicked;
    log.wlozenia = s.statWlozone;
    log.wyjecia = pePlay().statWyjete;
    log.wyrzucenia = s.statOdlozone;
    log.skipPuzzle = s.skipedPuzzle;
    log.time = s.level ? s.level->time : 0;
}
